#include "cleaner/report_button.h"

#include "cleaner/shell_open.h"
#include "scan/scan_report.h"

namespace keytidy {

void RC_ReportClick(const TResultTree& tree) {
  const std::wstring path = ScanReportPath();
  if (Write_ScanReport(path, tree)) Shell_Open(path);
}

}  // namespace keytidy
