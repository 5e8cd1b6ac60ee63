#include "scan/delete_target_index.h"

#include <functional>
#include <string_view>

namespace keytidy {

std::size_t TDeleteTargetIndex::TargetHash::operator()(const Target& target) const {
  const std::hash<std::wstring_view> text;
  std::size_t hash = text(target.key);
  hash = hash * 31 + text(target.value);
  hash = hash * 31 + static_cast<std::size_t>(target.group);
  return hash * 31 + static_cast<std::size_t>(target.root);
}

void TDeleteTargetIndex::CatchUp(const TResultTree& tree) {
  if (tree_ != &tree || removals_ != tree.RemovalCount() || indexed_ > tree.NodeCount()) {
    tree_ = &tree;
    removals_ = tree.RemovalCount();
    indexed_ = 0;
    byKey_.clear();
    byValue_.clear();
  }
  for (; indexed_ < tree.NodeCount(); ++indexed_) {
    PVirtualNode node = tree.NodeAt(indexed_);
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    // try_emplace keeps the earliest node of equal targets.
    byKey_.try_emplace(Target{entry.GroupIndex, entry.Delete_Root, entry.Delete_Key, {}}, node);
    byValue_.try_emplace(Target{entry.GroupIndex, entry.Delete_Root, entry.Delete_Key, entry.Delete_Value}, node);
  }
}

PVirtualNode TDeleteTargetIndex::Find(const TResultTree& tree, const Map& map, const Target& target) {
  CatchUp(tree);
  const auto hit = map.find(target);
  return hit == map.end() ? nullptr : hit->second;
}

PVirtualNode TDeleteTargetIndex::FindKey(const TResultTree& tree, CheckId group, RootKey root,
                                         const std::wstring& key) {
  return Find(tree, byKey_, Target{group, root, key, {}});
}

PVirtualNode TDeleteTargetIndex::FindValue(const TResultTree& tree, CheckId group, RootKey root,
                                           const std::wstring& key, const std::wstring& value) {
  return Find(tree, byValue_, Target{group, root, key, value});
}

}  // namespace keytidy
