#include "scan/com_class_walk.h"

#include "platform/registry.h"
#include "scan/check_skeleton.h"

namespace keytidy {

std::wstring Com_ClassBase(bool USE_WOW6432Node_Now) {
  return USE_WOW6432Node_Now ? L"WOW6432Node\\CLSID" : L"CLSID";
}

std::wstring Com_ClassName(const std::wstring& base, const std::wstring& clsid) {
  std::wstring name = Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, base + L"\\" + clsid, L"");
  return name.empty() ? clsid : name;
}

void Walk_ClassList(TRegistryCleaner& rc, const KeyList& classes,
                    const std::function<void(const std::wstring& clsid)>& examine) {
  if (rc.Progress) {
    rc.Progress_SetPosition(0);
    rc.Progress_SetMaximum(static_cast<std::int32_t>(classes.size()) + 2);
  }
  for (const std::wstring& clsid : classes) {
    rc.Progress_Step();
    rc.ProcessPendingMessages();
    if (rc.Run.STOP_REQUESTED) continue;
    examine(clsid);
  }
}

PVirtualNode Report_ClassesSubKey(TRegistryCleaner& rc, std::int32_t groupIndex, std::int32_t comboBoxIndex,
                                  const std::wstring& fullPath, const std::wstring& displayName,
                                  const std::wstring& key, const EvidenceTested& tested) {
  return Report_Finding(rc, groupIndex, comboBoxIndex, fullPath, displayName, {ROOT_HKEY_CLASSES_ROOT, key, L""},
                        DeleteTarget::Key, tested);
}

void Report_ClassFileIfMissing(TRegistryCleaner& rc, std::int32_t groupIndex, std::int32_t comboBoxIndex,
                               const std::wstring& base, const std::wstring& clsid, const std::wstring& key,
                               const std::wstring& path, RegistryView view) {
  if (!Is_MissingFile(rc, path, view) || !Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key)) return;
  PVirtualNode node = Report_ClassesSubKey(rc, groupIndex, comboBoxIndex, path, Com_ClassName(base, clsid), key,
                                           {EvidenceTest::FileMissing, path});
  if (node) GetEntry(node)->Filename = path;
}

}  // namespace keytidy
