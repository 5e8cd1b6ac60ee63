#include "support/real_registry.h"

#include <gtest/gtest.h>

#include "platform/handles.h"

namespace keytidy::test {

namespace {

bool KeyExists(RootKey root, const std::wstring& key) {
  UniqueHKey handle;
  return RegOpenKeyExW(RootKeyHandle(root), key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, handle.put()) == ERROR_SUCCESS;
}

}  // namespace

RealRegistryFixture::~RealRegistryFixture() {
  for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
    UniqueHKey handle;
    if (RegOpenKeyExW(RootKeyHandle(it->root), it->key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, handle.put()) ==
        ERROR_SUCCESS)
      RegDeleteValueW(handle.get(), it->name.c_str());
  }
  for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it) {
    RegDeleteTreeW(RootKeyHandle(it->first), it->second.c_str());
    RegDeleteKeyExW(RootKeyHandle(it->first), it->second.c_str(), KEY_WOW64_64KEY, 0);
  }
}

void RealRegistryFixture::CreateKey(RootKey root, const std::wstring& key) {
  // Remember the topmost missing ancestor: removing it removes all we made.
  for (size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1)) {
    const std::wstring prefix = key.substr(0, end);
    if (!KeyExists(root, prefix)) {
      createdKeys_.emplace_back(root, prefix);
      break;
    }
    if (end == std::wstring::npos) break;
  }
  UniqueHKey handle;
  ASSERT_EQ(RegCreateKeyExW(RootKeyHandle(root), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                            handle.put(), nullptr),
            ERROR_SUCCESS);
}

void RealRegistryFixture::Write(RootKey root, const std::wstring& key, const std::wstring& name, DWORD type,
                                const void* data, DWORD size) {
  CreateKey(root, key);
  UniqueHKey handle;
  ASSERT_EQ(RegOpenKeyExW(RootKeyHandle(root), key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, handle.put()),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(handle.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  values_.push_back({root, key, name});
}

void RealRegistryFixture::WriteString(RootKey root, const std::wstring& key, const std::wstring& name,
                                      const std::wstring& text, DWORD type) {
  Write(root, key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace keytidy::test
