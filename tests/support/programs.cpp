#include "support/programs.h"

#include <atomic>
#include <thread>

#include "platform/text.h"
#include "support/folder_tree.h"

namespace keytidy::test {

namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
  std::wstring text(path);
  return text.substr(0, text.rfind(L'\\'));
}

// The caller's environment block with the overrides applied.
std::wstring EnvironmentBlock(const Environment& overrides) {
  std::vector<std::wstring> entries;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; p && *p; p += wcslen(p) + 1) entries.emplace_back(p);
  FreeEnvironmentStringsW(block);
  for (const auto& [name, value] : overrides) {
    const std::wstring prefix = UpperCaseAscii(name) + L"=";
    std::erase_if(entries, [&](const std::wstring& e) { return UpperCaseAscii(e).rfind(prefix, 0) == 0; });
    entries.push_back(name + L"=" + value);
  }
  std::wstring result;
  for (const std::wstring& e : entries) result += e + L'\0';
  result += L'\0';
  return result;
}

// With a job, the program is put into it before its first instruction runs,
// so nothing it starts can escape the job.
UniqueHandle Start(const std::wstring& commandLine, const Environment& environment, HANDLE output,
                   HANDLE job = nullptr) {
  std::wstring command = commandLine;
  std::wstring env = EnvironmentBlock(environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION process{};
  const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (job ? CREATE_SUSPENDED : 0);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, output != nullptr, flags, env.data(), nullptr,
                      &startup, &process))
    return UniqueHandle();
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  if (job) {
    if (!AssignProcessToJobObject(job, child.get())) {
      TerminateProcess(child.get(), 1);
      return UniqueHandle();
    }
    ResumeThread(thread.get());
  }
  return child;
}

}  // namespace

std::wstring BinFolder() {
  const std::wstring tests = ModuleFolder();
  return tests.substr(0, tests.rfind(L'\\')) + L"\\bin";
}
std::wstring CliPath() { return BinFolder() + L"\\keytidy-cli.exe"; }
std::wstring GuiPath() { return BinFolder() + L"\\keytidy.exe"; }
std::wstring Quote(const std::wstring& path) { return L"\"" + path + L"\""; }

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static std::atomic<unsigned> counter{0};
  // Wine hands out the same few process ids again and again, and a folder of
  // an earlier test may still exist: only a folder created here is fresh.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    path_ = std::wstring(temp) + L"keytidy-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    if (CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

TempFolder::~TempFolder() { RemoveFolderTree(path_); }

RunResult RunProgram(const std::wstring& commandLine, const Environment& environment, DWORD timeoutMs) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  // A program that never started says why in its output, which every test
  // prints when it fails.
  const auto notStarted = [&result](const char* step) {
    result.output = std::string("[the program did not start: ") + step + " failed with error " +
                    std::to_string(GetLastError()) + "]";
    return result;
  };
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return notStarted("CreatePipe");
  UniqueHandle reader(readEnd), writer(writeEnd);
  SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

  UniqueHandle process = Start(commandLine, environment, writer.get());
  if (!process) return notStarted("CreateProcess");
  writer.reset();

  // Drain the pipe on a thread so a chatty child never blocks on a full pipe.
  std::thread drain([&] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(reader.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) result.output.append(buffer, got);
  });
  if (WaitForSingleObject(process.get(), timeoutMs) == WAIT_TIMEOUT) {
    result.timedOut = true;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
  }
  drain.join();
  GetExitCodeProcess(process.get(), &result.exitCode);
  return result;
}

UniqueHandle StartProgram(const std::wstring& commandLine, const Environment& environment) {
  return Start(commandLine, environment, nullptr);
}

bool ProgramInJob::Kill(UINT exitCode) const { return job && TerminateJobObject(job.get(), exitCode) != FALSE; }

ProgramInJob StartProgramInJob(const std::wstring& commandLine, const std::wstring& outputFile) {
  ProgramInJob started;
  started.job.reset(CreateJobObjectW(nullptr, nullptr));
  if (!started.job) return started;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  UniqueHandle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!output) return started;
  started.process = Start(commandLine, {}, output.get(), started.job.get());
  return started;
}

std::string ReadFileBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace keytidy::test
