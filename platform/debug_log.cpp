#include "platform/debug_log.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/handles.h"
#include "platform/text.h"

namespace keytidy {

namespace {

// The log file is named once per process; an empty name means no file.
const std::wstring& DebugLogPath() {
  static const std::wstring path = [] {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(L"KEYTIDY_DEBUGLOG", buffer, ARRAYSIZE(buffer));
    return (length > 0 && length < ARRAYSIZE(buffer)) ? std::wstring(buffer, length) : std::wstring();
  }();
  return path;
}

void AppendToLogFile(const std::wstring& path, std::wstring_view line) {
  // Opened for each line so that a crash never loses lines already written
  // and concurrent processes (a test and the program it starts) can share it.
  UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  std::string bytes = Utf16ToUtf8(line);
  bytes += "\r\n";
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::atomic<DebugLineListener> TheListener{nullptr};

}  // namespace

DebugLineListener Debug_SetListener(DebugLineListener listener) { return TheListener.exchange(listener); }

void Debug_Output(std::wstring_view line) {
  const std::wstring text(line);
  OutputDebugStringW(text.c_str());
  const std::wstring& path = DebugLogPath();
  if (!path.empty()) AppendToLogFile(path, line);
  if (const DebugLineListener listener = TheListener.load()) listener(line);
}

}  // namespace keytidy
