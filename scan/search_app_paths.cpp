// Application paths (the programs "Run" finds by name) and the program
// compatibility records, both keyed by the program they describe.
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

bool EndsWithExe(const std::wstring& name) {
  const std::wstring upper = UpperCaseAscii(name);
  return upper.size() >= 4 && upper.compare(upper.size() - 4, 4, L".EXE") == 0;
}

// References into the 32-bit program folder cannot be judged from the
// native view, so they are left alone.
bool PointsIntoProgramFiles(const std::wstring& text) {
  const std::wstring upper = UpperCaseAscii(text);
  return Contains(upper, L"%PROGRAMFILES%") || Contains(upper, L"(X86)\\");
}

}  // namespace

void TRegistryCleaner::SEARCH_APPPATHS(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  if (!Reg_KeyExistsWritable(root, kAppPaths)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, kAppPaths), ItemCounter::KeysPerItem, [&](const std::wstring& name) {
    if (!EndsWithExe(name)) return;
    const std::wstring key = kAppPaths + L"\\" + name;
    const std::wstring target = Reg_ReadString(root, key, L"");
    if (PointsIntoProgramFiles(target)) return;
    const std::wstring path = Resolve_FileReference(*this, target, false, RegistryView::Native);
    if (Contains(UpperCaseAscii(path), L"(X86)\\")) return;
    // An application path may name a folder; "Run" opens it.
    if (Is_MissingFileOrFolder(*this, path, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {root, key, L""}, DeleteTarget::Key,
                     {EvidenceTest::FileOrFolderMissing, path});
  });
}

void TRegistryCleaner::SEARCH_APPPATHS_EMPTY(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  if (!Reg_KeyExistsWritable(root, kAppPaths)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, kAppPaths), ItemCounter::KeysPerItem, [&](const std::wstring& name) {
    if (!EndsWithExe(name)) return;
    const std::wstring key = kAppPaths + L"\\" + name;
    std::uint32_t values = 0, subKeys = 0;
    if (!Reg_KeyCounts(root, key, values, subKeys) || values != 0 || subKeys != 0) return;
    if (!Reg_ReadString(root, key, L"").empty()) return;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, UpperCaseAscii(name), name, {root, key, L""}, DeleteTarget::Key,
                   {EvidenceTest::KeyEmpty, key});
  });
}

void TRegistryCleaner::SEARCH_APPPATHS_VALUES(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const std::wstring layers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  const std::wstring persisted =
      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";
  for (const std::wstring& key : {layers, persisted}) {
    Search_AppCompatValues(ROOT_HKEY_LOCAL_MACHINE, key, ComboBoxIndex, GroupIndex);
    RootKey userRoot = ROOT_HKEY_CURRENT_USER;
    std::wstring userKey = key;
    Reg_RedirectCurrentUser(userRoot, userKey);
    Search_AppCompatValues(userRoot, userKey, ComboBoxIndex, GroupIndex);
  }
}

// The value names are the programs themselves, written as full paths.
void TRegistryCleaner::Search_AppCompatValues(RootKey Root, const std::wstring& Key, FilterCategory ComboBoxIndex,
                                              CheckId GroupIndex) {
  if (!Reg_KeyExistsWritable(Root, Key)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_ValueNames(Root, Key), ItemCounter::ValuesPerItem, [&](const std::wstring& name) {
    const std::wstring upper = UpperCaseAscii(name);
    if (IsDrivePath(upper) && EndsWithExe(upper) && !FileExists_HDDS(upper, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, name, name, {Root, Key, name}, DeleteTarget::Value,
                     {EvidenceTest::FileMissing, upper});
  });
}

}  // namespace keytidy
