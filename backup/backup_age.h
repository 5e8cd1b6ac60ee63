#pragma once
#include <cstdint>
#include <optional>

#include "settings/date_time.h"

namespace keytidy {

// Whole days between a set's date and `now`, the direction ignored (a date
// in the future counts like a past one), the rest of a day dropped. No value
// when the date is no number.
std::optional<std::int64_t> Backup_AgeInDays(TDateTime date, TDateTime now);

}  // namespace keytidy
