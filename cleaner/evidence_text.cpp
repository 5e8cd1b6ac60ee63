#include "cleaner/evidence_text.h"

#include "cleaner/raw_value_text.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/registry_view.h"
#include "platform/root_keys.h"
#include "platform/text.h"
#include "scan/own_rule_verdict.h"

namespace keytidy {

namespace {

constexpr wchar_t kIndent[] = L"    ";

// The text is built line by line.
class Lines {
 public:
  void Add(MessageKey label, const std::wstring& text) { Raw(Message(label) + L": " + text); }
  void Heading(MessageKey label) { Raw(Message(label) + L":"); }
  void Indented(const std::wstring& text) { Raw(kIndent + text); }
  const std::wstring& Text() const { return text_; }

 private:
  void Raw(const std::wstring& line) {
    if (!text_.empty()) text_ += L"\r\n";
    text_ += line;
  }
  std::wstring text_;
};

std::wstring KeyPath(RootKey root, const std::wstring& key) { return Reg_RootKeyName(root) + L"\\" + key; }

std::wstring ValueNameText(const std::wstring& name) {
  return name.empty() ? Message(MessageKey::MESSAGE_RC_EVIDENCE_DEFAULTVALUE) : name;
}

std::wstring CountOf(std::size_t number, MessageKey one, MessageKey many) {
  return std::to_wstring(number) + L" " + Message(number == 1 ? one : many);
}

bool TestsAPath(EvidenceTest test) {
  return test == EvidenceTest::FileMissing || test == EvidenceTest::FileOrFolderMissing ||
         test == EvidenceTest::FolderMissing || test == EvidenceTest::ZeroSizeFile ||
         test == EvidenceTest::UninstallEntryOrphaned;
}

// A finding the check could not test again on its own, that names a class
// key which does not exist, was reported because that class is not
// registered.
bool NamesMissingClass(const TTreeData_RegCleaner& entry) {
  const EvidenceTest test = entry.Evidence.test;
  return (test == EvidenceTest::None || test == EvidenceTest::NotRepeatable) && !entry.MissingKey.empty();
}

MessageKey VerdictOf(const TTreeData_RegCleaner& entry) {
  switch (entry.Evidence.test) {
    case EvidenceTest::FileMissing:
    case EvidenceTest::FileOrFolderMissing: return MessageKey::MESSAGE_RC_EVIDENCE_FILEMISSING;
    case EvidenceTest::FolderMissing: return MessageKey::MESSAGE_RC_EVIDENCE_FOLDERMISSING;
    case EvidenceTest::ZeroSizeFile: return MessageKey::MESSAGE_RC_EVIDENCE_ZEROSIZE;
    case EvidenceTest::KeyEmpty: return MessageKey::MESSAGE_RC_EVIDENCE_KEYEMPTY;
    case EvidenceTest::TypeLibNotRegistered: return MessageKey::MESSAGE_RC_EVIDENCE_TYPELIBMISSING;
    // The uninstaller is the file shown; its folder and icon are gone too.
    case EvidenceTest::UninstallEntryOrphaned: return MessageKey::MESSAGE_RC_EVIDENCE_FILEMISSING;
    case EvidenceTest::KeyHoldsNothing:
    case EvidenceTest::OpenWithRecordEmpty: return MessageKey::MESSAGE_RC_EVIDENCE_KEYEMPTY;
    case EvidenceTest::ClassNotRegistered:
    case EvidenceTest::OpenWithRecordUnused: return MessageKey::MESSAGE_RC_EVIDENCE_CLASSMISSING;
    case EvidenceTest::StartupEntryMissing: return MessageKey::MESSAGE_RC_EVIDENCE_STARTUPENTRYMISSING;
    case EvidenceTest::None:
    case EvidenceTest::NotRepeatable: break;
  }
  if (NamesMissingClass(entry)) return MessageKey::MESSAGE_RC_EVIDENCE_CLASSMISSING;
  if (const std::optional<OwnRuleVerdict> own = OwnRuleVerdict_OfCheck(entry.GroupIndex)) return own->text;
  return MessageKey::MESSAGE_RC_EVIDENCE_OWNRULE;
}

void AddWhatWasRead(Lines& lines, const TTreeData_RegCleaner& entry) {
  const FindingEvidence& evidence = entry.Evidence;
  // A finding that recorded nothing is shown where its row says it was read.
  const bool taken = evidence.rawTaken;
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_READFROM,
            taken ? KeyPath(evidence.root, evidence.key) : KeyPath(entry.RootKey, entry.Key));
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_VALUENAME, ValueNameText(taken ? evidence.value : entry.Value));
  if (!taken) return;
  // A class key read through the merged view: whose classes it was.
  if (evidence.classesHive)
    lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_HIVE, KeyPath(evidence.classesHive->root, evidence.classesHive->path));
  if (!evidence.raw) {
    lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_DATA, Message(MessageKey::MESSAGE_RC_EVIDENCE_NOTHINGREAD));
    return;
  }
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_TYPE,
            RegTypeName(evidence.raw->type) + L" (" +
                CountOf(evidence.raw->data.size(), MessageKey::MESSAGE_BYTE, MessageKey::MESSAGE_BYTES) + L")");
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_DATA, RawDataText(*evidence.raw));
}

