// A real search from the cleaner screen: the automatic first search over
// fixture entries in the registry locations the checks read, Stop during a
// search, and a Search click while a deletion runs.
#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "cleaner/form_rc.h"
#include "gui/process_run_control.h"
#include "lang/message_catalogue.h"
#include "model/categories.h"
#include "platform/environment.h"
#include "scan/exception_file.h"
#include "settings/option_switches.h"
#include "support/gui.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::wstring kHelp = L"SOFTWARE\\Microsoft\\Windows\\Help";

// An action that runs when the screen next lets pending messages through:
// posted to the host window, which runs it from its window procedure.
constexpr UINT kRunPosted = WM_APP + 17;
std::function<void()> g_posted;
WNDPROC g_hostProcedure = nullptr;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunPosted) {
    auto action = std::move(g_posted);
    g_posted = nullptr;
    if (action) action();
    return 0;
  }
  return CallWindowProcW(g_hostProcedure, window, message, wParam, lParam);
}

void PostAction(HWND host, std::function<void()> action) {
  g_posted = std::move(action);
  PostMessageW(host, kRunPosted, 0, 0);
}

// The stored category switches, set for a test and put back afterwards.
class StoredSwitches {
 public:
  explicit StoredSwitches(std::initializer_list<OptionSwitch> enabled) : before_(Load_OptionSwitches()) {
    TOptionSwitches switches = before_;
    for (size_t i = 0; i < kCategorySwitchCount; ++i) switches.SetChecked(static_cast<OptionSwitch>(i), false);
    for (OptionSwitch id : enabled) switches.SetChecked(id, true);
    Save_OptionSwitches(switches);
  }
  ~StoredSwitches() { Save_OptionSwitches(before_); }

 private:
  TOptionSwitches before_;
};

// Keeps the exception list file out of the way while a test searches.
class NoExceptionFile {
 public:
  NoExceptionFile() : path_(ExceptionsFilePath()) {
    existed_ = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (existed_) bytes_ = test::ReadFileBytes(path_);
    DeleteFileW(path_.c_str());
  }
  ~NoExceptionFile() {
    if (existed_) test::WriteFileBytes(path_, bytes_);
  }

 private:
  std::wstring path_;
  std::string bytes_;
  bool existed_ = false;
};

class CleanerSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    Localisation_Reset();
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
    ProcessRunControl().STOP_REQUESTED = false;
    host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 640, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    g_hostProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(host_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProcedure)));
    form_ = std::make_unique<TForm_RC>();
    ASSERT_TRUE(form_->CreateModule(host_));
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 900, 640, SWP_NOZORDER);
    ShowWindow(form_->Handle(), SW_SHOWNA);
    form_->BackupFolder = backups_.Path();
    form_->RC->ListJudgedDrives = [] { return std::wstring(L"C"); };
    form_->RC->HDDS = L"C";
  }
  void TearDown() override {
    form_.reset();
    if (host_) DestroyWindow(host_);
    ProcessRunControl().STOP_REQUESTED = false;
    Localisation_Reset();
  }

  // Counts per filter index of the findings now in the tree.
  std::array<std::int32_t, kFilterCount> CategoryCounts() const {
    std::array<std::int32_t, kFilterCount> counts{};
    for (PVirtualNode node : form_->Tree) ++counts[Number(TResultTree::Data(node).ComboBoxIndex)];
    return counts;
  }

  void WaitForSearch() {
    for (int i = 0; i < 200 && !form_->SEARCH_COMPLETE; ++i) test::PumpMessages(25);
  }

  StoredSwitches switches_{OptionSwitch::RC_Fonts, OptionSwitch::RC_Help};
  NoExceptionFile noExceptions_;
  test::TempFolder backups_;
  HWND host_ = nullptr;
  std::unique_ptr<TForm_RC> form_;
};

