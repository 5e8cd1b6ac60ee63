// The cleaner screen driven in the test process over a result tree filled
// by hand (and, for deletion, pointing at real registry values): summary
// rows, the filtered list with its counters, ticking, the status text, the
// context menu's rules, exceptions and deletion.
#include "cleaner/form_rc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "cleaner/shell_open.h"
#include "gui/yes_no_dialog.h"
#include "lang/message_catalogue.h"
#include "model/categories.h"
#include "platform/environment.h"
#include "platform/registry_snapshot.h"
#include "platform/text.h"
#include "scan/add_found_entry.h"
#include "scan/exception_file.h"
#include "settings/option_switches.h"
#include "settings/screen/form_options.h"
#include "support/gui.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

// A top-level window that hosts the screen the way the main window's panel
// does.
class Host {
 public:
  Host() {
    window_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 640, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Host() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

struct Finding {
  FilterCategory filter;
  bool ticked;
  std::wstring path;  // also the display name's source
};

class CleanerScreen : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    Localisation_Reset();
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
    form_ = std::make_unique<TForm_RC>();
    ASSERT_TRUE(form_->CreateModule(host_.get()));
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 900, 640, SWP_NOZORDER);
    ShowWindow(form_->Handle(), SW_SHOWNA);
    form_->BackupFolder = backups_.Path();
    test::PumpMessages();
  }
  void TearDown() override {
    Set_ShellOpenObserver(nullptr);
    form_.reset();
    Localisation_Reset();
    RegistrySandbox::TearDown();
  }

  TForm_RC& form() { return *form_; }
  TResultTree& tree() { return form_->Tree; }

  // Adds a value finding for the value `name` of the sandbox key (HKCU).
  PVirtualNode Add(const Finding& finding, const std::wstring& name = L"") {
    PVirtualNode node = Add_FoundEntry(finding.path, L"Name " + finding.path, &tree(), finding.ticked, CheckId::Fonts,
                                       finding.filter, ROOT_HKEY_CURRENT_USER, Path(), name);
    auto& entry = TResultTree::Data(node);
    entry.DeleteValue = true;
    entry.Delete_Root = ROOT_HKEY_CURRENT_USER;
    entry.Delete_Key = Path();
    entry.Delete_Value = name.empty() ? finding.path : name;
    return node;
  }

  // What the screen does after a search: filter list, counters, summary.
  void AfterSearch() {
    form().ANY_SEARCH_DONE = true;
    form().Update_RC_Filter_ComboBoxen();
    form().ComboBox_RC_FilterChange();
    form().Update_Zusammenfassung();
    form().VirtualDrawTree_RCChange(nullptr);
    test::PumpMessages();
  }

  std::wstring Counter(ui::TextLabel& label) { return label.Caption(); }

  Host host_;
  test::TempFolder backups_;
  std::unique_ptr<TForm_RC> form_;
};

TEST_F(CleanerScreen, SummaryHasOneRowPerCategoryWithTickedOfTotal) {
  for (int i = 0; i < 3; ++i) Add({FilterCategory::Fonts, i < 2, L"C:\\gone\\font" + std::to_wstring(i) + L".ttf"});
  for (int i = 0; i < 5; ++i) Add({FilterCategory::Help, true, L"C:\\gone\\help" + std::to_wstring(i) + L".hlp"});
  AfterSearch();

  const auto& rows = form().Zusammenfassung->Rows();
  ASSERT_EQ(rows.size(), 3u);
  const std::wstring items = L" " + Message(MessageKey::MESSAGE_IC_ZUSAMMENFASSUNG_OBJECTS);
  const struct {
    std::wstring count, target;
  } expected[] = {{L"7/8" + items, L"VellUnicodeSTButton_Navi0"},
                  {L"2/3" + items, L"VellUnicodeSTButton_Navi4"},
                  {L"5" + items, L"VellUnicodeSTButton_Navi6"}};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].countText, expected[i].count);
    EXPECT_EQ(rows[i].target, expected[i].target);
    EXPECT_EQ(rows[i].top, 4 + 40 * static_cast<int>(i));
    EXPECT_EQ(rows[i].html.find(L"<b>"), std::wstring::npos);
    EXPECT_NE(rows[i].html.find(L"#404040\" size=\"12\""), std::wstring::npos);
  }
  // Every other row lies on a band.
  ASSERT_EQ(form().Zusammenfassung->Bands().size(), 1u);
  const RECT band = form().Zusammenfassung->Bands()[0];
  EXPECT_EQ(band.top, 44);
  // What the window shows, not what it would paint: the band reaches into
  // the gaps beside the icon, where no row control covers the panel.
  HDC screen = GetDC(form().Panel_Zusammenfassung.Handle());
  const int middle = band.top + 20;
  EXPECT_EQ(GetPixel(screen, band.left + 2, middle), kSummaryBandFill) << "left of the icon";
  EXPECT_EQ(GetPixel(screen, band.left + 40, middle), kSummaryBandFill) << "between icon and text";
  ReleaseDC(form().Panel_Zusammenfassung.Handle(), screen);
  // The summary hides the list and its commands.
  EXPECT_TRUE(form().SummaryShown());
  EXPECT_FALSE(form().VellButton_SelectAll.Enabled());
  EXPECT_FALSE(form().VellButton_Zusammenfassung.Enabled());
}

