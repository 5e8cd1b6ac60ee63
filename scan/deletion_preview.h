#pragma once
// What deleting a finding would take from the registry, read as the
// registry is now and changing nothing: the value, or the key with every
// sub-key and value below it. The dry run, the JSON export and the cleaner
// screen's evidence panel all show it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/found_entry.h"

namespace keytidy {

struct DeletionPreview {
  bool removesKey = false;      // the key with all below it; otherwise one value
  bool exists = false;          // the key (value) is there now
  std::uint32_t subKeys = 0;    // every level below the key
  std::uint32_t values = 0;     // in the key and every level below it; a value finding: 1 when it exists
  std::uint32_t keyValues = 0;  // in the deleted key itself (firstValues are its first); 0 for a value finding
  // The first sub-keys, as paths relative to the deleted key, in the order
  // a depth-first walk meets them; at most the limit asked for.
  std::vector<std::wstring> firstSubKeys;
  // The first values of the deleted key itself, by name ("" is the default
  // value); at most the limit asked for.
  std::vector<std::wstring> firstValues;
};

// Reads what deleting `entry` removes; `firstFew` limits both name lists.
// A finding that deletes nothing gives an empty preview.
DeletionPreview Preview_Deletion(const TTreeData_RegCleaner& entry, std::size_t firstFew = 5);

}  // namespace keytidy
