#pragma once
// The scan report: every finding of the result tree as one line of plain
// text, for reading and for sending to support. Nothing reads it back.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "scan/result_tree.h"

namespace keytidy {

// ProgramFolder \RC_export.txt, the file the screen's Report button writes.
std::wstring ScanReportPath();

// "Report created: " and the local date in the user's short format, a space
// and the time in the long format; the time is left out at exactly
// midnight.
std::wstring ScanReportCreatedLine(const SYSTEMTIME& localTime);

// One finding: "#" and n with at least four digits, Text1 and Text2 of its
// description, then " <Typ=T Delete key ROOT\key>" and/or
// " <Typ=T Delete value "name" in ROOT\key>" (key first), then
// " <User=SID>" when a `user` is given.
std::wstring ScanReportEntryLine(std::size_t n, const TTreeData_RegCleaner& entry, const std::wstring& user = {});

// The user a finding belongs to, for reports that name users; empty for
// the machine's findings.
using FindingUserOf = std::function<std::wstring(const TTreeData_RegCleaner&)>;

// The whole report: created line, "Entries found: N", an empty line, then
// every finding in tree order (hidden and unticked ones too).
std::vector<std::wstring> ScanReportLines(const TResultTree& tree, const SYSTEMTIME& localTime,
                                          const FindingUserOf& userOf = nullptr);

// Deletes `path`, then, when the tree has findings, writes the report there
// in the ANSI code page (characters it cannot hold become its substitute
// character), no byte-order mark, every line ended by CR LF. True when the
// file exists afterwards.
bool Write_ScanReport(const std::wstring& path, const TResultTree& tree, const FindingUserOf& userOf = nullptr);

}  // namespace keytidy
