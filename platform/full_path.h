#pragma once
// The absolute form of a path.
#include <string>

namespace keytidy {

// The path made absolute against the current folder and drive, with "." and
// ".." resolved; the path unchanged when Windows cannot form one (an empty
// path among them).
std::wstring Full_Path(const std::wstring& path);

}  // namespace keytidy
