// The backup screen in the test process over a folder of real backup sets:
// the two views, the side bar for the selection, header sorting, restore
// and delete questions, old-set deletion and the automatic clean-up. Every
// question or notice that pops up is answered by a simulated user and
// recorded.
#include "backup/screen/form_backups.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/auto_delete_old_backups.h"
#include "backup/backup_row_texts.h"
#include "backup/module_codes.h"
#include "backup/record_choice.h"
#include "backup/reg_script_text.h"
#include "backup/screen/form_backup_records.h"
#include "gui/gui_front_end.h"
#include "gui/yes_no_dialog.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/option_switches.h"
#include "settings/screen/form_options.h"
#include "support/gui.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"
#include "ui/gdi_objects.h"

namespace keytidy {
namespace {

using test::PumpMessages;
using test::TempFolder;
using test::WriteFileBytes;

std::string Utf8(const std::wstring& text) { return Utf16ToUtf8(text); }

// What the simulated user saw in one dialog.
struct SeenDialog {
  std::wstring text;
  bool question = false;  // Yes and No; otherwise a notice with OK
  bool checkBox = false;
};

// Answers every skinned dialog that opens while it lives: questions with
// `answer` (6 or 7), notices with OK; ticks the check box when asked to.
class SimulatedUser {
 public:
  explicit SimulatedUser(std::uint32_t answer, bool tickCheckBox = false) : answer_(answer), tick_(tickCheckBox) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, Poll);
  }
  ~SimulatedUser() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  const std::vector<SeenDialog>& Seen() const { return seen_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_) return;
    auto* dialog = dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
    if (!dialog || dialog->RESULT != 0) return;
    SeenDialog seen{dialog->HTMLabel1.Html(), dialog->Button_Ja.Visible(), dialog->CheckBox_Remember.Visible()};
    current_->seen_.push_back(seen);
    if (seen.checkBox && current_->tick_) dialog->CheckBox_Remember.SetChecked(true);
    if (!seen.question)
      dialog->Button_Ok.Click();
    else if (current_->answer_ == kAnswerYes)
      dialog->Button_Ja.Click();
    else
      dialog->Button_Nein.Click();
  }

  static inline SimulatedUser* current_ = nullptr;
  std::uint32_t answer_;
  bool tick_;
  UINT_PTR timer_ = 0;
  std::vector<SeenDialog> seen_;
};

class BackupsScreen : public test::RegistrySandbox {
 protected:
  BackupsScreen() {
    Localisation_Reset();
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  }
  ~BackupsScreen() override { Localisation_Reset(); }

