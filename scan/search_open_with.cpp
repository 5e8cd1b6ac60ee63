// Explorer's per-user records of how each extension was last opened
// (FileExts): records that hold no choice, and records for extensions no
// longer registered at all.
#include <functional>
#include <string_view>
#include <unordered_set>

#include "platform/text.h"
#include "scan/categories.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

const std::wstring kFileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

bool IsOneOf(const std::wstring& upperName, std::initializer_list<std::wstring_view> names) {
  for (std::wstring_view name : names)
    if (upperName == name) return true;
  return false;
}

// A record that names a program holds the user's choice. Besides the
// program identifier ("ProgID"), Windows XP writes the program the user
// picked in "Always open with" as "Application" on the record itself: such
// a record is not empty, however bare its sub-keys are.
bool RecordNamesProgram(RootKey root, const std::wstring& record) {
  return !Reg_ReadString(root, record, L"").empty() || Reg_ValueExists(root, record, L"ProgID") ||
         Reg_ValueExists(root, record, L"Application");
}

bool AnySubKeyHasValues(RootKey root, const std::wstring& record) {
  for (const std::wstring& sub : List_SubKeys(root, record))
    if (Reg_ValueCount(root, record + L"\\" + sub) > 0) return true;
  return false;
}

// The open-with records of the desktop user, walked with the shared
// progress, stop and counter steps.
void Walk_OpenWithRecords(TRegistryCleaner& rc,
                          const std::function<void(RootKey root, const std::wstring& record,
                                                   const std::wstring& extension)>& examine) {
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring fileExts = kFileExts;
  Reg_RedirectCurrentUser(root, fileExts);
  Walk_CheckItems(rc, List_SubKeys(root, fileExts), ItemCounter::KeysPerItem, [&](const std::wstring& extension) {
    if (extension.empty() || extension.front() != L'.') return;
    examine(root, fileExts + L"\\" + extension, extension);
  });
}

}  // namespace

void TRegistryCleaner::SEARCH_EMPTYOPENWITH(std::int32_t GroupIndex, std::int32_t ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  Walk_OpenWithRecords(*this, [&](RootKey root, const std::wstring& record, const std::wstring& extension) {
    if (IsOneOf(UpperCaseAscii(extension),
                {L".MANIFEST", L".KEY", L".EXE", L".XHT", L".", L".XHTML", L".JSON"}))
      return;
    if (RecordNamesProgram(root, record) || AnySubKeyHasValues(root, record)) return;
    if (Reg_KeyExistsWritable(root, record))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", extension, {root, record, L""}, DeleteTarget::Key);
  });
}

void TRegistryCleaner::SEARCH_INVALID_OPENWITH(std::int32_t GroupIndex, std::int32_t ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  // Records the empty-record check has already reported are not reported
  // twice. Its findings are gathered once up front rather than searched for
  // per record, which would cost records times findings.
  std::unordered_set<std::wstring> reportedEmpty;
  RootKey userRoot = ROOT_HKEY_CURRENT_USER;
  std::wstring fileExts = kFileExts;
  Reg_RedirectCurrentUser(userRoot, fileExts);
  if (FTree)
    for (PVirtualNode node : *FTree) {
      const TTreeData_RegCleaner& entry = TResultTree::Data(node);
      if (entry.GroupIndex == kGroup_EmptyOpenWith && entry.Delete_Root == userRoot)
        reportedEmpty.insert(entry.Delete_Key);
    }

  Walk_OpenWithRecords(*this, [&](RootKey root, const std::wstring& record, const std::wstring& extension) {
    if (IsOneOf(UpperCaseAscii(extension), {L".MANIFEST", L".XHT", L".KEY", L".EXE", L".CHM", L".EPUB", L".EML"}))
      return;
    if (extension.find(L'"') != std::wstring::npos) return;
    if (Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, extension)) return;
    if (reportedEmpty.contains(record)) return;
    if (Reg_KeyExistsWritable(root, record))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", extension, {root, record, L""}, DeleteTarget::Key);
  });
}

}  // namespace keytidy
