#include "backup/backup_age.h"

#include <cmath>

namespace keytidy {

std::optional<std::int64_t> Backup_AgeInDays(TDateTime date, TDateTime now) {
  const double days = std::fabs(now - date);
  if (!std::isfinite(days) || days > 1e12) return std::nullopt;
  return static_cast<std::int64_t>(days);
}

}  // namespace keytidy
