#pragma once
// Which translation the program uses: chosen once at start-up from the
// user's stored choice, else the user's locale, else English.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lang/available_languages.h"

namespace keytidy {

// The base name of the chosen translation file ("de-de"); empty until
// chosen and when no translation exists.
extern std::wstring LanguageCode;
// The LCID of the chosen file's entry; 0 until chosen.
extern std::uint32_t LanguageId;

// Everything the choice depends on besides the available files.
struct LanguageChoiceInputs {
  std::wstring userLanguage;  // lower-case ISO 639 name of the user's locale
  std::wstring userCountry;   // lower-case ISO 3166 name, may be empty
  std::uint32_t systemLanguage = 0;
  std::optional<std::wstring> storedBaseName;  // the stored choice, when there is one
};

struct LanguageChoice {
  int entry = -1;                    // position in the list; -1 keeps the current values
  bool storedChoiceMissing = false;  // a stored base name that no file has any more
};

// The decision alone, over a list of available languages.
LanguageChoice DecideLanguage(const std::vector<AvailableLanguage>& available, const LanguageChoiceInputs& inputs);

// ProgramFolder \translation: the translation files and their index.
std::wstring TranslationFolder();

// Scans ProgramFolder\Translation, decides and sets LanguageCode and
// LanguageId; a stored choice whose file is gone is deleted from the
// settings.
void Choose_Language();

// Remembers the user's choice (a translation file's base name) for the next
// start.
void Store_Language(const std::wstring& baseName);

inline constexpr wchar_t kForceLanguageValue[] = L"ForceLanguage_LCID";

}  // namespace keytidy
