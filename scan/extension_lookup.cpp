#include "scan/extension_lookup.h"

#include "platform/text.h"

namespace keytidy {

std::wstring Extension_OfClass(const KeyList& keys, const std::wstring& classKey) {
  const std::wstring wanted = UpperCaseAscii(classKey);
  std::wstring extension = L"." + classKey;
  for (const std::wstring& key : keys) {
    if (key.empty() || key.front() != L'.') continue;
    if (UpperCaseAscii(Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, key, L"")) == wanted) extension = key;
  }
  return extension;
}

}  // namespace keytidy
