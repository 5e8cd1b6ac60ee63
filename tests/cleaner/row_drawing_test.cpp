// A finding's row: lines cut with "..." to the room beside the icon, and
// the text colours that follow selection and focus.
#include "cleaner/row_drawing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "scan/add_found_entry.h"
#include "support/programs.h"

namespace keytidy {
namespace {

// A 32-bit memory canvas with the system's GUI font selected.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
    SelectObject(dc_, bitmap_);
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  bool Has(COLORREF colour, RECT area) const {
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const std::uint32_t p = pixels_[y * width_ + x];
        if (RGB((p >> 16) & 255, (p >> 8) & 255, p & 255) == colour) return true;
      }
    return false;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  std::uint32_t* pixels_ = nullptr;
};

TEST(RowDrawing, LinesAreCutToTheRoomWithAnEllipsis) {
  Canvas canvas(10, 10, RGB(255, 255, 255));
  const std::wstring text = L"C:\\Program Files\\Some Vendor\\Some Product\\bin\\module.dll";
  SIZE full{};
  GetTextExtentPoint32W(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &full);

  EXPECT_EQ(ShortenToWidth(canvas.dc(), text, full.cx), text);
  for (int room : {static_cast<int>(full.cx) - 1, static_cast<int>(full.cx) / 2, 40}) {
    const std::wstring cut = ShortenToWidth(canvas.dc(), text, room);
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), L"...");
    EXPECT_EQ(text.rfind(cut.substr(0, cut.size() - 3), 0), 0u) << "a leading part of the text";
    SIZE size{};
    GetTextExtentPoint32W(canvas.dc(), cut.c_str(), static_cast<int>(cut.size()), &size);
    EXPECT_LE(size.cx, room) << room;
    // One character more would not have fitted.
    const std::wstring longer = text.substr(0, cut.size() - 2) + L"...";
    GetTextExtentPoint32W(canvas.dc(), longer.c_str(), static_cast<int>(longer.size()), &size);
    EXPECT_GT(size.cx, room) << room;
  }
  EXPECT_EQ(ShortenToWidth(canvas.dc(), text, 2), L"...");
}

TEST(RowDrawing, TextColoursFollowSelectionAndFocus) {
  Localisation_Reset();
  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  TResultTree tree;
  PVirtualNode node = Add_FoundEntry(L"C:\\gone\\WWWWWWWW.dll", L"WWWWWWWWWWWW", &tree, true, CheckId::Shared,
                                     FilterCategory::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Software\\X", L"v");
  const COLORREF background = RGB(0, 0, 128);
  const struct {
    bool selected, focused;
    COLORREF line1, line2;
  } cases[] = {{false, false, RGB(0, 0, 0), RGB(128, 128, 128)},
               {true, false, RGB(0, 0, 0), RGB(128, 128, 128)},
               {true, true, RGB(255, 255, 255), RGB(192, 192, 192)}};
  for (const auto& c : cases) {
    Canvas canvas(300, 34, background);
    TPaintInfo info{canvas.dc(), RECT{0, 0, 300, 34}, c.selected, c.focused};
    DefaultEvent_DrawNode(nullptr, node, info);
    EXPECT_TRUE(canvas.Has(c.line1, RECT{36, 1, 300, 16})) << c.selected << c.focused;
    EXPECT_TRUE(canvas.Has(c.line2, RECT{36, 17, 300, 33})) << c.selected << c.focused;
  }
  Localisation_Reset();
}

}  // namespace
}  // namespace keytidy
