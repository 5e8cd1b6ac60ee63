#include "support/gui_layout.h"

#include <algorithm>

#include "platform/text.h"
#include "ui/gdi_objects.h"
#include "ui/html_label.h"
#include "ui/window_dpi.h"

namespace keytidy::test {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// What the control shows of a caption with access-key marks: "&&" is an
// ampersand, a lone "&" underlines the next character.
std::wstring WithoutAccessMarks(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

std::string Describe(HWND window) {
  const std::wstring text = TextOf(window);
  return Utf16ToUtf8(ClassOf(window)) + " \"" + Utf16ToUtf8(text.substr(0, 40)) + "\"";
}

RECT ClientOnScreen(HWND window) {
  RECT area;
  GetClientRect(window, &area);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Room a control of this kind leaves for its text, besides the text itself.
int RoomBesideText(HWND control, const std::wstring& className) {
  if (lstrcmpiW(className.c_str(), L"BUTTON") != 0) return 0;
  const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  const int dpi = ui::WindowDpi(control);
  switch (kind) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return MulDiv(13 + 4, dpi, 96);  // the box and the gap after it
    case BS_GROUPBOX: return MulDiv(8, dpi, 96);
    default: return MulDiv(6, dpi, 96);  // the push button's edges
  }
}

bool WrapsItsText(HWND control, const std::wstring& className) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(className.c_str(), L"BUTTON") == 0) return (style & BS_MULTILINE) != 0;
  if (lstrcmpiW(className.c_str(), L"STATIC") == 0) {
    const LONG kind = style & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
  }
  return false;
}

bool MeasuresCaption(const std::wstring& className) {
  for (const wchar_t* measured : {L"BUTTON", L"STATIC", L"KeytidyLabel", L"KeytidyVellButton"})
    if (lstrcmpiW(className.c_str(), measured) == 0) return true;
  return false;
}

// Our HTML labels wrap their text to their width; it must fit their height.
void CheckWrappedMarkup(HWND control, std::vector<std::string>& faults) {
  auto* label = dynamic_cast<ui::HtmlLabel*>(ui::Window::FromHandle(control));
  if (!label) return;
  RECT client;
  GetClientRect(control, &client);
  const int needed = label->TextHeight();
  if (needed > client.bottom)
    faults.push_back(Describe(control) + " \"" + Utf16ToUtf8(label->Html().substr(0, 40)) + "\": wrapped text needs " +
                     std::to_string(needed) + " px of height, has " + std::to_string(client.bottom));
}

void CheckCaption(HWND control, std::vector<std::string>& faults) {
  const std::wstring className = ClassOf(control);
  if (lstrcmpiW(className.c_str(), L"KeytidyHtmlLabel") == 0) return CheckWrappedMarkup(control, faults);
  if (!MeasuresCaption(className)) return;
  const std::wstring raw = TextOf(control);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (raw.empty() || !font) return;
  const bool labelDrawsPrefix =
      lstrcmpiW(className.c_str(), L"KeytidyLabel") != 0 &&
      !(lstrcmpiW(className.c_str(), L"STATIC") == 0 && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX));
  const std::wstring text = labelDrawsPrefix ? WithoutAccessMarks(raw) : raw;

  RECT client;
  GetClientRect(control, &client);
  const int room = client.right - RoomBesideText(control, className);
  ui::WindowDc dc(control);
  ui::SelectionScope selected(dc.get(), font);
  if (WrapsItsText(control, className)) {
    RECT needed{0, 0, std::max(room, 1), 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (needed.bottom > client.bottom)
      faults.push_back(Describe(control) + ": wrapped text needs " + std::to_string(needed.bottom) +
                       " px of height, has " + std::to_string(client.bottom));
    return;
  }
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  if (size.cx > room)
    faults.push_back(Describe(control) + ": text needs " + std::to_string(size.cx) + " px, has " +
                     std::to_string(room));
  if (size.cy > client.bottom + 1)
    faults.push_back(Describe(control) + ": text is " + std::to_string(size.cy) + " px high, the control " +
                     std::to_string(client.bottom));
}

// The system's compound controls place their parts themselves; their
// insides are not a layout of ours.
bool LooksInside(HWND window) {
  const std::wstring className = ClassOf(window);
  for (const wchar_t* closed :
       {L"SysListView32", L"SysTreeView32", L"SysHeader32", L"SysTabControl32", L"ComboBox", L"Edit", L"ListBox"})
    if (lstrcmpiW(className.c_str(), closed) == 0) return false;
  return true;
}

// What a scrolling container holds may lie outside its visible part.
bool Scrolls(HWND window) { return lstrcmpiW(ClassOf(window).c_str(), L"KeytidyScrollBox") == 0; }

struct Walk {
  HWND parent;
  std::vector<std::string>* faults;
  bool checkPlaces;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM context) {
  const Walk& walk = *reinterpret_cast<Walk*>(context);
  if (GetParent(child) != walk.parent || !IsWindowVisible(child)) return TRUE;
  RECT area;
  GetWindowRect(child, &area);
  if (area.right <= area.left || area.bottom <= area.top) return TRUE;
  if (walk.checkPlaces && !Inside(area, ClientOnScreen(walk.parent)))
    walk.faults->push_back(Describe(child) + " reaches past the visible part of " + Describe(walk.parent));
  CheckCaption(child, *walk.faults);
  // Columns laid out for the list's width never need a horizontal bar.
  if (lstrcmpiW(ClassOf(child).c_str(), L"SysListView32") == 0 && (GetWindowLongW(child, GWL_STYLE) & WS_HSCROLL))
    walk.faults->push_back(Describe(child) + ": its columns are wider than the list");
  if (LooksInside(child)) {
    Walk inner{child, walk.faults, !Scrolls(child)};
    EnumChildWindows(child, CheckChild, reinterpret_cast<LPARAM>(&inner));
  }
  return TRUE;
}

}  // namespace

std::vector<std::string> LayoutFaults(HWND window) {
  std::vector<std::string> faults;
  RECT frame;
  GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  if (!Inside(frame, monitor.rcWork))
    faults.push_back("the window (" + std::to_string(frame.right - frame.left) + " x " +
                     std::to_string(frame.bottom - frame.top) + ") reaches past the work area");
  Walk top{window, &faults, true};
  EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&top));
  return faults;
}

}  // namespace keytidy::test
