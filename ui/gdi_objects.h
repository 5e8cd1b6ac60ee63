#pragma once
// Owners for the drawing objects the widget layer creates: fonts, brushes,
// pens, bitmaps, regions and device contexts. Each owner deletes its object
// exactly once. Objects a control only borrows (stock objects, a font handed
// in by its form) are kept as plain handles and never put in an owner.
#include <windows.h>

#include "platform/handles.h"

namespace keytidy::ui {

template <typename Handle>
struct GdiObjectTraits {
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { DeleteObject(h); }
};

using UniqueFont = UniqueOwner<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueOwner<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueOwner<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueOwner<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueOwner<HRGN, GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static bool IsValid(HDC h) noexcept { return h != nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
// A device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueOwner<HDC, MemoryDcTraits>;

// A device context from GetDC / GetWindowDC, released to its window.
class WindowDc {
 public:
  enum class Area { Client, WholeWindow };
  explicit WindowDc(HWND window, Area area = Area::Client) noexcept
      : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint as a pair.
class PaintScope {
 public:
  explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const noexcept { return dc_; }
  const RECT& dirty() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a device context and puts the previous one back.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectionScope() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A font by face name and height in points, scaled for the given DPI.
UniqueFont CreateUiFont(const wchar_t* face, int points, int dpi, bool bold = false, bool italic = false,
                        bool underline = false);

}  // namespace keytidy::ui
