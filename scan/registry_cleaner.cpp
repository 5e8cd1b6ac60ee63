#include "scan/registry_cleaner.h"

#include "platform/environment_strings.h"
#include "platform/judged_drives.h"
#include "platform/text.h"

namespace keytidy {

TRegistryCleaner::TRegistryCleaner(TResultTree* tree, RunControl& run)
    : FTree(tree), Run(run), ListJudgedDrives(Judged_DriveLetters) {
  Take_DriveList();
  // A value of blanks means "not set"; any other value is kept as written.
  Get_EnvVariable(L"ProgramW6432", ProgramDir_W6432, false);
  if (Trim(ProgramDir_W6432).empty()) ProgramDir_W6432.clear();
}

void TRegistryCleaner::Take_DriveList() { HDDS = ListJudgedDrives ? ListJudgedDrives() : Judged_DriveLetters(); }

std::int32_t TRegistryCleaner::Count_ItemsWithThisComboBoxIndex(FilterCategory comboBoxIndex) const {
  if (!FTree) return 0;
  std::int32_t count = 0;
  for (PVirtualNode node : *FTree)
    if (TResultTree::Data(node).ComboBoxIndex == comboBoxIndex) ++count;
  return count;
}

void TRegistryCleaner::RemoveDeletedFilesFromTree(TResultTree* tree) {
  if (tree) tree->RemoveIf([](PVirtualNode node) { return TResultTree::Data(node).RemoveFromTree; });
}

void TRegistryCleaner::RemoveNONDeletedFilesFromTree(TResultTree* tree) {
  if (tree) tree->RemoveIf([](PVirtualNode node) { return !TResultTree::Data(node).RemoveFromTree; });
}

PVirtualNode TRegistryCleaner::Find_EntryByDeleteKey(CheckId groupIndex, RootKey deleteRoot,
                                                     const std::wstring& deleteKey) const {
  return FTree ? deleteTargets_.FindKey(*FTree, groupIndex, deleteRoot, deleteKey) : nullptr;
}

PVirtualNode TRegistryCleaner::Find_EntryByDeleteValue(CheckId groupIndex, RootKey deleteRoot,
                                                       const std::wstring& deleteValue,
                                                       const std::wstring& deleteKey) const {
  return FTree ? deleteTargets_.FindValue(*FTree, groupIndex, deleteRoot, deleteKey, deleteValue) : nullptr;
}

void TRegistryCleaner::ProcessPendingMessages() const {
  if (FrontEnd) FrontEnd->ProcessPendingMessages();
}

void TRegistryCleaner::Progress_SetMaximum(std::int32_t maximum) const {
  if (Progress) Progress->SetMaximum(maximum);
}

void TRegistryCleaner::Progress_SetPosition(std::int32_t position) const {
  if (Progress) Progress->SetPosition(position);
}

void TRegistryCleaner::Progress_Step() const {
  if (Progress) Progress->SetPosition(Progress->Position() + 1);
}

}  // namespace keytidy
