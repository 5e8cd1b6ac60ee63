// The open/save dialog's recent-file lists, one sub-key per file
// extension, whose files are gone.
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_LOSTMRU(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring base = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
  Reg_RedirectCurrentUser(root, base);
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, base), ItemCounter::KeysPerItem, [&](const std::wstring& extension) {
    const std::wstring key = base + L"\\" + extension;
    for (const std::wstring& name : List_ValueNames(root, key)) {
      // MRUList only holds the order of the other values (letters).
      if (UpperCaseAscii(name) == L"MRULIST") continue;
      const std::wstring path =
          Resolve_FileReference(*this, Reg_ReadString(root, key, name), true, RegistryView::Native);
      if (Is_MissingFile(*this, path, RegistryView::Native) && Reg_KeyExistsWritable(root, key))
        Report_Finding(*this, GroupIndex, ComboBoxIndex, path, extension, {root, key, name}, DeleteTarget::Value,
                       {EvidenceTest::FileMissing, path});
    }
  });
}

}  // namespace keytidy
