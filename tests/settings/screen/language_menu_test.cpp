// The options dialog's language list: flag look-up and one item per
// available language.
#include "settings/screen/language_menu.h"

#include <gtest/gtest.h>

#include "lang/language_choice.h"
#include "support/programs.h"

namespace keytidy {
namespace {

const AvailableLanguage kGerman{1031, L"de-de", L"de-de"};
const AvailableLanguage kEnglish{1033, L"en-us", L"en-us"};

TEST(LanguageMenu, FlagLookUpOrder) {
  test::TempFolder flags;
  const auto has = [&](const wchar_t* name) { test::WriteFileBytes(flags.File(name), "BM"); };
  has(L"pt-zz.bmp");
  has(L"de-de.bmp");
  EXPECT_EQ(FindFlagFile(flags.Path(), L"pt-br"), flags.File(L"pt-zz.bmp"));
  EXPECT_EQ(FindFlagFile(flags.Path(), L"de"), flags.File(L"de-de.bmp"));
  EXPECT_EQ(FindFlagFile(flags.Path(), L"fr-fr"), L"");
  has(L"pt-pt.bmp");
  EXPECT_EQ(FindFlagFile(flags.Path(), L"pt-br"), flags.File(L"pt-pt.bmp"));
  has(L"pt-br.bmp");
  EXPECT_EQ(FindFlagFile(flags.Path(), L"pt-br"), flags.File(L"pt-br.bmp"));
}

TEST(LanguageMenu, OneItemPerLanguageWithItsFlagOnATransparentGround) {
  AvailableLanguages() = {kGerman, {1036, L"fr", L"fr"}, kEnglish};
  LanguageId = 1033;
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4);
  ASSERT_NE(images, nullptr);
  const std::vector<LanguageMenuItem> items = Build_LanguageMenu(images, test::BinFolder() + L"\\Flags");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].number, 1);
  EXPECT_EQ(items[2].number, 3);
  EXPECT_FALSE(items[0].caption.empty());
  EXPECT_EQ(std::vector<bool>({items[0].checked, items[1].checked, items[2].checked}),
            std::vector<bool>({false, false, true}));
  EXPECT_EQ(items[0].imageIndex, 0);
  EXPECT_EQ(items[1].imageIndex, -1);
  EXPECT_EQ(items[2].imageIndex, 1);

  // The white padding above the flag lets the background through.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, canvas);
  RECT all{0, 0, 16, 16};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &all, green);
  ImageList_Draw(images, 0, dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(dc, 8, 0), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(dc, 8, 8), RGB(0, 255, 0));
  SelectObject(dc, old);
  DeleteObject(green);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ImageList_Destroy(images);

  AvailableLanguages().clear();
  EXPECT_TRUE(Build_LanguageMenu(nullptr).empty());
}

}  // namespace
}  // namespace keytidy
