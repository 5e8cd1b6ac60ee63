#include "scan/finding_user.h"

#include "platform/user_hives.h"

namespace keytidy {

std::wstring FindingUser(const TTreeData_RegCleaner& entry) {
  if (entry.Delete_Root != 0) return UserOfPlace(entry.Delete_Root, entry.Delete_Key);
  return UserOfPlace(entry.RootKey, entry.Key);
}

}  // namespace keytidy
