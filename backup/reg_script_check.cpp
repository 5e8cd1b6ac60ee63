#include "backup/reg_script_check.h"

#include <map>
#include <optional>

#include "platform/registry_snapshot.h"

namespace keytidy {

namespace {

// Key paths and value names compare without regard to case, as the registry
// compares them.
std::wstring Folded(const std::wstring& text) {
  std::wstring folded = text;
  if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
  return folded;
}

struct ExpectedValue {
  std::wstring name;
  std::optional<RegValueData> value;  // none: the value must be absent
};

struct ExpectedKey {
  RootKey root = 0;
  std::wstring path;
  bool exists = true;
  std::map<std::wstring, ExpectedValue> values;  // by folded name
};

using KeyId = std::pair<RootKey, std::wstring>;  // root and folded path

class ExpectedState {
 public:
  explicit ExpectedState(const std::vector<RegRecord>& records) {
    for (const RegRecord& record : records) Apply(record);
  }
  const std::map<KeyId, ExpectedKey>& Keys() const { return keys_; }
  const ExpectedKey* Find(RootKey root, const std::wstring& path) const {
    const auto found = keys_.find({root, Folded(path)});
    return found == keys_.end() ? nullptr : &found->second;
  }

 private:
  ExpectedKey& Entry(RootKey root, const std::wstring& path) {
    ExpectedKey& key = keys_[{root, Folded(path)}];
    key.root = root;
    key.path = path;
    return key;
  }

  // Importing a key line creates the key and every missing parent.
  void Create(RootKey root, const std::wstring& path) {
    for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
      Entry(root, path.substr(0, slash)).exists = true;
    Entry(root, path).exists = true;
  }

  void Remove(RootKey root, const std::wstring& path) {
    const std::wstring folded = Folded(path);
    for (auto& [id, key] : keys_) {
      if (id.first != root) continue;
      if (id.second == folded || id.second.rfind(folded + L"\\", 0) == 0) {
        key.exists = false;
        key.values.clear();
      }
    }
    Entry(root, path).exists = false;
  }

  void Apply(const RegRecord& record) {
    switch (record.kind) {
      case RegRecordKind::Key: Create(record.root, record.key); break;
      case RegRecordKind::DeleteKey: Remove(record.root, record.key); break;
      case RegRecordKind::Value:
        Entry(record.root, record.key).values[Folded(record.name)] = {record.name,
                                                                      RegValueData{record.type, record.data}};
        break;
      case RegRecordKind::DeleteValue:
        Entry(record.root, record.key).values[Folded(record.name)] = {record.name, std::nullopt};
        break;
    }
  }

  std::map<KeyId, ExpectedKey> keys_;
};

std::wstring KeyText(RootKey root, const std::wstring& path) { return RegScript_KeyName(root, path); }

std::wstring ValueText(const std::wstring& name) {
  return name.empty() ? L"the default value" : L"value \"" + name + L"\"";
}

void CompareKey(const ExpectedKey& key, std::vector<std::wstring>& differences) {
  const std::wstring where = KeyText(key.root, key.path);
  if (!key.exists) {
    if (Reg_KeyExists(key.root, key.path)) differences.push_back(where + L": key is present but should be gone");
    return;
  }
  if (!Reg_KeyExists(key.root, key.path)) {
    differences.push_back(where + L": key is missing");
    return;
  }
  for (const auto& [folded, expected] : key.values) {
    const std::optional<RegValueData> actual = ReadValueData(key.root, key.path, expected.name);
    if (!expected.value) {
      if (actual) differences.push_back(where + L": " + ValueText(expected.name) + L" is present but should be gone");
    } else if (!actual) {
      differences.push_back(where + L": " + ValueText(expected.name) + L" is missing");
    } else if (actual->type != expected.value->type) {
      differences.push_back(where + L": " + ValueText(expected.name) + L" has another type");
    } else if (actual->data != expected.value->data) {
      differences.push_back(where + L": " + ValueText(expected.name) + L" has other data");
    }
  }
}

}  // namespace

std::vector<std::wstring> RegScript_Differences(const std::vector<RegRecord>& records, size_t limit) {
  const ExpectedState state(records);
  std::vector<std::wstring> differences;
  for (const auto& [id, key] : state.Keys()) {
    CompareKey(key, differences);
    if (differences.size() >= limit) {
      differences.resize(limit);
      break;
    }
  }
  return differences;
}

bool RegScript_HoldsKeyTree(const std::vector<RegRecord>& records, RootKey root, const std::wstring& key) {
  if (!RegScript_Differences(records, 1).empty()) return false;
  const ExpectedState state(records);
  const std::vector<std::wstring> tree = ListKeyTree(root, key);
  if (tree.empty()) return false;
  for (const std::wstring& path : tree) {
    const ExpectedKey* expected = state.Find(root, path);
    if (!expected || !expected->exists) return false;
    const auto values = ReadKeyValues(root, path);
    if (!values) return false;
    size_t recorded = 0;
    for (const auto& [folded, value] : expected->values)
      if (value.value) ++recorded;
    // Every recorded value matched the registry above; equal counts mean
    // no value of the registry is missing from the records.
    if (recorded != values->size()) return false;
  }
  return true;
}

}  // namespace keytidy
