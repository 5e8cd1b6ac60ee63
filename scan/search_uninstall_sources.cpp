// Uninstall entries whose recorded install source folder is gone. Large
// keys: the walk does not yield to the message loop.
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                        bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring nativeBase = Uninstall_ListKey(false);
  const std::wstring base = Uninstall_ListKey(USE_WOW6432Node_Now);
  const std::vector<std::wstring> names = List_SubKeys(root, base);
  Progress_SetMaximum(static_cast<std::int32_t>(names.size()));
  Count_KeysScanned(static_cast<std::uint32_t>(names.size()));
  for (const std::wstring& name : names) {
    const std::wstring key = base + L"\\" + name;
    const std::wstring source = Trim(Reg_ReadString(root, key, L"InstallSource"));
    if (source.empty() || DirectoryExists_HDDS(source, View_OfPass(USE_WOW6432Node_Now))) continue;
    // The same program seen by the native pass is reported once.
    if (USE_WOW6432Node_Now && Find_EntryByDeleteValue(GroupIndex, root, L"InstallSource", nativeBase + L"\\" + name))
      continue;
    const std::wstring displayName = Reg_ReadString(root, key, L"DisplayName");
    Report_Finding(*this, GroupIndex, ComboBoxIndex, source, displayName.empty() ? name : displayName,
                   {root, key, L"InstallSource"}, DeleteTarget::Value, {EvidenceTest::FolderMissing, source});
  }
}

}  // namespace keytidy
