// Windows Installer's list of folders it created: a value name ending in a
// backslash is a folder; reported when that folder is gone.
#include "platform/error_mode.h"
#include "platform/file_existence.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_INSTALLERPATH(std::int32_t GroupIndex, std::int32_t ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
  CriticalErrorBoxesOff errorBoxesOff;
  if (!Reg_KeyExistsWritable(root, key)) return;
  Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    if (name.empty() || name.back() != L'\\') return;
    // The plain folder test: these are folders the installer made on this
    // machine, so the drive list does not apply.
    if (IsDrivePath(name) && Directory_Presence(name) == PathPresence::Missing)
      Report_Finding(*this, GroupIndex, ComboBoxIndex, name, name, {root, key, name}, DeleteTarget::Value,
                     {EvidenceTest::FolderMissing, name});
  });
}

}  // namespace keytidy
