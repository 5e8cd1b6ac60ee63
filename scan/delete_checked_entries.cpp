#include "scan/delete_checked_entries.h"

#include "app/environment.h"
#include "app/globals.h"
#include "backup/registry_backup.h"
#include "platform/debug_log.h"
#include "platform/registry.h"
#include "scan/container_guard.h"
#include "scan/registry_cleaner.h"

namespace keytidy {

namespace {

void MarkDone(TRegistryCleaner& engine, TTreeData_RegCleaner& entry) {
  entry.RemoveFromTree = true;
  ++engine.Stat_DeletedTreeObjects_forWartungsScan;
}

void DeleteValuePart(TRegistryCleaner& engine, TTreeData_RegCleaner& entry, const std::wstring& backupfile) {
  const RootKey root = entry.Delete_Root;
  const std::wstring& key = entry.Delete_Key;
  const std::wstring& name = entry.Delete_Value;
  if (!Reg_ValueExists(root, key, name)) {
    MarkDone(engine, entry);  // already gone: nothing to record
    return;
  }
  if (!Backup_Value(root, key, name, backupfile, true)) return;
  bool deleted = Reg_DeleteValue(root, key, name);
  if (!deleted && name.empty()) {
    // Some default values refuse deletion; emptying them is the next best.
    Debug_Output(L"DeleteValue=false ; " + key + L" ; Value=" + name);
    deleted = Reg_WriteValue(root, key, name, nullptr, 0, REG_SZ);
  }
  if (!deleted) return;
  ++engine.Stat_ValuesDeleted;
  MarkDone(engine, entry);
}

void DeleteKeyPart(TRegistryCleaner& engine, TTreeData_RegCleaner& entry, const std::wstring& backupfile,
                   const DeleteOptions& options) {
  const RootKey root = entry.Delete_Root;
  const std::wstring& key = entry.Delete_Key;
  // Checked before anything else: such a key is neither recorded nor, when
  // it happens to be missing, counted as removed. The entry stays ticked.
  if (IsProtectedContainerKey(root, key)) {
    Debug_Output(L"DeleteKey=refused ; " + Reg_RootKeyName(root) + L"\\" + key);
    return;
  }
  if (!Reg_KeyExists(root, key)) {
    MarkDone(engine, entry);
    return;
  }
  const std::wstring& exportFolder = options.exportFolder.empty() ? ProgramFolder() : options.exportFolder;
  if (!Backup_Key(root, key, backupfile, exportFolder, options.regExeTimeLimitMs)) {
    Debug_Output(L"KeyToBackup=false ; " + key);
    return;
  }
  if (!Reg_DeleteKey(root, key)) {
    Debug_Output(L"DeleteKey=false ; " + key);
    return;
  }
  ++engine.Stat_KeysDeleted;
  MarkDone(engine, entry);
}

}  // namespace

void DeleteCheckedEntries(TRegistryCleaner& engine, const std::wstring& backupfile, const DeleteOptions& options) {
  engine.Stat_ValuesDeleted = 0;
  engine.Stat_KeysDeleted = 0;
  engine.Stat_DeletedTreeObjects_forWartungsScan = 0;
  TResultTree* tree = engine.FTree;
  if (!tree) return;
  // By position: processing window messages must not be able to leave an
  // iterator dangling.
  for (std::size_t index = 0; index < tree->NodeCount(); ++index) {
    PVirtualNode node = tree->NodeAt(index);
    if (IsTicked(node)) {
      engine.ProcessPendingMessages();
      TTreeData_RegCleaner& entry = *GetEntry(node);
      if (entry.DeleteValue) DeleteValuePart(engine, entry, backupfile);
      if (entry.DeleteKey) DeleteKeyPart(engine, entry, backupfile, options);
      if (engine.Progress) {
        engine.Progress_Step();
        engine.ProcessPendingMessages();
      }
    }
    if (STOP_REQUESTED) break;
  }
}

void TRegistryCleaner::DeleteCheckedEntries(const std::wstring& backupfile) {
  keytidy::DeleteCheckedEntries(*this, backupfile);
}

}  // namespace keytidy
