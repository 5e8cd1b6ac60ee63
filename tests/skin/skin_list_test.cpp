// The skin list: which folders it offers and which one it preselects, what
// it stores, and how one entry is drawn.
#include "skin/skin_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/registry.h"
#include "support/programs.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

using test::TempFolder;
using test::WriteFileBytes;

// A list box needs a parent window; this one is never shown.
class SkinList : public ::testing::Test {
 protected:
  SkinList() {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    list_.Create(parent_, 0, 0, 560, 300);
    saved_ = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin");
  }
  ~SkinList() override {
    list_.Destroy();
    DestroyWindow(parent_);
    Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin");
    if (!saved_.empty()) Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin", saved_);
  }

  void AddSkin(const std::wstring& name, const std::string& ini) {
    CreateDirectoryW(root_.File(name).c_str(), nullptr);
    if (!ini.empty()) WriteFileBytes(root_.File(name + L"\\skin.ini"), ini);
  }

  TempFolder root_;
  HWND parent_ = nullptr;
  SkinListBox list_{nullptr, L"ListBox_Skins", 1};
  std::wstring saved_;
};

TEST_F(SkinList, OffersFoldersWithASkinIniAndSelectsTheCurrentOne) {
  AddSkin(L"Alpha", "[SkinInfo]\r\n");
  AddSkin(L"beta", "[SkinInfo]\r\n");
  AddSkin(L"empty", "");
  const struct {
    std::wstring current;
    int selected;
  } cases[] = {{L"C:\\prog\\skins\\BETA", 1}, {L"C:\\prog\\skins\\alpha", 0}, {L"C:\\prog\\skins\\gone", -1}};
  for (const auto& c : cases) {
    Fill_SkinList(list_, root_.Path(), c.current);
    ASSERT_EQ(list_.Count(), 2) << "a folder without skin.ini is no skin";
    EXPECT_EQ(list_.ItemText(0), L"Alpha");
    EXPECT_EQ(list_.ItemText(1), L"beta");
    EXPECT_EQ(list_.Selected(), c.selected);
  }
}

TEST_F(SkinList, StoresTheSelectionOrRemovesTheValue) {
  AddSkin(L"Alpha", "[SkinInfo]\r\n");
  Fill_SkinList(list_, root_.Path(), L"C:\\prog\\skins\\alpha");
  Store_Skin(list_);
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin"), L"Alpha");
  list_.Select(-1);
  Store_Skin(list_);
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin"));
}

TEST_F(SkinList, DrawsTheSelectionBackgroundTextsAndPreview) {
  AddSkin(L"Alpha", "[SkinInfo]\r\nDisplayName=Shown Name\r\nDisplay1=First line\r\n");
  RgbaImage preview(8, 8);
  for (size_t i = 0; i < preview.pixels.size(); i += 4) {
    preview.pixels[i] = 200;  // red
    preview.pixels[i + 3] = 255;
  }
  WriteFileBytes(root_.File(L"Alpha\\preview_small.png"), EncodePng(preview));
  Fill_SkinList(list_, root_.Path(), L"");

  for (const bool selected : {false, true}) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 400;
    info.bmiHeader.biHeight = -92;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Draw_SkinItem(list_, dc, 0, RECT{0, 0, 400, 92}, selected);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const auto at = [&](int x, int y) { return pixels[y * 400 + x] & 0xFFFFFF; };
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const std::uint32_t backPixel = (GetRValue(back) << 16) | (GetGValue(back) << 8) | GetBValue(back);
    EXPECT_EQ(at(2, 2), backPixel) << selected;
    EXPECT_EQ(at(6, 6), 200u << 16) << "the preview at (4, 4) in its own size";
    EXPECT_EQ(at(14, 14), backPixel) << "and no larger";
    // Some text was drawn where the name and the first line go.
    int inked = 0;
    for (int y = 20; y < 50; ++y)
      for (int x = 140; x < 300; ++x) inked += at(x, y) != backPixel;
    EXPECT_GT(inked, 20) << selected;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
}

}  // namespace
}  // namespace keytidy
