#include "cli/console_search.h"

#include <windows.h>

#include <algorithm>

#include "cli/console.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "scan/categories.h"
#include "scan/exception_file.h"
#include "scan/scan_json.h"
#include "scan/scan_report.h"
#include "settings/option_switches.h"

namespace keytidy::cli {

namespace {

bool StderrIsConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// A one-line bar redrawn in place on the console. When stderr is a pipe or a
// file the bar would only fill it with carriage returns, so nothing is
// drawn there.
class ConsoleProgress : public TScanObserver {
 public:
  ConsoleProgress() : enabled_(StderrIsConsole()) {}

  void SetProgressMaximum(std::int32_t maximum) override { maximum_ = maximum; }
  void SetProgressPosition(std::int32_t position) override {
    position_ = position;
    Draw();
  }
  void CategoryStarted(const ScanCategory&, const std::wstring& caption) override {
    caption_ = caption;
    Draw();
  }
  void ChecksFinished() override {
    if (enabled_ && drawn_) PrintErr(L"\r" + std::wstring(width_, L' ') + L"\r");
  }

 private:
  void Draw() {
    if (!enabled_) return;
    constexpr int kCells = 30;
    const int filled = maximum_ > 0 ? std::min(kCells, position_ * kCells / maximum_) : kCells;
    std::wstring line = L"\r[" + std::wstring(filled, L'#') + std::wstring(kCells - filled, L' ') + L"] " +
                        std::to_wstring(std::min(position_, maximum_)) + L"/" + std::to_wstring(maximum_) + L" " +
                        caption_;
    if (line.size() > 79) line.resize(79);
    const size_t shown = line.size();
    if (shown < width_) line += std::wstring(width_ - shown, L' ');
    width_ = std::max(width_, shown);
    PrintErr(line);
    drawn_ = true;
  }

  bool enabled_;
  bool drawn_ = false;
  std::int32_t maximum_ = 0;
  std::int32_t position_ = 0;
  std::wstring caption_;
  size_t width_ = 0;
};

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
      const std::int32_t count = engine.Count_ItemsWithThisComboBoxIndex(filter);
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

bool ParseSearchOptions(const std::wstring& command, const Arguments& arguments, SearchOptions& options,
                        DryRunOption dryRun) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const bool hasFile = i + 1 < arguments.size() && !arguments[i + 1].empty();
    if (argument == L"--report" && hasFile && !options.reportFile) {
      options.reportFile = arguments[++i];
      continue;
    }
    if (argument == L"--json" && hasFile && !options.jsonFile) {
      options.jsonFile = arguments[++i];
      continue;
    }
    if (argument == L"--dry-run" && dryRun == DryRunOption::Allowed && !options.dryRun) {
      options.dryRun = true;
      continue;
    }
    PrintErr(L"keytidy-cli: usage: " + command + (dryRun == DryRunOption::Allowed ? L" [--dry-run]" : L"") +
             L" [--report FILE] [--json FILE]\r\n");
    return false;
  }
  return true;
}

namespace {

bool WriteReport(const TResultTree* tree, const std::wstring& file) {
  if (tree && tree->IsEmpty()) {
    Write_ScanReport(file, *tree);  // removes an old report: it would describe findings that are gone
    PrintOut(L"Nothing found; no report written.\r\n");
    return true;
  }
  if (!tree || !Write_ScanReport(file, *tree)) {
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
  settings.exceptions = &exceptions;
  settings.addStatistics = !options.dryRun;

  ConsoleProgress progress;
  result = RC_SearchRun(engine, settings, progress);
  PrintOut(SummaryText(engine, settings.switches));

  if (options.reportFile && !WriteReport(engine.FTree, *options.reportFile)) return false;
  if (options.jsonFile && !WriteJson(engine.FTree, *options.jsonFile)) return false;
  return true;
}

}  // namespace keytidy::cli
