#include "scan/extension_lookup.h"

#include "platform/text.h"

namespace keytidy {

std::wstring TExtensionsOfClass::Of(const std::wstring& classKey) {
  if (!read_) {
    read_ = true;
    for (const std::wstring& key : keys_) {
      if (key.empty() || key.front() != L'.') continue;
      // Later keys replace earlier ones: the last in list order answers.
      byUpperClass_[UpperCaseAscii(classKeys_.Of(key).defaultText)] = key;
    }
  }
  const auto hit = byUpperClass_.find(UpperCaseAscii(classKey));
  return hit == byUpperClass_.end() ? L"." + classKey : hit->second;
}

}  // namespace keytidy
