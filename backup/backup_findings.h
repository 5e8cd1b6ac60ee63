#pragma once
// Which finding each record of a backup set belongs to. The deletion run
// writes one line per recorded key or value into the descriptor's section
// "Findings": what was recorded (a key with everything below it, or one
// value), the check that found it, when it was recorded and the finding's
// description as the user saw it. Readers that know only the section
// "Backup" never look there, and a set without the section (older sets)
// simply has no findings to show. A line that cannot be read is skipped:
// its records are still listed and restored, only without a finding.
//
// A line reads  N=kind|ROOT\KEY|VALUE|CHECK|DATE|DESCRIPTION  with kind
// "key" or "value" and DATE as the descriptor's other dates. Fields are
// kept to printable ASCII: every other character, and "%", "|" and '"',
// stands as "%" and four hexadecimal digits of its UTF-16 unit, so that any
// registry name survives the descriptor's 8-bit text and the profile
// functions' trimming.
#include <optional>
#include <string>
#include <vector>

#include "backup/reg_script_reader.h"
#include "settings/date_time.h"

namespace keytidy {

enum class FindingTarget { Key, Value };

struct RecordedFinding {
  FindingTarget target = FindingTarget::Value;
  RootKey root = 0;
  std::wstring key;    // below the root
  std::wstring value;  // the value's name (empty: the default value); unused for keys
  std::wstring check;  // the check's name, e.g. font-file-missing
  TDateTime date = 0;  // when the record was made
  std::wstring description;

  bool operator==(const RecordedFinding&) const = default;
};

// One descriptor line's value, and back; no value for a damaged line.
std::wstring Finding_ToLine(const RecordedFinding& finding);
std::optional<RecordedFinding> Finding_FromLine(const std::wstring& line);

// Writes the findings of the set whose script is `scriptPath` in one go.
// True when there were none or all of them are in the descriptor.
bool Backup_Write_Findings(const std::wstring& scriptPath, const std::vector<RecordedFinding>& findings);
// The readable lines of the descriptor's section, in file order.
std::vector<RecordedFinding> Backup_Read_Findings(const std::wstring& descriptorPath);

// The finding a record belongs to: the value's own for a value record,
// else the nearest key finding at or above the record's key. Null when
// none (an older set, a damaged line).
const RecordedFinding* Backup_FindingOfRecord(const std::vector<RecordedFinding>& findings, const RegRecord& record);

}  // namespace keytidy