// A row for all findings and one per category: more than the panel holds.
TEST_F(CleanerScreen, EveryCategoryFoundBringsTheScrollBarAndNarrowerRows) {
  for (std::int32_t filter = 1; filter < kFilterCount; ++filter)
    Add({static_cast<FilterCategory>(filter), true, L"C:\\gone\\f" + std::to_wstring(filter) + L".dll"});
  AfterSearch();
  const auto& rows = form().Zusammenfassung->Rows();
  ASSERT_EQ(rows.size(), static_cast<size_t>(kFilterCount));
  EXPECT_EQ(rows.back().top, 4 + (kFilterCount - 1) * 40);
  ASSERT_LE(form().Panel_Zusammenfassung.Height(), 524);
  EXPECT_TRUE(form().Panel_Zusammenfassung.ScrollBarVisible());
  EXPECT_EQ(form().Zusammenfassung->SCROLLBAR_WIDTH, 20);
  for (const auto& row : rows) EXPECT_EQ(row.text->Width(), form().Panel_Zusammenfassung.Width() - 20 - 64);
}

TEST_F(CleanerScreen, NothingFoundShowsOneCentredLineAndTheOkPanel) {
  // Before any search an empty tree says nothing.
  form().Update_Zusammenfassung();
  EXPECT_EQ(form().Zusammenfassung->NothingFoundLine(), nullptr);
  EXPECT_FALSE(form().Panel_Working.Visible());

  AfterSearch();
  EXPECT_TRUE(form().Zusammenfassung->Rows().empty());
  ui::Control* line = form().Zusammenfassung->NothingFoundLine();
  ASSERT_NE(line, nullptr);
  const RECT box = line->Bounds();
  const int panelWidth = form().Panel_Zusammenfassung.Width();
  EXPECT_NEAR((box.left + box.right) / 2, (panelWidth + 28) / 2, 2);
  EXPECT_NEAR((box.top + box.bottom) / 2, form().Panel_Zusammenfassung.Height() / 2, 2);
  EXPECT_TRUE(form().Panel_Working.Visible());
  EXPECT_TRUE(form().Label_Anim_NothingFound.Visible());
  EXPECT_EQ(form().Label_Anim_NothingFound.Caption(), Message(MessageKey::MESSAGE_OCO_BIGSTATUS_NOTHINGFOUND));
  EXPECT_EQ(form().HTMLabel_Status.Html(), Message(MessageKey::MESSAGEHTML_RC_STATUS_NOTHINGFOUND));
  EXPECT_FALSE(form().VellButton_Delete.Enabled());
  EXPECT_FALSE(form().VellButton_Report.Enabled());
}

