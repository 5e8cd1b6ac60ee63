// Program identifiers whose default icon names a file that is gone. Only
// the DefaultIcon key (or, when it holds more, its default value) goes; the
// identifier itself may still work.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"
#include "scan/class_finding_scope.h"
#include "scan/class_key_walk.h"
#include "scan/extension_lookup.h"
#include "scan/icon_index.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_FILEFORMAT_WRONGICON(const KeyList& KeyListe, CheckId GroupIndex,
                                                   FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
  CriticalErrorBoxesOff errorBoxesOff;
  TExtensionsOfClass extensions(KeyListe, ClassKeys);
  Walk_ClassKeys(*this, KeyListe, [&](const std::wstring& key) {
    if (key.empty() || key.front() == L'{' || key.front() == L'.' || Is_LeftAloneJournalKey(key)) return;
    const std::wstring iconKey = key + L"\\DefaultIcon";
    const RegKeyGlance icon = ClassKeys.Of(iconKey);
    if (!icon.exists) return;
    const std::optional<std::wstring> iconFile = Strip_IconIndex(icon.defaultText);
    if (!iconFile) return;
    const std::wstring path = Resolve_FileReference(*this, *iconFile, true, RegistryView::Native);
    if (!Is_MissingFile(*this, path, RegistryView::Native) || !Reg_KeyExistsWritable(HKCR, iconKey)) return;
    PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, path, key, {HKCR, iconKey, L""},
                                       DeleteTarget::Key, {EvidenceTest::FileMissing, path});
    if (!node) return;
    TTreeData_RegCleaner& entry = *GetEntry(node);
    Apply_FindingScope(entry, Scope_DefaultIcon(key));
    entry.Filename = path;
    entry.AdditionalInfo = extensions.Of(key);
  });
}

}  // namespace keytidy
