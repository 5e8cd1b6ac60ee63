#pragma once
// Finding a backup set by the name the console user typed.
#include <string>

#include "backup/backups_manager.h"

namespace keytidy::cli {

// The base name of a set's descriptor (RC_2013_04_09_17_05_33_042).
std::wstring BackupSetName(const TTreeData_Backup& row);

// Action and display text, as the list of sets shows them.
std::wstring BackupSetDescription(const TTreeData_Backup& row);

// Reads the Backups folder into `manager`'s rows and selects exactly the set
// named `name` (base name, any case, with or without ".ini" or ".reg").
// False when there is no such set.
bool SelectBackupSet(TBackups& manager, const std::wstring& name);

}  // namespace keytidy::cli