  // A set made by the cleaner `daysOld` days ago with a script of
  // `scriptBytes` bytes; its display text is its name unless given.
  void AddSet(const std::wstring& base, double daysOld, const std::string& user = "", std::size_t scriptBytes = 100,
              const std::wstring& display = L"") {
    const std::string owner = user.empty() ? Utf8(Get_CurrentUser()) : user;
    const std::string ini = "[Backup]\r\nDateTime=" + Utf8(FormatDateTime_Fixed(Now_Local() - daysOld)) +
                            "\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=" + Utf8(display.empty() ? base : display) +
                            "\r\nUser=" + owner + "\r\nSavedKeys=4\r\nSavedValues=9\r\n";
    WriteFileBytes(folder_.File(base + L".ini"), ini);
    WriteFileBytes(folder_.File(base + L".reg"), std::string(scriptBytes, ';'));
  }
  static std::wstring Get_CurrentUser() {
    TBackupTree tree;
    return TBackups(&tree).CurrentUser;
  }
  bool SetExists(const std::wstring& base) const {
    return GetFileAttributesW(folder_.File(base + L".ini").c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // The screen over the test folder, without the clean-up timer, which would
  // otherwise ask its own question two seconds in.
  std::unique_ptr<TForm_MainNavi_Backups> OpenScreen() {
    auto screen = std::make_unique<TForm_MainNavi_Backups>(nullptr, folder_.Path());
    screen->VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
    ShowWindow(screen->Handle(), SW_SHOWNA);
    PumpMessages(20);
    return screen;
  }

  static std::vector<std::wstring> ListedNames(const TForm_MainNavi_Backups& screen) {
    std::vector<std::wstring> names;
    for (int row = 0; row < screen.VirtualDrawTree_Backups_KX15.RowCount(); ++row)
      names.push_back(TBackups::Data(screen.RowAt(row)).Display);
    return names;
  }

  static void SelectRows(TForm_MainNavi_Backups& screen, std::initializer_list<int> rows) {
    screen.VirtualDrawTree_Backups_KX15.SetRowSelected(-1, false);
    for (int row : rows) screen.VirtualDrawTree_Backups_KX15.SetRowSelected(row, true);
    PumpMessages(20);
  }

  TempFolder folder_;
};

std::wstring Name(int number) { return L"RC_" + std::wstring(number < 10 ? L"0" : L"") + std::to_wstring(number); }

TEST_F(BackupsScreen, CompactViewShowsTheTwelveNewestAndFullViewAll) {
  for (int i = 0; i < 15; ++i) AddSet(Name(i), i + 0.25);
  auto screen = OpenScreen();
  ASSERT_TRUE(screen->CompactView());
  EXPECT_EQ(screen->Label_Status_Total.Caption(), L"15");
  std::vector<std::wstring> newest;
  for (int i = 0; i < 12; ++i) newest.push_back(Name(i));
  EXPECT_EQ(ListedNames(*screen), newest);
  EXPECT_FALSE(screen->VirtualDrawTree_Backups_KX15.HeaderVisible());
  EXPECT_TRUE(screen->Label_LastMadeBackups_KX15.Visible());
  EXPECT_FALSE(screen->VirtualDrawTree_Backups_KX15.ColumnShown(kBackupColumn_Date));

  screen->VellButton_ChangeView.OnClick();
  EXPECT_FALSE(screen->CompactView());
  EXPECT_EQ(screen->VirtualDrawTree_Backups_KX15.RowCount(), 15);
  EXPECT_EQ(screen->Label_Status_Total.Caption(), L"15");
  EXPECT_TRUE(screen->VirtualDrawTree_Backups_KX15.HeaderVisible());
  EXPECT_FALSE(screen->Label_LastMadeBackups_KX15.Visible());
  // Columns 0 and 1 share what the other three leave of the list's width.
  const ui::VirtualDrawList& list = screen->VirtualDrawTree_Backups_KX15;
  int total = 0;
  for (int column = 0; column < list.ColumnCount(); ++column) total += list.ColumnWidth(column);
  EXPECT_NEAR(total, list.TreeWidth() - 28, 1);

  screen->VellButton_ChangeView.OnClick();
  EXPECT_EQ(screen->VirtualDrawTree_Backups_KX15.RowCount(), 12);
}

TEST_F(BackupsScreen, ColumnsFollowTheWindowSizeInTheFullView) {
  AddSet(L"RC_a", 1);
  auto screen = OpenScreen();
  screen->VellButton_ChangeView.OnClick();
  const ui::VirtualDrawList& list = screen->VirtualDrawTree_Backups_KX15;
  const int module = list.ColumnWidth(0), description = list.ColumnWidth(1), size = list.ColumnWidth(2);
  RECT frame;
  GetWindowRect(screen->Handle(), &frame);
  SetWindowPos(screen->Handle(), nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages(20);
  EXPECT_EQ(list.ColumnWidth(2), size);
  EXPECT_NEAR(list.ColumnWidth(0) + list.ColumnWidth(1), module + description + 200, 1);
  EXPECT_GT(list.ColumnWidth(0), module);
  EXPECT_GT(list.ColumnWidth(1), description);
}

// A description longer than the full view's column at the window's size
// widens the window when the view opens, as far as the work area allows,
// instead of being cut off.
TEST_F(BackupsScreen, TheFullViewWidensTheWindowForLongDescriptions) {
  struct Case {
    const char* what;
    size_t displayLength;
    bool fitsOnTheScreen;
  };
  const Case cases[] = {{"somewhat long", 30, true}, {"longer than any screen", 400, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AddSet(L"RC_long", 1, "", 100, std::wstring(c.displayLength, L'w'));
    auto screen = OpenScreen();
    RECT before;
    GetWindowRect(screen->Handle(), &before);
    screen->VellButton_ChangeView.OnClick();
    PumpMessages(20);

    RECT after;
    GetWindowRect(screen->Handle(), &after);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(screen->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_GE(after.left, monitor.rcWork.left);
    EXPECT_LE(after.right, monitor.rcWork.right);
    const ui::VirtualDrawList& list = screen->VirtualDrawTree_Backups_KX15;
    ui::WindowDc dc(list.Handle());
    ui::SelectionScope font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list.Handle(), WM_GETFONT, 0, 0)));
    const std::wstring text = Backup_Description(TBackups::Data(screen->RowAt(0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    if (c.fitsOnTheScreen) {
      EXPECT_GE(list.ColumnWidth(kBackupColumn_Description), size.cx) << "the description is cut";
    } else {
      EXPECT_EQ(after.right - after.left, monitor.rcWork.right - monitor.rcWork.left);
    }
    screen.reset();
    DeleteFileW(folder_.File(L"RC_long.ini").c_str());
    DeleteFileW(folder_.File(L"RC_long.reg").c_str());
  }
}

TEST_F(BackupsScreen, SelectionDecidesButtonsAndDetails) {
  AddSet(L"7", 3.5, "", 3000);
  AddSet(L"2", 4.5);
  AddSet(L"5", 5.5);
  auto screen = OpenScreen();
  ASSERT_EQ(ListedNames(*screen), (std::vector<std::wstring>{L"7", L"2", L"5"}));

  const struct {
    std::initializer_list<int> rows;
    bool restore, remove;
    const wchar_t* selectedCount;
  } cases[] = {{{}, false, false, L"0"}, {{0}, true, true, L"1"}, {{0, 1, 2}, false, true, L"3"}};
  for (const auto& c : cases) {
    SelectRows(*screen, c.rows);
    SCOPED_TRACE(c.selectedCount);
    EXPECT_EQ(screen->VellButton_Restore.Enabled(), c.restore);
    EXPECT_EQ(screen->VellButton_Delete.Enabled(), c.remove);
    EXPECT_EQ(screen->Label_Status_Selected.Caption(), c.selectedCount);
  }
  // Three selected: the multiple-selection text with its number.
  EXPECT_EQ(screen->HTMLabel_Selected.Html(),
            ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUP_SELECTED_MULTIPLE), L"%1", L"3"));

  // One selected: module, description and the seven details.
  SelectRows(*screen, {0});
  const std::wstring details = screen->HTMLabel_Selected.Html();
  const TTreeData_Backup& set = TBackups::Data(screen->RowAt(0));
  EXPECT_EQ(details.find(Get_ModuleName(L"RC") + L"<br>"), 0u) << details;
  EXPECT_NE(details.find(Backup_Description(set)), std::wstring::npos) << details;
  EXPECT_NE(Backup_Description(set).find(L"7"), std::wstring::npos);
  for (const std::wstring& part : {Backup_DateText(set.DateTime), std::wstring(L"3 days"), std::wstring(L"Size: 3 KB"),
                                   std::wstring(L"Keys: 4, values: 9, files: 0")})
    EXPECT_NE(details.find(part), std::wstring::npos) << Utf8(part) << " in " << Utf8(details);
  EXPECT_EQ(details.find(L'%'), std::wstring::npos) << details;
  EXPECT_TRUE(screen->Image_SelectedBackup.Visible());
}

TEST_F(BackupsScreen, HeaderClicksSortAndKeepTheSelection) {
  AddSet(L"mid", 1, "", 5000);
  AddSet(L"big", 2, "", 9000);
  AddSet(L"small", 3, "", 1000);
  auto screen = OpenScreen();
  screen->VellButton_ChangeView.OnClick();
  SelectRows(*screen, {1});  // "big"
  NMLISTVIEW click{};
  click.hdr.hwndFrom = screen->VirtualDrawTree_Backups_KX15.Handle();
  click.hdr.code = LVN_COLUMNCLICK;
  click.iSubItem = kBackupColumn_Size;
  const std::vector<std::wstring> ascending{L"small", L"mid", L"big"};
  const std::vector<std::wstring> descending{L"big", L"mid", L"small"};
  for (const auto* expected : {&ascending, &descending, &ascending}) {
    SendMessageW(screen->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    PumpMessages(20);
    EXPECT_EQ(ListedNames(*screen), *expected);
    const auto selected = screen->VirtualDrawTree_Backups_KX15.SelectedRows();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(TBackups::Data(screen->RowAt(selected[0])).Display, L"big");
  }
}

TEST_F(BackupsScreen, RestoringAnotherUsersSetOnlyWarns) {
  AddSet(L"theirs", 1, "somebody_else");
  auto screen = OpenScreen();
  SelectRows(*screen, {0});
  ASSERT_TRUE(screen->VellButton_Restore.Enabled());
  SimulatedUser user(kAnswerYes);
  screen->VellButton_Restore.OnClick();
  ASSERT_EQ(user.Seen().size(), 1u);
  EXPECT_FALSE(user.Seen()[0].question);
  EXPECT_EQ(user.Seen()[0].text, Message(MessageKey::MESSAGEHTML_BACKUPS_WRONG_USER));
  EXPECT_TRUE(SetExists(L"theirs"));
}

// Restoring runs the real reg.exe on a script that writes into the sandbox.
TEST_F(BackupsScreen, RestoreAsksConfirmsAndThenDeletesOnlyTheRestoredSet) {
  AddSet(L"mine", 1);
  AddSet(L"older", 2);
  const std::wstring script = L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" + Path() +
                              L"\\back]\r\n\"v\"=dword:00000007\r\n\r\n";
  WriteFileBytes(folder_.File(L"mine.reg"),
                 "\xFF\xFE" + std::string(reinterpret_cast<const char*>(script.data()), script.size() * 2));
  const std::wstring deleteAfter = Describe(OptionSwitch::Backups_DeleteAfterSuccessfullRestore).name;
  const std::wstring recycle = Describe(OptionSwitch::Backups_UseRecycleBin).name;
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, deleteAfter, 1);
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, recycle, 0);
  auto screen = OpenScreen();
  SelectRows(*screen, {0});

  {
    SimulatedUser user(kAnswerNo);
    screen->VellButton_Restore.OnClick();
    ASSERT_EQ(user.Seen().size(), 1u);
    EXPECT_TRUE(user.Seen()[0].question);
    EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(L"back"), L"v"));
  }
  SimulatedUser user(kAnswerYes);
  screen->VellButton_Restore.OnClick();
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, deleteAfter);
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, recycle);
  ASSERT_EQ(user.Seen().size(), 2u);
  EXPECT_EQ(user.Seen()[0].text, Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE));
  EXPECT_FALSE(user.Seen()[1].question);
  EXPECT_EQ(user.Seen()[1].text, Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_OK));
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(L"back"), L"v"), 7);
  EXPECT_FALSE(SetExists(L"mine"));
  EXPECT_TRUE(SetExists(L"older"));
  // The list is not read again: the restored set's row stays until then.
  EXPECT_EQ(ListedNames(*screen), (std::vector<std::wstring>{L"mine", L"older"}));
}

