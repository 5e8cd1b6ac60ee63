#include "platform/concrete_key.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

// ntdll's NtQueryKey with KeyNameInformation (3) is the one documented way
// to learn which key a handle opened; advapi32 offers none. It is looked up
// at run time because the import libraries do not declare it.
using NtQueryKeyFn = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kKeyNameInformation = 3;

NtQueryKeyFn QueryKeyFunction() {
  static const NtQueryKeyFn function = reinterpret_cast<NtQueryKeyFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryKey")));
  return function;
}

std::optional<std::wstring> KernelNameOf(HKEY key) {
  const NtQueryKeyFn query = QueryKeyFunction();
  if (!query) return std::nullopt;
  ULONG needed = 0;
  std::vector<std::uint8_t> buffer(1024);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const LONG status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status >= 0) {
      ULONG length = 0;  // KEY_NAME_INFORMATION: a byte count, then the name without a terminator
      std::memcpy(&length, buffer.data(), sizeof(length));
      if (length > buffer.size() - sizeof(ULONG)) return std::nullopt;
      std::wstring name(length / sizeof(wchar_t), L'\0');
      std::memcpy(name.data(), buffer.data() + sizeof(ULONG), name.size() * sizeof(wchar_t));
      return name;
    }
    if (needed <= buffer.size()) return std::nullopt;
    buffer.resize(needed);
  }
  return std::nullopt;
}

bool StartsWithIgnoreCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && UpperCaseAscii(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

std::optional<ConcreteKey> ConcreteKey_FromKernelName(std::wstring_view name) {
  struct Hive {
    std::wstring_view prefix;  // upper case, with the separator after it
    RootKey root;
  };
  constexpr Hive kHives[] = {{L"\\REGISTRY\\MACHINE\\", ROOT_HKEY_LOCAL_MACHINE},
                             {L"\\REGISTRY\\USER\\", ROOT_HKEY_USERS}};
  for (const Hive& hive : kHives) {
    if (!StartsWithIgnoreCase(name, hive.prefix)) continue;
    std::wstring_view rest = name.substr(hive.prefix.size());
    while (!rest.empty() && rest.back() == L'\\') rest.remove_suffix(1);
    if (rest.empty() || rest.front() == L'\\') return std::nullopt;
    return ConcreteKey{hive.root, std::wstring(rest)};
  }
  return std::nullopt;
}

std::optional<ConcreteKey> Reg_ConcreteKey(RootKey root, const std::wstring& path) {
  if (root != ROOT_HKEY_CLASSES_ROOT) return ConcreteKey{root, path};
  UniqueHKey key;
  const REGSAM access = KEY_QUERY_VALUE | (Use64BitView() ? KEY_WOW64_64KEY : 0);
  if (RegOpenKeyExW(RootKeyHandle(root), path.c_str(), 0, access, key.put()) != ERROR_SUCCESS || !key)
    return std::nullopt;
  const std::optional<std::wstring> name = KernelNameOf(key.get());
  if (!name) return std::nullopt;
  return ConcreteKey_FromKernelName(*name);
}

}  // namespace keytidy
