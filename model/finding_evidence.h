#pragma once
// What a check tested when it reported a finding, and the raw data it read.
// The deletion run repeats the test right before it deletes (the program
// may have been reinstalled, the drive may be back, the key changed), and
// the same record is what a user can be shown as the reason for a finding.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_snapshot.h"
#include "platform/concrete_key.h"
#include "platform/root_keys.h"

namespace keytidy {

enum class EvidenceTest {
  None,                    // nothing recorded: the finding did not come from a check
  NotRepeatable,           // the check's test cannot be repeated on its own; the raw data still must not change
  FileMissing,             // `target` is a file that Is_MissingFile calls missing
  FileOrFolderMissing,     // `target` names neither a file nor a folder (Is_MissingFileOrFolder)
  FolderMissing,           // `target` is a folder that Is_MissingFolder calls missing
  ZeroSizeFile,            // `target` is a file that Is_ZeroSizeFile finds empty
  KeyEmpty,                // the raw-data key holds no values and no sub-keys
  TypeLibNotRegistered,    // `target` is a library identifier Is_TypeLibMissing calls missing
  UninstallEntryOrphaned,  // the uninstall entry at `key` is a leftover (Leftover_UninstallProgram);
                           // `target` is its missing uninstall program
  KeyHoldsNothing,         // the key `target` holds no sub-key and no value but an empty default value
  ClassNotRegistered,      // `target` is a class name (program identifier) HKEY_CLASSES_ROOT does not have
  OpenWithRecordEmpty,     // the open-with record `target` names no program and its lists hold nothing
  OpenWithRecordUnused,    // `target` is an extension HKEY_CLASSES_ROOT does not have, and no program the
                           // open-with record at `key` names exists
  StartupEntryMissing,     // the start-up key `target` has no value named like the state value at `key`
};

// Everything a key holds at its own level: its values (name, type, data)
// and the names of its sub-keys. For findings whose test cannot be repeated
// on its own, the deletion compares the whole key, not one value of it.
struct KeyShape {
  std::map<std::wstring, RegValueData> values;
  std::vector<std::wstring> subKeys;  // upper-case, sorted
  bool operator==(const KeyShape&) const = default;
};

struct FindingEvidence {
  EvidenceTest test = EvidenceTest::None;
  std::wstring target;              // the file, folder or library identifier tested
  bool thirtyTwoBitBranch = false;  // read on a Wow6432Node branch (judged as a 32-bit program would)
  // Where the data was read that led to the test, and that data as it was
  // (no value: it did not exist). A key finding with nothing read below it
  // records the key's default value.
  RootKey root = 0;
  std::wstring key;
  std::wstring value;
  bool rawTaken = false;
  std::optional<RegValueData> raw;
  // For data read through HKEY_CLASSES_ROOT: the classes root it came from,
  // HKEY_USERS\<SID>_Classes (or <SID>\Software\Classes) or
  // HKEY_LOCAL_MACHINE\Software\Classes. None when the key was in neither.
  std::optional<ConcreteKey> classesHive;
  // For a key finding whose test cannot be repeated: the key the finding
  // deletes and all it held at its own level when the search saw it (no
  // shape: it could not be read).
  bool keyShapeTaken = false;
  RootKey shapeRoot = 0;
  std::wstring shapeKey;
  std::optional<KeyShape> keyShape;
};

// What a check passes along with a finding: its test and the tested item.
struct EvidenceTested {
  EvidenceTest test = EvidenceTest::NotRepeatable;
  std::wstring target;
};

}  // namespace keytidy
