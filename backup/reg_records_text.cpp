#include "backup/reg_records_text.h"

namespace keytidy {

std::optional<std::wstring> RegScript_RecordsText(const std::vector<RegRecord>& records) {
  std::wstring text;
  for (const RegRecord& record : records) {
    switch (record.kind) {
      case RegRecordKind::Key: text += L"[" + RegScript_KeyName(record.root, record.key) + L"]\r\n\r\n"; break;
      case RegRecordKind::DeleteKey: text += Format_KeyDeletionRecord(record.root, record.key) + L"\r\n"; break;
      case RegRecordKind::DeleteValue:
        text += Format_ValueDeletionRecord(record.root, record.key, record.name, true);
        break;
      case RegRecordKind::Value: {
        const std::optional<std::wstring> line = Format_ValueLine(record.name, record.type, record.data, true);
        if (!line) return std::nullopt;
        text += Format_ValueRecord(record.root, record.key, *line);
        break;
      }
    }
  }
  return text;
}

}  // namespace keytidy