TEST_F(CleanerScreen, ClickOnACountOpensTheCategoryWithItsFirstFindingSelected) {
  Add({FilterCategory::Help, true, L"C:\\gone\\a.hlp"});
  PVirtualNode firstFont = Add({FilterCategory::Fonts, true, L"C:\\gone\\a.ttf"});
  Add({FilterCategory::Fonts, false, L"C:\\gone\\b.ttf"});
  AfterSearch();
  const auto rows = form().Zusammenfassung->Rows();
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_EQ(rows[1].target, L"VellUnicodeSTButton_Navi4");

  test::ClickAt(rows[1].countLabel->Handle(), 150, 10);
  test::PumpMessages();

  EXPECT_FALSE(form().SummaryShown());
  EXPECT_TRUE(form().VirtualDrawTree_RC.Visible());
  EXPECT_EQ(form().ComboBox_RC_Filter.ItemIndex, Number(FilterCategory::Fonts));
  EXPECT_EQ(form().VirtualDrawTree_RC.RowCount(), 2u);
  EXPECT_EQ(form().VirtualDrawTree_RC.SelectedNodes(), std::vector<PVirtualNode>{firstFont});
  EXPECT_EQ(Counter(form().Label_RC_Result_Found), L"3");
  EXPECT_EQ(Counter(form().Label_RC_Result_Visible), L"2");
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"1");
  EXPECT_TRUE(form().VellButton_Zusammenfassung.Enabled());
  EXPECT_TRUE(form().VellButton_SelectAll.Enabled());
  // The status names the value the selected finding deletes.
  EXPECT_NE(form().HTMLabel_Status.Html().find(RC_StatusValueText(L"C:\\gone\\a.ttf")), std::wstring::npos);

  // Back to the summary.
  form().VellButton_Zusammenfassung.OnClick();
  EXPECT_TRUE(form().SummaryShown());
  EXPECT_EQ(form().ComboBox_RC_Filter.ItemIndex, 0);
}

