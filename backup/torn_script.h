#pragma once
// A backup script as a restore reads it. The deletion appends each record
// to the script and reads it back before it deletes what the record stands
// for, so a power cut during an append can leave the script's last record
// cut short (half a line, a "dword:" with too few digits, a hex list that
// stops, a tail of zero bytes) while the entry it stands for was never
// deleted. Such a script restores everything but that record. Damage
// anywhere else makes the script unreadable: nothing of it is imported.
#include <string>
#include <string_view>
#include <vector>

#include "backup/reg_script_reader.h"

namespace keytidy {

enum class ScriptCondition {
  Whole,       // reads completely; import the file as it is
  TornTail,    // the end was cut short; import `intactText` instead
  Unreadable,  // import nothing
};

struct RestoreScript {
  ScriptCondition condition = ScriptCondition::Unreadable;
  std::vector<RegRecord> records;  // what an import puts back, in file order
  std::wstring intactText;         // TornTail: the records before the cut, without header
  std::wstring tornText;           // TornTail: what was left out (may be empty: only zero bytes or half a character)
  std::wstring error;              // Unreadable: what is wrong and where
};

// The whole file as bytes, byte-order mark and header included.
RestoreScript RegScript_ReadForRestore(std::string_view bytes);

}  // namespace keytidy
