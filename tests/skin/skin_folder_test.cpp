// Which skin folder the program starts with.
#include "skin/skin_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/programs.h"

namespace keytidy {
namespace {

TEST(ChooseSkin, OnlyFoldersWithSkinIniBelowTheSkinsFolderAreChosen) {
  test::TempFolder temp;
  const std::wstring root = temp.Path();
  for (const wchar_t* name : {L"default", L"dark", L"empty"}) CreateDirectoryW(temp.File(name).c_str(), nullptr);
  test::WriteFileBytes(temp.File(L"default\\skin.ini"), "[SkinInfo]\r\n");
  test::WriteFileBytes(temp.File(L"dark\\skin.ini"), "[SkinInfo]\r\n");
  test::WriteFileBytes(temp.File(L"skin.ini"), "[SkinInfo]\r\n");  // the skins folder itself is no skin

  const struct {
    const wchar_t* useSkin;
    const wchar_t* chosen;
  } cases[] = {
      {L"dark", L"dark"},       {L"DARK", L"DARK"},  // folder names are not case-sensitive on Windows
      {L"Default", L"default"}, {L"dEfAuLt", L"default"}, {L"", L"default"},   {L"empty", L"default"},  // no skin.ini
      {L"missing", L"default"}, {L".", L"default"},       {L"..", L"default"}, {L"..\\dark", L"default"},
      {L"dark\\", L"default"},  {L"C:dark", L"default"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseSkinFolder(root, c.useSkin), root + L"\\" + c.chosen) << "UseSkin=" << c.useSkin;
}

}  // namespace
}  // namespace keytidy
