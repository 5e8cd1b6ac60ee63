#include "lang/locale_names.h"

#include <windows.h>

#include "platform/text.h"

namespace keytidy {

namespace {

std::wstring LocaleText(std::uint32_t lcid, LCTYPE type) {
  wchar_t buffer[128] = {};
  const int length = GetLocaleInfoW(static_cast<LCID>(lcid), type, buffer, ARRAYSIZE(buffer));
  // The length counts the terminating zero.
  return length > 1 ? std::wstring(buffer, static_cast<size_t>(length - 1)) : std::wstring();
}

std::wstring NameOrAbbreviation(std::uint32_t lcid, LCTYPE isoName, LCTYPE abbreviatedName) {
  std::wstring name = LocaleText(lcid, isoName);
  if (name.empty()) name = LocaleText(lcid, abbreviatedName).substr(0, 2);
  return name;
}

}  // namespace

std::wstring Get_Code_from_LCID(std::uint32_t lcid) {
  return LowerCaseAscii(LocaleText(lcid, LOCALE_SISO639LANGNAME) + L"-" + LocaleText(lcid, LOCALE_SISO3166CTRYNAME));
}

std::wstring Get_UserLanguage() {
  return NameOrAbbreviation(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, LOCALE_SABBREVLANGNAME);
}

std::wstring Get_UserCountry() {
  return NameOrAbbreviation(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, LOCALE_SABBREVCTRYNAME);
}

std::wstring Get_LanguageName(std::uint32_t lcid) { return LocaleText(lcid, LOCALE_SLANGUAGE); }

std::wstring Get_HelpLanguageCode(std::uint32_t lcid) {
  const std::wstring language = Trim(NameOrAbbreviation(lcid, LOCALE_SISO639LANGNAME, LOCALE_SABBREVLANGNAME));
  const std::wstring country = Trim(NameOrAbbreviation(lcid, LOCALE_SISO3166CTRYNAME, LOCALE_SABBREVCTRYNAME));
  return LowerCaseAscii(language + L"-" + country);
}

std::uint32_t UserDefaultLcid() { return GetUserDefaultLCID(); }
std::uint32_t SystemDefaultLanguageId() { return GetSystemDefaultLangID(); }

}  // namespace keytidy
