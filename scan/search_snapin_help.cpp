// Management-console snap-ins whose help file is gone.
#include "platform/command_path.h"
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/add_found_entry.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_MMC(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring base = L"SOFTWARE\\Microsoft\\MMC\\SnapIns";
  if (!Reg_KeyExistsWritable(root, base)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, base), ItemCounter::KeysByCount, [&](const std::wstring& name) {
    for (const wchar_t* value : {L"HelpTopic", L"LinkHelpTopic", L"LinkedHelpTopics"})
      Check_SnapInHelpValue(GroupIndex, ComboBoxIndex, value, base + L"\\" + name, root);
  });
}

PVirtualNode TRegistryCleaner::Check_SnapInHelpValue(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                     const std::wstring& ValueName, const std::wstring& Key,
                                                     RootKey Root) {
  DWORD type = 0, size = 0;
  if (!Reg_ValueInfo(Root, Key, ValueName, type, size) || (type != REG_SZ && type != REG_EXPAND_SZ)) return nullptr;
  const std::wstring topic = Reg_ReadString(Root, Key, ValueName);
  const std::wstring upperTopic = UpperCaseAscii(topic);
  // The 32-bit program folder cannot be judged from the native view.
  if (Contains(upperTopic, L"%PROGRAMFILES%") || Contains(upperTopic, L"(X86)\\")) return nullptr;
  const std::wstring path = topic.empty() ? topic : Clean_FilePath(topic, RegistryView::Native);
  if (Contains(UpperCaseAscii(path), L"(X86)\\")) return nullptr;
  if (!Is_MissingFile(*this, path, RegistryView::Native)) return nullptr;

  std::wstring displayName, folder;
  Derive_FilenameAndFolder(path, displayName, folder);
  const std::wstring assembly = Reg_ReadString(Root, Key, L"AssemblyName");
  if (!assembly.empty()) displayName = assembly;
  return Report_Finding(*this, GroupIndex, ComboBoxIndex, path, displayName, {Root, Key, ValueName},
                        DeleteTarget::Value, {EvidenceTest::FileMissing, path});
}

}  // namespace keytidy
