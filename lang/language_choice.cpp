#include "lang/language_choice.h"

#include "lang/locale_names.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

std::wstring LanguageCode;
std::uint32_t LanguageId = 0;

std::wstring TranslationFolder() { return ProgramFolder() + L"\\translation"; }

namespace {

constexpr std::uint32_t kGermanSwitzerland = 2055;
constexpr std::uint32_t kGermanAustria = 3079;

template <typename Field>
int FindEntry(const std::vector<AvailableLanguage>& available, Field field, const std::wstring& wanted) {
  for (size_t i = 0; i < available.size(); ++i)
    if (EqualsIgnoreCaseAscii(available[i].*field, wanted)) return static_cast<int>(i);
  return -1;
}

int FirstEnglishEntry(const std::vector<AvailableLanguage>& available) {
  for (size_t i = 0; i < available.size(); ++i)
    if (EqualsIgnoreCaseAscii(std::wstring_view(available[i].code).substr(0, 2), L"en")) return static_cast<int>(i);
  return -1;
}

}  // namespace

LanguageChoice DecideLanguage(const std::vector<AvailableLanguage>& available, const LanguageChoiceInputs& inputs) {
  LanguageChoice choice;
  choice.entry = FirstEnglishEntry(available);

  if (inputs.storedBaseName) {
    const int stored = FindEntry(available, &AvailableLanguage::baseName, *inputs.storedBaseName);
    if (stored >= 0) {
      choice.entry = stored;
      return choice;
    }
    choice.storedChoiceMissing = true;
  }

  const std::wstring localeCode =
      inputs.userCountry.empty() ? inputs.userLanguage : inputs.userLanguage + L"-" + inputs.userCountry;
  if (const int exact = FindEntry(available, &AvailableLanguage::code, localeCode); exact >= 0) {
    choice.entry = exact;
    return choice;
  }
  if (const int language = FindEntry(available, &AvailableLanguage::code, inputs.userLanguage); language >= 0) {
    choice.entry = language;
    return choice;
  }
  // German speakers in Switzerland and Austria read German-German rather
  // than English when their own variant is not offered.
  if (inputs.systemLanguage == kGermanSwitzerland || inputs.systemLanguage == kGermanAustria) {
    int german = FindEntry(available, &AvailableLanguage::code, L"de-de");
    if (german < 0) german = FindEntry(available, &AvailableLanguage::code, L"de");
    if (german >= 0) choice.entry = german;
  }
  return choice;
}

void Choose_Language() {
  LanguageChoiceInputs inputs;
  inputs.userLanguage = LowerCaseAscii(Get_UserLanguage());
  inputs.userCountry = LowerCaseAscii(Get_UserCountry());
  inputs.systemLanguage = SystemDefaultLanguageId();
  if (Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue))
    inputs.storedBaseName = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);

  Get_Available_nLangFiles(ProgramFolder() + L"\\Translation");
  const LanguageChoice choice = DecideLanguage(AvailableLanguages(), inputs);
  if (choice.storedChoiceMissing) Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);
  if (choice.entry >= 0) {
    const AvailableLanguage& entry = AvailableLanguages()[static_cast<size_t>(choice.entry)];
    LanguageCode = entry.baseName;
    LanguageId = entry.lcid;
  }
}

void Store_Language(const std::wstring& baseName) {
  Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue, baseName);
}

}  // namespace keytidy
