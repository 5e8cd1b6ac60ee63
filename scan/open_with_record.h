#pragma once
// One of Explorer's per-user open-with records (…\Explorer\FileExts\.ext):
// what it holds of the user's own choices, which of them still work, and
// which parts of it are stale. The open-with checks decide with these, and
// the deletion asks them again right before it acts.
#include <string>
#include <vector>

#include "platform/root_keys.h"
#include "scan/check_skeleton.h"

namespace keytidy {

// The record names no program (no default value, no "ProgID", no
// "Application") and none of its sub-keys holds a value.
bool OpenWith_RecordIsEmpty(RootKey root, const std::wstring& record);

// The record holds a choice that still works: a UserChoice, an
// OpenWithProgids entry or a "ProgID" naming a registered program
// identifier, or an OpenWithList entry or an "Application" naming a program
// that is registered under Applications or found as a file. Such a record
// is a working association even when the extension itself is not
// registered.
bool OpenWith_HoldsWorkingChoice(RootKey root, const std::wstring& record);

// A stale part of a record that also holds working ones: a UserChoice key
// or an OpenWithProgids value naming a program identifier that is not
// registered.
struct OpenWithStalePart {
  DeleteTarget target = DeleteTarget::Key;
  std::wstring key;        // the UserChoice key, or the OpenWithProgids key
  std::wstring value;      // the OpenWithProgids value's name
  std::wstring programId;  // the identifier that is not registered
};
std::vector<OpenWithStalePart> OpenWith_StaleParts(RootKey root, const std::wstring& record);

// True when HKEY_CLASSES_ROOT has the program identifier (or extension).
bool Class_IsRegistered(const std::wstring& name);

}  // namespace keytidy
