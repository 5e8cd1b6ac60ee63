// Explorer's per-user records of how each extension was last opened
// (FileExts): records that hold no choice, and records for extensions no
// longer registered at all. A record that still holds a working choice of
// the user's is kept; only its stale parts are reported.
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_skeleton.h"
#include "scan/open_with_record.h"

namespace keytidy {

namespace {

const std::wstring kFileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

bool IsOneOf(const std::wstring& upperName, std::initializer_list<std::wstring_view> names) {
  for (std::wstring_view name : names)
    if (upperName == name) return true;
  return false;
}

// The open-with records of the desktop user, walked with the shared
// progress, stop and counter steps.
void Walk_OpenWithRecords(
    TRegistryCleaner& rc,
    const std::function<void(RootKey root, const std::wstring& record, const std::wstring& extension)>& examine) {
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring fileExts = kFileExts;
  Reg_RedirectCurrentUser(root, fileExts);
  Walk_CheckItems(rc, List_SubKeys(root, fileExts), ItemCounter::KeysPerItem, [&](const std::wstring& extension) {
    if (extension.empty() || extension.front() != L'.') return;
    examine(root, fileExts + L"\\" + extension, extension);
  });
}

}  // namespace

void TRegistryCleaner::SEARCH_EMPTYOPENWITH(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  Walk_OpenWithRecords(*this, [&](RootKey root, const std::wstring& record, const std::wstring& extension) {
    if (IsOneOf(UpperCaseAscii(extension), {L".MANIFEST", L".KEY", L".EXE", L".XHT", L".", L".XHTML", L".JSON"}))
      return;
    if (!OpenWith_RecordIsEmpty(root, record)) return;
    if (Reg_KeyExistsWritable(root, record))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", extension, {root, record, L""}, DeleteTarget::Key,
                     {EvidenceTest::OpenWithRecordEmpty, record});
  });
}

void TRegistryCleaner::SEARCH_INVALID_OPENWITH(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
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
      if (entry.GroupIndex == CheckId::EmptyOpenWith && entry.Delete_Root == userRoot)
        reportedEmpty.insert(entry.Delete_Key);
    }

  Walk_OpenWithRecords(*this, [&](RootKey root, const std::wstring& record, const std::wstring& extension) {
    if (IsOneOf(UpperCaseAscii(extension), {L".MANIFEST", L".XHT", L".KEY", L".EXE", L".CHM", L".EPUB", L".EML"}))
      return;
    if (extension.find(L'"') != std::wstring::npos) return;
    if (Class_IsRegistered(extension)) return;
    if (reportedEmpty.contains(record) || !Reg_KeyExistsWritable(root, record)) return;
    if (!OpenWith_HoldsWorkingChoice(root, record)) {
      Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", extension, {root, record, L""}, DeleteTarget::Key,
                     {EvidenceTest::OpenWithRecordUnused, extension});
      return;
    }
    // The user's working choice stays; what names an unregistered program
    // goes on its own.
    for (const OpenWithStalePart& part : OpenWith_StaleParts(root, record)) {
      // A UserChoice is judged by its ProgId, which must not change either.
      const std::optional<FindingPlace> rawAt =
          part.target == DeleteTarget::Key ? std::optional<FindingPlace>({root, part.key, L"ProgId"}) : std::nullopt;
      Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", extension, {root, part.key, part.value}, part.target,
                     {EvidenceTest::ClassNotRegistered, part.programId}, rawAt);
    }
  });
}

}  // namespace keytidy
