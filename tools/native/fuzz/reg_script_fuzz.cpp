// Backup scripts as the program reads them back before it deletes anything
// and after a restore. Whatever the bytes, reading ends with records or a
// reason; every record it accepts, written again by the script writer, reads
// back as the very same record.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "fuzz_support.h"

namespace {

using namespace keytidy;

RegRecord KeyRecord(const RegRecord& record) { return {RegRecordKind::Key, record.root, record.key, L"", REG_NONE, {}}; }

void CheckRewrite(const RegRecord& record) {
  std::wstring text;
  std::vector<RegRecord> expected;
  switch (record.kind) {
    case RegRecordKind::Key:
      return;  // a bare key line has no writer of its own
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RegScriptReadResult result = RegScript_ReadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!result.ok) return 0;
  for (const RegRecord& record : result.records) CheckRewrite(record);
  return 0;
}
