// Process-level stand-ins: time, process id, environment, debug output.
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include <cwchar>
#include <string>

#include "seam_state.h"

void Sleep(DWORD milliseconds) { usleep(static_cast<useconds_t>(milliseconds) * 1000); }

DWORD GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

void GetLocalTime(SYSTEMTIME* time) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  *time = SYSTEMTIME{static_cast<WORD>(local.tm_year + 1900), static_cast<WORD>(local.tm_mon + 1),
                     static_cast<WORD>(local.tm_wday),        static_cast<WORD>(local.tm_mday),
                     static_cast<WORD>(local.tm_hour),        static_cast<WORD>(local.tm_min),
                     static_cast<WORD>(local.tm_sec),         static_cast<WORD>(now.tv_nsec / 1000000)};
}

namespace {

int CopyFormatted(const std::wstring& text, LPWSTR buffer, int size) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) return seam::Fail(ERROR_INSUFFICIENT_BUFFER), 0;
  text.copy(buffer, text.size());
  buffer[text.size()] = L'\0';
  return needed;
}

}  // namespace

int GetDateFormatW(LCID, DWORD, const SYSTEMTIME* time, LPCWSTR, LPWSTR buffer, int size) {
  return CopyFormatted(
      std::to_wstring(time->wMonth) + L"/" + std::to_wstring(time->wDay) + L"/" + std::to_wstring(time->wYear), buffer,
      size);
}

int GetTimeFormatW(LCID, DWORD, const SYSTEMTIME* time, LPCWSTR, LPWSTR buffer, int size) {
  const int hour = time->wHour % 12 == 0 ? 12 : time->wHour % 12;
  wchar_t text[32];
  swprintf(text, 32, L"%d:%02d:%02d %ls", hour, time->wMinute, time->wSecond, time->wHour < 12 ? L"AM" : L"PM");
  return CopyFormatted(text, buffer, size);
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

// The debug output has no reader here; the program's log file and listener
// still work, as they do not depend on it.
void OutputDebugStringW(LPCWSTR) {}

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
  const char* value = std::getenv(seam::NativePath(name).c_str());
  if (!value) return seam::Fail(ERROR_ENVVAR_NOT_FOUND), 0;
  const std::wstring wide = seam::WideFromUtf8(value);
  if (size <= wide.size()) return static_cast<DWORD>(wide.size() + 1);
  wide.copy(buffer, wide.size());
  buffer[wide.size()] = L'\0';
  return static_cast<DWORD>(wide.size());
}

LONG RegCloseKey(HKEY) { return ERROR_INVALID_HANDLE; }
BOOL FreeLibrary(HMODULE) { return FALSE; }
BOOL FindClose(HANDLE) { return FALSE; }
HLOCAL LocalFree(HLOCAL memory) { return memory; }
