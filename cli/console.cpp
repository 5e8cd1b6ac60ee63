#include "cli/console.h"

#include <windows.h>

#include <string>

#include "platform/text.h"

namespace keytidy::cli {

namespace {

void Write(DWORD which, std::wstring_view text) {
  HANDLE handle = GetStdHandle(which);
  if (!handle || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = Utf16ToUtf8(text);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void PrintOut(std::wstring_view text) { Write(STD_OUTPUT_HANDLE, text); }
void PrintErr(std::wstring_view text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace keytidy::cli
