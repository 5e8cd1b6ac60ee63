#pragma once
// The automatic clean-up of old backup sets: once per program run the user
// is asked, through the front end, whether the sets older than the age
// chosen in the options are to go, with a box to stop being asked.
#include <cstdint>
#include <string>

#include "model/front_end.h"
#include "settings/option_switches.h"

namespace keytidy {

// Runs the clean-up unless it already ran in this process, the program was
// started with an argument, or the options say not to ask. `switches` are
// the options as the user sees them now; a "do not ask again" answer is
// stored under the Options key and reported to the front end. Returns how
// many sets were deleted.
std::int32_t AutoDeleteOldBackups(const std::wstring& backupFolder, TOptionSwitches switches, TFrontEnd& frontEnd);

// Whether AutoDeleteOldBackups has run in this process; tests reset it.
bool AutoDeleteOldBackups_HasRun();
void AutoDeleteOldBackups_Reset();

}  // namespace keytidy
