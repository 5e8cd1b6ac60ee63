#include "backup/backup_counters.h"
#include "backup/reg_file_insert.h"
#include "backup/reg_script_journal.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "backup/registry_backup.h"
#include "platform/registry_snapshot.h"

namespace keytidy {

namespace {

// The record must give back exactly the value it stands for when an
// importer reads it; with escaping off, a quote in the name or data would
// not, and such a record is refused rather than written.
bool ReadsBackAs(const std::wstring& record, RootKey root, const std::wstring& key, const std::wstring& name,
                 const std::optional<RegValueData>& value) {
  const RegScriptReadResult parsed = RegScript_ReadText(record);
  if (!parsed.ok || parsed.records.size() != 2) return false;
  const RegRecord& keyLine = parsed.records[0];
  const RegRecord& valueLine = parsed.records[1];
  if (keyLine.kind != RegRecordKind::Key || keyLine.root != root || keyLine.key != key) return false;
  if (valueLine.name != name) return false;
  if (!value) return valueLine.kind == RegRecordKind::DeleteValue;
  return valueLine.kind == RegRecordKind::Value && valueLine.type == value->type && valueLine.data == value->data;
}

// The record for the value as the registry holds it now (a deletion
// record when it is gone), when it reads back as exactly that.
std::optional<std::wstring> ValueRecord(RootKey root, const std::wstring& key, const std::wstring& name, bool escape) {
  if (Reg_RootKeyName(root).empty() || !RegScript_CanHoldName(key) || !RegScript_CanHoldName(name)) return {};
  const std::optional<RegValueData> value = ReadValueData(root, key, name);
  std::wstring record;
  if (!value) {
    record = Format_ValueDeletionRecord(root, key, name, escape);
  } else {
    const std::optional<std::wstring> line = Format_ValueLine(name, value->type, value->data, escape);
    if (!line) return {};
    record = Format_ValueRecord(root, key, *line);
  }
  if (!ReadsBackAs(record, root, key, name, value)) return {};
  return record;
}

std::wstring WithoutLeadingBackslash(const std::wstring& key) {
  return !key.empty() && key.front() == L'\\' ? key.substr(1) : key;
}

}  // namespace

bool Backup_Value(RootKey root, const std::wstring& key, const std::wstring& name, const std::wstring& file,
                  BackupCounters& counters, bool escape) {
  const std::optional<std::wstring> record = ValueRecord(root, WithoutLeadingBackslash(key), name, escape);
  if (!record || !RegFile_InsertBlock(*record, file)) return false;
  ++counters.savedValues;
  return true;
}

bool Backup_Value(RootKey root, const std::wstring& key, const std::wstring& name, RegScriptJournal& journal,
                  bool escape) {
  const std::optional<std::wstring> record = ValueRecord(root, WithoutLeadingBackslash(key), name, escape);
  if (!record || !journal.Append(*record)) return false;
  ++journal.Counters().savedValues;
  return true;
}

}  // namespace keytidy
