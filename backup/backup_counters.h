#pragma once
// How many key and value records the backup writer has added to one backup
// set. Each script being written counts its own (a deletion run's journal
// holds them), and the set's descriptor is written from them.
#include <cstdint>

namespace keytidy {

struct BackupCounters {
  std::uint32_t savedKeys = 0;
  std::uint32_t savedValues = 0;
};

}  // namespace keytidy
