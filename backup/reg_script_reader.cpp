#include "backup/reg_script_reader.h"

#include "platform/whole_file.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The script as lines; a hex line ending in a backslash continues on the
// next line (whose leading blanks do not count), exactly as the importer
// joins them.
class LineSource {
 public:
  explicit LineSource(std::wstring_view text) : text_(text) {}

  bool Next(std::wstring_view& line) {
    if (at_ >= text_.size()) return false;
    size_t end = text_.find(L'\n', at_);
    if (end == std::wstring_view::npos) end = text_.size();
    line = text_.substr(at_, end - at_);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    at_ = end + 1;
    ++number_;
    return true;
  }
  int Number() const { return number_; }

 private:
  std::wstring_view text_;
  size_t at_ = 0;
  int number_ = 0;
};

// Reads one quoted text starting at `text[0] == '"'`; the importer's escapes
// are \\ and \" (and \n, \r, \0, which some exporters write). Returns the
// position after the closing quote, or npos when the text is malformed.
size_t ReadQuoted(std::wstring_view text, std::wstring& out) {
  out.clear();
  for (size_t i = 1; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'"') return i + 1;
    if (c != L'\\') {
      out.push_back(c);
      continue;
    }
    if (++i >= text.size()) return std::wstring_view::npos;
    switch (text[i]) {
      case L'\\': out.push_back(L'\\'); break;
      case L'"': out.push_back(L'"'); break;
      case L'n': out.push_back(L'\n'); break;
      case L'r': out.push_back(L'\r'); break;
      case L'0': out.push_back(L'\0'); break;
      default: return std::wstring_view::npos;
    }
  }
  return std::wstring_view::npos;
}

class ScriptParser {
 public:
  explicit ScriptParser(std::wstring_view text) : lines_(text) {}

  RegScriptReadResult Run() {
    std::wstring_view line;
    while (lines_.Next(line)) {
      if (!ParseLine(line)) {
        result_.ok = false;
        result_.records.clear();
        result_.error = L"line " + std::to_wstring(lines_.Number()) + L": " + error_;
        result_.endedInsideValue = endedInsideValue_;
        return std::move(result_);
      }
    }
    result_.ok = true;
    return std::move(result_);
  }

 private:
  bool Fail(const std::wstring& why) {
    error_ = why;
    return false;
  }

