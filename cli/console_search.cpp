#include "cli/console_search.h"

#include <windows.h>

#include <algorithm>

#include "cli/console.h"
#include "cli/console_progress.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/text.h"
#include "platform/user_hives.h"
#include "model/categories.h"
#include "scan/exception_file.h"
#include "scan/finding_names.h"
#include "scan/finding_user.h"
#include "scan/scan_json.h"
#include "scan/scan_report.h"
#include "settings/option_switches.h"

namespace keytidy::cli {

namespace {

void LoadTranslation() {
  Choose_Language();
  LOAD_INTERNAL_ONLY(TranslationFolder(), LanguageCode);
  Apply_StartupMessageDefaults();
}

// One line per filter category in filter-list order: the category's name as
// the filter list shows it and its number of findings.
std::wstring SummaryText(const TRegistryCleaner& engine, const TOptionSwitches& switches) {
  std::wstring text;
  std::int32_t total = 0;
  for (std::int32_t filter = 1; filter < kFilterCount; ++filter) {
    for (const OptionSwitchInfo& info : OptionSwitchTable()) {
      if (info.filterIndex != filter) continue;
      const std::int32_t count = engine.Count_ItemsWithThisComboBoxIndex(static_cast<FilterCategory>(filter));
      total += count;
      text += OptionSwitchCaption(info.id) + L": " + std::to_wstring(count);
      if (!switches.IsChecked(info.id)) text += L" (off)";
      text += L"\r\n";
    }
  }
  text += L"Total: " + std::to_wstring(total) + L"\r\n";
  return text;
}

}  // namespace

namespace {

std::wstring UsageLine(SearchCommand command) {
  const bool clean = command == SearchCommand::Clean;
  return std::wstring(L"keytidy-cli: usage: ") + (clean ? L"clean [--dry-run] [--no-restore-point]" : L"scan") +
         L" [--report FILE] [--json FILE] [--category NAME[,NAME...]] [--exclude-category NAME[,NAME...]] "
         L"[--user all|SID] [--quiet]\r\n";
}

std::wstring KnownCategoryNames() {
  std::wstring names;
  for (std::int32_t filter = 1; filter < kFilterCount; ++filter)
    names += (names.empty() ? L"" : L", ") + CategoryName(static_cast<FilterCategory>(filter));
  return names;
}

// "a,b,c" into filter numbers; false (with a line on stderr) for an empty
// list, an empty name or one no category has.
bool ParseCategoryList(const std::wstring& list, std::vector<std::int32_t>& categories) {
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(L',', start);
    const std::wstring name = list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    const std::optional<FilterCategory> category = CategoryOfName(name);
    if (!category) {
      PrintErr(L"keytidy-cli: unknown category '" + name + L"'; the categories are: " + KnownCategoryNames() + L"\r\n");
      return false;
    }
    categories.push_back(Number(*category));
    if (comma == std::wstring::npos) return true;
    start = comma + 1;
  }
}

std::wstring LoadedUserList() {
  std::wstring list;
  for (const std::wstring& sid : Loaded_UserSids()) list += (list.empty() ? L"" : L", ") + sid;
  return list.empty() ? std::wstring(L"(none)") : list;
}

// "all", or the SID of a user whose hive is loaded now; false (with a
// line on stderr) for anything else.
bool TakeUserChoice(const std::wstring& choice, SearchOptions& options) {
  if (EqualsIgnoreCaseAscii(choice, L"all")) {
    options.user = L"all";
    return true;
  }
  if (!IsAccountSid(choice) || !IsLoadedUserSid(choice)) {
    PrintErr(L"keytidy-cli: no loaded user hive belongs to '" + choice + L"'; the users that can be judged are: " +
             LoadedUserList() + L"\r\n");
    return false;
  }
  options.user = UpperCaseAscii(choice);
  return true;
}

bool Contains(const std::vector<std::int32_t>& list, std::int32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

bool ParseSearchOptions(const Arguments& arguments, SearchOptions& options, SearchCommand command) {
  const bool clean = command == SearchCommand::Clean;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size() && !arguments[i + 1].empty();
    if (argument == L"--report" && hasValue && !options.reportFile) {
      options.reportFile = arguments[++i];
      continue;
    }
    if (argument == L"--json" && hasValue && !options.jsonFile) {
      options.jsonFile = arguments[++i];
      continue;
    }
    if ((argument == L"--category" || argument == L"--exclude-category") && hasValue) {
      if (!ParseCategoryList(arguments[++i],
                             argument == L"--category" ? options.categories : options.excludedCategories)) {
        PrintErr(UsageLine(command));
        return false;
      }
      continue;
    }
    if (argument == L"--user" && hasValue && !options.user) {
      if (!TakeUserChoice(arguments[++i], options)) {
        PrintErr(UsageLine(command));
        return false;
      }
      continue;
    }
    if (argument == L"--quiet" && !options.quiet) {
      options.quiet = true;
      continue;
    }
    if (argument == L"--dry-run" && clean && !options.dryRun) {
      options.dryRun = true;
      continue;
    }
    if (argument == L"--no-restore-point" && clean && !options.noRestorePoint) {
      options.noRestorePoint = true;
      continue;
    }
    PrintErr(UsageLine(command));
    return false;
  }
  return true;
}

std::vector<std::wstring> ChosenUsers(const SearchOptions& options) {
  if (!options.user) return {};
  if (*options.user == L"all") return Loaded_UserSids();
  return {*options.user};
}

void Apply_CategoryChoice(const SearchOptions& options, TOptionSwitches& switches) {
  for (size_t i = 0; i < kCategorySwitchCount; ++i) {
    const OptionSwitchInfo& info = OptionSwitchTable()[i];
    if (!options.categories.empty()) switches.SetChecked(info.id, Contains(options.categories, info.filterIndex));
    if (Contains(options.excludedCategories, info.filterIndex)) switches.SetChecked(info.id, false);
  }
}

namespace {

bool WriteReport(const TResultTree* tree, const std::wstring& file, bool nameUsers) {
  if (tree && tree->IsEmpty()) {
    Write_ScanReport(file, *tree);  // removes an old report: it would describe findings that are gone
    PrintOut(L"Nothing found; no report written.\r\n");
    return true;
  }
  if (!tree || !Write_ScanReport(file, *tree, nameUsers ? FindingUserOf(FindingUser) : nullptr)) {
    PrintErr(L"keytidy-cli: the report could not be written to " + file + L"\r\n");
    return false;
  }
  PrintOut(L"Report: " + file + L"\r\n");
  return true;
}

// Written even when nothing was found: a document with no findings says so.
bool WriteJson(const TResultTree* tree, const std::wstring& file) {
  if (!tree || !Write_ScanJson(file, *tree)) {
    PrintErr(L"keytidy-cli: the JSON file could not be written to " + file + L"\r\n");
    return false;
  }
  PrintOut(L"JSON: " + file + L"\r\n");
  return true;
}

}  // namespace

bool RunConsoleSearch(TRegistryCleaner& engine, const SearchOptions& options, ScanRunResult& result) {
  LoadTranslation();
  TExceptionList exceptions;
  Load_Exceptions(ExceptionsFilePath(), exceptions);
  TScanRunSettings settings;
  settings.switches = Load_OptionSwitches();
  Apply_CategoryChoice(options, settings.switches);
  settings.exceptions = &exceptions;
  settings.addStatistics = !options.dryRun;
  settings.users = ChosenUsers(options);

  ConsoleSearchProgress progress(options.quiet);
  result = RC_SearchRun(engine, settings, progress);
  PrintOut(SummaryText(engine, settings.switches));

  if (options.reportFile && !WriteReport(engine.FTree, *options.reportFile, options.user.has_value())) return false;
  if (options.jsonFile && !WriteJson(engine.FTree, *options.jsonFile)) return false;
  return true;
}

}  // namespace keytidy::cli
