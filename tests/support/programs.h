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
RunResult RunProgram(const std::wstring& commandLine, const Environment& environment = {}, DWORD timeoutMs = 60000);

// Starts a program without waiting; the handle owns the process.
UniqueHandle StartProgram(const std::wstring& commandLine, const Environment& environment = {});
// A program started in a job object of its own, with its output going to
// `outputFile`. Whatever it starts joins the job, so Kill() ends the whole
// family at once, as a power cut would: a reg.exe left running by a killed
// program would otherwise go on holding handles the test (or CTest) waits on.
struct ProgramInJob {
  UniqueHandle job;
  UniqueHandle process;
  explicit operator bool() const { return static_cast<bool>(process); }
  bool Kill(UINT exitCode) const;
};
ProgramInJob StartProgramInJob(const std::wstring& commandLine, const std::wstring& outputFile);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::wstring Quote(const std::wstring& path);

}  // namespace keytidy::test