// The question names every file a set puts back; a set that is not ours,
// or whose script cannot be read, is refused before any question.
TEST_F(BackupsScreen, RestoreNamesTheFilesItPutsBackAndRefusesWhatItCannotTrust) {
  TempFolder elsewhere;
  const std::wstring target = elsewhere.File(L"a&b.txt");
  WriteFileBytes(target, "current");
  const struct {
    const char* kind;
    std::string files;  // section "Files"
    std::string script;
    bool asked;
    MessageKey refusal;  // shown instead of the question
  } cases[] = {
      {"own extra file", "[Files]\r\nFileCount=1\r\ntxt=" + Utf8(target) + "\r\n", "", true, MessageKey::MESSAGE_OK},
      {"name leading out", "[Files]\r\nFileCount=1\r\nx\\..\\..\\a.txt=" + Utf8(target) + "\r\n", "", false,
       MessageKey::MESSAGEHTML_BACKUPS_RESTORE_NOTOURS},
      {"unreadable script", "", "\xFF\xFEnot a script", false, MessageKey::MESSAGEHTML_BACKUPS_RESTORE_UNREADABLE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    AddSet(L"set", 1);
    WriteFileBytes(folder_.File(L"set.ini"), test::ReadFileBytes(folder_.File(L"set.ini")) + c.files);
    WriteFileBytes(folder_.File(L"set.txt"), "restored");
    if (c.script.empty())
      DeleteFileW(folder_.File(L"set.reg").c_str());  // the extra file alone is what it restores
    else
      WriteFileBytes(folder_.File(L"set.reg"), c.script);
    auto screen = OpenScreen();
    SelectRows(*screen, {0});
    SimulatedUser user(kAnswerNo);
    screen->VellButton_Restore.OnClick();
    ASSERT_EQ(user.Seen().size(), 1u);
    EXPECT_EQ(user.Seen()[0].question, c.asked);
    if (c.asked) {
      EXPECT_EQ(user.Seen()[0].text,
                Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE) + L"<br><br>" +
                    ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE_FILES), L"%1",
                                           ReplaceFirstIgnoreCase(target, L"&", L"&amp;")));
    } else {
      EXPECT_EQ(user.Seen()[0].text, Message(c.refusal));
    }
    EXPECT_EQ(test::ReadFileBytes(target), "current");
  }

  // A last record cut short is left out, and the notice says so.
  AddSet(L"set", 1);
  const std::wstring key = L"[HKEY_CURRENT_USER\\" + Path() + L"]\r\n";
  WriteFileBytes(
      folder_.File(L"set.reg"),
      RegScriptHeaderBytes() + RegScriptBytes(key + L"\"v\"=dword:00000007\r\n\r\n" + key + L"\"cut\"=dword:00"));
  auto screen = OpenScreen();
  SelectRows(*screen, {0});
  SimulatedUser user(kAnswerYes);
  screen->VellButton_Restore.OnClick();
  ASSERT_EQ(user.Seen().size(), 2u);
  EXPECT_EQ(user.Seen()[1].text, Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_OK) + L"<br><br>" +
                                     Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_TORN));
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(), L"v"), 7);
  EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"cut"));
}

