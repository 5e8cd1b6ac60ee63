#include "scan/add_found_entry.h"

#include <array>
#include <string_view>

#include "platform/text.h"

namespace keytidy {

namespace {

// Paths that are never reported, tested on the upper-cased path in this
// order: the files of a few products whose registrations must be left as
// they are, a core system library, and wildcards, which name no single file.
constexpr std::array<std::wstring_view, 8> kExcludedPathParts = {
    L"\\INCREDIMAIL\\", L"\\VBE\\", L"\\ETRUST", L"\\UMXEVENTCLI.DLL", L"\\UMXXMLSDP.DLL", L"\\OLE32.DLL", L"?", L"*",
};

}  // namespace

bool Is_ExcludedFoundPath(const std::wstring& fullPath) {
  if (fullPath.empty()) return false;
  for (std::wstring_view part : kExcludedPathParts)
    if (ContainsUpperAscii(fullPath, part)) return true;
  return false;
}

std::size_t Find_LastInnerBackslash(const std::wstring& path) {
  if (path.size() < 2) return std::wstring::npos;
  return path.rfind(L'\\', path.size() - 2);
}

void Derive_FilenameAndFolder(const std::wstring& fullPath, std::wstring& filename, std::wstring& folder) {
  filename.clear();
  folder.clear();
  if (fullPath.find(L'\\') == std::wstring::npos) return;
  const std::size_t slash = Find_LastInnerBackslash(fullPath);
  if (slash == std::wstring::npos) {
    folder = fullPath.substr(0, fullPath.size() - 1);  // "abc\" gives "abc"
    return;
  }
  filename = fullPath.substr(slash + 1);
  folder = fullPath.substr(0, slash);
}

PVirtualNode Add_FoundEntry(const std::wstring& fullPath, const std::wstring& displayName, TResultTree* tree,
                            bool checked, CheckId groupIndex, FilterCategory comboBoxIndex, RootKey rootKey,
                            const std::wstring& key, const std::wstring& value) {
  if (!tree || Is_ExcludedFoundPath(fullPath)) return nullptr;
  PVirtualNode node =
      tree->AddChild(CheckType::TriStateCheckBox, checked ? CheckState::Checked : CheckState::Unchecked);
  TTreeData_RegCleaner& entry = TResultTree::Data(node);
  entry.DisplayName = displayName;
  entry.FullPath = fullPath;
  Derive_FilenameAndFolder(fullPath, entry.Filename, entry.Folder);
  entry.RootKey = rootKey;
  entry.Key = key;
  entry.Value = value;
  entry.GroupIndex = groupIndex;
  entry.ComboBoxIndex = comboBoxIndex;
  return node;
}

}  // namespace keytidy
