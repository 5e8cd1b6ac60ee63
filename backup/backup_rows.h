#pragma once
// The rows of the backup list: one record per backup set, held by the
// checkable-list model so that a screen only has to show them.
#include "backup/backup_set_list.h"
#include "backup/backup_set_record.h"
#include "model/tree_model.h"

namespace keytidy {

using TBackupTree = TTreeModelOf<TTreeData_Backup>;

}  // namespace keytidy
