#pragma once
// Which extension a program identifier serves, for the detail line of a
// finding about that identifier.
#include <string>
#include <unordered_map>

#include "scan/registry_cleaner.h"

namespace keytidy {

// Answers for one list of class keys. The default value of every extension
// key in the list is read once, at the first question, so a check with
// thousands of findings reads the list once rather than once per finding.
class TExtensionsOfClass {
 public:
  TExtensionsOfClass(const KeyList& keys, TClassKeyGlances& classKeys) : keys_(keys), classKeys_(classKeys) {}

  // The last extension key of the list (names starting with ".") whose
  // default value names `classKey`, compared without regard to case;
  // "." + classKey when none does.
  std::wstring Of(const std::wstring& classKey);

 private:
  const KeyList& keys_;
  TClassKeyGlances& classKeys_;
  bool read_ = false;
  std::unordered_map<std::wstring, std::wstring> byUpperClass_;
};

}  // namespace keytidy
