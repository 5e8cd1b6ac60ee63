#include "cleaner/raw_value_text.h"

#include <cwchar>

namespace keytidy {

namespace {

std::wstring HexBytes(const RegBytes& bytes) {
  std::wstring text;
  wchar_t pair[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::swprintf(pair, std::size(pair), i == 0 ? L"%02x" : L" %02x", bytes[i]);
    text += pair;
  }
  return text;
}

// The UTF-16 text of the data; an odd last byte cannot belong to it.
std::wstring Utf16Of(const RegBytes& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return text;
}

std::wstring WithoutClosingNull(std::wstring text) {
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

// A window shows text only up to its first null.
std::wstring NullsShown(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) shown += c == L'\0' ? std::wstring(L"\\0") : std::wstring(1, c);
  return shown;
}

// The strings of a REG_MULTI_SZ, one a line; the list ends with an empty
// string, which is not one of them.
std::wstring MultiStringText(const RegBytes& bytes) {
  std::wstring text = WithoutClosingNull(WithoutClosingNull(Utf16Of(bytes)));
  std::wstring lines;
  for (wchar_t c : text) lines += c == L'\0' ? std::wstring(L"\r\n") : std::wstring(1, c);
  return lines;
}

// A little-endian number of the data's size, in hex and decimal.
std::wstring NumberText(const RegBytes& bytes) {
  unsigned long long number = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) number = (number << 8) | bytes[i];
  wchar_t text[64];
  std::swprintf(text, std::size(text), bytes.size() == 4 ? L"0x%08llx (%llu)" : L"0x%016llx (%llu)", number, number);
  return text;
}

}  // namespace

std::wstring RegTypeName(DWORD type) {
  switch (type) {
    case REG_NONE: return L"REG_NONE";
    case REG_SZ: return L"REG_SZ";
    case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
    case REG_BINARY: return L"REG_BINARY";
    case REG_DWORD: return L"REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return L"REG_DWORD_BIG_ENDIAN";
    case REG_LINK: return L"REG_LINK";
    case REG_MULTI_SZ: return L"REG_MULTI_SZ";
    case REG_RESOURCE_LIST: return L"REG_RESOURCE_LIST";
    case REG_FULL_RESOURCE_DESCRIPTOR: return L"REG_FULL_RESOURCE_DESCRIPTOR";
    case REG_RESOURCE_REQUIREMENTS_LIST: return L"REG_RESOURCE_REQUIREMENTS_LIST";
    case REG_QWORD: return L"REG_QWORD";
    default: break;
  }
  wchar_t name[32];
  std::swprintf(name, std::size(name), L"REG_0x%08lX", static_cast<unsigned long>(type));
  return name;
}

std::wstring RawDataText(const RegValueData& raw) {
  switch (raw.type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return NullsShown(WithoutClosingNull(Utf16Of(raw.data)));
    case REG_MULTI_SZ: return MultiStringText(raw.data);
    case REG_DWORD:
      if (raw.data.size() == 4) return NumberText(raw.data);
      break;
    case REG_QWORD:
      if (raw.data.size() == 8) return NumberText(raw.data);
      break;
    default: break;
  }
  return HexBytes(raw.data);
}

}  // namespace keytidy
