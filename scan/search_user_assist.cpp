// Explorer's program-usage counters whose program is gone. The value names
// are the encoded programs; older systems prefix them with a tag such as
// UEME_RUNPATH:, newer ones store the path alone or a known-folder
// identifier in braces followed by a relative path. The path may be a
// shortcut or a folder as well as a program.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"
#include "scan/decode_rot13.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_WINDOWSHISTORY_USERASSIST(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring base = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist";
  Reg_RedirectCurrentUser(root, base);
  CriticalErrorBoxesOff errorBoxesOff;
  for (const std::wstring& counterSet : List_SubKeys(root, base)) {
    const std::wstring key = base + L"\\" + counterSet + L"\\Count";
    // The progress bar shows the values of one counter set at a time.
    Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
      const auto reportIfMissing = [&](const std::wstring& path) {
        if (!Is_MissingFileOrFolder(*this, path, RegistryView::Native) || !Reg_KeyExistsWritable(root, key)) return;
        PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, path, path, {root, key, name},
                                           DeleteTarget::Value, {EvidenceTest::FileOrFolderMissing, path});
        if (node) GetEntry(node)->DisplayName = GetEntry(node)->Filename;
      };
      // Both readings are tried, each on its own: the text after the tag,
      // and the whole name. A name matching both gives two findings.
      const std::wstring decoded = Decode_Rot13(name);
      const size_t colon = decoded.find(L':');
      if (colon != std::wstring::npos)
        reportIfMissing(Resolve_FileReference(*this, decoded.substr(colon + 1), false, RegistryView::Native));
      reportIfMissing(Resolve_FileReference(*this, decoded, false, RegistryView::Native));
    });
  }
}

}  // namespace keytidy
