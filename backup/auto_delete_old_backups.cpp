#include "backup/auto_delete_old_backups.h"

#include "backup/backups_manager.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool autoDeleteHasRun = false;

int DaysFor(BackupAutoDelete age) {
  switch (age) {
    case BackupAutoDelete::Days7: return 7;
    case BackupAutoDelete::Days14: return 14;
    // "Never" only means "do not delete without asking": the question
    // still offers the longest age.
    default: return 30;
  }
}

// The user asked not to be asked again: the Options key and the front end
// (which may show the options) both learn it, and a "No" turns the
// automatic deletion off for good.
void StopAsking(TOptionSwitches& switches, bool answeredYes, TFrontEnd& frontEnd) {
  switches.SetChecked(OptionSwitch::Backups_Ask_Before_AutoDelete, false);
  if (!answeredYes) switches.SetBackupAge(BackupAutoDelete::Never);
  SAVE_RADIOGROUP(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, switches.BackupAgeButtons());
  SAVE_CHECKBOX(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, Describe(OptionSwitch::Backups_Ask_Before_AutoDelete).name,
                false);
  frontEnd.OptionSwitchesChanged(switches);
}

}  // namespace

std::int32_t AutoDeleteOldBackups(const std::wstring& backupFolder, TOptionSwitches switches, TFrontEnd& frontEnd) {
  if (autoDeleteHasRun) return 0;
  autoDeleteHasRun = true;
  if (!FirstArgument.empty()) return 0;

  const wchar_t* askName = Describe(OptionSwitch::Backups_Ask_Before_AutoDelete).name;
  bool storedAsk = true;
  LOAD_CHECKBOX(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName, storedAsk);
  if (!storedAsk) return 0;
  if (!switches.IsChecked(OptionSwitch::Backups_Ask_Before_AutoDelete)) return 0;

  TBackupTree rows;
  TBackups backups(&rows);
  backups.BackupFolder = backupFolder;
  backups.Read_Backups();
  const int days = DaysFor(switches.BackupAge());
  const std::int32_t oldCount = backups.Get_OldCount(days);
  if (oldCount == 0) return 0;

  std::wstring question = Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_AUTODELETE_OLD);
  question = ReplaceFirstIgnoreCase(question, L"%1", std::to_wstring(oldCount));
  question = ReplaceFirstIgnoreCase(question, L"%2", std::to_wstring(days));
  bool dontAskAgain = false;
  const bool yes =
      frontEnd.AskYesNo(question, Message(MessageKey::MESSAGE_BACKUPS_ASK_AUTODELETE_OLD_CHECKBOX), dontAskAgain);
  if (dontAskAgain) StopAsking(switches, yes, frontEnd);
  if (!yes) return 0;

  const std::int32_t selected = backups.Select_OldBackups(days);
  backups.FLAG_USE_RECYCLEBIN = switches.IsChecked(OptionSwitch::Backups_UseRecycleBin);
  backups.Delete_Selected_Backups();
  return selected;
}

bool AutoDeleteOldBackups_HasRun() { return autoDeleteHasRun; }

void AutoDeleteOldBackups_Reset() { autoDeleteHasRun = false; }

}  // namespace keytidy
