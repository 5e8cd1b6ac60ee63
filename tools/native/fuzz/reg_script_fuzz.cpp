// Backup scripts as the program reads them back before it deletes anything
// and after a restore. Whatever the bytes, reading ends with records or a
// reason; every record it accepts, written again by the script writer, reads
// back as the very same record. Read for a restore, the records it would
// import are exactly those of the text it would import.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "backup/torn_script.h"
#include "fuzz_support.h"

namespace {

using namespace keytidy;

RegRecord KeyRecord(const RegRecord& record) {
  return {RegRecordKind::Key, record.root, record.key, L"", REG_NONE, {}};
}

void CheckRewrite(const RegRecord& record) {
  std::wstring text;
  std::vector<RegRecord> expected;
  switch (record.kind) {
    case RegRecordKind::Key: return;  // a bare key line has no writer of its own
    case RegRecordKind::DeleteKey:
      text = Format_KeyDeletionRecord(record.root, record.key);
      expected = {record};
      break;
    case RegRecordKind::Value: {
      const auto line = Format_ValueLine(record.name, record.type, record.data, true);
      if (!line) return;
      text = Format_ValueRecord(record.root, record.key, *line);
      expected = {KeyRecord(record), record};
      break;
    }
    case RegRecordKind::DeleteValue:
      text = Format_ValueDeletionRecord(record.root, record.key, record.name, true);
      expected = {KeyRecord(record), record};
      break;
  }
  const RegScriptReadResult again = RegScript_ReadBytes(RegScriptHeaderBytes() + RegScriptBytes(text));
  fuzz::Require(again.ok, "a rewritten record reads");
  fuzz::Require(again.records == expected, "a rewritten record reads back unchanged");
}

void CheckRestoreReading(std::string_view bytes) {
  const RestoreScript script = RegScript_ReadForRestore(bytes);
  if (script.condition == ScriptCondition::Unreadable) {
    fuzz::Require(script.records.empty(), "an unreadable script imports nothing");
    return;
  }
  if (script.condition == ScriptCondition::Whole) {
    fuzz::Require(RegScript_ReadBytes(bytes).records == script.records, "a whole script imports as it reads");
    return;
  }
  const RegScriptReadResult intact = RegScript_ReadText(script.intactText);
  fuzz::Require(intact.ok, "the text before a cut reads");
  fuzz::Require(intact.records == script.records, "the text before a cut holds the records to import");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckRestoreReading(bytes);
  const RegScriptReadResult result = RegScript_ReadBytes(bytes);
  if (!result.ok) return 0;
  for (const RegRecord& record : result.records) CheckRewrite(record);
  return 0;
}
