#pragma once
// A user's environment variables as that user's own programs see them. A
// path in a user's hive ("%APPDATA%\Tool\tool.exe") means a file in that
// user's profile, whoever runs the search: an elevated administrator's
// %APPDATA% is another folder.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace keytidy {

// Where a user's variables came from, best first.
enum class UserEnvironmentSource {
  Process,          // the user runs this process: its own environment
  Token,            // built from the user's logon token (the desktop user's)
  ProfileRegistry,  // assembled from the profile list and the user's hive
  None,             // no profile folder known: per-user variables stay unset
};

// Fixed English words for the console ("process", "token", ...).
std::wstring UserEnvironmentSourceName(UserEnvironmentSource source);

struct UserEnvironment {
  UserEnvironmentSource source = UserEnvironmentSource::None;
  std::wstring profileFolder;  // empty when unknown
  // Variable names upper-cased (a to z), values as the user sees them.
  std::map<std::wstring, std::wstring> variables;

  // The variable's value; empty when it is not set.
  std::wstring Value(const std::wstring& name) const;
  // `text` with every %NAME% this environment sets replaced; references
  // to variables it does not set stay as written.
  std::wstring Expand(const std::wstring& text) const;
};

// %NAME% replaced by lookup(NAME) where that is not empty, as Windows
// expands: an unknown reference stays, and its closing % may open the next.
std::wstring Expand_WithLookup(const std::wstring& text,
                               const std::function<std::wstring(const std::wstring&)>& lookup);

// The variables that differ from one user to the next (USERPROFILE,
// APPDATA, TEMP, ...), by upper-cased name.
bool IsPerUserVariable(const std::wstring& upperName);

// A "NAME=value\0...\0\0" block as an environment map.
std::map<std::wstring, std::wstring> Variables_OfBlock(const wchar_t* block);

// Built from the profile list and the user's loaded hive over the
// machine's variables: the profile folder, the user's Volatile
// Environment and Environment keys, and the shell folders (with the
// Windows defaults below the profile where the hive names none). Source
// None, with no per-user variable set, when the profile folder is unknown.
UserEnvironment UserEnvironment_FromRegistry(const std::wstring& sid);

// Built from a logon token (CreateEnvironmentBlock, with the token's known
// folders for what the block lacks); none when that fails or names no
// profile folder.
std::optional<UserEnvironment> UserEnvironment_FromToken(HANDLE token);

// The best to be had for `sid`: this process's own when it runs as that
// user (or no SID is given), else the user's logon token (the desktop user's, through a
// process of theirs), else the profile registry.
UserEnvironment UserEnvironment_Of(const std::wstring& sid);

}  // namespace keytidy
