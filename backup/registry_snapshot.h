#pragma once
// Exact reads of registry values (type and every byte, whatever the size)
// and of whole key trees, for recording values and for comparing a script
// with the registry. Keys are opened in the same view as the registry layer
// uses, which is also the view the 64-bit reg.exe works in.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "backup/reg_script_text.h"
#include "platform/registry.h"

namespace keytidy {

struct RegValueData {
  DWORD type = REG_NONE;
  RegBytes data;
  bool operator==(const RegValueData&) const = default;
};

// No value when the key or the value does not exist or cannot be read.
std::optional<RegValueData> ReadValueData(RootKey root, const std::wstring& key, const std::wstring& name);

// The values of one key by name; no value when the key cannot be opened.
std::optional<std::map<std::wstring, RegValueData>> ReadKeyValues(RootKey root, const std::wstring& key);

// The key and every key below it, as paths relative to the root (the key's
// own path first), in no particular order. Empty when the key is missing.
std::vector<std::wstring> ListKeyTree(RootKey root, const std::wstring& key);

}  // namespace keytidy
