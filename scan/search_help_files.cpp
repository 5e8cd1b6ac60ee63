// Help-file registrations: a value names the help file, its data the folder
// that holds it. Reported when the file is missing, or (group of its own)
// when it is there but empty.
#include "platform/error_mode.h"
#include "platform/file_existence.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

std::wstring HelpKey(bool wow6432Node, const std::wstring& subKey) {
  return (wow6432Node ? L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\" : L"SOFTWARE\\Microsoft\\Windows\\") + subKey;
}

// Folder data + value name; empty data gives no reference at all.
std::wstring HelpFileReference(RootKey root, const std::wstring& key, const std::wstring& name) {
  std::wstring folder = Reg_ReadString(root, key, name);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder == L"\\" ? std::wstring() : folder + name;
}

// Both help checks walk the same key and differ only in what they test.
void WalkHelpFiles(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex, bool wow6432Node,
                   const std::wstring& subKey, EvidenceTest test) {
  if (rc.Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = HelpKey(wow6432Node, subKey);
  if (!Reg_KeyExistsWritable(root, key)) return;
  const RegistryView view = View_OfPass(wow6432Node);
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(rc, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    const std::wstring path = Resolve_FileReference(rc, HelpFileReference(root, key, name), !wow6432Node, view);
    const bool found =
        test == EvidenceTest::ZeroSizeFile ? Is_ZeroSizeFile(rc, path, view) : Is_MissingFile(rc, path, view);
    if (found)
      Report_Finding(rc, groupIndex, comboBoxIndex, path, name, {root, key, name}, DeleteTarget::Value, {test, path});
  });
}

}  // namespace

void TRegistryCleaner::SEARCH_HELPFILES(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now,
                                        const std::wstring& SubKey) {
  WalkHelpFiles(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, SubKey, EvidenceTest::FileMissing);
}

void TRegistryCleaner::SEARCH_HELPFILES_ZEROBYTES(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                  bool USE_WOW6432Node_Now, const std::wstring& SubKey) {
  WalkHelpFiles(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, SubKey, EvidenceTest::ZeroSizeFile);
}

}  // namespace keytidy
