#pragma once
// The users whose hives are loaded below HKEY_USERS, and which user a
// registry place belongs to.
#include <string>
#include <vector>

#include "platform/root_keys.h"

namespace keytidy {

// A SID of a real account ("S-1-5-21-..."): not the system's own accounts
// (S-1-5-18/19/20), not ".DEFAULT", not a "_Classes" twin.
bool IsAccountSid(const std::wstring& name);

// The accounts whose hives are loaded now, as HKEY_USERS lists them.
std::vector<std::wstring> Loaded_UserSids();

// Whether `sid` is one of Loaded_UserSids() (compared without case).
bool IsLoadedUserSid(const std::wstring& sid);

// "DOMAIN\name" of an account as Windows names it; empty when the SID is
// not known to this machine.
std::wstring AccountNameOfSid(const std::wstring& sid);

// The account a place in the registry belongs to: HKEY_USERS\<SID>\... and
// HKEY_USERS\<SID>_Classes\... give that SID, HKEY_CURRENT_USER the user the
// run judges; machine places give nothing.
std::wstring UserOfPlace(RootKey root, const std::wstring& key);

}  // namespace keytidy
