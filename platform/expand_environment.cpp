#include "platform/expand_environment.h"

#include <windows.h>

namespace keytidy {

std::wstring Expand_Environment(const std::wstring& text) {
  wchar_t buffer[2048];
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), buffer, ARRAYSIZE(buffer));
  // A result that does not fit would come back cut at an arbitrary point and
  // name a different path; the unexpanded text is the safer answer.
  if (needed == 0 || needed > ARRAYSIZE(buffer)) return text;
  return std::wstring(buffer);
}

}  // namespace keytidy