void AddWhatWasTested(Lines& lines, const TTreeData_RegCleaner& entry, const EvidenceMachine& machine) {
  const FindingEvidence& evidence = entry.Evidence;
  std::wstring reference, tested;
  if (TestsAPath(evidence.test)) {
    reference = evidence.target;
    // A 32-bit program finds the system folder's files elsewhere.
    tested = Path_AsViewSeesIt(evidence.target, View_OfPass(evidence.thirtyTwoBitBranch), machine.windowsFolder,
                               machine.windows64);
  } else if (evidence.test == EvidenceTest::KeyEmpty || evidence.test == EvidenceTest::KeyHoldsNothing ||
             evidence.test == EvidenceTest::OpenWithRecordEmpty) {
    tested = KeyPath(evidence.root, evidence.target);
  } else if (evidence.test == EvidenceTest::ClassNotRegistered || evidence.test == EvidenceTest::OpenWithRecordUnused) {
    reference = evidence.target;
    tested = KeyPath(ROOT_HKEY_CLASSES_ROOT, evidence.target);
  } else if (evidence.test == EvidenceTest::StartupEntryMissing) {
    reference = evidence.value;
    tested = KeyPath(evidence.root, evidence.target);
  } else if (evidence.test == EvidenceTest::TypeLibNotRegistered) {
    reference = evidence.target;
    tested = KeyPath(ROOT_HKEY_CLASSES_ROOT, L"TypeLib\\" + evidence.target);
  } else if (NamesMissingClass(entry)) {
    reference = entry.MissingKey;
    tested = KeyPath(ROOT_HKEY_CLASSES_ROOT, entry.MissingKey);
  } else {
    // A rule of the check's own names what it looked at, as it is to be read.
    tested = evidence.target;
  }
  if (!reference.empty()) lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_REFERENCE, reference);
  if (!tested.empty()) lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_TESTED, tested);
  const bool sixtyFour = machine.windows64 && !evidence.thirtyTwoBitBranch;
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_VIEW,
            Message(sixtyFour ? MessageKey::MESSAGE_RC_EVIDENCE_VIEW64 : MessageKey::MESSAGE_RC_EVIDENCE_VIEW32));
}

// The first names, then how many more there are.
void AddList(Lines& lines, MessageKey label, const std::vector<std::wstring>& first, std::size_t total,
             bool valueNames) {
  if (first.empty()) return;
  lines.Heading(label);
  for (const std::wstring& name : first) lines.Indented(valueNames ? ValueNameText(name) : name);
  if (total > first.size())
    lines.Indented(ReplaceAllIgnoreCase(Message(MessageKey::MESSAGE_RC_EVIDENCE_MORE), L"%1",
                                        std::to_wstring(total - first.size())));
}

void AddWhatDeletionTakes(Lines& lines, const TTreeData_RegCleaner& entry, const DeletionPreview& preview) {
  if (!preview.exists) {
    lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_DELETES, Message(MessageKey::MESSAGE_RC_EVIDENCE_DELETES_NOTHING));
    return;
  }
  if (!preview.removesKey) {
    lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_DELETES, Message(MessageKey::MESSAGE_RC_EVIDENCE_DELETES_VALUE));
    lines.Indented(KeyPath(entry.Delete_Root, entry.Delete_Key));
    lines.Indented(ValueNameText(entry.Delete_Value));
    return;
  }
  std::wstring counts = ReplaceAllIgnoreCase(Message(MessageKey::MESSAGE_RC_EVIDENCE_DELETES_KEY), L"%1",
                                             std::to_wstring(preview.subKeys));
  counts = ReplaceAllIgnoreCase(counts, L"%2", std::to_wstring(preview.values));
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_DELETES, counts);
  lines.Indented(KeyPath(entry.Delete_Root, entry.Delete_Key));
  AddList(lines, MessageKey::MESSAGE_RC_EVIDENCE_SUBKEYS, preview.firstSubKeys, preview.subKeys, false);
  AddList(lines, MessageKey::MESSAGE_RC_EVIDENCE_VALUES, preview.firstValues, preview.keyValues, true);
}

}  // namespace

EvidenceMachine EvidenceMachine_OfThisComputer() { return {IsWindows64(), WindowsFolder()}; }

std::wstring Evidence_Text(const TTreeData_RegCleaner& entry, const DeletionPreview& preview,
                           const EvidenceMachine& machine) {
  Lines lines;
  lines.Add(MessageKey::MESSAGE_RC_EVIDENCE_VERDICT, Message(VerdictOf(entry)));
  AddWhatWasRead(lines, entry);
  AddWhatWasTested(lines, entry, machine);
  AddWhatDeletionTakes(lines, entry, preview);
  return lines.Text();
}

}  // namespace keytidy
