#include "scan/key_content.h"

#include <algorithm>

#include "platform/registry_snapshot.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool AmongIgnoringCase(const std::wstring& name, const std::vector<std::wstring>& names) {
  const std::wstring upper = UpperCaseAscii(name);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::wstring& candidate) { return UpperCaseAscii(candidate) == upper; });
}

std::optional<std::vector<std::wstring>> SubKeyNames(RootKey root, const std::wstring& key) {
  std::vector<std::wstring> names;
  if (!Reg_KeyExists(root, key)) return std::nullopt;
  Reg_GetSubKeys(root, key, names);
  return names;
}

}  // namespace

bool Key_HoldsNothing(RootKey root, const std::wstring& key) {
  std::uint32_t values = 0, subKeys = 0;
  if (!Reg_KeyCounts(root, key, values, subKeys) || subKeys != 0 || values > 1) return false;
  if (values == 0) return true;
  std::vector<std::wstring> names;
  Reg_GetValueNames(root, key, names);
  return names.size() == 1 && names.front().empty() && Reg_ReadString(root, key, L"").empty();
}

bool Key_HoldsOnly(RootKey root, const std::wstring& key, const std::vector<std::wstring>& values,
                   const std::vector<std::wstring>& subKeys) {
  const std::optional<std::vector<std::wstring>> subKeyNames = SubKeyNames(root, key);
  if (!subKeyNames) return false;
  for (const std::wstring& name : *subKeyNames)
    if (!AmongIgnoringCase(name, subKeys)) return false;
  std::vector<std::wstring> valueNames;
  if (Reg_ValueCount(root, key) > 0 && !Reg_GetValueNames(root, key, valueNames)) return false;
  for (const std::wstring& name : valueNames)
    if (!AmongIgnoringCase(name, values)) return false;
  return true;
}

std::optional<KeyShape> Read_KeyShape(RootKey root, const std::wstring& key) {
  std::optional<std::map<std::wstring, RegValueData>> values = ReadKeyValues(root, key);
  const std::optional<std::vector<std::wstring>> subKeys = SubKeyNames(root, key);
  if (!values || !subKeys) return std::nullopt;
  KeyShape shape;
  shape.values = std::move(*values);
  for (const std::wstring& name : *subKeys) shape.subKeys.push_back(UpperCaseAscii(name));
  std::sort(shape.subKeys.begin(), shape.subKeys.end());
  return shape;
}

}  // namespace keytidy
