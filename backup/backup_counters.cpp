#include "backup/backup_counters.h"

namespace keytidy {

BackupCounters& Backup_Counters() {
  static BackupCounters counters;
  return counters;
}

void Backup_ResetCounters() { Backup_Counters() = BackupCounters{}; }

}  // namespace keytidy
