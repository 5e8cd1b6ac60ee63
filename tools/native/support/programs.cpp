#include "support/programs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../seam/seam_state.h"

namespace keytidy::test {

std::wstring BinFolder() { return seam::WideFromUtf8(KEYTIDY_PROGRAMDATA); }

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "keytidy-native-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  path_ = seam::WideFromUtf8(pattern);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(seam::NativePath(path_.c_str()), ignored);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(seam::NativePath(path.c_str()), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(seam::NativePath(path.c_str()), std::ios::binary | std::ios::trunc) << bytes;
}

std::wstring Quote(const std::wstring& path) { return L"\"" + path + L"\""; }

}  // namespace keytidy::test
