#include "clean/delete_checked_entries.h"

#include <optional>

#include "backup/key_record_reimport.h"
#include "backup/reg_script_journal.h"
#include "backup/registry_backup.h"
#include "backup/steady_record.h"
#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/judged_user.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "scan/container_guard.h"
#include "clean/deletion_plan.h"
#include "scan/finding_names.h"
#include "scan/finding_user.h"
#include "scan/item_description.h"
#include "scan/registry_cleaner.h"
#include "scan/startup_approved.h"

namespace keytidy {

namespace {

void MarkDone(DeleteCounters& counters, TTreeData_RegCleaner& entry) {
  entry.RemoveFromTree = true;
  ++counters.Stat_DeletedTreeObjects_forWartungsScan;
}

// What the set's descriptor will say about a record just made for `entry`:
// the finding as the user saw it in the list.
RecordedFinding FindingOf(const TTreeData_RegCleaner& entry, FindingTarget target, const DeletePlace& place) {
  std::int32_t icon = 0;
  std::wstring description, detail;
  Get_ItemDescription_and_Icon(&entry, icon, description, detail);
  return RecordedFinding{target,
                         place.root,
                         place.key,
                         target == FindingTarget::Value ? place.value : std::wstring(),
                         CheckName(entry.GroupIndex),
                         Now_Local(),
                         description};
}

// The state Explorer keeps for a start-up entry goes with it, recorded in
// the same set first. When it cannot be recorded it stays: the entry still
// goes, and the state is found as a leftover by the next search.
std::optional<DeletePlace> RecordCompanion(const DeletePlace& place, RegScriptJournal& backupfile) {
  const std::optional<DeletePlace> companion = StartupApproved_CompanionOf(place.root, place.key, place.value);
  if (!companion || !Reg_ValueExists(companion->root, companion->key, companion->value)) return std::nullopt;
  if (Backup_ValueSteadily(companion->root, companion->key, companion->value, backupfile, true) !=
      SteadyRecord::Recorded) {
    Debug_Output(L"CompanionToBackup=false ; " + companion->key + L" ; Value=" + companion->value);
    return std::nullopt;
  }
  return companion;
}

void DeleteCompanion(const DeletePlace& companion) {
  if (!Reg_DeleteValue(companion.root, companion.key, companion.value))
    Debug_Output(L"DeleteCompanion=false ; " + companion.key + L" ; Value=" + companion.value);
}

void DeleteValuePart(TTreeData_RegCleaner& entry, const DeletePlace& place, RegScriptJournal& backupfile,
                     DeletedEntries& done) {
  DeleteCounters& counters = done.counters;
  std::vector<RecordedFinding>& findings = done.findings;
  const RootKey root = place.root;
  const std::wstring& key = place.key;
  const std::wstring& name = place.value;
  if (!Reg_ValueExists(root, key, name)) {
    MarkDone(counters, entry);  // already gone: nothing to record
    return;
  }
  const SteadyRecord record = Backup_ValueSteadily(root, key, name, backupfile, true);
  if (record == SteadyRecord::KeptChanging) ++counters.Stat_ChangedWhileRecorded;
  if (record != SteadyRecord::Recorded) return;
  findings.push_back(FindingOf(entry, FindingTarget::Value, place));
  if (!Reg_ValueExists(root, key, name)) {
    MarkDone(counters, entry);  // went while it was recorded; the record says so
    return;
  }
  const std::optional<DeletePlace> companion = RecordCompanion(place, backupfile);
  if (companion) findings.push_back(FindingOf(entry, FindingTarget::Value, *companion));
  bool deleted = Reg_DeleteValue(root, key, name);
  if (!deleted && name.empty()) {
    // Some default values refuse deletion; emptying them is the next best.
    Debug_Output(L"DeleteValue=false ; " + key + L" ; Value=" + name);
    deleted = Reg_WriteValue(root, key, name, nullptr, 0, REG_SZ);
  }
  if (!deleted) return;
  if (companion) DeleteCompanion(*companion);
  ++counters.Stat_ValuesDeleted;
  MarkDone(counters, entry);
}

// Some sub-keys may be gone already: the record just written brings them
// back. The entry stays ticked either way and counts as not removed.
void PutBackHalfDeletedKey(RootKey root, const std::wstring& key, const std::wstring& backupfile,
                           std::uint64_t scriptSizeBefore, const std::wstring& workFolder,
                           const DeleteOptions& options) {
  if (!Backup_ReimportKeyRecord(backupfile, scriptSizeBefore, root, key, workFolder, options.regExeTimeLimitMs))
    Debug_Output(L"KeyReimport=false ; " + Reg_RootKeyName(root) + L"\\" + key);
}

void DeleteKeyPart(TTreeData_RegCleaner& entry, const DeletePlace& place, RegScriptJournal& backupfile,
                   const DeleteOptions& options, DeletedEntries& done) {
  DeleteCounters& counters = done.counters;
  std::vector<RecordedFinding>& findings = done.findings;
  const RootKey root = place.root;
  const std::wstring& key = place.key;
  // Checked before anything else: such a key is neither recorded nor, when
  // it happens to be missing, counted as removed. The entry stays ticked.
  // Both names count: the finding's own, and the concrete key behind it.
  if (IsProtectedContainerKey(entry.Delete_Root, entry.Delete_Key) || IsProtectedContainerKey(root, key)) {
    Debug_Output(L"DeleteKey=refused ; " + Reg_RootKeyName(entry.Delete_Root) + L"\\" + entry.Delete_Key);
    return;
  }
  if (!Reg_KeyExists(root, key)) {
    MarkDone(counters, entry);
    return;
  }
  const std::wstring& exportFolder = options.exportFolder.empty() ? ProgramFolder() : options.exportFolder;
  const std::uint64_t scriptSizeBefore = Backup_FileSize(backupfile.File());
  const SteadyRecord record = Backup_KeySteadily(root, key, backupfile, exportFolder, options.regExeTimeLimitMs);
  if (record == SteadyRecord::KeptChanging) {
    ++counters.Stat_ChangedWhileRecorded;
    Debug_Output(L"KeyChangedWhileRecorded ; " + key);
    return;
  }
  if (record == SteadyRecord::Failed) {
    Debug_Output(L"KeyToBackup=false ; " + key);
    return;
  }
  findings.push_back(FindingOf(entry, FindingTarget::Key, place));
  const bool deleted = options.deleteKey ? options.deleteKey(root, key) : Reg_DeleteKey(root, key);
  if (!deleted) {
    Debug_Output(L"DeleteKey=false ; " + key);
    PutBackHalfDeletedKey(root, key, backupfile.File(), scriptSizeBefore, exportFolder, options);
    return;
  }
  ++counters.Stat_KeysDeleted;
  MarkDone(counters, entry);
}

// One ticked entry. Its data is read again and its test repeated right
// before anything is recorded; what is no longer stale is unticked and
// kept. An entry whose target is already gone skips the test: it counts as
// removed, as before. Each part checks its target once more as it acts.
void DeleteEntry(TRegistryCleaner& engine, TResultTree& tree, PVirtualNode node, RegScriptJournal& backupfile,
                 const DeleteOptions& options, DeletedEntries& done) {
  TTreeData_RegCleaner& entry = *GetEntry(node);
  const DeletionPlan plan = Plan_Deletion(engine, entry);
  if (plan.action == PlannedDeletion::NoLongerStale) {
    tree.SetCheckState(node, CheckState::Unchecked);
    ++done.counters.Stat_NoLongerStale;
    return;
  }
  if (entry.DeleteValue) DeleteValuePart(entry, plan.place, backupfile, done);
  if (entry.DeleteKey) DeleteKeyPart(entry, plan.place, backupfile, options, done);
}

}  // namespace

DeletedEntries DeleteCheckedEntries(TRegistryCleaner& engine, const std::wstring& backupfile,
                                    const DeleteOptions& options) {
  DeletedEntries done;
  TResultTree* tree = engine.FTree;
  if (!tree) return done;
  RegScriptJournal journal(backupfile);
  // Each finding is tested again as its own user sees the disk and the
  // classes: the user whose pass found it. The machine's findings and the
  // default user's share one scope ("" below), so an ordinary run builds a
  // user's environment once, not at every turn between the two.
  const std::wstring defaultUser = JudgedUserSid();
  std::optional<JudgedUserScope> judged;
  std::wstring judgedUser;
  // By position: processing window messages must not be able to leave an
  // iterator dangling.
  for (std::size_t index = 0; index < tree->NodeCount(); ++index) {
    PVirtualNode node = tree->NodeAt(index);
    if (IsTicked(node)) {
      engine.ProcessPendingMessages();
      std::wstring user = FindingUser(*GetEntry(node));
      if (EqualsIgnoreCaseAscii(user, defaultUser)) user.clear();
      if (!judged || user != judgedUser) {
        judged.reset();
        judged.emplace(user);
        judgedUser = user;
      }
      DeleteEntry(engine, *tree, node, journal, options, done);
      if (engine.Progress) {
        engine.Progress_Step();
        engine.ProcessPendingMessages();
      }
    }
    if (engine.Run.STOP_REQUESTED) break;
  }
  journal.Finish();
  done.recorded = journal.Counters();
  return done;
}

void TRegistryCleaner::DeleteCheckedEntries(const std::wstring& backupfile) {
  deleted_ = keytidy::DeleteCheckedEntries(*this, backupfile).counters;
}

}  // namespace keytidy
