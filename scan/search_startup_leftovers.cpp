// Start-up entries (Run, RunOnce) whose program has been removed: Windows
// tries to start it at every log-on and fails quietly.
#include "platform/error_mode.h"
#include "scan/check_skeleton.h"
#include "scan/leftover_judgement.h"

namespace keytidy {

namespace {

bool IsText(RootKey root, const std::wstring& key, const std::wstring& name) {
  DWORD type = REG_NONE, size = 0;
  return Reg_ValueInfo(root, key, name, type, size) && (type == REG_SZ || type == REG_EXPAND_SZ);
}

}  // namespace

void TRegistryCleaner::SEARCH_STARTUP_LEFTOVERS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                                bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const std::wstring base = USE_WOW6432Node_Now ? L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion"
                                                : L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const RegistryView view = View_OfPass(USE_WOW6432Node_Now);
  CriticalErrorBoxesOff errorBoxesOff;
  for (const wchar_t* list : {L"Run", L"RunOnce"}) {
    RootKey root = Scanroot;
    std::wstring key = base + L"\\" + list;
    Reg_RedirectCurrentUser(root, key);
    if (!Reg_KeyExistsWritable(root, key)) continue;
    Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesPerItem, [&](const std::wstring& name) {
      if (!IsText(root, key, name)) return;
      const std::wstring program = Program_OfCommandLine(*this, Reg_ReadString(root, key, name), view);
      // Explorer opens a folder named there at every log-on.
      if (!Is_MissingFileOrFolder(*this, program, view)) return;
      const std::wstring displayName = USE_WOW6432Node_Now ? name + L" (32Bit)" : name;
      Report_Finding(*this, GroupIndex, ComboBoxIndex, program, displayName, {root, key, name}, DeleteTarget::Value,
                     {EvidenceTest::FileOrFolderMissing, program});
    });
  }
}

}  // namespace keytidy
