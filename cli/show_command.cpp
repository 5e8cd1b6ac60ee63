// "show NAME [--json]": the records a backup set's script holds, one line
// each, named the way "restore NAME --only" takes them, so that one
// finding can be put back without the rest of its set.
#include <nlohmann/json.hpp>

#include "backup/backups_manager.h"
#include "backup/record_choice.h"
#include "cli/backup_set_lookup.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "platform/text.h"
#include "settings/date_time.h"

namespace keytidy::cli {
namespace {

const wchar_t* KindName(RegRecordKind kind) {
  switch (kind) {
    case RegRecordKind::Key: return L"key";
    case RegRecordKind::DeleteKey: return L"delete-key";
    case RegRecordKind::Value: return L"value";
    case RegRecordKind::DeleteValue: return L"delete-value";
  }
  return L"";
}

std::wstring RecordsText(const TTreeData_Backup& set, const std::vector<RegRecord>& records) {
  std::wstring text = BackupSetName(set) + L"  " + FormatDateTime_Fixed(set.DateTime) + L"  " + set.Modul + L"  " +
                      BackupSetDescription(set) + L"\r\n";
  if (records.empty()) text += L"The set records no registry data.\r\n";
  for (const RegRecord& record : records)
    text += std::wstring(KindName(record.kind)) + L"  " + RegRecord_DisplayName(record) + L"\r\n";
  return text;
}

std::string RecordsJson(const TTreeData_Backup& set, const std::vector<RegRecord>& records) {
  auto u8 = [](const std::wstring& text) { return Utf16ToUtf8Replacing(text); };
  nlohmann::json list = nlohmann::json::array();
  for (const RegRecord& record : records)
    list.push_back({{"kind", u8(KindName(record.kind))}, {"name", u8(RegRecord_DisplayName(record))}});
  const nlohmann::json document = {{"set", u8(BackupSetName(set))},
                                   {"date", u8(FormatDateTime_Fixed(set.DateTime))},
                                   {"module", u8(set.Modul)},
                                   {"description", u8(BackupSetDescription(set))},
                                   {"records", list}};
  return document.dump(2) + "\r\n";
}

int RunShow(const Arguments& arguments) {
  const bool json = arguments.size() == 2 && arguments[1] == L"--json";
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !json) ||
      arguments[0].starts_with(L"--")) {
    PrintErr(L"keytidy-cli: usage: show NAME [--json]\r\n");
    return kExitUsage;
  }
  TBackupTree rows;
  TBackups manager(&rows);
  if (!SelectBackupSet(manager, arguments[0])) {
    PrintErr(L"keytidy-cli: no backup set named " + arguments[0] + L"\r\n");
    return kExitFailure;
  }
  const TTreeData_Backup& set = TBackups::Data(manager.FirstSelected());
  const RestorePlan plan = Backup_PlanRestore(set.FullPath_Inifile);
  if (plan.refusal != RestoreRefusal::None) {
    PrintErr(L"keytidy-cli: cannot show " + arguments[0] + L": " + plan.refusalReason + L"\r\n");
    return kExitFailure;
  }
  const std::vector<RegRecord>& records = plan.scriptContent.records;
  if (json)
    PrintOut(Utf8ToUtf16(RecordsJson(set, records)));
  else
    PrintOut(RecordsText(set, records));
  return kExitSuccess;
}

const CommandRegistration kShow({L"show", L"show NAME [--json]",
                                 L"Lists the records of a backup set, one per line with its kind, named as "
                                 L"\"restore NAME --only\" takes them.",
                                 RunShow});

}  // namespace
}  // namespace keytidy::cli
