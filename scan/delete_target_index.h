#pragma once
// Finds the first finding of a check with a given delete target without
// walking the whole result tree, so that a check asking once per item
// whether an earlier pass already reported it costs the same at the
// thousandth finding as at the first.
//
// The tree only grows at its end between removals: a look-up takes in the
// nodes appended since the one before, and starts over after any removal.
// A node's delete target is read when the index first sees it; the checks
// fill it in before they look anything up again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "scan/result_tree.h"

namespace keytidy {

class TDeleteTargetIndex {
 public:
  // First node in tree order with this group, delete root and delete key
  // (whatever its delete value); null when there is none.
  PVirtualNode FindKey(const TResultTree& tree, CheckId group, RootKey root, const std::wstring& key);
  // The same, the delete value matching as well.
  PVirtualNode FindValue(const TResultTree& tree, CheckId group, RootKey root, const std::wstring& key,
                         const std::wstring& value);

 private:
  struct Target {
    CheckId group = CheckId::None;
    RootKey root = 0;
    std::wstring key;
    std::wstring value;
    bool operator==(const Target&) const = default;
  };
  struct TargetHash {
    std::size_t operator()(const Target& target) const;
  };
  using Map = std::unordered_map<Target, PVirtualNode, TargetHash>;

  void CatchUp(const TResultTree& tree);
  PVirtualNode Find(const TResultTree& tree, const Map& map, const Target& target);

  const TResultTree* tree_ = nullptr;
  std::uint64_t removals_ = 0;
  std::size_t indexed_ = 0;
  Map byKey_;  // value left empty: any delete value
  Map byValue_;
};

}  // namespace keytidy
