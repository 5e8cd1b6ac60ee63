#include "backup/backup_row_texts.h"

#include <windows.h>

#include <algorithm>

#include "backup/module_codes.h"
#include "lang/message_catalogue.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr wchar_t kCleanerModule[] = L"RC";
constexpr wchar_t kCleanerDeletedAction[] = L"RC_DELETED";

bool IsCleanerSet(const TTreeData_Backup& row) { return UpperCaseAscii(row.Modul) == kCleanerModule; }

}  // namespace

std::wstring Backup_ModuleName(const TTreeData_Backup& row) {
  return IsCleanerSet(row) ? Get_ModuleName(kCleanerModule) : std::wstring();
}

int Backup_ModuleIcon(const TTreeData_Backup& row) { return IsCleanerSet(row) ? Get_ModuleIcon(kCleanerModule) : -1; }

std::wstring Backup_Description(const TTreeData_Backup& row) {
  // What such a descriptor says of itself is not to be trusted.
  if (row.NotOurs) return Message(MessageKey::MESSAGE_BACKUP_NOTOURS);
  // The display text of an unfinished run says nothing yet (no count).
  if (row.Incomplete) return Message(MessageKey::MESSAGE_BACKUP_INCOMPLETE);
  if (UpperCaseAscii(row.Action) != kCleanerDeletedAction) return row.Display;
  return ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGE_BACKUPACTION_RC_DELETED), L"%1", row.Display);
}

std::wstring Backup_SizeText(std::int64_t bytes) {
  return std::to_wstring(std::max<std::int64_t>(bytes / 1024, 1)) + L" KB";
}

std::wstring Backup_DateText(TDateTime moment) {
  if (moment == 0) return {};
  const SYSTEMTIME time = SystemTimeFromDateTime(moment);
  wchar_t date[128] = {};
  wchar_t clock[128] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128) <= 0) date[0] = 0;
  if (GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, 128) <= 0) clock[0] = 0;
  return std::wstring(date) + L" " + clock;
}

}  // namespace keytidy
