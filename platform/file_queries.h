#pragma once
// Small questions about files and folders that several screens ask.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace keytidy {

// The size of the file the path names (wildcards allowed: the first match
// counts); -1 when nothing matches or the match is a folder.
std::int64_t Get_FileSize(const std::wstring& path);

// Appends the names (not paths) of the subfolders of `folder` (which ends in
// a backslash) whose names do not begin with ".", in listing order.
// `afterEach`, when given, runs after each entry, so that a window can keep
// processing its messages while a slow network folder is listed. Errors end
// the listing quietly.
void List_SubFolders(const std::wstring& folder, std::vector<std::wstring>& names,
                     const std::function<void()>& afterEach = {});

// Appends the full paths of the files (no folders) in `folder` (ending in a
// backslash) that match `pattern`, in listing order. Errors end the listing
// quietly.
void List_Files(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& paths);

}  // namespace keytidy
