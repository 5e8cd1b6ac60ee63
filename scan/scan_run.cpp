#include "scan/scan_run.h"

#include <windows.h>

#include <utility>

#include "platform/debug_log.h"
#include "platform/environment.h"
#include "scan/exception_apply.h"
#include "scan/scan_categories.h"

namespace keytidy {

TScanRunSettings::TScanRunSettings() : windows64(IsWindows64()) {}

namespace {

// While the run lasts, the checks' own message pumping goes through the
// observer; questions still reach the engine's own front end, which comes
// back afterwards.
class PumpThroughObserver : public TFrontEnd {
 public:
  PumpThroughObserver(TRegistryCleaner& engine, TScanObserver& observer)
      : engine_(engine), observer_(observer), saved_(engine.FrontEnd) {
    engine_.FrontEnd = this;
  }
  ~PumpThroughObserver() override { engine_.FrontEnd = saved_; }
  PumpThroughObserver(const PumpThroughObserver&) = delete;
  PumpThroughObserver& operator=(const PumpThroughObserver&) = delete;

  void ProcessPendingMessages() override { observer_.ProcessMessages(); }
  bool AskYesNo(const std::wstring& question, const std::wstring& caption, bool& dontAskAgain) override {
    return saved_ ? saved_->AskYesNo(question, caption, dontAskAgain) : TFrontEnd::AskYesNo(question, caption, dontAskAgain);
  }
  void OptionSwitchesChanged(const TOptionSwitches& switches) override {
    if (saved_) saved_->OptionSwitchesChanged(switches);
  }

 private:
  TRegistryCleaner& engine_;
  TScanObserver& observer_;
  TFrontEnd* saved_;
};

void ResetForSearch(TRegistryCleaner& engine, const TScanRunSettings& settings) {
  engine.Progress = nullptr;  // the checks drive no bar of their own during a search
  engine.Status_Delete = false;
  engine.Status_Search = true;
  engine.Run.STOP_REQUESTED = false;
  engine.Stat_ValuesScanned = 0;
  engine.Stat_KeysScanned = 0;
  engine.Stat_ValuesDeleted = 0;
  engine.Stat_KeysDeleted = 0;
  engine.FLAG_CHECK_ONLY_HDDS = settings.switches.CheckOnlyHdds();
  engine.Take_DriveList();  // drives come and go (and get locked) while the screen stays open
}

}  // namespace

ScanRunResult RC_SearchRun(TRegistryCleaner& engine, const TScanRunSettings& settings, TScanObserver& observer) {
  ScanRunResult result;
  // A second Search reached through pumped messages would clear the tree
  // under the running checks.
  if (engine.Status_Search) return result;
  result.ran = true;

  PumpThroughObserver pump(engine, observer);
  RememberedClassKeys oneLookPerKey(engine.ClassKeys);
  ResetForSearch(engine, settings);
  result.progressMaximum = ScanProgressMaximum(settings.switches, settings.windows64);
  if (engine.FTree) engine.FTree->Clear();

  observer.SetProgressMaximum(result.progressMaximum);
  observer.SearchStarted();
  if (engine.FTree) engine.FTree->BeginUpdate();
  const DWORD start = GetTickCount();
  observer.RefreshSummary();
  observer.ProcessMessages();

  const ScanCallContext calls(engine, settings.windows64, [&] {
    observer.SetProgressPosition(++result.progressSteps);
    observer.ProcessMessages();
  });
  const auto categories = ScanCategoryTable();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const ScanCategory& category = categories[i];
    if (i != 0 && category.option != OptionSwitch::RC_WindowsFirewall) {
      if (engine.Run.APP_TERMINATING) {
        result.terminated = true;
        return result;
      }
      observer.RefreshSummary();
      observer.ProcessMessages();
    }
    if (engine.Run.STOP_REQUESTED || !settings.switches.IsChecked(category.option)) continue;
    observer.CategoryStarted(category, OptionSwitchCaption(category.option));
    observer.ProcessMessages();
    const DWORD categoryStart = GetTickCount();
    category.run(calls);
    // Where a slow scan spends its time, one line per category.
    Debug_Output(L"RC-Search category " + std::to_wstring(category.filterIndex) +
                 L" took ms=" + std::to_wstring(GetTickCount() - categoryStart));
  }

  if (engine.Run.APP_TERMINATING) {
    result.terminated = true;
    return result;
  }
  observer.RefreshSummary();
  observer.ProcessMessages();
  observer.ChecksFinished();

  if (settings.exceptions) result.exceptionsRemoved = Apply_Exceptions(engine.FTree, *settings.exceptions);
  engine.Status_Search = false;
  if (engine.FTree) engine.FTree->EndUpdate();
  observer.SearchResultsReady();

  result.elapsedMs = GetTickCount() - start;
  Debug_Output(L"RC-Search took ms=" + std::to_wstring(result.elapsedMs));
  if (settings.addStatistics) {
    Stats_Add(settings.statsRoot, settings.statsKey, kStats_ValuesScanned, engine.Stat_ValuesScanned);
    Stats_Add(settings.statsRoot, settings.statsKey, kStats_KeysScanned, engine.Stat_KeysScanned);
  }
  result.stopped = engine.Run.STOP_REQUESTED;
  observer.SearchFinished(result);
  return result;
}

}  // namespace keytidy
