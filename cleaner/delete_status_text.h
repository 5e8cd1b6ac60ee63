#pragma once
// The cleaner screen's status line after a deletion run, in the current
// language, as the screen's HTML label shows it.
#include <cstdint>
#include <string>

#include "clean/delete_run.h"

namespace keytidy {

// MESSAGEHTML_RC_STATUS_DELETED with %1 = R when everything went,
// MESSAGEHTML_RC_STATUS_DELETEDERRORS with %1 = R and %2 = N − R otherwise.
std::wstring RC_DeleteStatusText(std::uint32_t removed, std::uint32_t checked);
// The same for a run: findings found no longer stale count neither as
// removed nor as failed; when there are any, a line with
// MESSAGEHTML_RC_STATUS_NOLONGERSTALE (%1 = their number) follows, and a
// line on the restore point when one was asked for.
std::wstring RC_DeleteStatusText(const DeleteRunResult& run);

}  // namespace keytidy
