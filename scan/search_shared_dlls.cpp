// Shared-DLL reference counts whose file is gone.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_SHARED(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = USE_WOW6432Node_Now
                               ? L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS"
                               : L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
  if (!Reg_KeyExistsWritable(root, key)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  // The value name is the file; its data is only the count. Installers
  // count folders there as well, so a folder is no stale entry.
  Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    const std::wstring path =
        Resolve_FileReference(*this, name, !USE_WOW6432Node_Now, View_OfPass(USE_WOW6432Node_Now));
    if (!Is_MissingFileOrFolder(*this, path, View_OfPass(USE_WOW6432Node_Now))) return;
    PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {root, key, name},
                                       DeleteTarget::Value, {EvidenceTest::FileOrFolderMissing, path});
    if (node) GetEntry(node)->DisplayName = GetEntry(node)->Filename;
  });
}

}  // namespace keytidy
