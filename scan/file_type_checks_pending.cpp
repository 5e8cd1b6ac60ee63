// Placeholders until the file-type and open-with checks land; each finds
// nothing. Delete this file together with the first real definitions.
#include "scan/registry_cleaner.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_FILEFORMAT_WRONGEXE(const KeyList&, std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_FILEFORMAT_EMPTY(const KeyList&, std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_FILEFORMAT_LINKMISSING(const KeyList&, std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_FILEFORMAT_WRONGICON(const KeyList&, std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_FILEFORMAT_APPLICATIONS(std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_EMPTYOPENWITH(std::int32_t, std::int32_t) {}
void TRegistryCleaner::SEARCH_INVALID_OPENWITH(std::int32_t, std::int32_t) {}

}  // namespace keytidy