// One finding back: the records of a set, each with the finding the
// descriptor names for it, two of them ticked and put back through the
// real reg.exe; nothing else comes back and the set stays byte for byte.
// In both languages, as the user reads it.
TEST_F(BackupsScreen, TheRecordsOfASetAndOnlyTheTickedOnesBack) {
  const std::wstring key = L"HKEY_CURRENT_USER\\" + Path();
  for (const wchar_t* language : {L"en-us", L"de-de"}) {
    SCOPED_TRACE(Utf8(language));
    Localisation_Reset();
    LanguageCode = language;
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", language);
    AddSet(L"mine", 1);
    WriteFileBytes(folder_.File(L"mine.ini"),
                   test::ReadFileBytes(folder_.File(L"mine.ini")) + "[Findings]\r\n1=value|" + Utf8(key) +
                       "\\A|one|font-file-missing|2026-01-02 03:04:05|Font file gone\r\n2=key|" + Utf8(key) +
                       "\\B||software-key-empty|2026-01-02 03:04:06|Empty key B\r\n");
    WriteFileBytes(folder_.File(L"mine.reg"),
                   RegScriptHeaderBytes() + RegScriptBytes(L"[" + key +
                                                           L"\\A]\r\n\"one\"=dword:00000001\r\n"
                                                           L"\"two\"=\"text\"\r\n\r\n[" +
                                                           key + L"\\B]\r\n\"other\"=dword:00000004\r\n\r\n"));
    const std::string setBefore =
        test::ReadFileBytes(folder_.File(L"mine.ini")) + test::ReadFileBytes(folder_.File(L"mine.reg"));
    Reg_DeleteKey(ROOT_HKEY_CURRENT_USER, Path(L"A"));
    Reg_DeleteKey(ROOT_HKEY_CURRENT_USER, Path(L"B"));

    auto screen = OpenScreen();
    EXPECT_FALSE(screen->VellButton_Records.Enabled());
    SelectRows(*screen, {0});
    ASSERT_TRUE(screen->VellButton_Records.Enabled());
    std::vector<std::wstring> names, details;
    bool restoreEnabledBeforeTicks = true, restoreEnabledAfterTicks = false;
    SimulatedUser user(kAnswerYes);
    test::RunSoon(
        [&] {
          auto* records = dynamic_cast<TForm_BackupRecords*>(
              ui::Window::FromHandle(test::FindOwnWindow(TForm_BackupRecords::kClassName)));
          if (!records) return;
          const TDateTime setDate = TBackups::Data(screen->RowAt(0)).DateTime;
          for (PVirtualNode node : records->Records) {
            names.push_back(RegRecord_DisplayName(TBackupRecordTree::Data(node).record));
            details.push_back(TForm_BackupRecords::DetailLine(TBackupRecordTree::Data(node), setDate));
          }
          restoreEnabledBeforeTicks = records->VellButton_RestoreRecords.Enabled();
          // "one" and "other": a value of A and one of B.
          for (size_t row : {0u, 3u}) records->VirtualDrawTree_Records.ToggleCheck(records->Records.NodeAt(row));
          PumpMessages(20);
          restoreEnabledAfterTicks = records->VellButton_RestoreRecords.Enabled();
          records->VellButton_RestoreRecords.OnClick();
          records->Close();
        },
        200);
    screen->VellButton_Records.OnClick();

    // A's key line only heads its values and gets no row; B was recorded as
    // a key of its own.
    const std::vector<std::wstring> expectedNames{key + L"\\A\\one", key + L"\\A\\two", key + L"\\B",
                                                  key + L"\\B\\other"};
    EXPECT_EQ(names, expectedNames);
    ASSERT_EQ(details.size(), 4u);
    const std::wstring valueWord = Message(MessageKey::MESSAGE_BACKUPS_RECORD_VALUE);
    const std::wstring setDate = Backup_DateText(TBackups::Data(screen->RowAt(0)).DateTime);
    const std::wstring findingDate = Backup_DateText(ParseDateTime_Fixed(L"2026-01-02 03:04:05").value());
    const std::wstring keyDate = Backup_DateText(ParseDateTime_Fixed(L"2026-01-02 03:04:06").value());
    const std::wstring dash = L"  \u2013  ";
    EXPECT_EQ(details[0], valueWord + dash + L"Font file gone" + dash + findingDate);
    // "two" has no finding of its own and lies in no key finding: the set's date alone.
    EXPECT_EQ(details[1], valueWord + dash + setDate);
    EXPECT_EQ(details[2], Message(MessageKey::MESSAGE_BACKUPS_RECORD_KEY) + dash + L"Empty key B" + dash + keyDate);
    EXPECT_EQ(details[3], valueWord + dash + L"Empty key B" + dash + keyDate);
    EXPECT_FALSE(restoreEnabledBeforeTicks);
    EXPECT_TRUE(restoreEnabledAfterTicks);

    ASSERT_EQ(user.Seen().size(), 2u);
    EXPECT_TRUE(user.Seen()[0].question);
    EXPECT_EQ(user.Seen()[0].text,
              ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE_RECORDS), L"%1", L"2"));
    EXPECT_EQ(user.Seen()[1].text,
              ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_RECORDS_OK), L"%1", L"2"));
    EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(L"A"), L"one"), 1);
    EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(L"B"), L"other"), 4);
    EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(L"A"), L"two"));
    EXPECT_EQ(test::ReadFileBytes(folder_.File(L"mine.ini")) + test::ReadFileBytes(folder_.File(L"mine.reg")),
              setBefore);
    EXPECT_EQ(ListedNames(*screen), std::vector<std::wstring>{L"mine"});
  }
  LanguageCode.clear();
}

