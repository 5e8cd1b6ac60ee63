#include "ui/form.h"

#include <vector>

#include "ui/dpi_change.h"
#include "ui/window_dpi.h"
#include "ui/window_placement.h"

namespace keytidy::ui {

namespace {

using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The frame around a client area, with the caption and borders of the DPI
// the window will have (the plain call knows only the system DPI).
void AdjustFrame(RECT& frame, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi = reinterpret_cast<AdjustWindowRectExForDpiFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
}

struct DisabledWindows {
  std::vector<HWND> windows;
  HWND except = nullptr;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM context) {
  auto* state = reinterpret_cast<DisabledWindows*>(context);
  if (window != state->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->windows.push_back(window);
  }
  return TRUE;
}

// A button that Enter presses when it has the focus: the system's push
// buttons and our own-drawn ones (which answer as buttons but are not of
// the system's class); check boxes and radio buttons are left out.
bool IsPushButton(HWND window) {
  if (!window || !(SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) return false;
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpiW(className, L"BUTTON") != 0) return true;
  const LONG kind = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

bool Usable(HWND window) { return window && IsWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window); }

}  // namespace

Form::~Form() { Destroy(); }

int Form::Dpi() const { return WindowDpi(Handle()); }

int Form::Scale(int designPixels) const { return MulDiv(designPixels, Dpi(), 96); }

std::wstring Form::Caption() const {
  if (!Alive()) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1);
  GetWindowTextW(Handle(), buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

void Form::SetCaption(const std::wstring& text) {
  if (Alive()) SetWindowTextW(Handle(), text.c_str());
}

void Form::SetColor(COLORREF color) {
  color_ = color;
  brush_.reset(CreateSolidBrush(color));
  if (Alive()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool Form::CreateForm(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                      int clientWidth, int clientHeight, HWND owner, UINT classStyle) {
  RegisterWindowClass(className, classStyle);
  if (!brush_) brush_.reset(CreateSolidBrush(color_));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const auto placeFor = [&](int dpi) {
    RECT frame{0, 0, MulDiv(clientWidth, dpi, 96), MulDiv(clientHeight, dpi, 96)};
    AdjustFrame(frame, style, exStyle, static_cast<UINT>(dpi));
    return PlaceInWorkArea(frame.right - frame.left, frame.bottom - frame.top, monitor.rcWork);
  };
  int dpi = WindowDpi(owner);
  layoutDpi_ = dpi;
  font_ = CreateUiFont(L"Tahoma", 8, dpi);
  RECT place = placeFor(dpi);
  if (!CreateOwnWindow(exStyle | WS_EX_CONTROLPARENT, className, caption.c_str(), style | WS_CLIPCHILDREN, place.left,
                       place.top, place.right - place.left, place.bottom - place.top, owner))
    return false;
  // The monitor may have another DPI than the owner or the screen as a
  // whole: the window then takes its own before any control is laid out.
  if (const int own = WindowDpi(Handle()); own != dpi) {
    dpi = own;
    layoutDpi_ = dpi;
    font_ = CreateUiFont(L"Tahoma", 8, dpi);
    place = placeFor(dpi);
    SetWindowPos(Handle(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

// Moved to a monitor of another DPI: the layout and the font grow or shrink
// by the ratio, and the window takes the place Windows suggests (the same
// part of the new monitor, at the new size).
void Form::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi > 0 && dpi != layoutDpi_) {
    UniqueFont oldFont = std::move(font_);
    font_ = CreateUiFont(L"Tahoma", 8, dpi);
    ScaleChildLayout(Handle(), layoutDpi_, dpi, oldFont.get(), font_.get());
    layoutDpi_ = dpi;
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::Close() {
  if (Alive()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void Form::ShowModal() {
  if (!Alive() || modalRunning_) return;
  modal_ = true;
  modalRunning_ = true;
  DisabledWindows disabled;
  disabled.except = Handle();
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));

  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  if (initialFocus_ && IsWindow(initialFocus_) && IsWindowVisible(initialFocus_)) {
    SetFocus(initialFocus_);
  } else if (!GetFocus() || !IsChild(Handle(), GetFocus())) {
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  }

  MSG message;
  bool quit = false;
  int quitCode = 0;
  while (modalRunning_ && Alive()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = static_cast<int>(message.wParam);
      break;
    }
    if (TranslateKeyboard(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modalRunning_ = false;
  modal_ = false;
  // The owner windows come back before this one hides, so the activation
  // falls back to them rather than to another program.
  for (HWND window : disabled.windows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  if (Alive()) ShowWindow(Handle(), SW_HIDE);
  if (quit) PostQuitMessage(quitCode);
}

bool Form::TranslateKeyboard(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
  auto* form = dynamic_cast<Form*>(FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
  return form && form->RouteKey(message);
}

bool Form::RouteKey(MSG& message) {
  if (message.message == WM_KEYDOWN &&
      (message.wParam == VK_TAB || message.wParam == VK_UP || message.wParam == VK_DOWN || message.wParam == VK_LEFT ||
       message.wParam == VK_RIGHT)) {
    // From the first key on, the user works with the keyboard: show where the focus is.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  }
  if (message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU)
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    if (IsPushButton(focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
    } else if (Usable(defaultButton_)) {
      SendMessageW(defaultButton_, BM_CLICK, 0, 0);
    }
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    if (modalRunning_) OnEscape();
    return modalRunning_;
  }
  return IsDialogMessageW(Handle(), &message) != FALSE;
}

void Form::MoveFocus(HWND target) {
  if (!target) return;
  SetFocus(target);
  // An edit field entered by the keyboard has its text selected, ready to be typed over.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_.get());
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      HDC dc = reinterpret_cast<HDC>(wParam);
      FillRect(dc, &client, brush_.get());
      PaintBackground(dc, client);
      return 1;
    }
    case WM_PRINTCLIENT: return 0;
    case WM_NEXTDLGCTL: {
      // The dialog manager's request for the next (wParam 0) or previous
      // control in tab order, or (lParam 1) for a given one.
      HWND focus = GetFocus();
      if (focus && !IsChild(Handle(), focus)) focus = nullptr;
      MoveFocus(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(Handle(), focus, wParam != 0));
      return 0;
    }
    case WM_PAINT: {
      PaintScope paint(Handle());
      return 0;
    }
    case WM_CLOSE:
      if (!CloseQuery()) return 0;
      OnClose();
      if (modalRunning_) {
        modalRunning_ = false;
        // Wake the modal loop, which may be waiting in GetMessage.
        PostMessageW(Handle(), WM_NULL, 0, 0);
      } else {
        Destroy();
      }
      return 0;
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace keytidy::ui
