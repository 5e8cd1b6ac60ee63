// "show NAME [--json]": the records a backup set's script holds, one line
// each, named the way "restore NAME --only" takes them, so that one
// finding can be put back without the rest of its set. Where the set's
// descriptor says which finding a record was made for, that finding
// follows the record (sets made before it did so show records alone).
#include <nlohmann/json.hpp>

#include "backup/backup_findings.h"
#include "backup/backup_restore.h"
#include "backup/backup_set.h"
#include "backup/backup_set_list.h"
#include "backup/record_choice.h"
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

std::wstring FindingText(const RecordedFinding& finding) {
  return L"    finding: " + finding.description + L" (" + finding.check + L", " + FormatDateTime_Fixed(finding.date) +
         L")\r\n";
}

std::wstring RecordsText(const TTreeData_Backup& set, const std::vector<RegRecord>& records,
                         const std::vector<RecordedFinding>& findings) {
  std::wstring text = BackupSetName(set) + L"  " + FormatDateTime_Fixed(set.DateTime) + L"  " + set.Modul + L"  " +
                      BackupSetDescription(set) + L"\r\n";
  if (records.empty()) text += L"The set records no registry data.\r\n";
  for (const RegRecord& record : records) {
    text += std::wstring(KindName(record.kind)) + L"  " + RegRecord_DisplayName(record) + L"\r\n";
    if (const RecordedFinding* finding = Backup_FindingOfRecord(findings, record)) text += FindingText(*finding);
  }
  return text;
}

std::string RecordsJson(const TTreeData_Backup& set, const std::vector<RegRecord>& records,
                        const std::vector<RecordedFinding>& findings) {
  auto u8 = [](const std::wstring& text) { return Utf16ToUtf8Replacing(text); };
  nlohmann::json list = nlohmann::json::array();
  for (const RegRecord& record : records) {
    nlohmann::json entry = {{"kind", u8(KindName(record.kind))}, {"name", u8(RegRecord_DisplayName(record))}};
    if (const RecordedFinding* finding = Backup_FindingOfRecord(findings, record))
      entry["finding"] = {{"description", u8(finding->description)},
                          {"check", u8(finding->check)},
                          {"date", u8(FormatDateTime_Fixed(finding->date))}};
    list.push_back(std::move(entry));
  }
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
  const std::optional<TTreeData_Backup> found = FindBackupSet(Backup_Folder(), arguments[0]);
  if (!found) {
    PrintErr(L"keytidy-cli: no backup set named " + arguments[0] + L"\r\n");
    return kExitFailure;
  }
  const TTreeData_Backup& set = *found;
  const RestorePlan plan = Backup_PlanRestore(set.FullPath_Inifile);
  if (plan.refusal != RestoreRefusal::None) {
    PrintErr(L"keytidy-cli: cannot show " + arguments[0] + L": " + plan.refusalReason + L"\r\n");
    return kExitFailure;
  }
  const std::vector<RegRecord>& records = plan.scriptContent.records;
  const std::vector<RecordedFinding> findings = Backup_Read_Findings(set.FullPath_Inifile);
  if (json)
    PrintOut(Utf8ToUtf16(RecordsJson(set, records, findings)));
  else
    PrintOut(RecordsText(set, records, findings));
  return kExitSuccess;
}

const CommandRegistration kShow({L"show", L"show NAME [--json]",
                                 L"Lists the records of a backup set, one per line with its kind, named as "
                                 L"\"restore NAME --only\" takes them, each followed by the finding it was "
                                 L"recorded for where the set says so.",
                                 RunShow});

}  // namespace
}  // namespace keytidy::cli