// Another user's set lists its records but puts none back; a set whose
// script cannot be read does not even list them.
TEST_F(BackupsScreen, TheRecordsOfASetThatCannotBePutBack) {
  const std::wstring key = L"HKEY_CURRENT_USER\\" + Path();
  const struct {
    const char* what;
    std::string user;
    std::string script;
    MessageKey shown;
    bool listed;
  } cases[] = {
      {"another user's", "somebody_else",
       RegScriptHeaderBytes() + RegScriptBytes(L"[" + key + L"\\A]\r\n\"one\"=dword:00000001\r\n\r\n"),
       MessageKey::MESSAGEHTML_BACKUPS_WRONG_USER, true},
      {"unreadable", "", "\xFF\xFEnot a script", MessageKey::MESSAGEHTML_BACKUPS_RESTORE_UNREADABLE, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AddSet(L"set", 1, c.user);
    WriteFileBytes(folder_.File(L"set.reg"), c.script);
    auto screen = OpenScreen();
    SelectRows(*screen, {0});
    bool listed = false;
    SimulatedUser user(kAnswerYes);
    test::RunSoon(
        [&] {
          auto* records = dynamic_cast<TForm_BackupRecords*>(
              ui::Window::FromHandle(test::FindOwnWindow(TForm_BackupRecords::kClassName)));
          if (!records) return;
          listed = records->Records.NodeCount() == 1;
          records->VirtualDrawTree_Records.ToggleCheck(records->Records.NodeAt(0));
          PumpMessages(20);
          records->VellButton_RestoreRecords.OnClick();
          records->Close();
        },
        200);
    screen->VellButton_Records.OnClick();
    PumpMessages(250);
    EXPECT_EQ(listed, c.listed);
    ASSERT_EQ(user.Seen().size(), 1u);
    EXPECT_FALSE(user.Seen()[0].question);
    EXPECT_EQ(user.Seen()[0].text, Message(c.shown));
    EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(L"A"), L"one"));
  }
}

