#include "scan/exception_file.h"

#include <windows.h>

#include <optional>

#include "app/environment.h"
#include "lang/text_file.h"
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

TextEncoding EncodingFor(const std::vector<std::wstring>& lines) {
  for (const std::wstring& line : lines)
    if (!FitsAnsiCodePage(line)) return TextEncoding::Utf8;
  return TextEncoding::AnsiCodePage;
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
