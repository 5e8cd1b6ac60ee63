#include "scan/result_filter.h"

#include "platform/text.h"

namespace keytidy {

namespace {

bool MatchesText(const TTreeData_RegCleaner& entry, const std::wstring& upperText) {
  return ContainsUpperAscii(entry.FullPath, upperText) || ContainsUpperAscii(entry.DisplayName, upperText) ||
         ContainsUpperAscii(entry.Key, upperText);
}

}  // namespace

std::int32_t Apply_ResultFilter(TResultTree& tree, FilterCategory filterIndex, const std::wstring& filterText) {
  const std::wstring upperText = UpperCaseAscii(filterText);
  std::int32_t visibleCount = 0;
  tree.BeginUpdate();
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    bool visible = filterIndex == FilterCategory::All || entry.ComboBoxIndex == filterIndex;
    if (visible && !upperText.empty()) visible = MatchesText(entry, upperText);
    tree.SetVisible(node, visible);
    if (visible) ++visibleCount;
  }
  tree.EndUpdate();
  return visibleCount;
}

}  // namespace keytidy
