#include "cleaner/scan_report.h"

#include <windows.h>

#include <cstdio>

#include "app/environment.h"
#include "cleaner/entry_description.h"
#include "cleaner/shell_open.h"
#include "lang/text_file.h"
#include "platform/registry.h"

namespace keytidy {

namespace {

std::wstring LocaleText(int (*format)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int), DWORD flags,
                        const SYSTEMTIME& time) {
  wchar_t buffer[128] = {};
  format(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, 128);
  return buffer;
}

int DateFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int size) {
  return GetDateFormatW(locale, flags, time, format, out, size);
}

int TimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int size) {
  return GetTimeFormatW(locale, flags, time, format, out, size);
}

std::wstring FindingLine(size_t number, const TTreeData_RegCleaner& entry) {
  wchar_t counter[32];
  swprintf(counter, 32, L"#%04zu", number);
  std::int32_t icon = 0;
  std::wstring text1, text2;
  Get_ItemDescription_and_Icon(const_cast<PTreeData_RegCleaner>(&entry), icon, text1, text2);
  std::wstring line = std::wstring(counter) + L" " + text1 + L" " + text2;
  const std::wstring group = std::to_wstring(entry.GroupIndex);
  const std::wstring where = Reg_RootKeyName(entry.Delete_Root) + L"\\" + entry.Delete_Key;
  if (entry.DeleteKey) line += L" <Typ=" + group + L" Delete key " + where + L">";
  if (entry.DeleteValue) line += L" <Typ=" + group + L" Delete value \"" + entry.Delete_Value + L"\" in " + where + L">";
  return line;
}

}  // namespace

std::wstring RC_ReportFilePath() { return ProgramFolder() + L"\\RC_export.txt"; }

std::wstring RC_ReportCreatedLine(const SYSTEMTIME& localTime) {
  std::wstring line = L"Report created: " + LocaleText(DateFormat, DATE_SHORTDATE, localTime);
  const bool midnight = localTime.wHour == 0 && localTime.wMinute == 0 && localTime.wSecond == 0 &&
                        localTime.wMilliseconds == 0;
  if (!midnight) line += L" " + LocaleText(TimeFormat, 0, localTime);
  return line;
}

std::vector<std::wstring> RC_ReportLines(const TResultTree& tree, const SYSTEMTIME& localTime) {
  std::vector<std::wstring> lines;
  lines.reserve(tree.NodeCount() + 3);
  lines.push_back(RC_ReportCreatedLine(localTime));
  lines.push_back(L"Entries found: " + std::to_wstring(tree.NodeCount()));
  lines.emplace_back();
  size_t number = 0;
  for (PVirtualNode node : tree) lines.push_back(FindingLine(++number, TResultTree::Data(node)));
  return lines;
}

void RC_ReportClick(const TResultTree& tree) {
  const std::wstring path = RC_ReportFilePath();
  DeleteFileW(path.c_str());
  if (tree.IsEmpty()) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  WriteTextFileLines(path, RC_ReportLines(tree, now), TextEncoding::AnsiCodePage);
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) Shell_Open(path);
}

}  // namespace keytidy
