#pragma once
// Which hive a finding's class data came from. Through the merged classes
// view a class key may be the user's or the machine's; the finding records
// the classes root its data was read in, so that the re-check reads the
// data again there and the deletion acts there, and nowhere else.
#include <optional>
#include <string>

#include "platform/concrete_key.h"
#include "model/finding_evidence.h"

namespace keytidy {

// The classes root (user's or machine's) that `key` below
// HKEY_CLASSES_ROOT is read from right now; none for another root or a
// key neither hive holds.
std::optional<ConcreteKey> Evidence_ClassesHive(RootKey root, const std::wstring& key);

// `key` below `root` as a key of the hive the evidence came from: for a
// class key that is the evidence key or lies above it (what a finding
// deletes or compares), when the evidence recorded its hive. None
// otherwise: the merged view decides for such a key.
std::optional<ConcreteKey> Evidence_KeyInHive(const FindingEvidence& evidence, RootKey root, const std::wstring& key);

// What `key` holds at its own level (Read_KeyShape), read in the evidence's
// hive where Evidence_KeyInHive names a key there.
std::optional<KeyShape> Read_KeyShapeInEvidenceHive(const FindingEvidence& evidence, RootKey root,
                                                    const std::wstring& key);

}  // namespace keytidy
