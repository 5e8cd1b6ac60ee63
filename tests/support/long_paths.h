#pragma once
// Fixtures past MAX_PATH, made through the "\\?\" form, which reaches any
// length. A TempFolder removes them with the rest of its tree.
#include <string>

namespace keytidy::test {

// Creates folders below `base` until the path is at least `length`
// characters long (each component well under the 255-character limit) and
// returns that path, without the prefix.
std::wstring Make_LongFolder(const std::wstring& base, std::size_t length);

// Writes `bytes` into the file `path`, at any length.
void Write_LongFile(const std::wstring& path, const std::string& bytes);

}  // namespace keytidy::test
