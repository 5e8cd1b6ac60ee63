#include "scan/typelib_registration.h"

#include "platform/registry.h"

namespace keytidy {

bool Is_TypeLibMissing(const std::wstring& libid) {
  if (libid.empty() || libid.front() != L'{') return false;
  return !Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, L"TypeLib\\" + libid) &&
         !Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, L"Wow6432Node\\TypeLib\\" + libid);
}

std::wstring TypeLib_Place(const std::wstring& libid) { return L"HKEY_CLASSES_ROOT\\TypeLib\\" + libid; }

}  // namespace keytidy
