// The recent-file list of an accessory (the driver passes Paint's and
// WordPad's, already moved to the desktop user's hive). Values File1,
// File2, ... each name one document.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_MRU_APPLETS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey rootkey,
                                          const std::wstring& Key) {
  if (Run.STOP_REQUESTED || !Reg_KeyExistsWritable(rootkey, Key)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_ValueNames(rootkey, Key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    const std::wstring path =
        Resolve_FileReference(*this, Reg_ReadString(rootkey, Key, name), true, RegistryView::Native);
    if (!Is_MissingFile(*this, path, RegistryView::Native)) return;
    PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {rootkey, Key, name},
                                       DeleteTarget::Value, {EvidenceTest::FileMissing, path});
    if (node) GetEntry(node)->DisplayName = GetEntry(node)->Filename;
  });
}

}  // namespace keytidy
