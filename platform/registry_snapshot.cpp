#include "platform/registry_snapshot.h"

#include <algorithm>

#include "platform/concrete_key.h"
#include "platform/handles.h"

namespace keytidy {

namespace {

// A class key is read where the merged classes view shows it, as every
// other read of the program does.
UniqueHKey OpenForReading(RootKey root, const std::wstring& key) {
  UniqueHKey handle;
  const std::optional<ConcreteKey> concrete = Reg_ConcreteKey(root, key);
  if (!concrete) return handle;
  const REGSAM access = KEY_READ | (Use64BitView() ? KEY_WOW64_64KEY : 0);
  if (RegOpenKeyExW(RootKeyHandle(concrete->root), concrete->path.c_str(), 0, access, handle.put()) != ERROR_SUCCESS)
    handle.reset();
  return handle;
}

// The value may grow between asking for its size and reading it; a few
// tries settle that.
std::optional<RegValueData> QueryValue(HKEY key, const std::wstring& name) {
  RegValueData value;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  for (int attempt = 0; attempt < 4; ++attempt) {
    value.data.assign(size, 0);
    DWORD got = size;
    const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                         value.data.empty() ? nullptr : value.data.data(), &got);
    if (status == ERROR_SUCCESS) {
      value.data.resize(got);
      return value;
    }
    if (status != ERROR_MORE_DATA) return std::nullopt;
    size = got;
  }
  return std::nullopt;
}

void CollectTree(RootKey root, const std::wstring& key, std::vector<std::wstring>& paths) {
  paths.push_back(key);
  std::vector<std::wstring> names;
  Reg_GetSubKeys(root, key, names);
  for (const std::wstring& name : names) CollectTree(root, key.empty() ? name : key + L"\\" + name, paths);
}

}  // namespace

std::optional<RegValueData> ReadValueData(RootKey root, const std::wstring& key, const std::wstring& name) {
  UniqueHKey handle = OpenForReading(root, key);
  if (!handle) return std::nullopt;
  return QueryValue(handle.get(), name);
}

std::optional<std::map<std::wstring, RegValueData>> ReadKeyValues(RootKey root, const std::wstring& key) {
  UniqueHKey handle = OpenForReading(root, key);
  if (!handle) return std::nullopt;
  std::map<std::wstring, RegValueData> values;
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring buffer(longest + 2, L'\0');
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(handle.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return std::nullopt;
    std::wstring name(buffer.data(), length);
    std::optional<RegValueData> value = QueryValue(handle.get(), name);
    if (!value) return std::nullopt;
    values.emplace(std::move(name), std::move(*value));
  }
  return values;
}

std::vector<KeyState> ReadKeyTreeState(RootKey root, const std::wstring& key) {
  std::vector<KeyState> states;
  for (const std::wstring& path : ListKeyTree(root, key)) {
    KeyState state;
    state.path = path;
    if (UniqueHKey handle = OpenForReading(root, path)) {
      FILETIME written{};
      if (RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, &written) == ERROR_SUCCESS)
        state.lastWrite = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    }
    state.values = ReadKeyValues(root, path);
    states.push_back(std::move(state));
  }
  std::sort(states.begin(), states.end(), [](const KeyState& a, const KeyState& b) { return a.path < b.path; });
  return states;
}

std::vector<std::wstring> ListKeyTree(RootKey root, const std::wstring& key) {
  std::vector<std::wstring> paths;
  if (Reg_KeyExists(root, key)) CollectTree(root, key, paths);
  return paths;
}

}  // namespace keytidy