TEST_F(BackupsScreen, DeleteAsksAndRemovesTheSelectedSets) {
  AddSet(L"a", 1);
  AddSet(L"b", 2);
  AddSet(L"c", 3);
  auto screen = OpenScreen();
  SelectRows(*screen, {0, 2});
  for (const std::uint32_t answer : {kAnswerNo, kAnswerYes}) {
    SimulatedUser user(answer);
    screen->VellButton_Delete.OnClick();
    ASSERT_EQ(user.Seen().size(), 1u);
    EXPECT_EQ(user.Seen()[0].text, Message(MessageKey::MESSAGE_BACKUPS_ASK_DELETE));
  }
  EXPECT_FALSE(SetExists(L"a"));
  EXPECT_TRUE(SetExists(L"b"));
  EXPECT_FALSE(SetExists(L"c"));
  EXPECT_EQ(ListedNames(*screen), std::vector<std::wstring>{L"b"});
  EXPECT_EQ(screen->Label_Status_Total.Caption(), L"1");
}

TEST_F(BackupsScreen, DeleteOldAsksWithTheNumberEvenWhenItIsZero) {
  const struct {
    int days;
    const wchar_t* count;
    std::vector<std::wstring> left;
  } cases[] = {{30, L"1", {L"3", L"10"}}, {7, L"1", {L"3"}}, {7, L"0", {L"3"}}};
  AddSet(L"3", 3.5);
  AddSet(L"10", 10.5);
  AddSet(L"40", 40.5);
  auto screen = OpenScreen();
  for (const auto& c : cases) {
    SimulatedUser user(kAnswerYes);
    screen->DeleteOldBackups(c.days);
    ASSERT_EQ(user.Seen().size(), 1u);
    EXPECT_EQ(user.Seen()[0].text,
              ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGE_BACKUPS_ASK_DELETE_OLD), L"%1", c.count));
    EXPECT_EQ(ListedNames(*screen), c.left);
  }
  // Several rows can still be selected afterwards.
  AddSet(L"new", 0.5);
  screen->VellButton_Refresh.OnClick();
  SelectRows(*screen, {0, 1});
  EXPECT_EQ(screen->Label_Status_Selected.Caption(), L"2");
}

