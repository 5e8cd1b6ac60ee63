// The Windows XP start-menu order: one key per menu folder the user has
// arranged. A key whose folder exists in none of the four start-menu
// locations is left over. Newer Windows keeps no such keys.
#include <windows.h>
#include <shlobj.h>

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

const std::wstring kMenuOrderBase =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs";

}  // namespace

void TRegistryCleaner::SEARCH_MISSING_STARTMENU(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  if (Windows_Version().major >= 6) return;
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring base = kMenuOrderBase;
  Reg_RedirectCurrentUser(root, base);
  for (const std::wstring& folder : List_SubKeys(root, base)) {
    if (Run.STOP_REQUESTED) continue;
    Search_StartMenuOrderKey(root, base + L"\\" + folder, ComboBoxIndex, GroupIndex);
  }
}

// Children first: a nested menu folder is examined, and reported, before
// the folder that holds it.
void TRegistryCleaner::Search_StartMenuOrderKey(RootKey Root, const std::wstring& Key, FilterCategory ComboBoxIndex,
                                                CheckId GroupIndex) {
  const std::vector<std::wstring> children = List_SubKeys(Root, Key);
  if (!children.empty()) {
    Progress_SetMaximum(static_cast<std::int32_t>(children.size()));
    Count_KeysScanned(static_cast<std::uint32_t>(children.size()));
    for (std::size_t i = 0; i < children.size(); ++i) {
      Progress_SetPosition(static_cast<std::int32_t>(i));
      ProcessPendingMessages();
      if (!Run.STOP_REQUESTED) Search_StartMenuOrderKey(Root, Key + L"\\" + children[i], ComboBoxIndex, GroupIndex);
    }
  }
  // The menu path relative to "Programs": the key path after the base and
  // its backslash (the base is only ever used without a user prefix, since
  // the desktop user's SID is not known before Windows Vista).
  const std::size_t baseLength = kMenuOrderBase.size() + 1;
  const std::wstring relative = Key.size() > baseLength ? Key.substr(baseLength) : std::wstring();
  std::wstring candidates[4];
  const int folders[4] = {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU};
  for (int i = 0; i < 4; ++i) {
    const std::wstring folder = GetSpecialFolderPath(nullptr, folders[i]);
    if (Trim(folder).empty()) return;  // without every location nothing can be judged
    candidates[i] = folder + L"\\" + relative;
  }
  // Missing means missing from all four; one that cannot be examined may
  // be the one that holds the entries.
  for (const std::wstring& candidate : candidates)
    if (Directory_Presence(candidate) != PathPresence::Missing) return;
  if (!Reg_KeyExistsWritable(Root, Key)) return;
  // Four folders, so no single-folder test the deletion could repeat; it
  // compares the data read instead. "|" can be in no folder name.
  std::wstring tested = candidates[0];
  for (int i = 1; i < 4; ++i) tested += L" | " + candidates[i];
  PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", relative, {Root, Key, L""},
                                     DeleteTarget::Key, {EvidenceTest::NotRepeatable, tested});
  if (node) GetEntry(node)->AdditionalInfo = relative;
}

}  // namespace keytidy
