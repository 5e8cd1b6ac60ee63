#pragma once
// Language codes as translation files are named (lower case, "de" or
// "de-at") and the Windows language identifiers (LCIDs) they stand for.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace keytidy {

// The LCID of a lower-case language code, compared exactly; 0 for a code
// that is not in the table.
std::uint32_t Get_LCID_from_Code(std::wstring_view code);

// How many codes the table knows.
size_t LanguageCodeCount();

}  // namespace keytidy
