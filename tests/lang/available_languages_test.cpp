#include "lang/available_languages.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lang/language_codes.h"
#include "lang/locale_names.h"
#include "support/programs.h"

namespace keytidy {
namespace {

TEST(LanguageCodes, TableAnswersExactLowerCaseCodes) {
  EXPECT_EQ(LanguageCodeCount(), 127u);
  struct Case {
    const wchar_t* code;
    std::uint32_t lcid;
  };
  const Case cases[] = {
      {L"af", 1078}, {L"en", 9},    {L"en-us", 1033}, {L"pt", 2070},    {L"pt-br", 1046},
      {L"sr", 3098}, {L"ge", 1079}, {L"ka-ge", 1079}, {L"kk-kz", 1087}, {L"de-at", 3079},
      {L"DE", 0},    {L"de-de", 0}, {L"", 0},         {L"zz", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Get_LCID_from_Code(c.code), c.lcid) << c.code;
}

TEST(LanguageCodes, LocaleNamesOfKnownIdentifiers) {
  EXPECT_EQ(Get_Code_from_LCID(1031), L"de-de");
  EXPECT_EQ(Get_Code_from_LCID(2070), L"pt-pt");
  EXPECT_EQ(Get_Code_from_LCID(0x7FFF0), L"-");
  EXPECT_EQ(Get_HelpLanguageCode(1033), L"en-us");
  EXPECT_EQ(Get_HelpLanguageCode(0x7FFF0), L"-");
  EXPECT_FALSE(Get_LanguageName(1031).empty());
  EXPECT_EQ(Get_LanguageName(0x7FFF0), L"");
}

TEST(AvailableLanguages, FileNamesResolveToLanguages) {
  struct Case {
    const wchar_t* fileName;
    std::uint32_t lcid;
    const wchar_t* baseName;
    const wchar_t* code;
  };
  const Case cases[] = {
      {L"de-de.nlang3", 1031, L"de-de", L"de-de"},
      {L"x_pt-br.nlang3", 1046, L"x_pt-br", L"pt-br"},
      {L"en.nlang3", 9, L"en", L"en"},
      {L"fr-xx.nlang3", 1036, L"fr-xx", L"fr-xx"},
      {L"1031.nlang3", 1031, L"1031", L"de-de"},
      {L"EN-GB.Backup.nlang3", 2057, L"en-gb", L"en-gb"},
      {L"zz.nlang3", 0, L"zz", L"zz"},
      {L"qq-zz.nlang3", 0, L"qq-zz", L"qq-zz"},
      {L"0.nlang3", 0, L"0", L"0"},
      {L"_.nlang3", 0, L"_", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    const AvailableLanguage entry = LanguageOfFileName(c.fileName);
    EXPECT_EQ(entry.lcid, c.lcid);
    EXPECT_EQ(entry.baseName, c.baseName);
    EXPECT_EQ(entry.code, c.code);
  }
}

TEST(AvailableLanguages, ScanListsOnlyResolvableTranslationFiles) {
  test::TempFolder folder;
  for (const wchar_t* name : {L"de-de.nlang3", L"qq-zz.nlang3", L"en-us.nlang3", L"index.txt", L"1031.nlang3"})
    test::WriteFileBytes(folder.File(name), "");
  CreateDirectoryW(folder.File(L"fr.nlang3").c_str(), nullptr);

  AvailableLanguages() = {{1, L"stale", L"xx"}};
  Get_Available_nLangFiles(folder.Path() + L"\\");
  std::vector<std::wstring> codes;
  for (const AvailableLanguage& entry : AvailableLanguages()) codes.push_back(entry.baseName + L":" + entry.code);
  std::sort(codes.begin(), codes.end());  // the listing order is the file system's
  EXPECT_EQ(codes, (std::vector<std::wstring>{L"1031:de-de", L"de-de:de-de", L"en-us:en-us"}));

  Get_Available_nLangFiles(folder.File(L"missing"));
  EXPECT_TRUE(AvailableLanguages().empty());
}

}  // namespace
}  // namespace keytidy
