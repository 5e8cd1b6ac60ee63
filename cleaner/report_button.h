#pragma once
// The cleaner screen's Report button.
#include "scan/result_tree.h"

namespace keytidy {

// Writes the report of every finding to RC_export.txt in the program folder
// (the old one goes first) and opens it with the shell. Without findings
// there is no file and nothing opens; failures are silent.
void RC_ReportClick(const TResultTree& tree);

}  // namespace keytidy
