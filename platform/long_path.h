#pragma once
#include <string>

namespace keytidy {

// The path with each component that holds "~" (and no wildcard) replaced by
// the name a directory search reports for it, working from the last
// component to the first. Components that are not found, and the drive
// part, stay as written.
std::wstring LongPathForm(const std::wstring& path);

}  // namespace keytidy
