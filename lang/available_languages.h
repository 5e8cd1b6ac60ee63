#pragma once
// The languages the translation-files folder offers: one entry per .nlang3
// file whose name resolves to a language. An entry's position in the list is
// its identity for the language menu and the options dialog.
#include <cstdint>
#include <string>
#include <vector>

namespace keytidy {

struct AvailableLanguage {
  std::uint32_t lcid = 0;
  std::wstring baseName;  // the file name up to its first ".", lower case
  std::wstring code;      // e.g. "de-de" or "de", lower case
};

// The process-wide list, as the last scan left it (empty before any scan).
std::vector<AvailableLanguage>& AvailableLanguages();

// Rebuilds the list from the *.nlang3 files of the folder, in the order the
// listing returns them. A failing listing leaves what was found so far.
void Get_Available_nLangFiles(const std::wstring& folder);

// The entry a translation file name gives; lcid 0 when its language cannot
// be resolved (such a file is not listed).
AvailableLanguage LanguageOfFileName(const std::wstring& fileName);

}  // namespace keytidy
