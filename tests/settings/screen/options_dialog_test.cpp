// The options dialog and the main window's loop around it, with the user
// simulated from inside the modal loops.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "gui/yes_no_dialog.h"
#include "lang/available_languages.h"
#include "lang/language_choice.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "settings/screen/form_options.h"
#include "skin/skin_folder.h"
#include "support/gui.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::RunSoon;

// Answers every question or notice that turns up with the given button,
// counting them.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::uint32_t answer) : answer_(answer) {
    self_ = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
  }
  ~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    self_ = nullptr;
  }
  int seen = 0;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!self_) return;
    auto* dialog = dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
    if (!dialog || dialog->RESULT != 0) return;
    ++self_->seen;
    if (self_->answer_ == kAnswerYes) dialog->Button_Ja.Click();
    if (self_->answer_ == kAnswerNo) dialog->Button_Nein.Click();
    if (self_->answer_ == kAnswerOk) dialog->Button_Ok.Click();
  }
  static inline DialogAnswerer* self_ = nullptr;
  std::uint32_t answer_;
  UINT_PTR timer_ = 0;
};

// Two skins below the program folder and a clean Options key, both removed
// again afterwards.
class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
    CreateDirectoryW(SkinsRootFolder().c_str(), nullptr);
    for (const wchar_t* skin : {L"KtSkinA", L"KtSkinB"}) {
      const std::wstring folder = SkinsRootFolder() + L"\\" + skin;
      CreateDirectoryW(folder.c_str(), nullptr);
      test::WriteFileBytes(folder + L"\\skin.ini", "[SkinInfo]\r\nDisplayName=Test skin\r\n");
    }
    Set_SkinFolder(SkinsRootFolder() + L"\\KtSkinA");
  }
  void TearDown() override {
    Free_OptionsDialog();
    for (const wchar_t* skin : {L"KtSkinA", L"KtSkinB"}) {
      const std::wstring folder = SkinsRootFolder() + L"\\" + skin;
      DeleteFileW((folder + L"\\skin.ini").c_str());
      RemoveDirectoryW(folder.c_str());
    }
    RemoveDirectoryW(SkinsRootFolder().c_str());
    Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  }
};

int SkinIndex(TForm_Options& dialog, const std::wstring& name) {
  for (int i = 0; i < dialog.ListBox_Skins.Count(); ++i)
    if (dialog.ListBox_Skins.ItemText(i) == name) return i;
  return -1;
}

TEST_F(OptionsDialogTest, SkinChangeBringsTheRestartNoticeOnce) {
  TForm_KX7 main;
  Create_OptionsDialog(main.Handle());
  DialogAnswerer answerer(kAnswerOk);

  // Closed without Ok and without changes: nothing to say.
  RunSoon([] { Form_Options()->Close(); });
  main.RunOptionsLoop();
  EXPECT_EQ(answerer.seen, 0);

  // Ok with the running skin selected: no change either.
  RunSoon([] {
    Form_Options()->ListBox_Skins.Select(SkinIndex(*Form_Options(), L"KtSkinA"));
    Form_Options()->VellButton_Ok.OnClick();
  });
  main.RunOptionsLoop();
  EXPECT_EQ(answerer.seen, 0);

  RunSoon([] {
    Form_Options()->ListBox_Skins.Select(SkinIndex(*Form_Options(), L"KtSkinB"));
    Form_Options()->VellButton_Ok.OnClick();
  });
  main.RunOptionsLoop();
  EXPECT_EQ(answerer.seen, 1);
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin"), L"KtSkinB");
}

