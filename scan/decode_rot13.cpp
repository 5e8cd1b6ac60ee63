#include "scan/decode_rot13.h"

namespace keytidy {

namespace {

wchar_t Rotate(wchar_t c, wchar_t first) { return static_cast<wchar_t>(first + (c - first + 13) % 26); }

}  // namespace

std::wstring Decode_Rot13(std::wstring_view text) {
  std::wstring decoded(text);
  for (wchar_t& c : decoded) {
    if (c >= L'a' && c <= L'z')
      c = Rotate(c, L'a');
    else if (c >= L'A' && c <= L'Z')
      c = Rotate(c, L'A');
  }
  return decoded;
}

}  // namespace keytidy
