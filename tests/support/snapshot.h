#pragma once
#include <windows.h>

#include <cstdint>

namespace keytidy::test {

// A window as it looks now: a 32-bit snapshot of its client area, drawn
// through WM_PRINTCLIENT.
class Snapshot {
 public:
  explicit Snapshot(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<const std::uint32_t*>(bits);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    GdiFlush();
  }
  ~Snapshot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const {
    const std::uint32_t p = pixels_[y * width_ + x];
    return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
  }
  bool Contains(COLORREF colour, RECT area) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  const std::uint32_t* pixels_;
  int width_, height_;
};

}  // namespace keytidy::test
