// Entries of the programs list (Uninstall) that are left completely empty.
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_EMPTY_UNINSTALLKEYS(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                  bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring nativeBase = Uninstall_ListKey(false);
  const std::wstring base = Uninstall_ListKey(USE_WOW6432Node_Now);
  // Few reads per entry: the walk runs through without pausing for window
  // messages or the Stop button.
  const std::vector<std::wstring> entries = List_SubKeys(root, base);
  Progress_SetMaximum(static_cast<std::int32_t>(entries.size()));
  Count_KeysScanned(static_cast<std::uint32_t>(entries.size()));
  for (const std::wstring& entry : entries) {
    const std::wstring key = base + L"\\" + entry;
    if (Reg_SubKeyCount(root, key) != 0 || Reg_ValueCount(root, key) != 0) continue;
    if (!Reg_ReadString(root, key, L"").empty()) continue;
    // The native pass runs first; an entry it already reported under the
    // same name is not offered a second time.
    if (USE_WOW6432Node_Now && Find_EntryByDeleteKey(GroupIndex, root, nativeBase + L"\\" + entry)) continue;
    if (!Reg_KeyExistsWritable(root, key)) continue;
    const std::wstring displayName = USE_WOW6432Node_Now ? entry + L" (32Bit)" : entry;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", displayName, {root, key, L""}, DeleteTarget::Key,
                   {EvidenceTest::KeyEmpty, key});
  }
}

}  // namespace keytidy
