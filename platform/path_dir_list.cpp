#include "platform/path_dir_list.h"

#include "platform/environment_strings.h"
#include "platform/text.h"

namespace keytidy {

namespace {

std::vector<std::wstring>& TheList() {
  static std::vector<std::wstring> list;
  return list;
}

}  // namespace

const std::vector<std::wstring>& PathDirList() { return TheList(); }

void Build_PathDirList() {
  std::wstring path;
  Get_EnvVariable(L"PATH", path, true);
  TheList() = Split_PathList(path);
}

void Free_PathDirList() {
  TheList().clear();
  TheList().shrink_to_fit();
}

std::vector<std::wstring> Split_PathList(const std::wstring& path) {
  // Collapsing ";;" only matters for where pieces start; empty pieces are
  // dropped anyway, so a plain split of the trimmed text gives the same list.
  const std::wstring text = Trim(path);
  std::vector<std::wstring> pieces;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L';', start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) {
      std::wstring piece = text.substr(start, end - start);
      if (piece.back() == L'\\') piece.pop_back();
      pieces.push_back(std::move(piece));
    }
    start = end + 1;
  }
  return pieces;
}

}  // namespace keytidy
