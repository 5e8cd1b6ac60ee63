// Placeholders until the history-list checks land; each finds nothing.
// Delete this file together with the first real definitions.
#include "scan/registry_cleaner.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_WINDOWSHISTORY_USERASSIST(std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_LOSTMRU(std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_MUI_CACHE(std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_MRU_APPLETS(std::int32_t, std::int32_t, RootKey, const std::wstring&) {}

}  // namespace keytidy
