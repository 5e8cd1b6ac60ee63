#pragma once
// What the Backups folder tells about one backup set: its files, what its
// descriptor says, its size and whether it is whole and ours. The list
// screen shows these as rows; the console and the set operations take them
// as they are.
#include <cstdint>
#include <string>

#include "settings/date_time.h"

namespace keytidy {

struct TTreeData_Backup {
  std::wstring Modul;
  std::wstring Action;
  std::wstring Display;
  std::wstring FullPath_Inifile;
  std::wstring FullPath_regfile;
  std::int64_t size = 0;  // script + descriptor + existing extra-file copies
  TDateTime DateTime = 0;
  std::wstring User;
  // The run that made the set never completed it, or the script has no
  // descriptor at all; what the script holds restores all the same.
  bool Incomplete = false;
  // The descriptor names files outside the Backups folder (or targets that
  // are no full paths): whoever wrote it, this program did not. Such a set
  // is never restored; deleting it removes only its own plain files.
  bool NotOurs = false;
};

}  // namespace keytidy
