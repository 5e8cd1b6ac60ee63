#pragma once
// One look at each key below HKEY_CLASSES_ROOT per search. The file-type and
// class checks each walk the same tens of thousands of keys and ask the same
// few questions of them (does it exist, its default value, how much it
// holds); during a search the first question opens the key once and the
// later ones are answered from what that open saw. Outside a search every
// question reads the registry as it is now, so that a re-check before a
// deletion, or a test that changes a key between two checks, never sees an
// old answer.
#include <string>
#include <unordered_map>

#include "platform/registry.h"

namespace keytidy {

class TClassKeyGlances {
 public:
  // The glance at HKEY_CLASSES_ROOT\path.
  RegKeyGlance Of(const std::wstring& path);

  // Keeps answers from now on; Forget drops them and stops keeping.
  void Remember() { remembering_ = true; }
  void Forget();

 private:
  bool remembering_ = false;
  std::unordered_map<std::wstring, RegKeyGlance> seen_;
};

// Remembers for as long as it lives: one search.
class RememberedClassKeys {
 public:
  explicit RememberedClassKeys(TClassKeyGlances& glances) : glances_(glances) { glances_.Remember(); }
  ~RememberedClassKeys() { glances_.Forget(); }
  RememberedClassKeys(const RememberedClassKeys&) = delete;
  RememberedClassKeys& operator=(const RememberedClassKeys&) = delete;

 private:
  TClassKeyGlances& glances_;
};

}  // namespace keytidy
