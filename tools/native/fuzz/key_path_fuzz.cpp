// Path-string routines that need no file system: the deletion run's
// container test and the last-part split, on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/text.h"
#include "scan/container_guard.h"
#include "platform/text_after_last.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  if (size < 1) return 0;
  const std::wstring text = Utf8ToUtf16(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const RootKey root = 0x80000000u + (data[0] & 7);
  const bool protectedKey = IsProtectedContainerKey(root, text);
  // Letter case never makes a container deletable.
  fuzz::Require(IsProtectedContainerKey(root, UpperCaseAscii(text)) == protectedKey, "case does not matter");
  // Nor do doubled backslashes.
  std::wstring doubled;
  for (wchar_t c : text) doubled += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
  fuzz::Require(IsProtectedContainerKey(root, doubled) == protectedKey, "doubled backslashes do not matter");
  const std::wstring last = Get_TextAfterLast(text, L"\\");
  fuzz::Require(last.size() <= text.size(), "the last part is part of the text");
  return 0;
}
