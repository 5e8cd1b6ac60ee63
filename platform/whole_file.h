#pragma once
// Whole-file reads and the safe replacement of a file: the new content goes
// to a temporary file beside the target, is flushed to disk, and only then
// takes the target's place in one step. A failure at any point leaves the
// old file exactly as it was.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace keytidy {

// No value when the file cannot be opened or read, or is larger than
// `limit` bytes.
std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t limit = 0x7FFFFFFF);

// `accept` sees the content as it was read back from the temporary file and
// may refuse it (the target then stays untouched). Creating the temporary
// file is tried up to four times, 50 ms apart, as another program (a virus
// scanner, an indexer) may hold a file of that name for a moment.
bool ReplaceFileContent(const std::wstring& path, const std::string& content,
                        const std::function<bool(const std::string& written)>& accept = {});

// Bytes written by ReplaceFileContent since the process started.
std::uint64_t ReplaceFileContent_BytesWritten();

}  // namespace keytidy