TEST_F(OptionsDialogTest, ResetRecreatesTheDialogWithTheInitialStates) {
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"CheckBox_RC_Fonts_KX8", 0);
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", 0);
  Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey,
                  L"RadioButton_Backups_AutoDelete_30-RadioButton_Backups_AutoDelete_Never",
                  L"RadioButton_Backups_AutoDelete_7");
  const std::wstring data = ProgramFolder() + L"\\data";
  CreateDirectoryW(data.c_str(), nullptr);
  test::WriteFileBytes(data + L"\\DC-Files2.txt", "edited by the user");
  test::WriteFileBytes(data + L"\\DC-Files2_default.txt", "shipped");

  TForm_KX7 main;
  Create_OptionsDialog(main.Handle());
  TForm_Options* first = Form_Options();
  EXPECT_FALSE(first->SwitchBox(OptionSwitch::RC_Fonts).Checked());
  EXPECT_FALSE(first->CheckBox_Other_Anims.Checked());
  EXPECT_TRUE(first->BackupAgeButtons[2]->Checked());

  DialogAnswerer answerer(kAnswerYes);
  bool fontsChecked = false, animationsChecked = false, thirtyDays = false, recreated = false;
  RunSoon([&] {
    Form_Options()->VellButton_Reset.OnClick();  // asks; the answerer says yes
    RunSoon(
        [&] {
          TForm_Options* fresh = Form_Options();
          recreated = fresh != nullptr && !fresh->SIGNAL_RECREATE_FORM && IsWindowVisible(fresh->Handle());
          fontsChecked = fresh->SwitchBox(OptionSwitch::RC_Fonts).Checked();
          animationsChecked = fresh->CheckBox_Other_Anims.Checked();
          thirtyDays = fresh->BackupAgeButtons[0]->Checked() && !fresh->BackupAgeButtons[2]->Checked();
          fresh->Close();
        },
        300);
  });
  main.RunOptionsLoop();
  EXPECT_EQ(answerer.seen, 1);
  EXPECT_TRUE(recreated);
  EXPECT_TRUE(fontsChecked);
  EXPECT_TRUE(animationsChecked);
  EXPECT_TRUE(thirtyDays);
  EXPECT_FALSE(Reg_KeyExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey)) << "the reset deleted the stored options";
  EXPECT_EQ(test::ReadFileBytes(data + L"\\DC-Files2.txt"), "shipped");
  DeleteFileW((data + L"\\DC-Files2.txt").c_str());
  DeleteFileW((data + L"\\DC-Files2_default.txt").c_str());
}

TEST_F(OptionsDialogTest, LanguageIsStoredOnlyWhenARowIsSelected) {
  Get_Available_nLangFiles(test::BinFolder() + L"\\translation");
  ASSERT_FALSE(AvailableLanguages().empty());
  Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue, L"earlier");
  TForm_Options dialog(nullptr);
  ASSERT_GT(dialog.ListView_Options_Language.RowCount(), 0);
  dialog.SAVE_OPTIONS();
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue), L"earlier");

  const int last = dialog.ListView_Options_Language.RowCount() - 1;
  dialog.ListView_Options_Language.SelectRow(last);
  dialog.SAVE_OPTIONS();
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue),
            AvailableLanguages()[static_cast<size_t>(dialog.ListView_Options_Language.RowData(last))].baseName);
}

TEST_F(OptionsDialogTest, NavigationShowsEachEntrysPages) {
  TForm_Options dialog(nullptr);
  EXPECT_EQ(dialog.AdvOfficeTabSet1.ItemCount(), 4);
  EXPECT_EQ(dialog.ActivePage(), 0);
  EXPECT_TRUE(dialog.TabSheet_SKIN.Visible());
  EXPECT_FALSE(dialog.PelkanMouseImage3State_Navi1.Enabled()) << "the chosen entry is marked by being disabled";
  // The line under the tab strip spans the page, which starts right below it.
  const RECT tabs = dialog.AdvOfficeTabSet1.Bounds(), page = dialog.PageControl1.Bounds();
  const RECT line = dialog.Shape_Tabs.bounds;
  EXPECT_EQ(line.top, tabs.bottom);
  EXPECT_EQ(line.bottom - line.top, 1);
  EXPECT_EQ(line.left, page.left);
  EXPECT_EQ(line.right, page.right);
  EXPECT_EQ(page.top, line.bottom);

  dialog.SelectNavigation(2);
  ASSERT_EQ(dialog.AdvOfficeTabSet1.ItemCount(), 2);
  EXPECT_EQ(dialog.AdvOfficeTabSet1.ItemText(1), L"Ausnahmen");
  EXPECT_TRUE(dialog.TabSheet_RC1.Visible());
  EXPECT_FALSE(dialog.TabSheet_SKIN.Visible());
  EXPECT_TRUE(dialog.PelkanMouseImage3State_Navi1.Enabled());

  // Choosing the second tab shows the page it stands for.
  dialog.AdvOfficeTabSet1.SetActiveTab(1);
  NMHDR change{dialog.AdvOfficeTabSet1.Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(dialog.TabSheet_RC2.Visible());
  EXPECT_FALSE(dialog.TabSheet_RC1.Visible());
}

}  // namespace
}  // namespace keytidy
