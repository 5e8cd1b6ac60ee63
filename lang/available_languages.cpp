#include "lang/available_languages.h"

#include <windows.h>

#include "lang/language_codes.h"
#include "lang/locale_names.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace keytidy {

namespace {

struct LanguageAndCountry {
  std::wstring language;
  std::wstring country;
};

LanguageAndCountry SplitCode(const std::wstring& code) {
  const size_t dash = code.find(L'-');
  if (dash == std::wstring::npos) return {code, {}};
  return {code.substr(0, dash), code.substr(dash + 1)};
}

bool IsDecimalNumber(const std::wstring& text) {
  if (text.empty()) return false;
  for (const wchar_t c : text)
    if (c < L'0' || c > L'9') return false;
  return true;
}

// Tries the full code first, then the bare language, then the language
// doubled ("fr-fr"), so "fr-xx" still finds French.
std::uint32_t LcidOfCode(const LanguageAndCountry& code) {
  std::uint32_t lcid = 0;
  if (!code.country.empty()) lcid = Get_LCID_from_Code(code.language + L"-" + code.country);
  if (lcid == 0) lcid = Get_LCID_from_Code(code.language);
  if (lcid == 0) lcid = Get_LCID_from_Code(code.language + L"-" + code.language);
  return lcid;
}

}  // namespace

std::vector<AvailableLanguage>& AvailableLanguages() {
  static std::vector<AvailableLanguage> list;
  return list;
}

AvailableLanguage LanguageOfFileName(const std::wstring& fileName) {
  AvailableLanguage entry;
  const std::wstring name = LowerCaseAscii(fileName);
  entry.baseName = name.substr(0, name.find(L'.'));
  const size_t underscore = entry.baseName.find(L'_');
  entry.code = underscore == std::wstring::npos ? entry.baseName : entry.baseName.substr(underscore + 1);

  // A file may be named after a language identifier (1031.nlang3).
  if (IsDecimalNumber(entry.code)) {
    if (const std::optional<std::int32_t> number = ParseInt32(entry.code); number && *number != 0) {
      const LanguageAndCountry split = SplitCode(Get_Code_from_LCID(static_cast<std::uint32_t>(*number)));
      entry.code = split.language + L"-" + split.country;
      entry.lcid = static_cast<std::uint32_t>(*number);
      return entry;
    }
  }
  const LanguageAndCountry split = SplitCode(entry.code);
  if (!split.language.empty()) entry.lcid = LcidOfCode(split);
  return entry;
}

void Get_Available_nLangFiles(const std::wstring& folder) {
  std::vector<AvailableLanguage>& list = AvailableLanguages();
  list.clear();
  std::wstring pattern = folder;
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern += L"*.nlang3";
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
  if (!search) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    AvailableLanguage entry = LanguageOfFileName(found.cFileName);
    if (entry.lcid != 0) list.push_back(std::move(entry));
  } while (FindNextFileW(search.get(), &found));
}

}  // namespace keytidy
