#include "platform/root_keys.h"

namespace keytidy {

std::wstring Reg_RootKeyName(RootKey root) {
  switch (root) {
    case ROOT_HKEY_CLASSES_ROOT: return L"HKEY_CLASSES_ROOT";
    case ROOT_HKEY_CURRENT_USER: return L"HKEY_CURRENT_USER";
    case ROOT_HKEY_LOCAL_MACHINE: return L"HKEY_LOCAL_MACHINE";
    case ROOT_HKEY_USERS: return L"HKEY_USERS";
    case ROOT_HKEY_CURRENT_CONFIG: return L"HKEY_CURRENT_CONFIG";
    default: return {};
  }
}

}  // namespace keytidy
