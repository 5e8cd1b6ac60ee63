#include "backup/backup_counters.h"
#include "backup/reg_file_insert.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "backup/registry_backup.h"
#include "backup/registry_snapshot.h"

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

}  // namespace

bool Backup_Value(RootKey root, const std::wstring& keyPath, const std::wstring& name, const std::wstring& file,
                  bool escape) {
  const std::wstring key = !keyPath.empty() && keyPath.front() == L'\\' ? keyPath.substr(1) : keyPath;
  if (Reg_RootKeyName(root).empty() || !RegScript_CanHoldName(key) || !RegScript_CanHoldName(name)) return false;

  const std::optional<RegValueData> value = ReadValueData(root, key, name);
  std::wstring record;
  if (!value) {
    record = Format_ValueDeletionRecord(root, key, name, escape);
  } else {
    const std::optional<std::wstring> line = Format_ValueLine(name, value->type, value->data, escape);
    if (!line) return false;
    record = Format_ValueRecord(root, key, *line);
  }
  if (!ReadsBackAs(record, root, key, name, value)) return false;
  if (!RegFile_InsertBlock(record, file)) return false;
  ++Backup_Counters().savedValues;
  return true;
}

}  // namespace keytidy
