// State values Explorer keeps for start-up entries (StartupApproved\Run and
// \Run32) whose entry is gone: the program that made the entry was removed,
// or something deleted the entry without its state.
#include "scan/check_skeleton.h"
#include "scan/startup_approved.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_STARTUP_APPROVED_ORPHANS(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                       RootKey Scanroot, bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = Scanroot;
  std::wstring states = StartupApproved_Key(USE_WOW6432Node_Now);
  std::wstring entries = StartupRun_Key(USE_WOW6432Node_Now);
  Reg_RedirectCurrentUser(root, states);
  RootKey entriesRoot = Scanroot;
  Reg_RedirectCurrentUser(entriesRoot, entries);
  if (!Reg_KeyExistsWritable(root, states)) return;
  Walk_CheckItems(*this, List_ValueNames(root, states), ItemCounter::ValuesPerItem, [&](const std::wstring& name) {
    // The default value is no entry's state.
    if (name.empty() || Reg_ValueExists(entriesRoot, entries, name)) return;
    const std::wstring displayName = USE_WOW6432Node_Now ? name + L" (32Bit)" : name;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", displayName, {root, states, name}, DeleteTarget::Value,
                   {EvidenceTest::StartupEntryMissing, entries});
  });
}

}  // namespace keytidy
