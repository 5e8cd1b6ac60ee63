#include "lang/language_choice.h"

#include <gtest/gtest.h>

#include "lang/help_links.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "support/programs.h"

namespace keytidy {
namespace {

const AvailableLanguage kGerman{1031, L"de-de", L"de-de"};
const AvailableLanguage kEnglish{1033, L"en-us", L"en-us"};

TEST(LanguageChoice, StoredChoiceThenLocaleThenGermanFallbackThenEnglish) {
  struct Case {
    const char* label;
    std::vector<AvailableLanguage> available;
    LanguageChoiceInputs inputs;
    int entry;
    bool storedChoiceMissing;
  };
  const std::vector<AvailableLanguage> both = {kGerman, kEnglish};
  const Case cases[] = {
      {"French user gets the first English file", both, {L"fr", L"fr", 1036, {}}, 1, false},
      {"German user", both, {L"de", L"de", 1031, {}}, 0, false},
      {"Austrian user on an Austrian system", both, {L"de", L"at", 3079, {}}, 0, false},
      {"Austrian user on an American system", both, {L"de", L"at", 1033, {}}, 1, false},
      {"Swiss system, only a bare de file",
       {{9, L"en", L"en"}, {1031, L"de", L"de"}},
       {L"it", L"ch", 2055, {}},
       1,
       false},
      {"stored choice in any case", both, {L"fr", L"fr", 1036, L"DE-DE"}, 0, false},
      {"stored choice whose file is gone", both, {L"de", L"de", 1031, L"x_it"}, 0, true},
      {"a file named by its LCID", {{1031, L"1031", L"de-de"}, kEnglish}, {L"de", L"de", 1031, {}}, 0, false},
      {"a language without a country", {kEnglish, {1036, L"fr", L"fr"}}, {L"fr", L"be", 2060, {}}, 1, false},
      {"no English file keeps the current choice", {kGerman}, {L"fr", L"fr", 1036, {}}, -1, false},
      {"no files at all", {}, {L"de", L"de", 3079, L"de-de"}, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const LanguageChoice choice = DecideLanguage(c.available, c.inputs);
    EXPECT_EQ(choice.entry, c.entry);
    EXPECT_EQ(choice.storedChoiceMissing, c.storedChoiceMissing);
  }
}

// Works on the real Options value; whatever was there is put back.
class StoredLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    hadValue_ = Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);
    saved_ = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);
  }
  void TearDown() override {
    if (hadValue_)
      Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue, saved_);
    else
      Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);
  }

 private:
  bool hadValue_ = false;
  std::wstring saved_;
};

TEST_F(StoredLanguage, AChoiceWithoutItsFileIsForgotten) {
  Store_Language(L"x_gone");
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue), L"x_gone");
  // The test program's folder holds no translation files.
  LanguageCode = L"before";
  Choose_Language();
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue));
  EXPECT_EQ(LanguageCode, L"before");
}

TEST(HelpLinks, Addresses) {
  EXPECT_EQ(OnlineHelpAddress(L"de-de", L"main"), L"https://keytidy.example/help/2000/de-de/main");
  EXPECT_EQ(LinkTargetAddress(L"translation", L"", L"en-us", L"de-de"),
            L"https://go.keytidy.example/linktarget/?product=2000&version=2.00.00&edition=&syslang=en-us"
            L"&lang=de-de&target=translation");
  // A stray edition value cannot break the query apart.
  EXPECT_EQ(LinkTargetAddress(L"eula", L"Pro & Co #1 \u00e9", L"-", L"-"),
            L"https://go.keytidy.example/linktarget/?product=2000&version=2.00.00"
            L"&edition=Pro%20%26%20Co%20%231%20%C3%A9&syslang=-&lang=-&target=eula");
}

}  // namespace
}  // namespace keytidy
