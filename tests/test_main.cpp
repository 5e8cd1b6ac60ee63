// The tests' own entry point. Under Wine a process ended by an unhandled
// exception may exit with 0, so a crash prints a marker that CTest treats as
// a failure, and exits non-zero as well.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/path_dir_list.h"
#include "platform/registry.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "\nKEYTIDY-TEST-CRASH: unhandled exception 0x%08lx\n",
               info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0ul);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 99);
  return EXCEPTION_EXECUTE_HANDLER;
}

// The tests judge a desktop user as a signed-in Windows session has one.
// Under Wine the shell that marks that user starts on demand and in the
// background, so an early test could otherwise look before it is there.
void WaitForTheDesktopUser() {
  GetDesktopWindow();
  for (int tries = 0; tries < 150 && keytidy::GetInteractiveUserSid().empty(); ++tries) Sleep(100);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Unbuffered: a program ended from outside keeps what it already printed.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  SetUnhandledExceptionFilter(ReportCrash);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  keytidy::Registry_Init();
  WaitForTheDesktopUser();
  keytidy::Environment_Init();
  keytidy::Build_PathDirList();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
