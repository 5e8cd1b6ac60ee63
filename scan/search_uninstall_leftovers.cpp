// Entries of the programs list (Uninstall) whose program was removed
// without its uninstaller cleaning up: the uninstaller, the install folder
// and the icon are all gone, and the entry can do nothing but fail.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"
#include "scan/leftover_judgement.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_UNINSTALL_LEFTOVERS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                                  bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = Scanroot;
  std::wstring base = Uninstall_ListKey(USE_WOW6432Node_Now);
  Reg_RedirectCurrentUser(root, base);
  if (!Reg_KeyExistsWritable(root, base)) return;
  const RegistryView view = View_OfPass(USE_WOW6432Node_Now);
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, base), ItemCounter::KeysPerItem, [&](const std::wstring& name) {
    const std::wstring key = base + L"\\" + name;
    const std::wstring program = Leftover_UninstallProgram(*this, root, key, view);
    if (program.empty()) return;
    std::wstring displayName = Reg_ReadString(root, key, L"DisplayName");
    if (displayName.empty()) displayName = name;
    if (USE_WOW6432Node_Now) displayName += L" (32Bit)";
    // The raw data kept is the uninstall command: the entry's identity, and
    // what a reinstallation writes again.
    Report_Finding(*this, GroupIndex, ComboBoxIndex, program, displayName, {root, key, L""}, DeleteTarget::Key,
                   {EvidenceTest::UninstallEntryOrphaned, program}, FindingPlace{root, key, L"UninstallString"});
  });
}

}  // namespace keytidy
