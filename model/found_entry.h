#pragma once
// One finding of a check: what was found, where it was read, what fixing it
// removes and which category it belongs to. Every node of the result tree
// carries exactly one.
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "model/categories.h"
#include "model/finding_evidence.h"

namespace keytidy {

struct TTreeData_RegCleaner {
  std::wstring DisplayName;      // line 1 of the row: value, key, file or program name
  std::wstring AdditionalInfo;   // context a check adds after the fact
  std::wstring FullPath;         // the file or folder referred to; empty for key findings
  std::wstring Filename;         // last component of FullPath, derived once when added
  std::wstring Folder;           // FullPath before its last backslash, derived once when added
  std::wstring MissingKey;       // a key the entry refers to that does not exist
  keytidy::RootKey RootKey = 0;  // where the reference was read ...
  std::wstring Key;
  std::wstring Value;        // ... (empty: default value, or a key finding)
  bool DeleteKey = false;    // fixing deletes Delete_Root\Delete_Key with all below it
  bool DeleteValue = false;  // fixing deletes the value Delete_Value of that key
  keytidy::RootKey Delete_Root = 0;
  std::wstring Delete_Key;
  std::wstring Delete_Value;
  CheckId GroupIndex = CheckId::None;                  // which check made it (description and icon)
  FilterCategory ComboBoxIndex = FilterCategory::All;  // which filter category shows it
  bool is_Header = false;                              // no header nodes exist; kept for the row drawing
  bool RemoveFromTree = false;                         // set by the deletion when the object is gone
  FindingEvidence Evidence;                            // what the check tested; the deletion tests it again
};

using PTreeData_RegCleaner = TTreeData_RegCleaner*;

}  // namespace keytidy
