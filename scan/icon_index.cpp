#include "scan/icon_index.h"

#include <array>
#include <string_view>

#include "platform/text.h"
#include "scan/add_found_entry.h"

namespace keytidy {

std::optional<std::wstring> Strip_IconIndex(const std::wstring& reference) {
  if (reference.find(L'\\') == std::wstring::npos) return reference;
  const std::size_t slash = Find_LastInnerBackslash(reference);
  const std::wstring tail = UpperCaseAscii(slash == std::wstring::npos ? reference : reference.substr(slash + 1));

  constexpr std::array<std::wstring_view, 4> kModuleTypes = {L".DLL", L".OCX", L".ICO", L".EXE"};
  bool namesModule = false;
  for (std::wstring_view type : kModuleTypes) namesModule = namesModule || Contains(tail, type);
  if (!namesModule) return std::nullopt;

  // Only a comma right after the module's extension starts an index. The
  // index is cut once: a file name that itself holds a second "x.exe,"
  // must not lose more of its name than the one index at its end.
  bool hasIndex = false;
  for (std::wstring_view type : kModuleTypes) hasIndex = hasIndex || Contains(tail, std::wstring(type) + L",");
  if (!hasIndex) return reference;
  const std::size_t indexLength = tail.size() - tail.rfind(L',');  // the comma and what follows it
  return reference.substr(0, reference.size() - indexLength);
}

}  // namespace keytidy
