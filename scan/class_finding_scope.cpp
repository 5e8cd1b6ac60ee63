#include "scan/class_finding_scope.h"

#include "scan/container_guard.h"
#include "scan/key_content.h"

namespace keytidy {

namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;

FindingScope WholeKey(const std::wstring& key) { return {DeleteTarget::Key, key, L""}; }
FindingScope DefaultValueOf(const std::wstring& key) { return {DeleteTarget::Value, key, L""}; }

}  // namespace

FindingScope Scope_BrokenVerb(const std::wstring& classKey, const std::wstring& verbName) {
  const std::wstring shellKey = classKey + L"\\shell";
  const bool onlyTheVerb = !Is_ShellWideClass(classKey) && Key_HoldsOnly(HKCR, classKey, {L""}, {L"shell"}) &&
                           Key_HoldsOnly(HKCR, shellKey, {L""}, {verbName});
  return WholeKey(onlyTheVerb ? classKey : shellKey + L"\\" + verbName);
}

FindingScope Scope_ExtensionLink(const std::wstring& extension, const std::wstring& programId) {
  const bool onlyTheLink = !Is_SystemFileExtension(extension) && Key_HoldsOnly(HKCR, extension, {L""}, {programId});
  return onlyTheLink ? WholeKey(extension) : DefaultValueOf(extension);
}

FindingScope Scope_DefaultIcon(const std::wstring& classKey) {
  const std::wstring iconKey = classKey + L"\\DefaultIcon";
  return Key_HoldsOnly(HKCR, iconKey, {L""}, {}) ? WholeKey(iconKey) : DefaultValueOf(iconKey);
}

void Apply_FindingScope(TTreeData_RegCleaner& entry, const FindingScope& scope) {
  entry.DeleteKey = scope.target == DeleteTarget::Key;
  entry.DeleteValue = scope.target == DeleteTarget::Value;
  entry.Delete_Root = HKCR;
  entry.Delete_Key = scope.key;
  entry.Delete_Value = scope.value;
}

}  // namespace keytidy
