#include "scan/class_key_glances.h"

namespace keytidy {

RegKeyGlance TClassKeyGlances::Of(const std::wstring& path) {
  if (!remembering_) return Reg_Glance(ROOT_HKEY_CLASSES_ROOT, path);
  // Paths come from the key lists as the registry spells them; another
  // spelling of the same key is simply looked at once more.
  const auto seen = seen_.find(path);
  if (seen != seen_.end()) return seen->second;
  return seen_.emplace(path, Reg_Glance(ROOT_HKEY_CLASSES_ROOT, path)).first->second;
}

void TClassKeyGlances::Forget() {
  remembering_ = false;
  seen_.clear();
  seen_.rehash(0);
}

}  // namespace keytidy
