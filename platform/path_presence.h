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
// "File not found", "path not found" and a directory search's "no more
// files" prove absence. So does "invalid name": that answer comes from the
// text alone (a quote, a bar, a wildcard in a file name), never from the
// state of a disk or a network, and no file can ever have such a name. The
// drives that answer with odd rules of their own (shares, removable media)
// are never judged in the first place.
PathPresence Presence_FromError(std::uint32_t error);

}  // namespace keytidy
