#include "scan/finding_user.h"

#include "platform/user_hives.h"

namespace keytidy {

std::wstring FindingUser(const TTreeData_RegCleaner& entry) {
  // A class seen through HKEY_CLASSES_ROOT belongs to whoever's classes the
  // merged view read it from: the user's own classes make it theirs, so
  // that its deletion looks at the classes of that same user again.
  if (const auto& hive = entry.Evidence.classesHive; hive && hive->root == ROOT_HKEY_USERS)
    return UserOfPlace(hive->root, hive->path);
  if (entry.Delete_Root != 0) return UserOfPlace(entry.Delete_Root, entry.Delete_Key);
  return UserOfPlace(entry.RootKey, entry.Key);
}

}  // namespace keytidy
