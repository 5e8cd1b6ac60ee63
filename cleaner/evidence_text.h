#pragma once
// Why a finding was reported, written out for the cleaner screen's evidence
// pane: the verdict, where the data was read and that data as stored, the
// reference the check took from it, what was tested and in which registry
// view, and what deleting the finding takes with it. Labels and verdicts
// are translated; registry names, paths and data are shown as they are.
#include <string>

#include "scan/deletion_preview.h"
#include "model/found_entry.h"

namespace keytidy {

// What the texts depend on besides the finding: how this Windows lays out
// its system folders for 32-bit programs.
struct EvidenceMachine {
  bool windows64 = true;
  std::wstring windowsFolder;
};

EvidenceMachine EvidenceMachine_OfThisComputer();

// One "Label: text" line per fact, CR LF between lines; the lists below a
// label are indented.
std::wstring Evidence_Text(const TTreeData_RegCleaner& entry, const DeletionPreview& preview,
                           const EvidenceMachine& machine);

}  // namespace keytidy
