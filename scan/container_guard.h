#pragma once
// The last line of defence of the deletion run: a finding that names a root,
// a hive's top key or one of the keys the checks walk through (the Software
// key, the Uninstall list, CLSID and the like) would take a whole branch of
// other programs' data with it. Whatever produced such a finding, the run
// refuses to delete that key.
#include <string_view>

#include "platform/root_keys.h"

namespace keytidy {

// True when `path` under `root` is a key the deletion run must never delete:
// the root itself or a key with fewer than two path components below its
// hive, a known container key, or an ancestor of one. The same keys are
// recognised below Wow6432Node, below a user's SID under HKEY_USERS, and for
// classes below HKEY_CLASSES_ROOT as well as Software\Classes. Letter case
// and doubled or trailing backslashes do not matter. An unknown root counts
// as protected.
// Shell-wide classes (every file, folder, drive, the desktop background, the
// system's own file classes such as exefile) and their "shell" and
// "shellex" keys are protected too: a stale verb on one of them may only
// take that verb's key. So are the extension keys of the system's own file
// types (".exe", ".dll", ".txt" and the like); what lies below them is not.
bool IsProtectedContainerKey(RootKey root, std::wstring_view path);

// True for the name of a shell-wide class below the classes root
// ("*", "Directory\Background", "exefile", any letter case).
bool Is_ShellWideClass(std::wstring_view className);

// True for the extension of one of the system's own file types (".exe",
// ".DLL", ".ps1"), whose key the deletion never removes whole.
bool Is_SystemFileExtension(std::wstring_view extension);

}  // namespace keytidy
