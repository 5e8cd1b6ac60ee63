#pragma once
// Putting a backup set back: its extra files first, then its registry
// script through reg.exe import. reg.exe import may exit 0 although lines
// failed, so the restore only counts as done when every key and value of
// the script is found in the registry afterwards with the same type and
// data; otherwise the result names what did not come back.
#include <string>
#include <vector>

#include "backup/reg_exe.h"

namespace keytidy {

struct RestoreResult {
  bool restored = false;
  int filesCopied = 0;
  std::wstring reason;  // why it failed (English, for logs and the console)
};

RestoreResult Backup_RestoreSet(const std::wstring& descriptor, DWORD timeLimitMs = kRegExeTimeLimitMs);

}  // namespace keytidy
