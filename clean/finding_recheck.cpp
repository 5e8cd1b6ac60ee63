#include "clean/finding_recheck.h"

#include "platform/registry.h"
#include "platform/registry_view.h"
#include "scan/check_skeleton.h"
#include "scan/evidence_hive.h"
#include "scan/key_content.h"
#include "scan/leftover_judgement.h"
#include "scan/open_with_record.h"
#include "scan/typelib_registration.h"

namespace keytidy {

namespace {

// Class data is read again in the hive it came from, where the deletion
// acts, whichever hive the merged view shows meanwhile.
bool RawDataUnchanged(const FindingEvidence& evidence) {
  if (!evidence.rawTaken) return true;
  const std::optional<ConcreteKey> inHive = Evidence_KeyInHive(evidence, evidence.root, evidence.key);
  const std::optional<RegValueData> now = inHive ? ReadValueData(inHive->root, inHive->path, evidence.value)
                                                 : ReadValueData(evidence.root, evidence.key, evidence.value);
  return now == evidence.raw;
}

// A test that cannot be repeated leans on the data alone: the whole key
// must be as the search saw it, not only the value the check read.
bool KeyShapeUnchanged(const FindingEvidence& evidence) {
  return !evidence.keyShapeTaken ||
         Read_KeyShapeInEvidenceHive(evidence, evidence.shapeRoot, evidence.shapeKey) == evidence.keyShape;
}

// The empty-key checks' test: no values, no sub-keys (an empty default
// value would be a value).
bool IsEmptyKey(RootKey root, const std::wstring& key) {
  std::uint32_t values = 0, subKeys = 0;
  return Reg_KeyCounts(root, key, values, subKeys) && values == 0 && subKeys == 0;
}

bool TestStillFails(const TRegistryCleaner& rc, const FindingEvidence& evidence) {
  const RegistryView view = View_OfPass(evidence.thirtyTwoBitBranch);
  switch (evidence.test) {
    case EvidenceTest::None:
    case EvidenceTest::NotRepeatable: return true;
    case EvidenceTest::FileMissing: return Is_MissingFile(rc, evidence.target, view);
    case EvidenceTest::FileOrFolderMissing: return Is_MissingFileOrFolder(rc, evidence.target, view);
    case EvidenceTest::FolderMissing: return Is_MissingFolder(rc, evidence.target, view);
    case EvidenceTest::ZeroSizeFile: return Is_ZeroSizeFile(rc, evidence.target, view);
    case EvidenceTest::KeyEmpty: return IsEmptyKey(evidence.root, evidence.target);
    case EvidenceTest::TypeLibNotRegistered: return Is_TypeLibMissing(evidence.target);
    case EvidenceTest::UninstallEntryOrphaned:
      // Every rule again, not only the program: the install folder may be
      // back, or the entry may have been marked a system component since.
      return !Leftover_UninstallProgram(rc, evidence.root, evidence.key, view).empty();
    case EvidenceTest::KeyHoldsNothing: return Key_HoldsNothing(evidence.root, evidence.target);
    case EvidenceTest::ClassNotRegistered: return !Class_IsRegistered(evidence.target);
    case EvidenceTest::OpenWithRecordEmpty: return OpenWith_RecordIsEmpty(evidence.root, evidence.target);
    case EvidenceTest::OpenWithRecordUnused:
      return !Class_IsRegistered(evidence.target) && !OpenWith_HoldsWorkingChoice(evidence.root, evidence.key);
    case EvidenceTest::StartupEntryMissing: return !Reg_ValueExists(evidence.root, evidence.target, evidence.value);
  }
  return false;  // a test this build does not know: never delete on it
}

}  // namespace

bool Is_StillStale(const TRegistryCleaner& rc, const FindingEvidence& evidence) {
  if (evidence.test == EvidenceTest::None) return true;
  return RawDataUnchanged(evidence) && KeyShapeUnchanged(evidence) && TestStillFails(rc, evidence);
}

}  // namespace keytidy
