#pragma once
// Explorer keeps the on/off state of each start-up entry (a value of a Run
// key) as a value of the same name under Explorer\StartupApproved\Run, or
// \Run32 for the 32-bit branch, in the same hive. Such a state value belongs
// to its entry: it goes with it, and one whose entry is gone is a leftover.
#include <optional>
#include <string>

#include "platform/root_keys.h"
#include "scan/delete_place.h"

namespace keytidy {

// The Run key of the native branch or the 32-bit one, below a hive's top.
std::wstring StartupRun_Key(bool thirtyTwoBitBranch);
// The state key that belongs to that Run key.
std::wstring StartupApproved_Key(bool thirtyTwoBitBranch);

// The state value that belongs to the value `name` of (`root`, `key`) when
// that key is a Run key of the machine or a user (also as HKEY_USERS\<SID>
// or a hive mounted below HKEY_USERS); nothing for any other key.
std::optional<DeletePlace> StartupApproved_CompanionOf(RootKey root, const std::wstring& key, const std::wstring& name);

}  // namespace keytidy
