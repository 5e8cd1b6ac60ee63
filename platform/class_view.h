#pragma once
// HKEY_CLASSES_ROOT as this program reads it: the judged user's own classes
// merged over the machine's, key by key, in the way Windows documents the
// merge. A key shows when either hive holds it; its sub-keys are those of
// both; its values are the user's key's alone when the user holds the key
// (the machine's key of the same name is hidden), otherwise the machine's.
// The merge is done here rather than left to the system so that it judges
// the user the run judges (not the account the program runs as), so that
// every read can say which hive its data came from, and so that it behaves
// the same wherever the program runs (Wine's HKEY_CLASSES_ROOT shows the
// machine's classes alone).
#include <optional>
#include <string>

#include "platform/concrete_key.h"

namespace keytidy {

// The machine's classes, below HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kMachineClassesPath[] = L"Software\\Classes";

// Where a user's own classes live below HKEY_USERS: the user's classes hive
// ("<SID>_Classes") when it is loaded, otherwise the Software\Classes key
// of the user's own hive (on Windows a link to the former). Empty for an
// empty SID.
std::wstring UserClasses_Path(const std::wstring& sid, bool classesHiveLoaded);

// The two classes roots a read of HKEY_CLASSES_ROOT merges.
struct ClassHives {
  std::optional<ConcreteKey> user;  // none when the run judges no user
  ConcreteKey machine{ROOT_HKEY_LOCAL_MACHINE, kMachineClassesPath};
};

// The classes roots for the user the run judges at this moment. Whether a
// user's classes hive is loaded is asked once per SID.
ClassHives ClassView_Hives();

// `path` (below HKEY_CLASSES_ROOT; empty for the root itself) below one of
// the classes roots.
ConcreteKey ClassView_InHive(const ConcreteKey& hive, const std::wstring& path);

// A key of the merged view together with the classes root it lies in.
struct ShownClassKey {
  ConcreteKey hive;
  ConcreteKey key;
};

// The key the view shows for `path` right now: the user's when the user
// holds it, else the machine's; none when neither does. The values read
// through the view are this key's.
std::optional<ShownClassKey> ClassView_ShownKey(const std::wstring& path);

}  // namespace keytidy
