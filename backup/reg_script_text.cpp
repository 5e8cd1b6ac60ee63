#include "backup/reg_script_text.h"

namespace keytidy {

namespace {

constexpr wchar_t kCrLf[] = L"\r\n";

std::wstring QuotedName(const std::wstring& name, bool escape) {
  return L"\"" + (escape ? Escape_RegText(name) : name) + L"\"";
}

std::wstring NamePart(const std::wstring& name, bool escape) { return name.empty() ? L"@" : QuotedName(name, escape); }

// A REG_SZ can be written as a quoted string only when an import gives back
// exactly its bytes: the text, one terminating zero and nothing else, and
// no line break that would split the line.
std::optional<std::wstring> ExactStringData(const RegBytes& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  const size_t chars = data.size() / 2 - 1;
  std::wstring text(chars, L'\0');
  for (size_t i = 0; i < chars; ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
  if (data[data.size() - 2] != 0 || data[data.size() - 1] != 0) return std::nullopt;
  if (text.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) return std::nullopt;
  return text;
}

std::wstring HexTypeData(DWORD type, const RegBytes& data) {
  wchar_t prefix[24];
  swprintf(prefix, 24, L"hex(%x):", static_cast<unsigned>(type));
  return prefix + Format_HexBytes(data);
}

std::wstring DataPart(bool isDefault, DWORD type, const RegBytes& data, bool escape) {
  if (type == REG_SZ) {
    if (const auto text = ExactStringData(data)) return L"\"" + (escape ? Escape_RegText(*text) : *text) + L"\"";
  }
  // The default value keeps its type as well: only a plain string is written
  // in the readable form there.
  if (!isDefault) {
    if (type == REG_DWORD && data.size() == 4) {
      const std::uint32_t number =
          data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
      wchar_t text[16];
      swprintf(text, 16, L"dword:%08X", number);
      return text;
    }
    if (type == REG_BINARY) return L"hex:" + Format_HexBytes(data);
  }
  return HexTypeData(type, data);
}

}  // namespace

std::string RegScriptHeaderBytes() { return "\xFF\xFE" + RegScriptBytes(kRegScriptHeaderText); }

std::string RegScriptBytes(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

std::wstring Format_HexBytes(const RegBytes& data) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  text.reserve(data.size() * 3);
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0) text.push_back(L',');
    text.push_back(kDigits[data[i] >> 4]);
    text.push_back(kDigits[data[i] & 0x0F]);
  }
  return text;
}

std::wstring Escape_RegText(const std::wstring& text) {
  std::wstring escaped;
  escaped.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') escaped.push_back(L'\\');
    escaped.push_back(c);
  }
  return escaped;
}

std::wstring RegScript_KeyName(RootKey root, const std::wstring& key) {
  const std::wstring rootName = Reg_RootKeyName(root);
  if (rootName.empty()) return {};
  return key.empty() ? rootName : rootName + L"\\" + key;
}

bool RegScript_CanHoldName(const std::wstring& name) {
  return name.find_first_of(std::wstring(L"\r\n\0", 3)) == std::wstring::npos;
}

bool RegScript_ImportKeepsData(DWORD type, const RegBytes& data) {
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return true;
  if (data.empty()) return true;
  return data.size() % 2 == 0 && data[data.size() - 2] == 0 && data[data.size() - 1] == 0;
}

std::optional<std::wstring> Format_ValueLine(const std::wstring& name, DWORD type, const RegBytes& data, bool escape) {
  if (!RegScript_CanHoldName(name) || !RegScript_ImportKeepsData(type, data)) return std::nullopt;
  return NamePart(name, escape) + L"=" + DataPart(name.empty(), type, data, escape);
}

std::wstring Format_KeyDeletionRecord(RootKey root, const std::wstring& key) {
  return L"[-" + RegScript_KeyName(root, key) + L"]" + kCrLf;
}

std::wstring Format_ValueRecord(RootKey root, const std::wstring& key, const std::wstring& valueLine) {
  return L"[" + RegScript_KeyName(root, key) + L"]" + kCrLf + valueLine + kCrLf + kCrLf;
}

std::wstring Format_ValueDeletionRecord(RootKey root, const std::wstring& key, const std::wstring& name, bool escape) {
  return Format_ValueRecord(root, key, NamePart(name, escape) + L"=-");
}

}  // namespace keytidy
