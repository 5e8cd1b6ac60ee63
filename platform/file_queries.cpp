#include "platform/file_queries.h"

#include <windows.h>

#include "platform/handles.h"

namespace keytidy {

namespace {

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Calls `visit` for every entry the search pattern finds, in listing order.
template <typename Visit>
void ForEachEntry(const std::wstring& searchPattern, Visit visit) {
  WIN32_FIND_DATAW entry{};
  UniqueFindHandle search(
      FindFirstFileExW(searchPattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
  if (!search) return;
  do {
    visit(entry);
  } while (FindNextFileW(search.get(), &entry));
}

}  // namespace

std::int64_t Get_FileSize(const std::wstring& path) {
  WIN32_FIND_DATAW entry{};
  UniqueFindHandle search(FindFirstFileW(path.c_str(), &entry));
  if (!search || IsFolder(entry)) return -1;
  return (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

void List_SubFolders(const std::wstring& folder, std::vector<std::wstring>& names,
                     const std::function<void()>& afterEach) {
  ForEachEntry(folder + L"*", [&](const WIN32_FIND_DATAW& entry) {
    // "." and ".." begin with a dot too, so one test covers them.
    if (IsFolder(entry) && entry.cFileName[0] != L'.') names.emplace_back(entry.cFileName);
    if (afterEach) afterEach();
  });
}

void List_Files(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& paths) {
  ForEachEntry(folder + pattern, [&](const WIN32_FIND_DATAW& entry) {
    if (!IsFolder(entry)) paths.push_back(folder + entry.cFileName);
  });
}

}  // namespace keytidy
