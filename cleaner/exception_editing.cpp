#include "cleaner/exception_editing.h"

#include <unordered_set>

#include "cleaner/shell_open.h"
#include "gui/message_dialogs.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "scan/exception_file.h"

namespace keytidy {

namespace {
constexpr wchar_t kRegEditSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
}

bool RC_AddToExceptions(TResultTree& tree, const std::vector<PVirtualNode>& nodes, ScreenOptions& options) {
  if (nodes.empty()) return false;
  const std::wstring question = ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_SURETO_ADDEXCEPTIONS), L"%1",
                                                     std::to_wstring(nodes.size()));
  if (AskYesOrNo(question, 6) != 6) return false;

  // Start from the file, not from the dialog's rows: rows the user removed
  // there without saving must not be dropped from the file by this.
  TExceptionList list;
  Load_Exceptions(ExceptionsFilePath(), list);
  for (PVirtualNode node : nodes) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    Add_ExceptionItem(ExceptionKindOf(entry.DeleteKey, entry.DeleteValue), Reg_RootKeyName(entry.Delete_Root),
                      entry.Delete_Key, list, entry.Delete_Value);
  }
  const std::unordered_set<PVirtualNode> chosen(nodes.begin(), nodes.end());
  tree.RemoveIf([&chosen](PVirtualNode node) { return chosen.count(node) > 0; });
  Save_Exceptions(ExceptionsFilePath(), list);
  options.ExceptionsSaved(list);
  return true;
}

RootKey RegEditSettingsRoot(unsigned windowsMajor, const std::wstring& interactiveUserSid) {
  return windowsMajor == 5 || interactiveUserSid.empty() ? ROOT_HKEY_CURRENT_USER : ROOT_HKEY_USERS;
}

std::wstring RegEditSettingsKey(unsigned windowsMajor, const std::wstring& interactiveUserSid) {
  if (RegEditSettingsRoot(windowsMajor, interactiveUserSid) == ROOT_HKEY_CURRENT_USER) return kRegEditSettings;
  return interactiveUserSid + L"\\" + kRegEditSettings;
}

void RC_OpenInRegEdit(RootKey root, const std::wstring& key) {
  const unsigned major = Windows_Version().major;
  const std::wstring sid = InteractiveUserSid();
  Reg_WriteString(RegEditSettingsRoot(major, sid), RegEditSettingsKey(major, sid), L"LastKey",
                  Reg_RootKeyName(root) + L"\\" + key);
  Shell_Open(L"regedit.exe");
}

}  // namespace keytidy
