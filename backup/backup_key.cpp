#include <windows.h>

#include <functional>

#include "backup/backup_counters.h"
#include "backup/reg_file_insert.h"
#include "backup/reg_script_check.h"
#include "backup/reg_script_journal.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "backup/registry_backup.h"
#include "platform/file_existence.h"
#include "platform/registry_snapshot.h"
#include "platform/whole_file.h"
#include "platform/environment.h"

namespace keytidy {

namespace {

void RemoveFile(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

// The export file reg.exe wrote; it may appear a moment after the process
// ends on a busy machine.
std::optional<std::string> ReadExport(const std::wstring& path) {
  if (!FileOrFolderExists(path)) Sleep(25);
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    Sleep(25);
    bytes = ReadWholeFile(path);
  }
  return bytes;
}

// The export's records (everything after its header), when they hold the
// whole key exactly as the registry has it now.
std::optional<std::string> VerifiedExportBlock(const std::string& exported, RootKey root, const std::wstring& key) {
  const std::string header = RegScriptHeaderBytes();
  if (exported.compare(0, header.size(), header) != 0) return std::nullopt;
  const RegScriptReadResult parsed = RegScript_ReadBytes(exported);
  if (!parsed.ok || !RegScript_HoldsKeyTree(parsed.records, root, key)) return std::nullopt;
  // The records match the registry, but an import would still change data
  // that no script can carry exactly; the whole key is then refused.
  for (const RegRecord& record : parsed.records)
    if (record.kind == RegRecordKind::Value && !RegScript_ImportKeepsData(record.type, record.data))
      return std::nullopt;
  return exported.substr(header.size());
}

// Where a record goes: UTF-16LE records without header in, true when they
// are in the script.
using RecordWriter = std::function<bool(const std::string& records)>;

// The key written by our own writer, for when the export is not exact:
// reg.exe export writes some values in a form that imports differently (a
// string with a zero inside comes back cut short, a DWORD of odd size as
// other bytes). Parents come before their children, as an import needs.
std::optional<std::string> OwnExportBlock(RootKey root, const std::wstring& key) {
  std::wstring text;
  for (const std::wstring& path : ListKeyTree(root, key)) {
    const auto values = ReadKeyValues(root, path);
    if (!values || !RegScript_CanHoldName(path)) return std::nullopt;
    text += L"[" + RegScript_KeyName(root, path) + L"]\r\n";
    for (const auto& [name, value] : *values) {
      const std::optional<std::wstring> line = Format_ValueLine(name, value.type, value.data, true);
      if (!line) return std::nullopt;
      text += *line + L"\r\n";
    }
    text += L"\r\n";
  }
  const RegScriptReadResult parsed = RegScript_ReadText(text);
  if (!parsed.ok || !RegScript_HoldsKeyTree(parsed.records, root, key)) return std::nullopt;
  return RegScriptBytes(text);
}

}  // namespace

std::wstring Backup_TemporaryExportFile(const std::wstring& folder) {
  const std::wstring plain = folder + L"\\tempreg.reg";
  if (FileOrFolderExists(plain)) RemoveFile(plain);
  if (!FileOrFolderExists(plain)) return plain;
  return folder + L"\\tempreg" + std::to_wstring((GetTickCount() ^ GetCurrentProcessId()) % 1000) + L".reg";
}

bool Backup_Key(RootKey root, const std::wstring& key, const std::wstring& file, BackupCounters& counters) {
  return Backup_Key(root, key, file, counters, ProgramFolder());
}

namespace {

bool RecordKey(RootKey root, const std::wstring& keyPath, const RecordWriter& write, const std::wstring& exportFolder,
               DWORD timeLimitMs) {
  const std::wstring key = !keyPath.empty() && keyPath.front() == L'\\' ? keyPath.substr(1) : keyPath;
  // An empty path would export a whole root; nothing the cleaner deletes
  // is that, and no caller can mean it.
  if (key.empty() || Reg_RootKeyName(root).empty() || !RegScript_CanHoldName(key)) return false;

  if (!Reg_KeyExists(root, key)) {
    return write(RegScriptBytes(Format_KeyDeletionRecord(root, key)));
  }

  const std::wstring exportFile = Backup_TemporaryExportFile(exportFolder);
  // /y: without it reg.exe asks before overwriting and waits for an answer
  // no one can give.
  const RegExeResult run =
      RegExe_Run({L"export", RegScript_KeyName(root, key), exportFile, L"/y"}, exportFolder, timeLimitMs);
  std::optional<std::string> block;
  if (run.Succeeded()) {
    if (const std::optional<std::string> exported = ReadExport(exportFile))
      block = VerifiedExportBlock(*exported, root, key);
  }
  RemoveFile(exportFile);
  if (run.Succeeded() && !block) block = OwnExportBlock(root, key);
  return block && write(*block);
}

}  // namespace

bool Backup_Key(RootKey root, const std::wstring& key, const std::wstring& file, BackupCounters& counters,
                const std::wstring& exportFolder, DWORD timeLimitMs) {
  if (!RecordKey(
          root, key, [&file](const std::string& records) { return RegFile_InsertBlockBytes(records, file); },
          exportFolder, timeLimitMs))
    return false;
  ++counters.savedKeys;
  return true;
}

bool Backup_Key(RootKey root, const std::wstring& key, RegScriptJournal& journal, const std::wstring& exportFolder,
                DWORD timeLimitMs) {
  if (!RecordKey(
          root, key, [&journal](const std::string& records) { return journal.AppendBytes(records); }, exportFolder,
          timeLimitMs))
    return false;
  ++journal.Counters().savedKeys;
  return true;
}

}  // namespace keytidy
