// Placeholders until the COM, ActiveX and type-library checks land; each
// finds nothing. Delete this file together with the first real definitions.
#include "scan/registry_cleaner.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_COM_INPROCSERVER32(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_COM_TOOLBOXBITMAP(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER32(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_COM_EMPTY_TOOLBOXBITMAP(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_COM_TYPELIB_INVALID(const KeyList&, std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_TYPELIB_EMPTY_HELPDIR(std::int32_t, std::int32_t, bool) {}
void TRegistryCleaner::SEARCH_INTERFACE_TYPELIB_INVALID(std::int32_t, std::int32_t, bool) {}

}  // namespace keytidy
