#include "platform/text.h"

#include <windows.h>

#include <limits>

namespace keytidy {

std::wstring UpperCaseAscii(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
  return result;
}

std::wstring LowerCaseAscii(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
  return result;
}

std::wstring Trim(std::wstring_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= L' ') ++first;
  while (last > first && text[last - 1] <= L' ') --last;
  return std::wstring(text.substr(first, last - first));
}

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

bool EqualsIgnoreCaseAscii(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && UpperCaseAscii(a) == UpperCaseAscii(b);
}

std::wstring ReplaceAllIgnoreCase(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  if (from.empty()) return std::wstring(text);
  const std::wstring upperText = UpperCaseAscii(text);
  const std::wstring upperFrom = UpperCaseAscii(from);
  std::wstring result;
  size_t start = 0;
  for (size_t hit; (hit = upperText.find(upperFrom, start)) != std::wstring::npos; start = hit + from.size()) {
    result.append(text.substr(start, hit - start));
    result.append(to);
  }
  result.append(text.substr(start));
  return result;
}

std::wstring ReplaceFirstIgnoreCase(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  if (from.empty()) return std::wstring(text);
  const size_t hit = UpperCaseAscii(text).find(UpperCaseAscii(from));
  if (hit == std::wstring::npos) return std::wstring(text);
  std::wstring result(text.substr(0, hit));
  result.append(to);
  result.append(text.substr(hit + from.size()));
  return result;
}

int HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

namespace {

// Parses into a magnitude with overflow detection; the sign is applied by
// the caller against the target range.
template <typename Int>
std::optional<Int> ParseInteger(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  unsigned base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  using Unsigned = std::make_unsigned_t<Int>;
  const Unsigned limit =
      negative ? Unsigned(std::numeric_limits<Int>::max()) + 1u : Unsigned(std::numeric_limits<Int>::max());
  Unsigned magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    if (magnitude > (limit - static_cast<Unsigned>(digit)) / base) return std::nullopt;
    magnitude = magnitude * base + static_cast<Unsigned>(digit);
  }
  if (negative) return static_cast<Int>(Unsigned(0) - magnitude);
  return static_cast<Int>(magnitude);
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::wstring_view text) { return ParseInteger<std::int32_t>(text); }
std::optional<std::int64_t> ParseInt64(std::wstring_view text) { return ParseInteger<std::int64_t>(text); }

std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback) { return ParseInt32(text).value_or(fallback); }

std::int64_t StrToInt64Def(std::wstring_view text, std::int64_t fallback) {
  return ParseInt64(text).value_or(fallback);
}

std::string Utf16ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string Utf16ToUtf8Replacing(std::wstring_view text) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out,
                 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, static_cast<char32_t>(c));
    }
  }
  return out;
}

std::wstring Utf8ToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

}  // namespace keytidy

namespace keytidy {

bool IsDrivePath(std::wstring_view text) { return text.size() >= 3 && text[1] == L':' && text[2] == L'\\'; }

bool ContainsUpperAscii(std::wstring_view text, std::wstring_view upperPart) {
  if (upperPart.empty()) return true;
  if (text.size() < upperPart.size()) return false;
  const auto upper = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - (L'a' - L'A')) : c; };
  const size_t lastStart = text.size() - upperPart.size();
  for (size_t start = 0; start <= lastStart; ++start) {
    size_t i = 0;
    while (i < upperPart.size() && upper(text[start + i]) == upperPart[i]) ++i;
    if (i == upperPart.size()) return true;
  }
  return false;
}

}  // namespace keytidy
