#pragma once
// The backup manager: turns the Backups folder into rows of a list model and
// acts on the rows the user selected: delete, pick out old sets, tell whose
// set it is. It keeps no list of its own; the model's rows are the list.
// Nothing here shows a message. Putting one set back, or deleting it by its
// name, are operations of their own (backup_set_operations.h).
#include <cstdint>
#include <string>

#include "backup/backup_rows.h"

namespace keytidy {

class TBackups {
 public:
  // Bound to `tree` (not owned) for its whole life.
  explicit TBackups(TBackupTree* tree);
  TBackups(const TBackups&) = delete;
  TBackups& operator=(const TBackups&) = delete;

  TBackupTree* FTree = nullptr;
  bool FLAG_USE_RECYCLEBIN = false;
  // Where the sets live; Backup_Folder() unless a caller names another.
  std::wstring BackupFolder;
  // The user the sets are compared with; Get_BackupUserName() at creation.
  std::wstring CurrentUser;
  // The list's sort column (-1: unsorted) and direction.
  int SortColumn = -1;
  bool SortDescending = false;

  // Rebuilds the rows from the folder, sorted when a sort column is set.
  void Read_Backups();
  // Sorts the rows by a column; the selection stays with its rows.
  void Sort(int column, bool descending);

  std::int64_t Get_Days_since_Backup(PVirtualNode row) const;
  // The three numbers of the row's descriptor; missing or negative ones as 0.
  void Get_Details(PVirtualNode row, std::int32_t& savedKeys, std::int32_t& savedValues, std::int32_t& fileCount) const;

  // Deletes the files of every selected set; the rows stay until the next
  // Read_Backups.
  void Delete_Selected_Backups();
  std::int32_t Get_OldCount(std::int64_t dayCount) const;
  std::int32_t Select_OldBackups(std::int64_t dayCount);
  bool created_by_different_User() const;

  // −1, 0 or 1: the order of two rows by a column.
  static int DefaultEvent_CompareNodes(const TTreeData_Backup& a, const TTreeData_Backup& b, int column);

  PVirtualNode FirstSelected() const;
  static TTreeData_Backup& Data(PVirtualNode row) { return TBackupTree::Data(row); }

 private:
  bool IsOlderThan(PVirtualNode row, std::int64_t dayCount) const;
};

}  // namespace keytidy
