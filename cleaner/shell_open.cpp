#include "cleaner/shell_open.h"

#include <windows.h>
#include <shellapi.h>

namespace keytidy {

namespace {
std::function<void(const std::wstring&)>& Observer() {
  static std::function<void(const std::wstring&)> observer;
  return observer;
}
}  // namespace

void Shell_Open(const std::wstring& file) {
  if (Observer()) {
    Observer()(file);
    return;
  }
  // A failure to open is not reported: the user sees that nothing opened.
  ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Set_ShellOpenObserver(std::function<void(const std::wstring& file)> observer) { Observer() = std::move(observer); }

}  // namespace keytidy
