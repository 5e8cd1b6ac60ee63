#pragma once
// Names the system's locale service gives for a language identifier.
#include <cstdint>
#include <string>

namespace keytidy {

// "<ISO 639 language>-<ISO 3166 country>" in lower case, e.g. "de-de" for
// 1031. A side the system cannot give stays empty: an unknown LCID gives "-".
std::wstring Get_Code_from_LCID(std::uint32_t lcid);

// The ISO 639 language / ISO 3166 country of the user's default locale; when
// the system has none, the first two letters of the abbreviated name; else
// empty.
std::wstring Get_UserLanguage();
std::wstring Get_UserCountry();

// The system's display name of the language; empty when it has none.
std::wstring Get_LanguageName(std::uint32_t lcid);

// Like Get_Code_from_LCID, but each side falls back to the first two letters
// of the abbreviated name, and both are trimmed of blanks.
std::wstring Get_HelpLanguageCode(std::uint32_t lcid);

// The user's default locale and the system's default language identifier.
std::uint32_t UserDefaultLcid();
std::uint32_t SystemDefaultLanguageId();

}  // namespace keytidy
