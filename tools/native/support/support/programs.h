#pragma once
// The native build's stand-in for the test helpers of tests/support: temp
// folders and whole-file bytes over POSIX, and the program folder of the
// source tree. Only what the portable tests use.
#include <windows.h>

#include <string>

namespace keytidy::test {

// The source tree's programdata folder (the native build has no bin folder).
std::wstring BinFolder();

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::wstring Quote(const std::wstring& path);

}  // namespace keytidy::test
