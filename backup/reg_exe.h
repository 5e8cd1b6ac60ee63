#pragma once
// Runs the system's reg.exe: always the copy in the system folder (never one
// found on the search path), hidden, with every argument quoted by the rules
// the child's command-line parser applies, and with a time limit after which
// the child is ended and the run counts as failed. reg.exe can wait forever
// (for instance on an overwrite question no one can answer), so no caller
// may wait without a limit.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keytidy {

inline constexpr DWORD kRegExeTimeLimitMs = 120000;

struct RegExeResult {
  bool started = false;
  bool timedOut = false;
  DWORD exitCode = 0xFFFFFFFFu;
  std::wstring refusal;  // why nothing was started, when it was refused
  bool Succeeded() const { return started && !timedOut && exitCode == 0; }
};

// The argument as it must stand on a command line so that the child's
// parser (CommandLineToArgvW rules) gives back exactly `argument`: quoted,
// quotes escaped, backslashes before a quote and at the end doubled. No
// value for text that cannot be passed (a zero character).
std::optional<std::wstring> QuoteCommandLineArgument(const std::wstring& argument);

// The whole command line for `program` and `arguments`; no value when an
// argument cannot be passed, when the parsed line would not give back the
// same arguments, or when the line is too long for CreateProcess.
std::optional<std::wstring> BuildCommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// SystemFolder + "\reg.exe".
std::wstring RegExe_Path();

// Runs `program` (reg.exe unless a test names another) with the arguments
// in `workingFolder`. On 64-bit Windows the WOW64 file-system redirection is
// off around the start, so that the 64-bit tool works in the 64-bit view.
RegExeResult RegExe_Run(const std::vector<std::wstring>& arguments, const std::wstring& workingFolder,
                        DWORD timeLimitMs = kRegExeTimeLimitMs, const std::wstring& program = RegExe_Path());

// Total time spent waiting for reg.exe and the number of runs since the
// process started (the benchmark reports them).
struct RegExeTotals {
  std::uint64_t runs = 0;
  double milliseconds = 0;
};
RegExeTotals RegExe_Totals();

}  // namespace keytidy
