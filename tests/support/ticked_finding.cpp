#include "support/ticked_finding.h"

namespace keytidy::test {

PVirtualNode AddTickedValueFinding(TResultTree& tree, RootKey root, const std::wstring& key, const std::wstring& name) {
  PVirtualNode node = tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked);
  TTreeData_RegCleaner& entry = *GetEntry(node);
  entry.DeleteValue = true;
  entry.Delete_Root = root;
  entry.Delete_Key = key;
  entry.Delete_Value = name;
  return node;
}

}  // namespace keytidy::test
