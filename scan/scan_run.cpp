#include "scan/scan_run.h"

#include <windows.h>

#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/judged_user.h"
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
    return saved_ ? saved_->AskYesNo(question, caption, dontAskAgain)
                  : TFrontEnd::AskYesNo(question, caption, dontAskAgain);
  }
  void OptionSwitchesChanged(const TOptionSwitches& switches) override {
    if (saved_) saved_->OptionSwitchesChanged(switches);
  }

 private:
  TRegistryCleaner& engine_;
  TScanObserver& observer_;
  TFrontEnd* saved_;
};

void PrepareForSearch(TRegistryCleaner& engine, const TScanRunSettings& settings) {
  engine.Progress = nullptr;  // the checks drive no bar of their own during a search
  engine.Run.STOP_REQUESTED = false;
  engine.FLAG_CHECK_ONLY_HDDS = settings.switches.CheckOnlyHdds();
  engine.Take_DriveList();  // drives come and go (and get locked) while the screen stays open
}

// One pass per chosen user; one pass for the default judged user when
// none was chosen.
std::vector<std::wstring> PassUsers(const TScanRunSettings& settings) {
  return settings.users.empty() ? std::vector<std::wstring>{std::wstring()} : settings.users;
}

// The enabled categories in their order. False when APP_TERMINATING cut
// the run short.
bool RunCategories(TRegistryCleaner& engine, const TScanRunSettings& settings, TScanObserver& observer,
                   const ScanCallContext& calls, bool firstPass) {
  const auto categories = ScanCategoryTable();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const ScanCategory& category = categories[i];
    if ((i != 0 || !firstPass) && category.option != OptionSwitch::RC_WindowsFirewall) {
      if (engine.Run.APP_TERMINATING) return false;
      observer.RefreshSummary();
      observer.ProcessMessages();
    }
    if (engine.Run.STOP_REQUESTED || !settings.switches.IsChecked(category.option)) continue;
    if (!firstPass && category.machineOnly) continue;
    observer.CategoryStarted(category, OptionSwitchCaption(category.option));
    observer.ProcessMessages();
    const DWORD categoryStart = GetTickCount();
    category.run(calls);
    // Where a slow scan spends its time, one line per category.
    Debug_Output(L"RC-Search category " + std::to_wstring(Number(category.filterIndex)) + L" took ms=" +
                 std::to_wstring(GetTickCount() - categoryStart));
  }
  return true;
}

// What makes two findings the same: the check, where it was read and what
// fixing it deletes.
std::wstring FindingSignature(const TTreeData_RegCleaner& entry) {
  return std::to_wstring(Number(entry.GroupIndex)) + L"|" + std::to_wstring(entry.RootKey) + L"|" + entry.Key + L"|" +
         entry.Value + L"|" + std::to_wstring(entry.Delete_Root) + L"|" + entry.Delete_Key + L"|" + entry.Delete_Value +
         L"|" + (entry.DeleteKey ? L"K" : L"") + (entry.DeleteValue ? L"V" : L"") + L"|" +
         // The same class name read from two users' own classes is two findings.
         (entry.Evidence.classesHive
              ? std::to_wstring(entry.Evidence.classesHive->root) + L"\\" + entry.Evidence.classesHive->path
              : std::wstring());
}

// A later user's pass reads the machine's keys again where a category
// mixes them with the user's, and finds what the first pass found there;
// those repeats go, each user's own findings stay.
void Drop_RepeatedMachineFindings(TResultTree* tree, std::size_t firstOfPass) {
  if (!tree || firstOfPass == 0) return;
  std::unordered_set<std::wstring> earlier;
  for (std::size_t i = 0; i < firstOfPass && i < tree->NodeCount(); ++i)
    earlier.insert(FindingSignature(*GetEntry(tree->NodeAt(i))));
  std::unordered_set<PVirtualNode> repeats;
  for (std::size_t i = firstOfPass; i < tree->NodeCount(); ++i) {
    PVirtualNode node = tree->NodeAt(i);
    if (earlier.contains(FindingSignature(*GetEntry(node)))) repeats.insert(node);
  }
  if (!repeats.empty()) tree->RemoveIf([&](PVirtualNode node) { return repeats.contains(node); });
}

}  // namespace

ScanRunResult RC_SearchRun(TRegistryCleaner& engine, const TScanRunSettings& settings, TScanObserver& observer) {
  ScanRunResult result;
  // A second Search reached through pumped messages would clear the tree
  // under the running checks.
  if (engine.searching_) return result;
  result.ran = true;

  PumpThroughObserver pump(engine, observer);
  engine.deleting_ = false;
  engine.searching_ = true;
  // A new search counts from nothing, and the last deletion's figures no
  // longer describe the tree.
  engine.scanned_ = ScanCounters();
  engine.deleted_ = DeleteCounters();
  PrepareForSearch(engine, settings);
  result.progressMaximum = ScanProgressMaximum(settings.switches, settings.windows64) +
                           ScanProgressMaximumOfUserPass(settings.switches, settings.windows64) *
                               static_cast<std::int32_t>(PassUsers(settings).size() - 1);
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
  const std::vector<std::wstring> users = PassUsers(settings);
  for (std::size_t pass = 0; pass < users.size(); ++pass) {
    JudgedUserScope judged(users[pass]);
    // Each user sees classes of their own: what one pass remembered of
    // the class keys does not hold for the next.
    RememberedClassKeys oneLookPerKey(engine.ClassKeys);
    const std::size_t firstOfPass = engine.FTree ? engine.FTree->NodeCount() : 0;
    if (!RunCategories(engine, settings, observer, calls, pass == 0)) {
      result.terminated = true;
      return result;
    }
    if (pass != 0) Drop_RepeatedMachineFindings(engine.FTree, firstOfPass);
  }

  if (engine.Run.APP_TERMINATING) {
    result.terminated = true;
    return result;
  }
  observer.RefreshSummary();
  observer.ProcessMessages();
  observer.ChecksFinished();

  if (settings.exceptions)
    for (const std::wstring& user : users) {
      JudgedUserScope judged(user);
      result.exceptionsRemoved += Apply_Exceptions(engine.FTree, *settings.exceptions);
    }
  engine.searching_ = false;
  if (engine.FTree) engine.FTree->EndUpdate();
  observer.SearchResultsReady();

  result.elapsedMs = GetTickCount() - start;
  result.scanned = engine.scanned_;
  Debug_Output(L"RC-Search took ms=" + std::to_wstring(result.elapsedMs));
  if (settings.addStatistics) {
    Stats_Add(settings.statsRoot, settings.statsKey, kStats_ValuesScanned, result.scanned.Stat_ValuesScanned);
    Stats_Add(settings.statsRoot, settings.statsKey, kStats_KeysScanned, result.scanned.Stat_KeysScanned);
  }
  result.stopped = engine.Run.STOP_REQUESTED;
  observer.SearchFinished(result);
  return result;
}

}  // namespace keytidy
