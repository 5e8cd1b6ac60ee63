#include "scan/exception_file.h"

#include <windows.h>

#include <optional>

#include "app/environment.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char buffer[16384];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  return true;
}

std::wstring FromCodePage(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

// A byte-order mark names the encoding; without one the file is 8-bit text
// in the ANSI code page.
std::wstring DecodeText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return Utf8ToUtf16(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  return FromCodePage(CP_ACP, bytes);
}

// Lines end with CR LF, LF or CR; a break at the very end starts no line.
std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
  }
  return lines;
}

// The text in the ANSI code page, or no value when a character has no exact
// equivalent there (a best-fit substitute would name another registry key).
std::optional<std::string> ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, &lossy);
  if (lossy) return std::nullopt;
  return bytes;
}

bool HasLineBreak(const std::wstring& text) { return text.find_first_of(L"\r\n") != std::wstring::npos; }

std::wstring FileText(const TExceptionList& list) {
  std::wstring text;
  for (const ExceptionRow& row : list.Rows()) {
    if (HasLineBreak(row.rootName) || HasLineBreak(row.key) || HasLineBreak(row.value)) continue;
    text += row.kind == kExceptionKindKey ? L"1" : L"0";
    text += L"\r\n" + row.rootName + L"\r\n" + row.key + L"\r\n" + row.value + L"\r\n";
  }
  return text;
}

std::string EncodeFileText(const std::wstring& text) {
  if (std::optional<std::string> ansi = ToAnsi(text)) return *ansi;
  return "\xEF\xBB\xBF" + Utf16ToUtf8(text);
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool DeleteIfPresent(const std::wstring& path) {
  return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring ExceptionsFilePath() { return ProgramFolder() + L"\\data\\rc_exceptions.txt"; }

void Load_Exceptions(const std::wstring& fileName, TExceptionList& list) {
  list.Clear();
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return;
  const std::vector<std::wstring> lines = SplitLines(DecodeText(bytes));
  for (size_t i = 0; i + 4 <= lines.size(); i += 4)
    Add_ExceptionItem(StrToIntDef(lines[i], kExceptionKindValue), lines[i + 1], lines[i + 2], list, lines[i + 3]);
}

bool Save_Exceptions(const std::wstring& fileName, const TExceptionList& list) {
  if (list.Empty()) return DeleteIfPresent(fileName);
  const std::wstring folder = ParentFolder(fileName);
  if (!folder.empty()) CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring staging = fileName + L".new";
  if (!WriteWholeFile(staging, EncodeFileText(FileText(list))) ||
      !MoveFileExW(staging.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(staging.c_str());
    return false;
  }
  return true;
}

}  // namespace keytidy
