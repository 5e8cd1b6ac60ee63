// The cleaner screen's part of a search: the run itself is the engine's
// (scan/scan_run.h); the screen follows it through an observer and keeps
// its buttons, counters, progress bar, status line and panels in step.
#include <windows.h>

#include "cleaner/form_rc.h"
#include "gui/process_run_control.h"
#include "gui/stripe_sheet.h"
#include "lang/message_catalogue.h"
#include "scan/scan_categories.h"
#include "scan/scan_run.h"

namespace keytidy {

class TForm_RC::SearchObserver : public TScanObserver {
 public:
  explicit SearchObserver(TForm_RC& form) : form_(form) {}

  void SetProgressMaximum(std::int32_t maximum) override { form_.ProgressBar_RC.SetMaximum(maximum); }
  void SetProgressPosition(std::int32_t position) override { form_.ProgressBar_RC.SetPosition(position); }

  void SearchStarted() override {
    TForm_RC& f = form_;
    // The buttons go first: refreshing the filter list lets messages run,
    // and a Search click arriving then must find the run already guarded.
    f.SetRunButtons(true);
    f.VirtualDrawTree_RC.Invalidate();
    f.Update_RC_Filter_ComboBoxen();
    f.Refresh_Status_RC(0);
    const std::wstring searching = Message(MessageKey::MESSAGE_IC_SEARCHING);
    f.Label_RC_Result_Found.SetCaption(searching);
    f.Label_RC_Result_Selected.SetCaption(searching);
    f.Label_RC_Result_Visible.SetCaption(searching);
    f.ProgressBar_RC.SetPosition(0);
    f.ProgressBar_RC.SetVisible(true);
    f.SetStatus(Message(MessageKey::MESSAGEHTML_RC_STATUS_SEARCHING_KX15), false);
    ui::ProcessMessages();
    f.ShowWorkingPanel(L"\\status_search.gif");
    f.Image_InfoBar.SetPicture(StripePicture(32, 15));
    f.Image_InfoBar.SetVisible(true);
    f.host_->EnableModuleSwitching(false);
    ui::ProcessMessages();
    f.VellThreadTimer_Count_Funde.SetEnabled(true);
  }

  void CategoryStarted(const ScanCategory&, const std::wstring& caption) override {
    form_.SetStatus(Message(MessageKey::MESSAGEHTML_RC_STATUS_SEARCHING_KX15) + L" " + caption, false);
  }

  void RefreshSummary() override { form_.Update_Zusammenfassung(); }
  void ProcessMessages() override { ui::ProcessMessages(); }

  void ChecksFinished() override {
    form_.Image_InfoBar.SetVisible(false);
    form_.VellThreadTimer_Count_Funde.SetEnabled(false);
  }

  void SearchResultsReady() override { form_.ANY_SEARCH_DONE = true; }

  void SearchFinished(const ScanRunResult&) override {
    // A close request that came in after the last look at it: the windows
    // may be gone already, and nothing of this is to be seen any more.
    if (ProcessRunControl().APP_TERMINATING) return;
    TForm_RC& f = form_;
    f.Panel_Working.SetVisible(false);
    f.host_->EnableModuleSwitching(true);
    ui::ProcessMessages();
    f.ComboBox_RC_FilterChange();
    f.SetRunButtons(false);
    f.Refresh_Status_RC(0);
    f.statusCentred_ = true;
    f.ProgressBar_RC.SetVisible(false);
    f.Update_RC_Filter_ComboBoxen();
    f.Update_Zusammenfassung();
    ui::ProcessMessages();
    f.VirtualDrawTree_RCChange(nullptr);
    f.ShowNothingFound();
    f.SEARCH_COMPLETE = true;
  }

 private:
  TForm_RC& form_;
};

void TForm_RC::AdvToolBarButton_RC_SearchClick() {
  // A click that arrives while a search or deletion processes messages.
  if (VellButton_Stop.Enabled()) return;
  SEARCH_COMPLETE = false;
  TScanRunSettings settings;
  settings.switches = host_->Options().Switches();
  const TExceptionList exceptions = host_->Options().Exceptions();
  settings.exceptions = &exceptions;
  SearchObserver observer(*this);
  RC_SearchRun(*RC, settings, observer);
}

}  // namespace keytidy