// The pane under the list tells why the selected row was found and follows
// the selection as the list control reports it; hidden, it gives its room
// back to the list; the summary never shows it.
TEST_F(CleanerScreen, EvidencePaneFollowsTheSelectionAndItsButton) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"a", L"C:\\gone\\a.ttf");
  PVirtualNode withEvidence = Add({FilterCategory::Fonts, true, L"C:\\gone\\a.ttf"}, L"a");
  TResultTree::Data(withEvidence).Evidence = {EvidenceTest::FileMissing,
                                              L"C:\\gone\\a.ttf",
                                              false,
                                              ROOT_HKEY_CURRENT_USER,
                                              Path(),
                                              L"a",
                                              true,
                                              ReadValueData(ROOT_HKEY_CURRENT_USER, Path(), L"a")};
  Add({FilterCategory::Fonts, true, L"C:\\gone\\b.ttf"}, L"b");  // its value is gone already
  AfterSearch();
  EXPECT_FALSE(form().Memo_Evidence.Visible());
  EXPECT_FALSE(form().VellButton_Evidence.Enabled());

  form().VellUnicodeSTButton_Navi[Number(FilterCategory::Fonts)]->OnClick();
  test::PumpMessages();
  ASSERT_TRUE(form().Memo_Evidence.Visible());
  const std::wstring first = form().Memo_Evidence.Text();
  for (const wchar_t* line : {L"Verdict: file not found\r\n", L"Type: REG_SZ (28 Bytes)\r\nData: C:\\gone\\a.ttf\r\n",
                              L"Deleting removes: this one value\r\n"})
    EXPECT_NE(first.find(line), std::wstring::npos) << Utf16ToUtf8(line) << " in " << Utf16ToUtf8(first);
  RECT list, pane;
  GetWindowRect(form().VirtualDrawTree_RC.Handle(), &list);
  GetWindowRect(form().Memo_Evidence.Handle(), &pane);
  EXPECT_LT(list.bottom, pane.top);
  EXPECT_GE(list.bottom - list.top, pane.bottom - pane.top);

  HWND listView = form().VirtualDrawTree_RC.Handle();
  ListView_SetItemState(listView, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(listView, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  test::PumpMessages();
  EXPECT_NE(form().Memo_Evidence.Text().find(L"Deleting removes: nothing: the entry no longer exists"),
            std::wstring::npos)
      << Utf16ToUtf8(form().Memo_Evidence.Text());

  form().VellButton_Evidence.OnClick();
  EXPECT_FALSE(form().Memo_Evidence.Visible());
  RECT fullList;
  GetWindowRect(listView, &fullList);
  EXPECT_EQ(fullList.bottom, pane.bottom);
  form().VellButton_Evidence.OnClick();
  EXPECT_TRUE(form().Memo_Evidence.Visible());

  form().VellButton_Zusammenfassung.OnClick();
  EXPECT_FALSE(form().Memo_Evidence.Visible());
  EXPECT_FALSE(form().VellButton_Evidence.Enabled());
}

TEST_F(CleanerScreen, CategoryAndTextFilterDriveTheCounters) {
  Add({FilterCategory::Fonts, true, L"C:\\gone\\One.DLL"});
  Add({FilterCategory::Fonts, false, L"C:\\gone\\two.dll"});
  Add({FilterCategory::Fonts, true, L"C:\\gone\\three.ttf"});
  Add({FilterCategory::Shared, true, L"C:\\gone\\four.dll"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[Number(FilterCategory::Fonts)]->OnClick();
  form().CurvyEdit_Filter.SetText(L"dll");  // the box's change event applies it
  test::PumpMessages();

  EXPECT_EQ(form().VirtualDrawTree_RC.RowCount(), 2u);
  EXPECT_EQ(Counter(form().Label_RC_Result_Found), L"4");
  EXPECT_EQ(Counter(form().Label_RC_Result_Visible), L"2");
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"1");
  // The filter list counts every finding of a category, shown or not.
  EXPECT_EQ(form().ComboBox_RC_Filter.Items[Number(FilterCategory::Fonts)],
            OptionSwitchCaption(OptionSwitch::RC_Fonts) + L" (3)");
  EXPECT_EQ(form().ComboBox_RC_Filter.Items[0], Message(MessageKey::MESSAGE_DC_FILTER_TYP0) + L" (4)");
}

TEST_F(CleanerScreen, TickingChangesTheMarkedCounterAtOnce) {
  Add({FilterCategory::Fonts, false, L"C:\\gone\\a.ttf"});
  Add({FilterCategory::Fonts, true, L"C:\\gone\\b.ttf"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[Number(FilterCategory::Fonts)]->OnClick();
  test::PumpMessages();
  ASSERT_EQ(Counter(form().Label_RC_Result_Selected), L"1");
  EXPECT_EQ(form().VirtualDrawTree_RC.RowHeight(), 34);

  // A click on the first row's check box, as the user makes it.
  RECT row{};
  ListView_GetItemRect(form().VirtualDrawTree_RC.Handle(), 0, &row, LVIR_BOUNDS);
  test::ClickAt(form().VirtualDrawTree_RC.Handle(), row.left + 10, (row.top + row.bottom) / 2);
  test::PumpMessages();
  EXPECT_TRUE(IsTicked(tree().NodeAt(0)));
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"2");
  EXPECT_TRUE(form().VellButton_Delete.Enabled());

  for (int i = 0; i < 2; ++i) form().VirtualDrawTree_RC.ToggleCheck(tree().NodeAt(i));
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"0");
  EXPECT_FALSE(form().VellButton_Delete.Enabled());
}

TEST_F(CleanerScreen, SelectAllTicksOnlyTheShownCategory) {
  Add({FilterCategory::Fonts, false, L"C:\\gone\\a.ttf"});
  Add({FilterCategory::Fonts, false, L"C:\\gone\\b.ttf"});
  Add({FilterCategory::Help, false, L"C:\\gone\\c.hlp"});
  Add({FilterCategory::Help, true, L"C:\\gone\\d.hlp"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[Number(FilterCategory::Fonts)]->OnClick();
  form().VirtualDrawTree_RC.ClearSelection();

  form().VellButton_SelectAll.OnClick();
  EXPECT_TRUE(IsTicked(tree().NodeAt(0)));
  EXPECT_TRUE(IsTicked(tree().NodeAt(1)));
  EXPECT_FALSE(IsTicked(tree().NodeAt(2)));
  EXPECT_TRUE(IsTicked(tree().NodeAt(3)));
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"2");
  // The status counts ticked findings of the whole tree: 4 found, 3 ticked.
  form().VirtualDrawTree_RCChange(nullptr);
  std::wstring expected = Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_KX15) + L" " +
                          Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_ADDER);
  expected = ReplaceAllIgnoreCase(ReplaceAllIgnoreCase(expected, L"%1", L"4"), L"%2", L"3");
  EXPECT_EQ(form().HTMLabel_Status.Html(), expected);

  form().VellButton_SelectNone.OnClick();
  EXPECT_FALSE(IsTicked(tree().NodeAt(0)));
  EXPECT_TRUE(IsTicked(tree().NodeAt(3)));
}

TEST_F(CleanerScreen, FoundStatusWithTwelveFindingsAndFiveTicked) {
  for (int i = 0; i < 12; ++i) Add({FilterCategory::Media, i < 5, L"C:\\gone\\s" + std::to_wstring(i) + L".wav"});
  AfterSearch();
  std::wstring expected = Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_KX15) + L" " +
                          Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_ADDER);
  expected = ReplaceAllIgnoreCase(ReplaceAllIgnoreCase(expected, L"%1", L"12"), L"%2", L"5");
  EXPECT_EQ(form().HTMLabel_Status.Html(), expected);
}

