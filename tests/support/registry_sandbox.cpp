#include "support/registry_sandbox.h"

#include "platform/handles.h"
#include "platform/text.h"

namespace keytidy::test {

namespace {

void DeleteTree(RootKey root, const std::wstring& path) {
  RegDeleteTreeW(RootKeyHandle(root), path.c_str());
  RegDeleteKeyW(RootKeyHandle(root), path.c_str());
}

}  // namespace

void RegistrySandbox::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  path_ = L"Software\\KeytidyTests\\" + Utf8ToUtf16(info->test_suite_name()) + L"." + Utf8ToUtf16(info->name());
  for (wchar_t& c : path_)
    if (c == L'/') c = L'_';  // parameterised test names
  for (RootKey root : {ROOT_HKEY_LOCAL_MACHINE, ROOT_HKEY_CURRENT_USER}) {
    DeleteTree(root, path_);
    RawCreateKey(root, path_);
  }
}

void RegistrySandbox::TearDown() {
  for (RootKey root : {ROOT_HKEY_LOCAL_MACHINE, ROOT_HKEY_CURRENT_USER}) DeleteTree(root, path_);
}

void RegistrySandbox::RawCreateKey(RootKey root, const std::wstring& path) {
  UniqueHKey key;
  ASSERT_EQ(
      RegCreateKeyExW(RootKeyHandle(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
      ERROR_SUCCESS);
}

void RegistrySandbox::RawWrite(RootKey root, const std::wstring& path, const std::wstring& name, DWORD type,
                               const void* data, DWORD size) {
  UniqueHKey key;
  ASSERT_EQ(
      RegCreateKeyExW(RootKeyHandle(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
      ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void RegistrySandbox::RawWriteString(RootKey root, const std::wstring& path, const std::wstring& name,
                                     const std::wstring& text, DWORD type) {
  RawWrite(root, path, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistrySandbox::RawWriteDword(RootKey root, const std::wstring& path, const std::wstring& name, DWORD value) {
  RawWrite(root, path, name, REG_DWORD, &value, sizeof(value));
}

bool RegistrySandbox::RawKeyExists(RootKey root, const std::wstring& path) {
  UniqueHKey key;
  return RegOpenKeyExW(RootKeyHandle(root), path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool RegistrySandbox::RawValueExists(RootKey root, const std::wstring& path, const std::wstring& name) {
  UniqueHKey key;
  return RegOpenKeyExW(RootKeyHandle(root), path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS &&
         RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace keytidy::test
