#pragma once
// The plain-text report of the current findings, RC_export.txt in the
// program folder: a header with the time and the count, then one line per
// finding (hidden and unticked ones too) with its two description lines and
// what deleting it removes. Nothing reads it back; it is for people.
#include <string>
#include <vector>

#include "scan/result_tree.h"

namespace keytidy {

std::wstring RC_ReportFilePath();  // ProgramFolder \RC_export.txt

// "Report created: " with the local date in the user's short format and the
// time in the long format, the time left out at exactly midnight.
std::wstring RC_ReportCreatedLine(const SYSTEMTIME& localTime);

// The lines of the report, in tree order.
std::vector<std::wstring> RC_ReportLines(const TResultTree& tree, const SYSTEMTIME& localTime);

// The Report button: deletes the old file, writes a new one in the ANSI code
// page when the tree has findings and opens it with the shell. Failures are
// silent; without a file nothing is opened.
void RC_ReportClick(const TResultTree& tree);

}  // namespace keytidy
