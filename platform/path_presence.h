#pragma once
// What an existence test may conclude. A cleaner deletes what it calls
// missing, so "missing" is kept for the answers that prove absence; every
// other failure (access denied, a drive that is not ready, a locked file, a
// network that does not answer) leaves the question open.
#include <cstdint>

namespace keytidy {

enum class PathPresence { Present, Missing, CannotTell };

// The verdict for the error code a failed file-system call left behind
// (GetLastError after GetFileAttributesW, CreateFileW or FindFirstFileW).
// Only "file not found", "path not found" and a directory search's "no more
// files" prove absence. A name Windows calls invalid does not: it is as
// likely to come from a reference we took apart wrongly, or from a file
// system with rules of its own, as from a file that is gone.
PathPresence Presence_FromError(std::uint32_t error);

}  // namespace keytidy
