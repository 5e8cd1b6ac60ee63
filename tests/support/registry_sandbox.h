#pragma once
// A test's own corner of the real registry: a key named after the running
// test under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, created empty before
// the test and removed (with everything below it) afterwards. The cleanup
// uses advapi32 directly so that it does not depend on the code under test.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/registry.h"

namespace keytidy::test {

class RegistrySandbox : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The sandbox path below either root, e.g. Software\KeytidyTests\Suite.Name
  const std::wstring& Path() const { return path_; }
  std::wstring Path(const std::wstring& below) const { return path_ + L"\\" + below; }

  // Raw helpers for setting up fixtures without the layer under test.
  static void RawWrite(RootKey root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
                       DWORD size);
  static void RawWriteString(RootKey root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
                             DWORD type = REG_SZ);
  static void RawWriteDword(RootKey root, const std::wstring& path, const std::wstring& name, DWORD value);
  static void RawCreateKey(RootKey root, const std::wstring& path);
  static bool RawKeyExists(RootKey root, const std::wstring& path);
  static bool RawValueExists(RootKey root, const std::wstring& path, const std::wstring& name);

 private:
  std::wstring path_;
};

}  // namespace keytidy::test
