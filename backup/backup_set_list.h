#pragma once
// The backup sets of a folder as plain records: read, sorted, and found by
// the name a user types. The list screen puts them into rows; the console
// and the set operations use them as they are.
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_set_record.h"

namespace keytidy {

// Columns of the list, by index, as the sorting knows them.
enum BackupColumn : int {
  kBackupColumn_Module = 0,
  kBackupColumn_Description = 1,
  kBackupColumn_Size = 2,
  kBackupColumn_User = 3,
  kBackupColumn_Date = 4,
};

// Every set in `folder`: one per descriptor, and one per script whose
// descriptor is missing (listed as incomplete), in listing order.
std::vector<TTreeData_Backup> ReadBackupSets(const std::wstring& folder);

// −1, 0 or 1: the order of two sets by a column (0 for an unknown column).
int CompareBackupSets(const TTreeData_Backup& a, const TTreeData_Backup& b, int column);
// Stable: sets that compare equal keep their order.
void SortBackupSets(std::vector<TTreeData_Backup>& sets, int column, bool descending);

// The base name of a set's descriptor (RC_2013_04_09_17_05_33_042).
std::wstring BackupSetName(const TTreeData_Backup& set);
// Action and display text, as the list of sets shows them.
std::wstring BackupSetDescription(const TTreeData_Backup& set);

// The set of `folder` named `name` (base name, any case, with or without
// ".ini" or ".reg"); none when there is no such set. Only that set's files
// are read.
std::optional<TTreeData_Backup> FindBackupSet(const std::wstring& folder, const std::wstring& name);

}  // namespace keytidy
