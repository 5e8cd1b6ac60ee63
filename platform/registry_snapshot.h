#pragma once
// Exact reads of registry values (type and every byte, whatever the size)
// and of whole key trees, for recording values and for comparing a script
// with the registry. Keys are opened in the same view as the registry layer
// uses, which is also the view the 64-bit reg.exe works in.
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace keytidy {

// A value's data, byte for byte.
using RegBytes = std::vector<std::uint8_t>;

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

// One key of a tree as it is now: its last-write time and its values (no
// values: they could not be read).
struct KeyState {
  std::wstring path;
  std::uint64_t lastWrite = 0;
  std::optional<std::map<std::wstring, RegValueData>> values;
  bool operator==(const KeyState&) const = default;
};

// Every key of the tree, in path order; empty when the key is missing. Two
// equal readings taken around some work mean the tree did not change while
// it ran.
std::vector<KeyState> ReadKeyTreeState(RootKey root, const std::wstring& key);

}  // namespace keytidy
