#include "scan/check_skeleton.h"

#include "platform/command_path.h"
#include "platform/file_existence.h"
#include "platform/registry_view.h"
#include "platform/text.h"
#include "scan/add_found_entry.h"
#include "scan/evidence_hive.h"
#include "scan/key_content.h"

namespace keytidy {

void Walk_CheckItems(TRegistryCleaner& rc, const std::vector<std::wstring>& items, ItemCounter counter,
                     const std::function<void(const std::wstring& item)>& examine) {
  if (!items.empty()) {
    rc.Progress_SetMaximum(static_cast<std::int32_t>(items.size()));
    const auto count = static_cast<std::uint32_t>(items.size());
    if (counter == ItemCounter::ValuesByCount) rc.Count_ValuesScanned(count);
    if (counter == ItemCounter::KeysByCount) rc.Count_KeysScanned(count);
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    rc.Progress_SetPosition(static_cast<std::int32_t>(i));
    rc.ProcessPendingMessages();
    if (rc.Run.STOP_REQUESTED) continue;
    if (counter == ItemCounter::ValuesPerItem) rc.Count_ValuesScanned(1);
    if (counter == ItemCounter::KeysPerItem) rc.Count_KeysScanned(1);
    examine(items[i]);
  }
}

std::vector<std::wstring> List_ValueNames(RootKey root, const std::wstring& key) {
  std::vector<std::wstring> names;
  Reg_GetValueNames(root, key, names);
  return names;
}

std::vector<std::wstring> List_SubKeys(RootKey root, const std::wstring& key) {
  std::vector<std::wstring> names;
  Reg_GetSubKeys(root, key, names);
  return names;
}

std::wstring Uninstall_ListKey(bool use32BitBranch) {
  return use32BitBranch ? L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
                        : L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
}

namespace {

// The reference as written, only expanded and trimmed: what it names when
// none of it is arguments.
std::wstring WholeReference(const std::wstring& reference, RegistryView view) {
  std::wstring whole = reference;
  if (whole.find(L'%') != std::wstring::npos) Expand_ForView(whole, view);
  return Trim(whole);
}

PathPresence JudgedPresence(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  if (!IsDrivePath(path) || !rc.Judges(path)) return PathPresence::CannotTell;
  return FileOrFolderPresence_W64(path, view);
}

}  // namespace

std::wstring Resolve_FileReference(const TRegistryCleaner& rc, const std::wstring& text, bool rewriteProgramFiles,
                                   RegistryView view) {
  // The rewrite names the 64-bit folder, which is no 32-bit program's.
  const bool rewrite = rewriteProgramFiles && view == RegistryView::Native;
  const std::wstring reference = rewrite ? rc.Replace_ProgramFiles_W6432(text) : text;
  if (reference.empty()) return {};
  const std::wstring cleaned = Clean_FilePath(reference, view);
  // "C:\Users\Ann\Desktop\tool.exe - Shortcut.lnk" holds ".exe " and would
  // be cut to a program that may well be gone while the shortcut is there.
  // A reference that names something as it stands is taken as it stands.
  const std::wstring whole = WholeReference(reference, view);
  if (whole != cleaned && Is_PresentFileOrFolder(rc, whole, view)) return whole;
  return cleaned;
}

bool Is_MissingFile(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  return IsDrivePath(path) && !rc.FileExists_HDDS(path, view);
}

bool Is_MissingFileOrFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  return JudgedPresence(rc, path, view) == PathPresence::Missing;
}

bool Is_PresentFileOrFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  return JudgedPresence(rc, path, view) == PathPresence::Present;
}

bool Is_MissingFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  return !path.empty() && !rc.DirectoryExists_HDDS(path, view);
}

// Only a size the directory search reported counts; a file that cannot be
// listed is not called empty.
bool Is_ZeroSizeFile(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view) {
  if (!IsDrivePath(path) || !rc.FileExists_HDDS(path, view)) return false;
  const std::wstring seen = Path_AsViewSeesIt(path, view);
  FsRedirectionOff redirectionOff;
  const DirectoryEntry entry = Find_DirectoryEntry(seen);
  return entry.found && !entry.isDirectory && entry.size == 0;
}

namespace {

bool HasWow6432NodeComponent(const std::wstring& key) {
  const std::wstring upper = L"\\" + UpperCaseAscii(key) + L"\\";
  return upper.find(L"\\WOW6432NODE\\") != std::wstring::npos;
}

FindingEvidence Take_Evidence(const EvidenceTested& tested, const FindingPlace& rawAt, const FindingPlace& place,
                              DeleteTarget target) {
  FindingEvidence evidence;
  evidence.test = tested.test;
  evidence.target = tested.target;
  evidence.thirtyTwoBitBranch = HasWow6432NodeComponent(rawAt.key);
  evidence.root = rawAt.root;
  evidence.key = rawAt.key;
  evidence.value = rawAt.value;
  evidence.classesHive = Evidence_ClassesHive(rawAt.root, rawAt.key);
  evidence.raw = ReadValueData(rawAt.root, rawAt.key, rawAt.value);
  evidence.rawTaken = true;
  // Nothing else can tell that such a key changed: a value added, a
  // sub-key created, data rewritten.
  if (tested.test == EvidenceTest::NotRepeatable && target == DeleteTarget::Key) {
    evidence.keyShapeTaken = true;
    evidence.shapeRoot = place.root;
    evidence.shapeKey = place.key;
    evidence.keyShape = Read_KeyShapeInEvidenceHive(evidence, place.root, place.key);
  }
  return evidence;
}

}  // namespace

PVirtualNode Report_Finding(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                            const std::wstring& fullPath, const std::wstring& displayName, const FindingPlace& place,
                            DeleteTarget target, const EvidenceTested& tested,
                            const std::optional<FindingPlace>& rawAt) {
  PVirtualNode node = Add_FoundEntry(fullPath, displayName, rc.FTree, true, groupIndex, comboBoxIndex, place.root,
                                     place.key, place.value);
  if (!node) return nullptr;
  TTreeData_RegCleaner& entry = *GetEntry(node);
  entry.DeleteKey = target == DeleteTarget::Key;
  entry.DeleteValue = target == DeleteTarget::Value;
  entry.Delete_Root = place.root;
  entry.Delete_Key = place.key;
  entry.Delete_Value = target == DeleteTarget::Value ? place.value : std::wstring();
  entry.Evidence = Take_Evidence(tested, rawAt.value_or(place), place, target);
  return node;
}

}  // namespace keytidy
