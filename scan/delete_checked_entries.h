#pragma once
// The deletion of the ticked findings: each key or value is recorded in the
// backup script first and deleted only when its record is in the file and
// reads back; an entry whose backup failed is left alone, still ticked.
// A key that is a root, a hive's top or a container the checks walk is
// never deleted (scan/container_guard.h).
#include <windows.h>

#include <string>

#include "backup/reg_exe.h"

namespace keytidy {

class TRegistryCleaner;

struct DeleteOptions {
  // Where reg.exe writes its temporary key exports; the program folder when
  // empty.
  std::wstring exportFolder;
  DWORD regExeTimeLimitMs = kRegExeTimeLimitMs;
};

// Walks the engine's whole tree (hidden rows too) in tree order; see
// TRegistryCleaner::DeleteCheckedEntries.
void DeleteCheckedEntries(TRegistryCleaner& engine, const std::wstring& backupfile, const DeleteOptions& options = {});

}  // namespace keytidy
