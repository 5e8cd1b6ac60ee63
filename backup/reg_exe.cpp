#include "backup/reg_exe.h"

#include <shellapi.h>

#include "platform/environment.h"
#include "platform/handles.h"

namespace keytidy {

namespace {

constexpr size_t kMaxCommandLine = 32767;

RegExeTotals& Totals() {
  static RegExeTotals totals;
  return totals;
}

std::vector<std::wstring> ParseArguments(const std::wstring& commandLine) {
  std::vector<std::wstring> arguments;
  int count = 0;
  wchar_t** parsed = CommandLineToArgvW(commandLine.c_str(), &count);
  if (!parsed) return arguments;
  for (int i = 0; i < count; ++i) arguments.emplace_back(parsed[i]);
  LocalFree(parsed);
  return arguments;
}

class RedirectionOff {
 public:
  RedirectionOff() {
    if (IsWindows64()) active_ = Fs_DisableRedirection(previous_);
  }
  ~RedirectionOff() {
    if (active_) Fs_RevertRedirection(previous_);
  }
  RedirectionOff(const RedirectionOff&) = delete;
  RedirectionOff& operator=(const RedirectionOff&) = delete;

 private:
  void* previous_ = nullptr;
  bool active_ = false;
};

double ElapsedMs(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

std::optional<std::wstring> QuoteCommandLineArgument(const std::wstring& argument) {
  if (argument.find(L'\0') != std::wstring::npos) return std::nullopt;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      // Each backslash before a quote is doubled, and the quote escaped.
      quoted.append(2 * backslashes + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted.push_back(c);
  }
  // Backslashes before the closing quote are doubled as well.
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

std::optional<std::wstring> BuildCommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  // The program name is parsed by simpler rules: it may hold no quote.
  if (program.empty() || program.find(L'"') != std::wstring::npos) return std::nullopt;
  std::wstring line = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) {
    const auto quoted = QuoteCommandLineArgument(argument);
    if (!quoted) return std::nullopt;
    line += L" " + *quoted;
  }
  if (line.size() >= kMaxCommandLine) return std::nullopt;
  // Proof instead of trust: the child must read exactly these arguments.
  std::vector<std::wstring> parsed = ParseArguments(line);
  if (parsed.size() != arguments.size() + 1) return std::nullopt;
  for (size_t i = 0; i < arguments.size(); ++i)
    if (parsed[i + 1] != arguments[i]) return std::nullopt;
  return line;
}

std::wstring RegExe_Path() { return SystemFolder() + L"\\reg.exe"; }

RegExeResult RegExe_Run(const std::vector<std::wstring>& arguments, const std::wstring& workingFolder,
                        DWORD timeLimitMs, const std::wstring& program) {
  RegExeResult result;
  std::optional<std::wstring> line = BuildCommandLine(program, arguments);
  if (!line) {
    result.refusal = L"the arguments cannot be passed safely on a command line";
    return result;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  {
    RedirectionOff redirection;
    if (!CreateProcessW(program.c_str(), line->data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
      result.refusal = L"reg.exe could not be started (error " + std::to_wstring(GetLastError()) + L")";
      return result;
    }
  }
  result.started = true;
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  if (WaitForSingleObject(processHandle.get(), timeLimitMs) != WAIT_OBJECT_0) {
    result.timedOut = true;
    TerminateProcess(processHandle.get(), 1);
    WaitForSingleObject(processHandle.get(), 5000);
  } else {
    GetExitCodeProcess(processHandle.get(), &result.exitCode);
  }
  Totals().runs += 1;
  Totals().milliseconds += ElapsedMs(start);
  return result;
}

RegExeTotals RegExe_Totals() { return Totals(); }

}  // namespace keytidy
