#pragma once
// Compares what a registry script puts into the registry with what the
// registry holds. A restore is only called successful when every key and
// value of its script came back with the same type and data (reg.exe import
// can exit 0 although lines failed), and a key is only deleted when its
// recorded export holds all of it.
#include <string>
#include <vector>

#include "backup/reg_script_reader.h"

namespace keytidy {

// What the registry must look like after importing `records` in order: one
// line per difference found ("HKEY_...\Key: value "x" has other data"),
// at most `limit` of them. Empty when the registry matches.
std::vector<std::wstring> RegScript_Differences(const std::vector<RegRecord>& records, size_t limit = 20);

// Whether `records` recreate the key `root\key` exactly: the key and every
// key below it, each with exactly its values (names, types and bytes), and
// nothing in the records contradicts the registry.
bool RegScript_HoldsKeyTree(const std::vector<RegRecord>& records, RootKey root, const std::wstring& key);

}  // namespace keytidy
