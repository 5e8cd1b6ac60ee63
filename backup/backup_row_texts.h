#pragma once
// What the backup list and its side bar show of one set: module name and
// icon, description, size and date, in the user's language and locale.
#include <cstdint>
#include <string>

#include "backup/backup_rows.h"

namespace keytidy {

// The module's display name for the cleaner's code "RC" (any letter case);
// empty for a code this program has no name for.
std::wstring Backup_ModuleName(const TTreeData_Backup& row);
// The module's stripe icon, or -1 when it has none.
int Backup_ModuleIcon(const TTreeData_Backup& row);
// For a set that is not ours, and for an incomplete set, the catalogue's
// mark for it; for an "RC_DELETED"
// set the catalogue's sentence around the stored display text (the number
// of deleted entries); otherwise that text itself.
std::wstring Backup_Description(const TTreeData_Backup& row);
// Whole kilobytes, never below 1: "1 KB", "12 KB".
std::wstring Backup_SizeText(std::int64_t bytes);
// Date and time (to the minute) in the user's short locale format; empty
// for no date.
std::wstring Backup_DateText(TDateTime moment);

}  // namespace keytidy
