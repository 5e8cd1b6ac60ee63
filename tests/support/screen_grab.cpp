#include "support/screen_grab.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/gui.h"
#include "support/programs.h"
#include "ui/dib_section.h"
#include "ui/gdi_objects.h"
#include "ui/png_codec.h"

namespace keytidy::test {

namespace {

constexpr DWORD kGrabTimeoutMs = 30000;
// Channels further apart than this are a different colour, not a font's
// smoothing or a rounding in a colour conversion.
constexpr int kColourTolerance = 40;

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsNativeButton(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, L"BUTTON") == 0;
}

void PrintInto(HWND window, HDC dc, const RECT& area, POINT origin, UINT what) {
  // Some native controls fill the whole clip box; keep each to its own area.
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, area.left - origin.x, area.top - origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, area.right - area.left, area.bottom - area.top);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), what);
  RestoreDC(dc, saved);
}

bool IsListView(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return lstrcmpiW(name, WC_LISTVIEWW) == 0;
}

// The parts of `frame` outside `client` (borders, scroll bars), as up to four
// strips in the picture's coordinates.
void AddFrameStrips(RECT frame, RECT client, POINT origin, std::vector<RECT>& strips) {
  OffsetRect(&frame, -origin.x, -origin.y);
  OffsetRect(&client, -origin.x, -origin.y);
  const RECT parts[] = {{frame.left, frame.top, frame.right, client.top},
                        {frame.left, client.bottom, frame.right, frame.bottom},
                        {frame.left, client.top, client.left, client.bottom},
                        {client.right, client.top, frame.right, client.bottom}};
  for (const RECT& part : parts)
    if (part.right > part.left && part.bottom > part.top) strips.push_back(part);
}

// Each window paints its client area, children over their parent in z-order.
// Wine's PrintWindow leaves the children out, so the tree is walked here.
// Wine prints no frame parts of a child (borders, scroll bars) and none of its
// own buttons: those areas are listed as unprinted. `origin` is the screen
// position of the picture's top-left pixel.
void PaintTree(HWND window, HDC dc, POINT origin, std::vector<RECT>& unprinted) {
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (IsNativeButton(window)) {
    OffsetRect(&frame, -origin.x, -origin.y);
    unprinted.push_back(frame);
    return;
  }
  if (GetParent(window)) AddFrameStrips(frame, client, origin, unprinted);
  if (IsListView(window)) {
    // Wine's list view prints its rows only; on the screen its own background
    // lies around them, whatever the colour of the page beneath.
    RECT area = client;
    OffsetRect(&area, -origin.x, -origin.y);
    ui::UniqueBrush background(CreateSolidBrush(static_cast<COLORREF>(SendMessageW(window, LVM_GETBKCOLOR, 0, 0))));
    FillRect(dc, &area, background.get());
  }
  PrintInto(window, dc, client, origin, PRF_CLIENT | PRF_ERASEBKGND);
  for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
    if (IsWindowVisible(child)) PaintTree(child, dc, origin, unprinted);
}

}  // namespace

std::wstring ScreenGrabFolder() {
  const wchar_t* folder = _wgetenv(L"KEYTIDY_SCREEN_GRABS");
  return folder ? folder : L"";
}

std::optional<RgbaImage> GrabScreen(const std::wstring& name) {
  const std::wstring folder = ScreenGrabFolder();
  if (folder.empty()) return std::nullopt;
  const std::wstring answer = folder + L"\\" + name + L".root.png";
  DeleteFileW(answer.c_str());
  WriteFileBytes(folder + L"\\" + name + L".request", "");
  const DWORD start = GetTickCount();
  while (!FileExists(answer)) {
    if (GetTickCount() - start > kGrabTimeoutMs) return std::nullopt;
    PumpMessages(20);
  }
  return DecodePngFile(answer);
}

SelfPainting PaintedByItself(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return {};
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap = ui::CreateDib32(width, height, bits);
  if (!bitmap) return {};
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  SelfPainting result;
  PaintTree(window, memory, origin, result.unprinted);
  GdiFlush();
  RgbaImage image(width, height);
  const auto* source = reinterpret_cast<const std::uint8_t*>(bits);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    image.pixels[i] = source[i + 2];
    image.pixels[i + 1] = source[i + 1];
    image.pixels[i + 2] = source[i];
    image.pixels[i + 3] = 255;
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  result.picture = std::move(image);
  return result;
}

RgbaImage ClientAreaOf(const RgbaImage& screen, HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  if (origin.x < 0 || origin.y < 0 || origin.x + client.right > screen.width ||
      origin.y + client.bottom > screen.height || client.right <= 0 || client.bottom <= 0)
    return {};
  return CropImage(screen, origin.x, origin.y, client.right, client.bottom);
}

PictureComparison ComparePictures(const RgbaImage& screen, const SelfPainting& self) {
  PictureComparison result;
  const RgbaImage& selfPainted = self.picture;
  if (screen.Empty() || screen.width != selfPainted.width || screen.height != selfPainted.height) return result;
  size_t differing = 0;
  std::unordered_map<std::uint32_t, size_t> colours;
  const size_t count = static_cast<size_t>(screen.width) * screen.height;
  std::vector<bool> compared(count, true);
  for (const RECT& area : self.unprinted)
    for (int y = std::max(0L, area.top); y < std::min<LONG>(screen.height, area.bottom); ++y)
      for (int x = std::max(0L, area.left); x < std::min<LONG>(screen.width, area.right); ++x)
        compared[static_cast<size_t>(y) * screen.width + x] = false;
  for (size_t i = 0; i < count * 4; i += 4) {
    const std::uint8_t* a = &screen.pixels[i];
    const std::uint8_t* b = &selfPainted.pixels[i];
    const int distance = std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
    if (compared[i / 4] && distance > kColourTolerance) ++differing;
    ++colours[(static_cast<std::uint32_t>(a[0]) << 16) | (a[1] << 8) | a[2]];
  }
  size_t commonest = 0;
  for (const auto& [colour, pixels] : colours) commonest = std::max(commonest, pixels);
  result.differingShare = static_cast<double>(differing) / static_cast<double>(count);
  result.commonestShare = static_cast<double>(commonest) / static_cast<double>(count);
  return result;
}

}  // namespace keytidy::test
