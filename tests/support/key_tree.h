#pragma once
// A registry key with everything below it, read exactly (type and bytes of
// every value), and the differences between two such reads, for tests that
// prove a run left the registry as it found it.
#include <map>
#include <string>
#include <vector>

#include "platform/registry_snapshot.h"

namespace keytidy::test {

using KeyTree = std::map<std::wstring, std::map<std::wstring, RegValueData>>;

// Every key below `key` (itself included) with its values; empty when the
// key does not exist.
KeyTree SnapshotKeyTree(RootKey root, const std::wstring& key);

// Readable differences (gtest would print the value records as raw
// memory): "key: value "name" type 1 -> 2, 10 -> 12 bytes". Empty when the
// two are equal.
std::vector<std::string> KeyTreeDifferences(const KeyTree& expected, const KeyTree& actual);

}  // namespace keytidy::test
