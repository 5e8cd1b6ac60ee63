#include "scan/scan_report.h"

#include "lang/text_file.h"
#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/registry.h"
#include "scan/item_description.h"

namespace keytidy {

namespace {

std::wstring FormatWith(int(WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int), DWORD flags,
                        const SYSTEMTIME& time) {
  wchar_t buffer[128] = {};
  if (format(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, static_cast<int>(std::size(buffer))) <= 0) return {};
  return buffer;
}

std::wstring Padded(std::size_t n) {
  std::wstring digits = std::to_wstring(n);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), L'0');
  return digits;
}

// Registry names may hold line breaks and other control characters; in the
// report they would split one finding over several lines, so each shows as
// "?", as characters the code page cannot hold do.
std::wstring OnOneLine(std::wstring text) {
  for (wchar_t& c : text)
    if (c < L' ' && c != L'\t') c = L'?';
  return text;
}

}  // namespace

std::wstring ScanReportPath() { return ProgramFolder() + L"\\RC_export.txt"; }

std::wstring ScanReportCreatedLine(const SYSTEMTIME& localTime) {
  std::wstring line = L"Report created: " + FormatWith(GetDateFormatW, DATE_SHORTDATE, localTime);
  const bool midnight =
      localTime.wHour == 0 && localTime.wMinute == 0 && localTime.wSecond == 0 && localTime.wMilliseconds == 0;
  if (!midnight) line += L" " + FormatWith(GetTimeFormatW, 0, localTime);
  return line;
}

std::wstring ScanReportEntryLine(std::size_t n, const TTreeData_RegCleaner& entry, const std::wstring& user) {
  std::int32_t icon = 0;
  std::wstring text1;
  std::wstring text2;
  Get_ItemDescription_and_Icon(&entry, icon, text1, text2);
  std::wstring line = L"#" + Padded(n) + L" " + text1 + L" " + text2;
  const std::wstring type = std::to_wstring(Number(entry.GroupIndex));
  const std::wstring where = Reg_RootKeyName(entry.Delete_Root) + L"\\" + entry.Delete_Key;
  if (entry.DeleteKey) line += L" <Typ=" + type + L" Delete key " + where + L">";
  if (entry.DeleteValue) line += L" <Typ=" + type + L" Delete value \"" + entry.Delete_Value + L"\" in " + where + L">";
  if (!user.empty()) line += L" <User=" + user + L">";
  return OnOneLine(line);
}

std::vector<std::wstring> ScanReportLines(const TResultTree& tree, const SYSTEMTIME& localTime,
                                          const FindingUserOf& userOf) {
  std::vector<std::wstring> lines;
  lines.reserve(tree.NodeCount() + 3);
  lines.push_back(ScanReportCreatedLine(localTime));
  lines.push_back(L"Entries found: " + std::to_wstring(tree.NodeCount()));
  lines.emplace_back();
  std::size_t n = 0;
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    lines.push_back(ScanReportEntryLine(++n, entry, userOf ? userOf(entry) : std::wstring()));
  }
  return lines;
}

bool Write_ScanReport(const std::wstring& path, const TResultTree& tree, const FindingUserOf& userOf) {
  DeleteFileW(path.c_str());
  if (!tree.IsEmpty()) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    WriteTextFileLines(path, ScanReportLines(tree, now, userOf), TextEncoding::AnsiCodePage);
  }
  return FileOrFolderExists(path);
}

}  // namespace keytidy
