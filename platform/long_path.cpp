#include "platform/long_path.h"

#include <vector>

#include "platform/file_existence.h"

namespace keytidy {

namespace {

std::vector<std::wstring> SplitAtBackslashes(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(L'\\', start);
    parts.push_back(path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return parts;
    start = end + 1;
  }
}

std::wstring JoinFirst(const std::vector<std::wstring>& parts, size_t count) {
  std::wstring joined;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) joined += L'\\';
    joined += parts[i];
  }
  return joined;
}

bool MayBeShortName(const std::wstring& part) {
  return part.find(L'~') != std::wstring::npos && part.find_first_of(L"*?") == std::wstring::npos;
}

}  // namespace

std::wstring LongPathForm(const std::wstring& path) {
  std::vector<std::wstring> parts = SplitAtBackslashes(path);
  // The first part is the drive ("C:") or, for UNC and rooted paths, empty.
  for (size_t i = parts.size(); i-- > 1;) {
    if (!MayBeShortName(parts[i])) continue;
    const DirectoryEntry entry = Find_DirectoryEntry(JoinFirst(parts, i + 1));
    if (entry.found && !entry.longName.empty()) parts[i] = entry.longName;
  }
  return JoinFirst(parts, parts.size());
}

}  // namespace keytidy
