#pragma once
// How many key and value records the backup writer has added to the current
// backup set. Process-wide, like the set itself: one set is finished before
// the next is begun.
#include <cstdint>

namespace keytidy {

struct BackupCounters {
  std::uint32_t savedKeys = 0;
  std::uint32_t savedValues = 0;
};

BackupCounters& Backup_Counters();
void Backup_ResetCounters();

}  // namespace keytidy
