#include "support/key_tree.h"

#include "platform/text.h"

namespace keytidy::test {

KeyTree SnapshotKeyTree(RootKey root, const std::wstring& key) {
  KeyTree tree;
  for (const std::wstring& path : ListKeyTree(root, key))
    if (auto values = ReadKeyValues(root, path)) tree[path] = std::move(*values);
  return tree;
}

std::vector<std::string> KeyTreeDifferences(const KeyTree& expected, const KeyTree& actual) {
  auto narrow = [](const std::wstring& text) { return Utf16ToUtf8(text); };
  std::vector<std::string> lines;
  for (const auto& [key, values] : expected) {
    const auto found = actual.find(key);
    if (found == actual.end()) {
      lines.push_back(narrow(key) + ": missing");
      continue;
    }
    for (const auto& [name, value] : values) {
      const auto other = found->second.find(name);
      if (other == found->second.end())
        lines.push_back(narrow(key) + ": value \"" + narrow(name) + "\" missing");
      else if (!(other->second == value))
        lines.push_back(narrow(key) + ": value \"" + narrow(name) + "\" type " + std::to_string(value.type) + " -> " +
                        std::to_string(other->second.type) + ", " + std::to_string(value.data.size()) + " -> " +
                        std::to_string(other->second.data.size()) + " bytes");
    }
    for (const auto& [name, value] : found->second)
      if (!values.count(name)) lines.push_back(narrow(key) + ": value \"" + narrow(name) + "\" added");
  }
  for (const auto& [key, values] : actual)
    if (!expected.count(key)) lines.push_back(narrow(key) + ": added");
  return lines;
}

}  // namespace keytidy::test
