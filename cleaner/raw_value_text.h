#pragma once
// A registry value as it was read, written out for a person to check: the
// type by the name the registry editor uses and the data as stored,
// nothing translated and nothing cut.
#include <string>

#include "platform/registry_snapshot.h"

namespace keytidy {

// "REG_SZ", "REG_DWORD" ...; a type without a name as its number
// ("REG_0x0000000C").
std::wstring RegTypeName(DWORD type);

// Text types as their text without the closing null (a null inside shows
// as "\0", so nothing after it is lost), REG_MULTI_SZ one string a line,
// REG_DWORD and REG_QWORD of the right size in hex and decimal, everything
// else (and numbers of the wrong size) as hex bytes.
std::wstring RawDataText(const RegValueData& raw);

}  // namespace keytidy
