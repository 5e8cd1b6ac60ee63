#include "scan/exception_file.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "lang/text_file.h"
#include "platform/environment.h"
#include "platform/text.h"

namespace keytidy {

namespace {

// Whether every character has an exact equivalent in the ANSI code page (a
// best-fit substitute would name another registry key).
bool FitsAnsiCodePage(const std::wstring& text) {
  if (text.empty()) return true;
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, &lossy);
  return size > 0 && !lossy;
}

bool HasLineBreak(const std::wstring& text) { return text.find_first_of(L"\r\n") != std::wstring::npos; }

std::vector<std::wstring> FileLines(const TExceptionList& list) {
  std::vector<std::wstring> lines;
  for (const ExceptionRow& row : list.Rows()) {
    if (HasLineBreak(row.rootName) || HasLineBreak(row.key) || HasLineBreak(row.value)) continue;
    lines.push_back(row.kind == kExceptionKindKey ? L"1" : L"0");
    lines.push_back(row.rootName);
    lines.push_back(row.key);
    lines.push_back(row.value);
  }
  return lines;
}

// Registry names are plain UTF-16 units and may hold a surrogate without its
// partner, which UTF-8 cannot carry: it would come back as U+FFFD and the
// exception would no longer match its key.
bool HasUnpairedSurrogate(const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<std::uint32_t>(text[i]) & 0xFFFF;
    if (unit >= 0xDC00 && unit <= 0xDFFF) return true;
    if (unit < 0xD800 || unit > 0xDBFF) continue;
    const auto next = i + 1 < text.size() ? static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF : 0u;
    if (next < 0xDC00 || next > 0xDFFF) return true;
    ++i;
  }
  return false;
}

TextEncoding EncodingFor(const std::vector<std::wstring>& lines) {
  TextEncoding encoding = TextEncoding::AnsiCodePage;
  for (const std::wstring& line : lines) {
    if (HasUnpairedSurrogate(line)) return TextEncoding::Utf16LE;
    if (!FitsAnsiCodePage(line)) encoding = TextEncoding::Utf8;
  }
  return encoding;
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool DeleteIfPresent(const std::wstring& path) {
  return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring ExceptionsFilePath() { return ProgramFolder() + L"\\data\\rc_exceptions.txt"; }

void Load_Exceptions(const std::wstring& fileName, TExceptionList& list) {
  list.Clear();
  const std::optional<TextFileLines> file = ReadTextFileLines(fileName);
  if (!file) return;
  const std::vector<std::wstring>& lines = file->lines;
  for (size_t i = 0; i + 4 <= lines.size(); i += 4)
    Add_ExceptionItem(StrToIntDef(lines[i], kExceptionKindValue), lines[i + 1], lines[i + 2], list, lines[i + 3]);
}

bool Save_Exceptions(const std::wstring& fileName, const TExceptionList& list) {
  if (list.Empty()) return DeleteIfPresent(fileName);
  const std::wstring folder = ParentFolder(fileName);
  if (!folder.empty()) CreateDirectoryW(folder.c_str(), nullptr);
  const std::vector<std::wstring> lines = FileLines(list);
  return WriteTextFileLines(fileName, lines, EncodingFor(lines));
}

}  // namespace keytidy
