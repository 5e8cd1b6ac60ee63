#include "platform/environment_strings.h"

#include <windows.h>

namespace keytidy {

bool Expand_EnvStrings(std::wstring& text) {
  // The needed size can grow between the two calls if another thread
  // changes the environment, so ask again until the result fits.
  std::wstring buffer;
  DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  for (int attempt = 0; attempt < 4 && needed > 0; ++attempt) {
    buffer.assign(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed);
    if (written == 0) return false;
    if (written <= needed) {
      buffer.resize(written - 1);  // the count includes the terminator
      text = std::move(buffer);
      return true;
    }
    needed = written;
  }
  return false;
}

bool Get_EnvVariable(const std::wstring& name, std::wstring& value, bool expand) {
  value.clear();
  std::wstring buffer;
  DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  for (int attempt = 0; attempt < 4 && needed > 0; ++attempt) {
    buffer.assign(needed, L'\0');
    const DWORD written = GetEnvironmentVariableW(name.c_str(), buffer.data(), needed);
    if (written == 0) return false;
    if (written < needed) {  // success: the count excludes the terminator
      buffer.resize(written);
      value = std::move(buffer);
      break;
    }
    needed = written;  // too small: the count is the size needed
  }
  if (value.empty()) return false;
  if (expand) Expand_EnvStrings(value);
  return true;
}

}  // namespace keytidy