TEST_F(CleanerSearch, TheFirstShowStartsASearchThatFillsTheSummary) {
  // What the fixture-free registry finds in these categories comes on top.
  form_->AdvToolBarButton_RC_SearchClick();
  const auto baseline = CategoryCounts();
  form_->AutoStartSearch = true;
  form_->SEARCH_COMPLETE = false;

  test::RealRegistryFixture registry;
  for (int i = 0; i < 3; ++i)
    registry.WriteString(HKLM, kFonts, L"Keytidy Gone " + std::to_wstring(i) + L" (TrueType)",
                         L"C:\\KeytidyGone\\font" + std::to_wstring(i) + L".ttf");
  for (int i = 0; i < 5; ++i)
    registry.WriteString(HKLM, kHelp, L"keytidy" + std::to_wstring(i) + L".hlp", L"C:\\KeytidyGone");

  form_->FormShow();
  WaitForSearch();
  ASSERT_TRUE(form_->SEARCH_COMPLETE);
  EXPECT_FALSE(form_->AutoStartSearch);
  EXPECT_TRUE(form_->ANY_SEARCH_DONE);
  EXPECT_TRUE(form_->VellButton_Search.Enabled());
  EXPECT_FALSE(form_->VellButton_Stop.Enabled());
  EXPECT_FALSE(form_->Panel_Working.Visible());
  const auto counts = CategoryCounts();
  ASSERT_EQ(counts[Number(FilterCategory::Fonts)], baseline[Number(FilterCategory::Fonts)] + 3);
  ASSERT_EQ(counts[Number(FilterCategory::Help)], baseline[Number(FilterCategory::Help)] + 5);

  // One font finding unticked, as the user would: 7/8, 2/3 and 5 when the
  // registry had nothing of its own to report.
  for (PVirtualNode node : form_->Tree)
    if (TResultTree::Data(node).FullPath == L"C:\\KeytidyGone\\font0.ttf")
      form_->Tree.SetCheckState(node, CheckState::Unchecked);
  form_->Update_Zusammenfassung();
  const std::wstring items = L" " + Message(MessageKey::MESSAGE_IC_ZUSAMMENFASSUNG_OBJECTS);
  const int all = counts[Number(FilterCategory::Fonts)] + counts[Number(FilterCategory::Help)];
  std::vector<std::wstring> expected = {std::to_wstring(all - 1) + L"/" + std::to_wstring(all) + items,
                                        std::to_wstring(counts[Number(FilterCategory::Fonts)] - 1) + L"/" +
                                            std::to_wstring(counts[Number(FilterCategory::Fonts)]) + items,
                                        std::to_wstring(counts[Number(FilterCategory::Help)]) + items};
  std::vector<std::wstring> shown;
  for (const auto& row : form_->Zusammenfassung->Rows()) shown.push_back(row.countText);
  EXPECT_EQ(shown, expected);

  // The found status: all findings, all ticked ones.
  EXPECT_NE(form_->HTMLabel_Status.Html().find(std::to_wstring(all)), std::wstring::npos);
}

TEST_F(CleanerSearch, StopEndsTheSearchAndTheScreenComesBack) {
  test::RealRegistryFixture registry;
  registry.WriteString(HKLM, kFonts, L"Keytidy Gone (TrueType)", L"C:\\KeytidyGone\\font.ttf");
  bool stopWasEnabled = false;
  // Clicked at the run's first look at the message queue.
  PostAction(host_, [&] {
    stopWasEnabled = form_->VellButton_Stop.Enabled() && !form_->VellButton_Search.Enabled();
    form_->VellButton_Stop.OnClick();
  });
  form_->AdvToolBarButton_RC_SearchClick();

  EXPECT_TRUE(stopWasEnabled);
  EXPECT_TRUE(ProcessRunControl().STOP_REQUESTED);
  EXPECT_TRUE(form_->SEARCH_COMPLETE);
  EXPECT_EQ(CategoryCounts()[Number(FilterCategory::Fonts)], 0);
  EXPECT_TRUE(form_->VellButton_Search.Enabled());
  EXPECT_FALSE(form_->VellButton_Stop.Enabled());
  EXPECT_TRUE(form_->VirtualDrawTree_RC.Enabled());
}

TEST_F(CleanerSearch, ClosingTheProgramEndsTheRunAndLeavesTheScreenAsItIs) {
  PostAction(host_, [&] {
    // What the main window's close does.
    ProcessRunControl().APP_TERMINATING = true;
    ProcessRunControl().STOP_REQUESTED = true;
  });
  form_->AdvToolBarButton_RC_SearchClick();
  EXPECT_FALSE(form_->SEARCH_COMPLETE);
  EXPECT_FALSE(form_->VellButton_Search.Enabled());
  EXPECT_TRUE(form_->VellButton_Stop.Enabled());
  // Its windows go, the object stays a little longer: what runs then must
  // cope with windows that are gone.
  DestroyWindow(host_);
  host_ = nullptr;
  form_->Update_Zusammenfassung();
  form_->Refresh_Status_RC(0);
  form_->VirtualDrawTree_RCChange(nullptr);
  ProcessRunControl().APP_TERMINATING = false;
}

TEST_F(CleanerSearch, SearchClickDuringADeletionDoesNothing) {
  test::RealRegistryFixture registry;
  const std::wstring key = L"SOFTWARE\\KeytidyTests\\SearchDuringDelete";
  for (const wchar_t* name : {L"a", L"b", L"c"}) registry.WriteString(HKLM, key, name, L"x");
  for (const wchar_t* name : {L"a", L"b", L"c"}) {
    PVirtualNode node = form_->Tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked);
    auto& entry = TResultTree::Data(node);
    entry.DeleteValue = true;
    entry.Delete_Root = HKLM;
    entry.Delete_Key = key;
    entry.Delete_Value = name;
    entry.ComboBoxIndex = FilterCategory::Fonts;
  }
  PVirtualNode kept = form_->Tree.AddChild(CheckType::TriStateCheckBox, CheckState::Unchecked);
  TResultTree::Data(kept).ComboBoxIndex = FilterCategory::Fonts;
  int clicks = 0;
  PostAction(host_, [&] {
    ++clicks;
    form_->AdvToolBarButton_RC_SearchClick();
  });
  form_->AdvToolBarButton_RC_DeleteClick();
  test::PumpMessages(50);

  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(form_->Tree.NodeCount(), 1u) << "no search replaced the tree";
  EXPECT_EQ(form_->Tree.NodeAt(0), kept);
  EXPECT_FALSE(form_->ANY_SEARCH_DONE);
}

}  // namespace
}  // namespace keytidy