TEST(CleanerStatusText, KeysOfTheInteractiveUserReadAsCurrentUser) {
  const std::wstring sid = L"S-1-5-21-7-8-9-1000";
  const struct {
    RootKey root;
    std::wstring key, expected;
  } cases[] = {
      {ROOT_HKEY_USERS, sid + L"\\Software\\My-App", L"HKEY_CURRENT_USER \\ Software \\ My - App"},
      {ROOT_HKEY_USERS, L"S-1-5-18\\Software", L"HKEY_USERS \\ S - 1 - 5 - 18 \\ Software"},
      {ROOT_HKEY_LOCAL_MACHINE, sid + L"\\x", L"HKEY_LOCAL_MACHINE \\ S - 1 - 5 - 21 - 7 - 8 - 9 - 1000 \\ x"},
  };
  for (const auto& c : cases) EXPECT_EQ(RC_StatusKeyText(c.root, c.key, sid), c.expected) << c.key;
  EXPECT_EQ(RC_StatusKeyText(ROOT_HKEY_USERS, sid + L"\\A", L""),
            L"HKEY_USERS \\ S - 1 - 5 - 21 - 7 - 8 - 9 - 1000 \\ A");
  EXPECT_EQ(RC_StatusValueText(L""), L"(default)");
}

TEST_F(CleanerScreen, ContextMenuItemsFollowTheSelection) {
  for (int i = 0; i < 3; ++i) Add({FilterCategory::Fonts, true, L"C:\\gone\\f" + std::to_wstring(i) + L".ttf"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[0]->OnClick();
  const struct {
    int selected;
    bool mark, regedit;
  } cases[] = {{0, false, false}, {1, true, true}, {2, true, false}};
  for (const auto& c : cases) {
    form().VirtualDrawTree_RC.ClearSelection();
    for (int i = 0; i < c.selected; ++i) tree().SetSelected(tree().NodeAt(i), true);
    form().AdvPopupMenu_RCPopup();
    EXPECT_EQ(form().MenuItem_RC_MarkSelected.enabled, c.mark) << c.selected;
    EXPECT_EQ(form().MenuItem_RC_UnmarkSelected.enabled, c.mark) << c.selected;
    EXPECT_EQ(form().MenuItem_RC_AddToExceptions.enabled, c.mark) << c.selected;
    EXPECT_EQ(form().MenuItem_RC_OpenInRegEdit.enabled, c.regedit) << c.selected;
  }
}

TEST_F(CleanerScreen, MarkAndUnmarkReachSelectedFindingsTheFilterHides) {
  PVirtualNode font = Add({FilterCategory::Fonts, false, L"C:\\gone\\a.ttf"});
  PVirtualNode help = Add({FilterCategory::Help, false, L"C:\\gone\\b.hlp"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[0]->OnClick();
  tree().SetSelected(font, true);
  tree().SetSelected(help, true);
  form().SelectFilter(Number(FilterCategory::Fonts));
  ASSERT_FALSE(help->visible());
  form().MenuItem_RC_MarkSelected.OnClick();
  EXPECT_TRUE(IsTicked(font));
  EXPECT_TRUE(IsTicked(help));
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"1");
  form().MenuItem_RC_UnmarkSelected.OnClick();
  EXPECT_FALSE(IsTicked(help));
}

// The exception file as the test found it, put back afterwards.
class ExceptionFileGuard {
 public:
  ExceptionFileGuard() : path_(ExceptionsFilePath()), before_(Exists() ? test::ReadFileBytes(path_) : "") {
    existed_ = Exists();
    DeleteFileW(path_.c_str());
  }
  ~ExceptionFileGuard() {
    if (existed_)
      test::WriteFileBytes(path_, before_);
    else
      DeleteFileW(path_.c_str());
  }
  bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::vector<std::wstring> Lines() const {
    std::vector<std::wstring> lines;
    std::wstring text = Utf8ToUtf16(test::ReadFileBytes(path_));
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }

 private:
  std::wstring path_;
  std::string before_;
  bool existed_ = false;
};

void AnswerQuestion(std::uint32_t answer, std::wstring* questionSeen) {
  test::RunSoon([answer, questionSeen] {
    auto* dialog = dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
    ASSERT_NE(dialog, nullptr);
    if (questionSeen) *questionSeen = dialog->HTMLabel1.Html();
    (answer == 6 ? dialog->Button_Ja : dialog->Button_Nein).Click();
  });
}

TEST_F(CleanerScreen, AddingThreeFindingsToTheExceptionsAsksOnceAndWritesTwelveLines) {
  ExceptionFileGuard file;
  for (int i = 0; i < 4; ++i) Add({FilterCategory::Fonts, true, L"C:\\gone\\f" + std::to_wstring(i) + L".ttf"});
  AfterSearch();
  form().VellUnicodeSTButton_Navi[0]->OnClick();
  form().VirtualDrawTree_RC.ClearSelection();
  for (int i = 1; i < 4; ++i) tree().SetSelected(tree().NodeAt(i), true);

  // No keeps everything as it was.
  AnswerQuestion(7, nullptr);
  form().MenuItem_RC_AddToExceptions.OnClick();
  EXPECT_EQ(tree().NodeCount(), 4u);
  EXPECT_FALSE(file.Exists());

  std::wstring question;
  AnswerQuestion(6, &question);
  form().MenuItem_RC_AddToExceptions.OnClick();
  EXPECT_NE(question.find(L"<b>3</b>"), std::wstring::npos) << question;
  ASSERT_EQ(tree().NodeCount(), 1u);
  EXPECT_EQ(TResultTree::Data(tree().NodeAt(0)).Delete_Value, L"C:\\gone\\f0.ttf");
  EXPECT_EQ(Counter(form().Label_RC_Result_Found), L"1");
  const std::vector<std::wstring> lines = file.Lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], L"0");
  EXPECT_EQ(lines[1], L"HKEY_CURRENT_USER");
  EXPECT_EQ(lines[2], Path());
  EXPECT_EQ(lines[3], L"C:\\gone\\f1.ttf");
}

TEST_F(CleanerScreen, DeleteTakesHiddenTickedFindingsAlongInOneBackupSet) {
  for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), name, L"x");
  Add({FilterCategory::Fonts, true, L"C:\\gone\\a.ttf"}, L"a");
  Add({FilterCategory::Fonts, true, L"C:\\gone\\b.ttf"}, L"b");
  Add({FilterCategory::Help, true, L"C:\\gone\\c.hlp"}, L"c");
  Add({FilterCategory::Fonts, false, L"C:\\gone\\d.ttf"}, L"d");
  AfterSearch();
  form().VellUnicodeSTButton_Navi[Number(FilterCategory::Fonts)]->OnClick();
  // The hidden ticked help finding counts nowhere on the screen and does
  // not enable Delete.
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"2");
  form().VellButton_SelectNone.OnClick();
  EXPECT_FALSE(form().VellButton_Delete.Enabled());
  EXPECT_EQ(Counter(form().Label_RC_Result_Selected), L"0");
  for (int i = 0; i < 2; ++i) form().VirtualDrawTree_RC.ToggleCheck(tree().NodeAt(i));
  ASSERT_TRUE(IsTicked(tree().NodeAt(2)));
  ASSERT_FALSE(IsTicked(tree().NodeAt(3)));

  form().AdvToolBarButton_RC_DeleteClick();
  test::PumpMessages();

  for (const wchar_t* name : {L"a", L"b", L"c"}) EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), name));
  EXPECT_TRUE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"d"));
  ASSERT_EQ(tree().NodeCount(), 1u);
  int scripts = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((backups_.Path() + L"\\*.reg").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do ++scripts;
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(scripts, 1);
  // The restore point is on by default; Wine has no System Restore client,
  // and the status line says so under the counts.
  EXPECT_EQ(form().HTMLabel_Status.Html(),
            ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_DELETED), L"%1", L"3") + L"<br>" +
                Message(MessageKey::MESSAGEHTML_RC_STATUS_RESTOREPOINT_NONE));
  EXPECT_TRUE(form().VellButton_Search.Enabled());
  EXPECT_FALSE(form().VellButton_Stop.Enabled());
  EXPECT_FALSE(form().Panel_Working.Visible());
}