TEST_F(BackupsScreen, DeleteOldWithNoSetsAsksNothing) {
  auto screen = OpenScreen();
  SimulatedUser user(kAnswerYes);
  screen->DeleteOldBackups(7);
  EXPECT_TRUE(user.Seen().empty());
  EXPECT_EQ(screen->HTMLabel_Selected.Html(), Message(MessageKey::MESSAGEHTML_BACKUP_NOBACKUPS));
}

// The automatic clean-up reads and writes the real Options key; the values
// it touches are put back afterwards.
class AutoCleanUp : public BackupsScreen {
 protected:
  AutoCleanUp() {
    AutoDeleteOldBackups_Reset();
    FirstArgument.clear();
    Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName_, 1);
    TOptionSwitches switches;
    switches.SetBackupAge(BackupAutoDelete::Days7);
    SAVE_RADIOGROUP(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, switches.BackupAgeButtons());
    AddSet(L"3", 3.5);
    AddSet(L"10", 10.5);
    AddSet(L"40", 40.5);
  }
  ~AutoCleanUp() override {
    Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName_);
    Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, RadioGroupValueName(TOptionSwitches().BackupAgeButtons()));
    FirstArgument.clear();
    AutoDeleteOldBackups_Reset();
  }
  const std::wstring askName_ = Describe(OptionSwitch::Backups_Ask_Before_AutoDelete).name;
  TGuiFrontEnd frontEnd_;
};

