#include "clean/delete_run.h"

#include <algorithm>

#include "backup/backup_findings.h"
#include "backup/backup_set.h"
#include "lang/message_catalogue.h"
#include "platform/product.h"
#include "platform/text.h"
#include "scan/finding_user.h"
#include "scan/registry_cleaner.h"
#include "settings/statistics.h"

namespace keytidy {

namespace {

std::uint32_t CountTicked(const TResultTree* tree) {
  std::uint32_t count = 0;
  if (tree)
    for (PVirtualNode node : *tree)
      if (IsTicked(node)) ++count;
  return count;
}

// The accounts whose hives the ticked findings lie in, each once, in tree
// order.
std::vector<std::wstring> UsersOfTicked(const TResultTree* tree) {
  std::vector<std::wstring> users;
  if (tree)
    for (PVirtualNode node : *tree) {
      if (!IsTicked(node)) continue;
      const std::wstring user = FindingUser(*GetEntry(node));
      if (!user.empty() && std::find(users.begin(), users.end(), user) == users.end()) users.push_back(user);
    }
  return users;
}

}  // namespace

DeleteRunResult RC_DeleteRun(TRegistryCleaner& engine, const std::wstring& backupFolder, const DeleteOptions& options) {
  DeleteRunResult result;
  result.checked = CountTicked(engine.FTree);
  if (result.checked == 0) return result;
  const std::vector<std::wstring> usersOfTicked = UsersOfTicked(engine.FTree);
  result.ran = true;
  result.scriptPath = Backup_Create_Filename(backupFolder, kModule_RC);
  Backup_Begin_Inifile(result.scriptPath, kModule_RC, kAction_RC_Deleted);
  engine.Run.STOP_REQUESTED = false;
  engine.deleting_ = true;
  RestorePoint restorePoint(options.restorePointProvider);
  if (options.restorePoint)
    result.restorePoint = restorePoint.Begin(std::wstring(ProductTitle) + L": registry cleaning");
  const DeletedEntries done = DeleteCheckedEntries(engine, result.scriptPath, options);
  engine.deleted_ = done.counters;
  result.deleted = done.counters;
  // Windows drops a point whose change removed nothing.
  restorePoint.End(done.counters.Stat_ValuesDeleted + done.counters.Stat_KeysDeleted > 0);
  if (engine.Run.APP_TERMINATING) {
    result.terminated = true;
    return result;
  }
  TRegistryCleaner::RemoveDeletedFilesFromTree(engine.FTree);
  // The search's figures go into the totals again with the deletion's.
  Stats_Add(kStats_ValuesScanned, engine.Scanned().Stat_ValuesScanned);
  Stats_Add(kStats_ValuesDeleted, done.counters.Stat_ValuesDeleted);
  Stats_Add(kStats_KeysScanned, engine.Scanned().Stat_KeysScanned);
  Stats_Add(kStats_KeysDeleted, done.counters.Stat_KeysDeleted);
  result.noLongerStale = done.counters.Stat_NoLongerStale;
  result.changedWhileRecorded = done.counters.Stat_ChangedWhileRecorded;
  const std::uint32_t left = CountTicked(engine.FTree) + result.noLongerStale;
  result.removed = result.checked - std::min(result.checked, left);
  // Before the descriptor is completed: a set is only ever marked whole
  // once everything about it is written.
  Backup_Write_Findings(result.scriptPath, done.findings);
  Backup_Write_Inifile(result.scriptPath, kModule_RC, kAction_RC_Deleted, std::to_wstring(result.removed), true,
                       done.recorded);
  Backup_WriteUsers(result.scriptPath, usersOfTicked);
  return result;
}

DeleteRunResult RC_DeleteEveryFinding(TRegistryCleaner& engine, const std::wstring& backupFolder,
                                      const DeleteOptions& options) {
  if (engine.FTree)
    for (PVirtualNode node : *engine.FTree) engine.FTree->SetCheckState(node, CheckState::Checked);
  return RC_DeleteRun(engine, backupFolder, options);
}

std::wstring RC_RestorePointText(const RestorePointStart& start) {
  switch (start.outcome) {
    case RestorePointOutcome::NotWanted: return {};
    case RestorePointOutcome::Created: return Message(MessageKey::MESSAGEHTML_RC_STATUS_RESTOREPOINT_MADE);
    case RestorePointOutcome::NotAvailable: return Message(MessageKey::MESSAGEHTML_RC_STATUS_RESTOREPOINT_NONE);
    case RestorePointOutcome::Disabled: return Message(MessageKey::MESSAGEHTML_RC_STATUS_RESTOREPOINT_OFF);
    case RestorePointOutcome::Refused: break;
  }
  return ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_RESTOREPOINT_REFUSED), L"%1",
                              std::to_wstring(start.status));
}

}  // namespace keytidy
