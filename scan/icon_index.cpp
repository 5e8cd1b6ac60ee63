#include "scan/icon_index.h"

#include <array>
#include <string_view>

#include "platform/text.h"
#include "scan/add_found_entry.h"

namespace keytidy {

namespace {

constexpr std::array<std::wstring_view, 4> kModuleTypes = {L".DLL", L".OCX", L".ICO", L".EXE"};

// The upper-cased last component of a path (a trailing backslash aside).
std::wstring UpperFileName(const std::wstring& path) {
  const std::size_t slash = Find_LastInnerBackslash(path);
  return UpperCaseAscii(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

bool NamesModule(const std::wstring& upperName) {
  bool namesModule = false;
  for (std::wstring_view type : kModuleTypes) namesModule = namesModule || Contains(upperName, type);
  return namesModule;
}

// The text between a leading pair of quotes; nothing when there is none.
std::optional<std::wstring> QuotedPart(const std::wstring& reference) {
  if (reference.size() < 2 || reference.front() != L'"') return std::nullopt;
  const std::size_t closing = reference.find(L'"', 1);
  if (closing == std::wstring::npos) return std::nullopt;
  return reference.substr(1, closing - 1);
}

}  // namespace

std::optional<std::wstring> Strip_IconIndex(const std::wstring& reference) {
  if (reference.find(L'\\') == std::wstring::npos) return reference;
  // A quoted path is taken whole: a comma inside the quotes is part of a
  // name, and whatever follows them is left to the path cleaning.
  if (const std::optional<std::wstring> quoted = QuotedPart(reference)) {
    if (quoted->find(L'\\') == std::wstring::npos) return reference;
    return NamesModule(UpperFileName(*quoted)) ? std::optional<std::wstring>(reference) : std::nullopt;
  }
  const std::wstring tail = UpperFileName(reference);
  if (!NamesModule(tail)) return std::nullopt;

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