  bool ParseLine(std::wstring_view raw) {
    const std::wstring_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == L';') return true;
    if (line.front() == L'[') return ParseKeyLine(line);
    if (line.front() == L'@' || line.front() == L'"') return ParseValueLine(line);
    return Fail(L"neither a key nor a value line");
  }

  bool ParseKeyLine(std::wstring_view line) {
    // The key name ends at the last "]": key names may hold "[" and "]".
    const size_t close = line.rfind(L']');
    if (close == std::wstring_view::npos || !TrimBlanks(line.substr(close + 1)).empty())
      return Fail(L"key line without closing bracket");
    std::wstring_view name = line.substr(1, close - 1);
    RegRecord record;
    record.kind = RegRecordKind::Key;
    if (!name.empty() && name.front() == L'-') {
      record.kind = RegRecordKind::DeleteKey;
      name.remove_prefix(1);
    }
    const size_t slash = name.find(L'\\');
    const auto root = RegScript_RootFromName(name.substr(0, slash));
    if (!root) return Fail(L"unknown root key");
    record.root = *root;
    if (slash != std::wstring_view::npos) record.key = std::wstring(name.substr(slash + 1));
    if (!record.key.empty() && (record.key.back() == L'\\' || record.key.front() == L'\\'))
      return Fail(L"key path with an empty name");
    haveKey_ = record.kind == RegRecordKind::Key;
    currentRoot_ = record.root;
    currentKey_ = record.key;
    result_.records.push_back(std::move(record));
    return true;
  }

  bool ParseValueLine(std::wstring_view line) {
    if (!haveKey_) return Fail(L"value line outside a key");
    RegRecord record;
    record.kind = RegRecordKind::Value;
    record.root = currentRoot_;
    record.key = currentKey_;
    size_t at = 1;
    if (line.front() == L'"') {
      at = ReadQuoted(line, record.name);
      if (at == std::wstring_view::npos) return Fail(L"malformed value name");
    }
    std::wstring_view rest = TrimBlanks(line.substr(at));
    if (rest.empty() || rest.front() != L'=') return Fail(L"value line without \"=\"");
    rest = TrimBlanks(rest.substr(1));
    if (rest == L"-") {
      record.kind = RegRecordKind::DeleteValue;
    } else if (!ParseData(rest, record)) {
      return false;
    }
    result_.records.push_back(std::move(record));
    return true;
  }

  bool ParseData(std::wstring_view data, RegRecord& record) {
    if (!data.empty() && data.front() == L'"') {
      std::wstring text;
      const size_t end = ReadQuoted(data, text);
      if (end == std::wstring_view::npos || !TrimBlanks(data.substr(end)).empty())
        return Fail(L"malformed string data");
      record.type = REG_SZ;
      record.data = RegBytes();
      const std::string bytes = RegScriptBytes(text + L'\0');
      record.data.assign(bytes.begin(), bytes.end());
      return true;
    }
    const std::wstring upper = UpperCaseAscii(data.substr(0, std::min<size_t>(data.size(), 16)));
    if (upper.rfind(L"DWORD:", 0) == 0) return ParseDword(data.substr(6), record);
    if (upper.rfind(L"HEX:", 0) == 0) {
      record.type = REG_BINARY;
      return ParseHex(data.substr(4), record);
    }
    if (upper.rfind(L"HEX(", 0) == 0) {
      const size_t close = data.find(L"):");
      if (close == std::wstring_view::npos || close == 4 || close > 12) return Fail(L"malformed hex( type");
      std::uint32_t type = 0;
      for (wchar_t c : data.substr(4, close - 4)) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return Fail(L"malformed hex( type");
        type = type * 16 + static_cast<std::uint32_t>(digit);
      }
      record.type = type;
      return ParseHex(data.substr(close + 2), record);
    }
    return Fail(L"unknown data form");
  }

  bool ParseDword(std::wstring_view digits, RegRecord& record) {
    digits = TrimBlanks(digits);
    if (digits.empty() || digits.size() > 8) return Fail(L"malformed dword");
    std::uint32_t number = 0;
    for (wchar_t c : digits) {
      const int digit = HexDigitValue(c);
      if (digit < 0) return Fail(L"malformed dword");
      number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    record.type = REG_DWORD;
    record.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                   static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    return true;
  }

  // Comma-separated bytes of one or two hex digits; a trailing backslash
  // continues the list on the next line.
  bool ParseHex(std::wstring_view list, RegRecord& record) {
    record.data.clear();
    for (;;) {
      list = TrimBlanks(list);
      bool continued = false;
      if (!list.empty() && list.back() == L'\\') {
        continued = true;
        list = TrimBlanks(list.substr(0, list.size() - 1));
      }
      size_t at = 0;
      while (at < list.size()) {
        size_t comma = list.find(L',', at);
        if (comma == std::wstring_view::npos) comma = list.size();
        const std::wstring_view item = TrimBlanks(list.substr(at, comma - at));
        if (item.empty() || item.size() > 2) return Fail(L"malformed hex byte");
        int value = 0;
        for (wchar_t c : item) {
          const int digit = HexDigitValue(c);
          if (digit < 0) return Fail(L"malformed hex byte");
          value = value * 16 + digit;
        }
        record.data.push_back(static_cast<std::uint8_t>(value));
        // A comma must be followed by another byte unless the line continues.
        if (comma == list.size()) break;
        at = comma + 1;
        if (at == list.size() && !continued) return Fail(L"hex list ends in a comma");
      }
      if (!continued) return true;
      std::wstring_view next;
      if (!lines_.Next(next)) {
        endedInsideValue_ = true;
        return Fail(L"hex list continues past the end");
      }
      list = next;
    }
  }

  LineSource lines_;
  RegScriptReadResult result_;
  std::wstring error_;
  bool endedInsideValue_ = false;
  bool haveKey_ = false;
  RootKey currentRoot_ = 0;
  std::wstring currentKey_;
};

}  // namespace

std::optional<RootKey> RegScript_RootFromName(std::wstring_view name) {
  struct Root {
    const wchar_t* longName;
    const wchar_t* shortName;
    RootKey root;
  };
  static constexpr Root kRoots[] = {
      {L"HKEY_CLASSES_ROOT", L"HKCR", ROOT_HKEY_CLASSES_ROOT},
      {L"HKEY_CURRENT_USER", L"HKCU", ROOT_HKEY_CURRENT_USER},
      {L"HKEY_LOCAL_MACHINE", L"HKLM", ROOT_HKEY_LOCAL_MACHINE},
      {L"HKEY_USERS", L"HKU", ROOT_HKEY_USERS},
      {L"HKEY_CURRENT_CONFIG", L"HKCC", ROOT_HKEY_CURRENT_CONFIG},
  };
  const std::wstring upper = UpperCaseAscii(name);
  for (const Root& root : kRoots)
    if (upper == root.longName || upper == root.shortName) return root.root;
  return std::nullopt;
}

RegScriptReadResult RegScript_ReadText(std::wstring_view text) { return ScriptParser(text).Run(); }

RegScriptReadResult RegScript_ReadBytes(std::string_view bytes) {
  RegScriptReadResult result;
  const std::string header = RegScriptHeaderBytes();
  if (bytes.size() % 2 != 0) {
    result.error = L"odd number of bytes";
    return result;
  }
  if (bytes.substr(0, header.size()) != header) {
    result.error = L"no UTF-16 byte-order mark and version 5 header";
    return result;
  }
  return RegScript_ReadText(RegScript_DecodeUtf16(bytes.substr(header.size())));
}

std::wstring RegScript_DecodeUtf16(std::string_view bytes) {
  // Unit by unit rather than one copy: the bytes are little-endian UTF-16
  // whatever the size and byte order of wchar_t.
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto low = static_cast<unsigned char>(bytes[2 * i]);
    const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(low | (high << 8));
  }
  return text;
}

RegScriptReadResult RegScript_ReadFile(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    RegScriptReadResult result;
    result.error = L"cannot read the file";
    return result;
  }
  return RegScript_ReadBytes(*bytes);
}

}  // namespace keytidy
