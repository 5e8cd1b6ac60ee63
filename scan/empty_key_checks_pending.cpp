// Placeholders until the empty-key checks land; each finds nothing.
// Delete this file together with the first real definitions.
#include "scan/registry_cleaner.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_EMPTY_SOFTWAREKEYS(std::int32_t, std::int32_t, RootKey, bool) {}
void TRegistryCleaner::SEARCH_EMPTY_UNINSTALLKEYS(std::int32_t, std::int32_t, bool) {}

}  // namespace keytidy
