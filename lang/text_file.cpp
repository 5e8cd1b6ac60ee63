#include "lang/text_file.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/text.h"

namespace keytidy {

namespace {

std::wstring DecodeCodePage(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::string EncodeCodePage(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string EncodeUtf16(std::wstring_view text, bool bigEndian) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const wchar_t c : text) {
    const auto low = static_cast<char>(c & 0xFF);
    const auto high = static_cast<char>((c >> 8) & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

}  // namespace

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == L'\r') {
      ++end;
      if (end < text.size() && text[end] == L'\n') ++end;
    } else if (end < text.size()) {
      ++end;  // a lone LF
    }
    start = end;
  }
  return lines;
}

TextFileLines DecodeTextFile(std::string_view bytes) {
  TextFileLines result;
  std::wstring text;
  if (StartsWith(bytes, "\xFF\xFE")) {
    result.encoding = TextEncoding::Utf16LE;
    text = DecodeUtf16(bytes.substr(2), false);
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    result.encoding = TextEncoding::Utf16BE;
    text = DecodeUtf16(bytes.substr(2), true);
  } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    result.encoding = TextEncoding::Utf8;
    text = DecodeCodePage(bytes.substr(3), CP_UTF8);
  } else {
    result.encoding = TextEncoding::AnsiCodePage;
    text = DecodeCodePage(bytes, CP_ACP);
  }
  result.lines = SplitLines(text);
  return result;
}

std::optional<TextFileLines> ReadTextFileLines(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > kMaxTextFileBytes)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
      return std::nullopt;
    if (read == 0) break;  // the file shrank while we read it
    done += read;
  }
  bytes.resize(done);
  return DecodeTextFile(bytes);
}

std::string EncodeTextFile(const std::vector<std::wstring>& lines, TextEncoding encoding) {
  std::wstring text;
  for (const std::wstring& line : lines) {
    text += line;
    text += L"\r\n";
  }
  switch (encoding) {
    case TextEncoding::Utf16LE: return "\xFF\xFE" + EncodeUtf16(text, false);
    case TextEncoding::Utf16BE: return "\xFE\xFF" + EncodeUtf16(text, true);
    case TextEncoding::Utf8: return "\xEF\xBB\xBF" + EncodeCodePage(text, CP_UTF8);
    case TextEncoding::AnsiCodePage: break;
  }
  return EncodeCodePage(text, CP_ACP);
}

bool WriteTextFileLines(const std::wstring& path, const std::vector<std::wstring>& lines, TextEncoding encoding) {
  const std::string bytes = EncodeTextFile(lines, encoding);
  const std::wstring temporary = path + L".tmp";
  {
    UniqueHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD written = 0;
      if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
          written == 0) {
        file.reset();
        DeleteFileW(temporary.c_str());
        return false;
      }
      done += written;
    }
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace keytidy
