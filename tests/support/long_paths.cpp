#include "support/long_paths.h"

#include <windows.h>

#include <algorithm>

#include "support/programs.h"

namespace keytidy::test {

namespace {

std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

}  // namespace

std::wstring Make_LongFolder(const std::wstring& base, std::size_t length) {
  std::wstring folder = base;
  for (wchar_t letter = L'k'; folder.size() < length; ++letter) {
    folder += L"\\" + std::wstring(std::min<std::size_t>(130, length - folder.size()), letter);
    CreateDirectoryW(Extended(folder).c_str(), nullptr);
  }
  return folder;
}

void Write_LongFile(const std::wstring& path, const std::string& bytes) { WriteFileBytes(Extended(path), bytes); }

}  // namespace keytidy::test
