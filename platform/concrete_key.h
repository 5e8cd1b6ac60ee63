#pragma once
// HKEY_CLASSES_ROOT is a merged view: a class key seen through it is either
// the user's own (HKEY_USERS\<SID>_Classes, or the user's Software\Classes)
// or the machine's (HKLM\Software\Classes). Anything that records or
// changes a class key names the concrete key the view shows.
#include <optional>
#include <string>
#include <string_view>

#include "platform/root_keys.h"

namespace keytidy {

struct ConcreteKey {
  RootKey root = 0;
  std::wstring path;
  bool operator==(const ConcreteKey&) const = default;
};

// The key that `path` under `root` is right now: below HKEY_CLASSES_ROOT
// the one the merged classes view shows, named below HKEY_LOCAL_MACHINE or
// HKEY_USERS; a key under any other root comes back unchanged. No value
// when a class key is in neither hive.
std::optional<ConcreteKey> Reg_ConcreteKey(RootKey root, const std::wstring& path);

// The kernel's name of an opened key ("\REGISTRY\MACHINE\...",
// "\REGISTRY\USER\...", any letter case) as root and path; no value for
// any other name.
std::optional<ConcreteKey> ConcreteKey_FromKernelName(std::wstring_view name);

}  // namespace keytidy
