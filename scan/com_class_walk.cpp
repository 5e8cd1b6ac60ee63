#include "scan/com_class_walk.h"

#include "platform/error_mode.h"
#include "platform/registry.h"
#include "scan/check_skeleton.h"

namespace keytidy {

std::wstring Com_ClassBase(bool USE_WOW6432Node_Now) { return USE_WOW6432Node_Now ? L"WOW6432Node\\CLSID" : L"CLSID"; }

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

PVirtualNode Report_ClassesSubKey(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                                  const std::wstring& fullPath, const std::wstring& displayName,
                                  const std::wstring& key, const EvidenceTested& tested) {
  return Report_Finding(rc, groupIndex, comboBoxIndex, fullPath, displayName, {ROOT_HKEY_CLASSES_ROOT, key, L""},
                        DeleteTarget::Key, tested);
}

void Walk_ClassSubKeys(TRegistryCleaner& rc, const KeyList& classes, bool USE_WOW6432Node_Now,
                       const std::wstring& subKey,
                       const std::function<void(const std::wstring& clsid, const std::wstring& key)>& examine) {
  if (rc.Run.STOP_REQUESTED) return;
  CriticalErrorBoxesOff errorBoxesOff;
  const std::wstring base = Com_ClassBase(USE_WOW6432Node_Now);
  Walk_ClassList(rc, classes,
                 [&](const std::wstring& clsid) { examine(clsid, base + L"\\" + clsid + L"\\" + subKey); });
}

void Report_ClassFileIfMissing(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                               bool USE_WOW6432Node_Now, const std::wstring& clsid, const std::wstring& key,
                               const std::wstring& path) {
  if (!Is_MissingFile(rc, path, View_OfPass(USE_WOW6432Node_Now)) ||
      !Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key))
    return;
  const std::wstring name = Com_ClassName(Com_ClassBase(USE_WOW6432Node_Now), clsid);
  PVirtualNode node =
      Report_ClassesSubKey(rc, groupIndex, comboBoxIndex, path, name, key, {EvidenceTest::FileMissing, path});
  if (node) GetEntry(node)->Filename = path;
}

}  // namespace keytidy
