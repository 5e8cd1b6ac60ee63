#include "backup/record_choice.h"

#include <windows.h>

namespace keytidy {

namespace {

// Marks the value records the name stands for; false when there are none.
// Value names may hold backslashes, so every split into key and value name
// is tried, the longest value name first.
bool MarkValue(const std::vector<RegRecord>& records, const RecordName& name, std::vector<bool>& chosen) {
  auto mark = [&](const std::wstring& key, const std::wstring& valueName) {
    bool any = false;
    for (size_t i = 0; i < records.size(); ++i) {
      const RegRecord& record = records[i];
      if (RegRecord_IsValue(record) && record.root == name.root && RecordName_Same(record.key, key) &&
          RecordName_Same(record.name, valueName)) {
        chosen[i] = true;
        any = true;
      }
    }
    return any;
  };
  for (size_t cut = name.path.find(L'\\'); cut != std::wstring::npos; cut = name.path.find(L'\\', cut + 1)) {
    const std::wstring key = name.path.substr(0, cut);
    const std::wstring valueName = name.path.substr(cut + 1);
    if (mark(key, valueName) || (valueName == L"@" && mark(key, std::wstring()))) return true;
  }
  return false;
}

bool MarkKey(const std::vector<RegRecord>& records, const RecordName& name, std::vector<bool>& chosen) {
  bool any = false;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].root == name.root && RecordKey_IsAtOrBelow(records[i].key, name.path)) {
      chosen[i] = true;
      any = true;
    }
  }
  return any;
}

}  // namespace

bool RegRecord_IsValue(const RegRecord& record) {
  return record.kind == RegRecordKind::Value || record.kind == RegRecordKind::DeleteValue;
}

bool RecordName_Same(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool RecordKey_IsAtOrBelow(const std::wstring& key, const std::wstring& top) {
  if (key.size() == top.size()) return RecordName_Same(key, top);
  return key.size() > top.size() && key[top.size()] == L'\\' && RecordName_Same(key.substr(0, top.size()), top);
}

std::optional<RecordName> RecordName_Parse(const std::wstring& name) {
  const size_t cut = name.find(L'\\');
  if (cut == std::wstring::npos) return std::nullopt;
  const std::optional<RootKey> root = RegScript_RootFromName(name.substr(0, cut));
  std::wstring path = name.substr(cut + 1);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  if (!root || path.empty() || path.front() == L'\\') return std::nullopt;
  return RecordName{*root, path};
}

RecordChoice RegScript_ChooseRecords(const std::vector<RegRecord>& records, const std::vector<std::wstring>& names) {
  RecordChoice choice;
  std::vector<bool> chosen(records.size(), false);
  for (const std::wstring& typed : names) {
    const std::optional<RecordName> name = RecordName_Parse(typed);
    if (!name || (!MarkValue(records, *name, chosen) && !MarkKey(records, *name, chosen)))
      choice.unmatched.push_back(typed);
  }
  for (size_t i = 0; i < records.size(); ++i)
    if (chosen[i]) choice.records.push_back(records[i]);
  return choice;
}

std::wstring RegRecord_DisplayName(const RegRecord& record) {
  const std::wstring key = RegScript_KeyName(record.root, record.key);
  if (!RegRecord_IsValue(record)) return key;
  return key + L"\\" + (record.name.empty() ? std::wstring(L"@") : record.name);
}

}  // namespace keytidy