TEST_F(CleanerScreen, DeleteWithNothingTickedDoesNothing) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"a", L"x");
  Add({FilterCategory::Fonts, false, L"C:\\gone\\a.ttf"}, L"a");
  AfterSearch();
  const std::wstring status = form().HTMLabel_Status.Html();
  form().AdvToolBarButton_RC_DeleteClick();
  EXPECT_TRUE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"a"));
  EXPECT_EQ(GetFileAttributesW(backups_.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(form().HTMLabel_Status.Html(), status);
}

TEST_F(CleanerScreen, OpenInRegEditWritesLastKeyInTheInteractiveUsersHive) {
  // The start-up finds the desktop user; the test process has to ask.
  const std::wstring sidBefore = InteractiveUserSid();
  Set_InteractiveUserSid(GetInteractiveUserSid());
  ASSERT_FALSE(InteractiveUserSid().empty());
  Add({FilterCategory::Fonts, true, L"C:\\gone\\a.ttf"});
  AfterSearch();
  tree().SetSelected(tree().NodeAt(0), true);
  std::vector<std::wstring> opened;
  Set_ShellOpenObserver([&opened](const std::wstring& file) { opened.push_back(file); });
  const std::wstring settings =
      InteractiveUserSid() + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
  const std::wstring before = Reg_ReadString(ROOT_HKEY_USERS, settings, L"LastKey");

  form().MenuItem_RC_OpenInRegEdit.OnClick();

  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_USERS, settings, L"LastKey"), L"HKEY_CURRENT_USER\\" + Path());
  EXPECT_EQ(opened, std::vector<std::wstring>{L"regedit.exe"});
  Reg_WriteString(ROOT_HKEY_USERS, settings, L"LastKey", before);
  Set_InteractiveUserSid(sidBefore);
}

}  // namespace
}  // namespace keytidy

