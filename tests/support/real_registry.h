#pragma once
// Fixtures in the real registry locations the checks read (which a test
// cannot move into a sandbox). Everything written is removed again when the
// object ends: the values it wrote, and the keys it had to create, from the
// topmost one that did not exist before. Fixture names should be unique
// (contain "Keytidy") so that nothing that was there before is touched.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"

namespace keytidy::test {

class RealRegistryFixture {
 public:
  RealRegistryFixture() = default;
  ~RealRegistryFixture();
  RealRegistryFixture(const RealRegistryFixture&) = delete;
  RealRegistryFixture& operator=(const RealRegistryFixture&) = delete;

  void CreateKey(RootKey root, const std::wstring& key);
  void Write(RootKey root, const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size);
  void WriteString(RootKey root, const std::wstring& key, const std::wstring& name, const std::wstring& text,
                   DWORD type = REG_SZ);

 private:
  struct Value {
    RootKey root;
    std::wstring key;
    std::wstring name;
  };
  std::vector<Value> values_;
  std::vector<std::pair<RootKey, std::wstring>> createdKeys_;
};

}  // namespace keytidy::test
