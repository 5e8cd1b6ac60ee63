#include "settings/statistics.h"

namespace keytidy {

void Stats_Add(RootKey root, const std::wstring& key, const std::wstring& name, std::uint64_t amount) {
  // A missing value reads as 0; text and smaller types read as their number.
  // The sum is taken unsigned so that it wraps only past 2^64, never at the
  // 32-bit boundary.
  const auto total = static_cast<std::uint64_t>(Reg_ReadInt64(root, key, name)) + amount;
  Reg_WriteInt64(root, key, name, static_cast<std::int64_t>(total));
}

void Stats_Add(const std::wstring& name, std::uint64_t amount) {
  Stats_Add(ROOT_HKEY_LOCAL_MACHINE, kStatsKey, name, amount);
}

}  // namespace keytidy
