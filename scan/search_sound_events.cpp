// Sound events of the user's sound scheme whose wave file is gone: both the
// current and the default sound of every event of every application.
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

struct SoundSlot {
  const wchar_t* name;       // the sub-key below the event
  bool rewriteProgramFiles;  // only the current sound gets the 64-bit rewrite
};

constexpr SoundSlot kSlots[] = {{L".Current", true}, {L".Default", false}};

}  // namespace

void TRegistryCleaner::SEARCH_MEDIA(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring base = L"AppEvents\\Schemes\\Apps";
  Reg_RedirectCurrentUser(root, base);
  if (!Reg_KeyExists(root, base)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  for (const std::wstring& application : List_SubKeys(root, base)) {
    const std::wstring applicationKey = base + L"\\" + application;
    for (const std::wstring& event : List_SubKeys(root, applicationKey)) {
      ProcessPendingMessages();
      if (Run.STOP_REQUESTED) continue;
      Count_KeysScanned(1);
      for (const SoundSlot& slot : kSlots) {
        const std::wstring key = applicationKey + L"\\" + event + L"\\" + slot.name;
        const std::wstring path = Resolve_FileReference(*this, Reg_ReadString(root, key, L""), slot.rewriteProgramFiles,
                                                        RegistryView::Native);
        if (!Is_MissingFile(*this, path, RegistryView::Native) || !Reg_KeyExistsWritable(root, key)) continue;
        PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, path, event + L"\\" + slot.name,
                                           {root, key, L""}, DeleteTarget::Value, {EvidenceTest::FileMissing, path});
        if (!node) continue;
        // The application's own display name, when it has one, says more
        // than its key name.
        const std::wstring applicationName = Reg_ReadString(root, applicationKey, L"");
        GetEntry(node)->AdditionalInfo = Trim(applicationName).empty() ? application : applicationName;
      }
    }
  }
}

}  // namespace keytidy
