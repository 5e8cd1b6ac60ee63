// Windows Installer's list of folders it created: a value name ending in a
// backslash is a folder; reported when that folder is gone.
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_INSTALLERPATH(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
  CriticalErrorBoxesOff errorBoxesOff;
  if (!Reg_KeyExistsWritable(root, key)) return;
  Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    if (name.empty() || name.back() != L'\\') return;
    // The standard folder test, drive list included: a folder the
    // installer made on a drive that is unplugged now is not proven gone,
    // and the deletion repeats exactly this test.
    if (IsDrivePath(name) && Is_MissingFolder(*this, name, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, name, name, {root, key, name}, DeleteTarget::Value,
                     {EvidenceTest::FolderMissing, name});
  });
}

}  // namespace keytidy
