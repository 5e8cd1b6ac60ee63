#pragma once
// What a key holds, read fresh: the questions the checks ask before they
// decide how much of a key a finding may take, and that the deletion asks
// again right before it acts.
#include <optional>
#include <string>
#include <vector>

#include "platform/root_keys.h"
#include "model/finding_evidence.h"

namespace keytidy {

// True when the key exists and holds no sub-key and no value but, at most,
// an unnamed (default) value that reads as empty text.
bool Key_HoldsNothing(RootKey root, const std::wstring& key);

// True when the key exists and holds nothing but the named parts: values
// among `values` (an empty name is the default value) and sub-keys among
// `subKeys` (any letter case). A key that cannot be read holds "something".
bool Key_HoldsOnly(RootKey root, const std::wstring& key, const std::vector<std::wstring>& values,
                   const std::vector<std::wstring>& subKeys);

// The key's values and sub-key names; no value when it cannot be read.
std::optional<KeyShape> Read_KeyShape(RootKey root, const std::wstring& key);

}  // namespace keytidy