namespace keytidy {
namespace {

TEST(ExceptionRemoval, RowsRemovedWithoutOkComeBackAndTheFileKeepsThem) {
  ExceptionFileGuard file;
  TExceptionList stored;
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_LOCAL_MACHINE", L"Software\\Kept", stored, L"");
  Add_ExceptionItem(kExceptionKindValue, L"HKEY_CURRENT_USER", L"Software\\Removed", stored, L"v");
  ASSERT_TRUE(Save_Exceptions(ExceptionsFilePath(), stored));
  const std::string before = test::ReadFileBytes(ExceptionsFilePath());
  Host host;
  TForm_Options options(host.get());

  size_t rowsShown = 0, rowsAfterRemove = 0;
  test::RunSoon([&] {
    rowsShown = options.ListView_RC_Exceptions.RowCount();
    options.ListView_RC_Exceptions.SelectRow(1);
    options.Button_RC_RemoveExceptions.OnClick();
    rowsAfterRemove = options.ListView_RC_Exceptions.RowCount();
    options.Close();
  });
  options.Execute();
  EXPECT_EQ(rowsShown, 2u);
  EXPECT_EQ(rowsAfterRemove, 1u);
  EXPECT_EQ(options.Exceptions().Rows(), std::vector<ExceptionRow>{stored.Rows()[0]});
  EXPECT_EQ(test::ReadFileBytes(ExceptionsFilePath()), before);

  test::RunSoon([&] {
    rowsShown = options.ListView_RC_Exceptions.RowCount();
    options.Close();
  });
  options.Execute();
  EXPECT_EQ(rowsShown, 2u);
}

}  // namespace
}  // namespace keytidy
