// Type-library versions whose help-folder key was left with nothing in it.
#include <array>

#include "platform/registry.h"
#include "scan/check_skeleton.h"
#include "scan/com_class_walk.h"
#include "scan/key_content.h"

namespace keytidy {

namespace {

// Two libraries whose help keys are left as they are.
bool Is_LibraryLeftAlone(const std::wstring& libid) {
  constexpr std::array<std::wstring_view, 2> kLibraries = {L"{957191F2-F78B-41C6-87D6-87D562930EA9}",
                                                           L"{C2EF276A-4D20-44E9-B9D2-29F129EB826B}"};
  for (std::wstring_view left : kLibraries)
    if (libid == left) return true;
  return false;
}

// Nothing but an empty default value (or not even that), and no sub-keys:
// a single named value, even an empty one, is something.
bool Is_EmptyHelpDir(const std::wstring& key) { return Key_HoldsNothing(ROOT_HKEY_CLASSES_ROOT, key); }

}  // namespace

void TRegistryCleaner::SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                    bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const std::wstring typeLibs = USE_WOW6432Node_Now ? L"Wow6432Node\\TypeLib" : L"TypeLib";
  const KeyList libraries = List_SubKeys(ROOT_HKEY_CLASSES_ROOT, typeLibs);
  Progress_SetMaximum(static_cast<std::int32_t>(libraries.size()));
  for (const std::wstring& libid : libraries) {
    ProcessPendingMessages();
    if (Run.STOP_REQUESTED) continue;
    Count_KeysScanned(1);
    if (Is_LibraryLeftAlone(libid)) continue;
    const std::wstring library = typeLibs + L"\\" + libid;
    for (const std::wstring& version : List_SubKeys(ROOT_HKEY_CLASSES_ROOT, library)) {
      const std::wstring key = library + L"\\" + version + L"\\HELPDIR";
      if (!Is_EmptyHelpDir(key)) continue;
      // Where both views show the same library, the native pass has it.
      if (USE_WOW6432Node_Now && Find_EntryByDeleteKey(GroupIndex, ROOT_HKEY_CLASSES_ROOT,
                                                       L"TypeLib\\" + libid + L"\\" + version + L"\\HELPDIR"))
        continue;
      std::wstring title = Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, library + L"\\" + version, L"");
      if (title.empty()) title = libid + L"\\" + version;
      if (!Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key)) continue;
      // The rule cannot be repeated as a test of its own; the default value
      // it read is compared again before deleting.
      const std::wstring tested = Reg_RootKeyName(ROOT_HKEY_CLASSES_ROOT) + L"\\" + key;
      PVirtualNode node = Report_ClassesSubKey(*this, GroupIndex, ComboBoxIndex, L"", title, key,
                                               {EvidenceTest::NotRepeatable, tested});
      if (node) GetEntry(node)->AdditionalInfo = version + L"\\HELPDIR";
    }
  }
}

}  // namespace keytidy