TEST_F(AutoCleanUp, AsksOncePerRunAndDeletesOnYes) {
  SimulatedUser user(kAnswerYes);
  EXPECT_EQ(AutoDeleteOldBackups(folder_.Path(), Current_OptionSwitches(), frontEnd_), 2);
  ASSERT_EQ(user.Seen().size(), 1u);
  std::wstring expected = Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_AUTODELETE_OLD);
  expected = ReplaceFirstIgnoreCase(ReplaceFirstIgnoreCase(expected, L"%1", L"2"), L"%2", L"7");
  EXPECT_EQ(user.Seen()[0].text, expected);
  EXPECT_TRUE(user.Seen()[0].checkBox);
  EXPECT_TRUE(SetExists(L"3"));
  EXPECT_FALSE(SetExists(L"10"));
  EXPECT_FALSE(SetExists(L"40"));
  // Still asked nothing the second time in the same run.
  AddSet(L"50", 50.5);
  EXPECT_EQ(AutoDeleteOldBackups(folder_.Path(), Current_OptionSwitches(), frontEnd_), 0);
  EXPECT_EQ(user.Seen().size(), 1u);
}

TEST_F(AutoCleanUp, NoWithTheBoxTickedTurnsItOffForGood) {
  SimulatedUser user(kAnswerNo, true);
  EXPECT_EQ(AutoDeleteOldBackups(folder_.Path(), Current_OptionSwitches(), frontEnd_), 0);
  EXPECT_EQ(user.Seen().size(), 1u);
  EXPECT_TRUE(SetExists(L"40"));
  const TOptionSwitches stored = Load_OptionSwitches();
  EXPECT_FALSE(stored.IsChecked(OptionSwitch::Backups_Ask_Before_AutoDelete));
  EXPECT_EQ(stored.BackupAge(), BackupAutoDelete::Never);
}

TEST_F(AutoCleanUp, StaysQuietWhenStartedWithAnArgumentOrToldNotToAsk) {
  const struct {
    const wchar_t* argument;
    DWORD ask;
  } cases[] = {{L"-SAVE", 1}, {L"", 0}};
  for (const auto& c : cases) {
    AutoDeleteOldBackups_Reset();
    FirstArgument = c.argument;
    Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName_, static_cast<std::int32_t>(c.ask));
    SimulatedUser user(kAnswerYes);
    EXPECT_EQ(AutoDeleteOldBackups(folder_.Path(), Current_OptionSwitches(), frontEnd_), 0);
    EXPECT_TRUE(user.Seen().empty());
    EXPECT_TRUE(AutoDeleteOldBackups_HasRun());
  }
  EXPECT_TRUE(SetExists(L"40"));
}

TEST(BackupRowTexts, SizesInWholeKilobytesAndDescriptions) {
  const struct {
    std::int64_t bytes;
    const wchar_t* text;
  } sizes[] = {{0, L"1 KB"}, {1023, L"1 KB"}, {2047, L"1 KB"}, {2048, L"2 KB"}, {10485760, L"10240 KB"}};
  for (const auto& s : sizes) EXPECT_EQ(Backup_SizeText(s.bytes), s.text) << s.bytes;

  TTreeData_Backup row;
  row.Modul = L"rc";
  row.Action = L"rc_deleted";
  row.Display = L"12";
  EXPECT_EQ(Backup_ModuleIcon(row), Get_ModuleIcon(L"RC"));
  row.Action = L"SOMETHING_ELSE";
  EXPECT_EQ(Backup_Description(row), L"12");
  row.Modul = L"XY";
  EXPECT_EQ(Backup_ModuleName(row), L"");
  EXPECT_EQ(Backup_ModuleIcon(row), -1);
  EXPECT_EQ(Backup_DateText(0), L"");
}

}  // namespace
}  // namespace keytidy
