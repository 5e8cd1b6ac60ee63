#pragma once
// What a search examined and what a deletion did, counted by the run that
// does it. Each run starts from fresh counters and hands them back in its
// result; the engine keeps the last ones for whoever asks afterwards.
#include <cstdint>

namespace keytidy {

struct ScanCounters {
  std::uint32_t Stat_ValuesScanned = 0;
  std::uint32_t Stat_KeysScanned = 0;
};

struct DeleteCounters {
  std::uint32_t Stat_ValuesDeleted = 0;
  std::uint32_t Stat_KeysDeleted = 0;
  // Entries whose key or value the deletion removed or found already gone.
  std::uint32_t Stat_DeletedTreeObjects_forWartungsScan = 0;
  std::uint32_t Stat_NoLongerStale = 0;         // entries found no longer stale and unticked
  std::uint32_t Stat_ChangedWhileRecorded = 0;  // left ticked: another program kept changing it while it was recorded
};

}  // namespace keytidy
