#pragma once
// Starting the real executables from tests. The test program lives in
// <build>\tests, the program folder (executables and data) in <build>\bin.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/handles.h"

namespace keytidy::test {

std::wstring BinFolder();
std::wstring CliPath();  // BinFolder() + "\keytidy-cli.exe"
std::wstring GuiPath();  // BinFolder() + "\keytidy.exe"

// A fresh empty folder below the system temp folder, removed on destruction.
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

struct RunResult {
  DWORD exitCode = 0xFFFFFFFF;
  bool timedOut = false;
  std::string output;  // standard output and standard error, as written
};

using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// Runs a command line to its end (or the timeout), capturing its output.
// `environment` adds or replaces variables for the child only.
RunResult RunProgram(const std::wstring& commandLine, const Environment& environment = {},
                     DWORD timeoutMs = 60000);

// Starts a program without waiting; the handle owns the process.
UniqueHandle StartProgram(const std::wstring& commandLine, const Environment& environment = {});
// The same with standard output and error going to `outputFile` (created
// anew), for a program the test may kill: whatever it started goes on
// writing there, not into the test's own output.
UniqueHandle StartProgram(const std::wstring& commandLine, const Environment& environment,
                          const std::wstring& outputFile);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::wstring Quote(const std::wstring& path);

}  // namespace keytidy::test
