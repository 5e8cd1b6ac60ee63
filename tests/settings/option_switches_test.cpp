// Check boxes and the radio group against a sandbox key: what a stored
// value does to a control, what saving writes, and the settings object's
// defaults and round trip.
#include "settings/option_switches.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "scan/exception_list.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::RegistrySandbox;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr wchar_t kBox[] = L"CheckBox_RC_Fonts_KX8";

class OptionSwitches : public RegistrySandbox {
 protected:
  DWORD StoredType(const std::wstring& name) {
    DWORD type = 0, size = 0;
    return Reg_ValueInfo(HKLM, Path(), name, type, size) ? type : REG_NONE;
  }
  static std::vector<RadioButtonState> AgeButtons(std::initializer_list<bool> checked) {
    std::vector<RadioButtonState> buttons;
    auto it = checked.begin();
    for (const RadioButtonInfo& info : BackupAutoDeleteTable()) buttons.push_back({info.name, *it++});
    return buttons;
  }
  static constexpr wchar_t kGroup[] = L"RadioButton_Backups_AutoDelete_30-RadioButton_Backups_AutoDelete_Never";
};

TEST_F(OptionSwitches, StoredCheckBoxValuesOnlyChangeTheBoxWhenTheyAreZeroOrOne) {
  struct Case {
    const char* label;
    DWORD type;  // REG_NONE: no value stored
    DWORD number;
    const wchar_t* text;
    bool before;
    bool after;
  };
  const Case cases[] = {
      {"absent_keeps_checked", REG_NONE, 0, nullptr, true, true},
      {"absent_keeps_unchecked", REG_NONE, 0, nullptr, false, false},
      {"zero_unchecks", REG_DWORD, 0, nullptr, true, false},
      {"one_checks", REG_DWORD, 1, nullptr, false, true},
      {"two_keeps_checked", REG_DWORD, 2, nullptr, true, true},
      {"two_keeps_unchecked", REG_DWORD, 2, nullptr, false, false},
      {"minus_one_keeps", REG_DWORD, 0xFFFFFFFF, nullptr, false, false},
      {"text_one_checks", REG_SZ, 0, L"1", false, true},
      {"text_seven_keeps", REG_SZ, 0, L"7", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Reg_DeleteValue(HKLM, Path(), kBox);
    if (c.type == REG_DWORD) RawWriteDword(HKLM, Path(), kBox, c.number);
    if (c.type == REG_SZ) RawWriteString(HKLM, Path(), kBox, c.text);
    bool checked = c.before;
    LOAD_CHECKBOX(HKLM, Path(), kBox, checked);
    EXPECT_EQ(checked, c.after);
  }
}

TEST_F(OptionSwitches, SavedCheckBoxesAreDwordsOfZeroOrOne) {
  SAVE_CHECKBOX(HKLM, Path(), L"On", true);
  SAVE_CHECKBOX(HKLM, Path(), L"Off", false);
  EXPECT_EQ(StoredType(L"On"), DWORD{REG_DWORD});
  EXPECT_EQ(Reg_ReadInteger(HKLM, Path(), L"On"), 1);
  EXPECT_EQ(StoredType(L"Off"), DWORD{REG_DWORD});
  EXPECT_EQ(Reg_ReadInteger(HKLM, Path(), L"Off"), 0);
}

TEST_F(OptionSwitches, RadioGroupLoadsByNameInAnyLetterCase) {
  std::vector<RadioButtonState> buttons = AgeButtons({true, false, false, false});
  EXPECT_EQ(RadioGroupValueName(buttons), kGroup);

  LOAD_RADIOGROUP(HKLM, Path(), buttons);  // nothing stored
  EXPECT_EQ(buttons, AgeButtons({true, false, false, false}));

  RawWriteString(HKLM, Path(), kGroup, L"radiobutton_backups_autodelete_7");
  LOAD_RADIOGROUP(HKLM, Path(), buttons);
  EXPECT_EQ(buttons, AgeButtons({false, false, true, false}));

  RawWriteString(HKLM, Path(), kGroup, L"RadioButton_Backups_AutoDelete_365");
  LOAD_RADIOGROUP(HKLM, Path(), buttons);
  EXPECT_EQ(buttons, AgeButtons({false, false, true, false}));
}

TEST_F(OptionSwitches, RadioGroupSavesTheLastCheckedButton) {
  SAVE_RADIOGROUP(HKLM, Path(), AgeButtons({false, false, false, false}));
  EXPECT_FALSE(Reg_ValueExists(HKLM, Path(), kGroup));

  SAVE_RADIOGROUP(HKLM, Path(), AgeButtons({false, true, false, true}));
  EXPECT_EQ(StoredType(kGroup), DWORD{REG_SZ});
  EXPECT_EQ(Reg_ReadString(HKLM, Path(), kGroup), L"RadioButton_Backups_AutoDelete_Never");
}

TEST_F(OptionSwitches, SettingsObjectStartsWithTheTableDefaults) {
  const TOptionSwitches switches;
  for (const OptionSwitchInfo& info : OptionSwitchTable()) {
    SCOPED_TRACE(testing::Message() << info.name);
    EXPECT_EQ(switches.IsChecked(info.id), info.checkedByDefault);
  }
  EXPECT_TRUE(switches.IsChecked(OptionSwitch::RC_Other));
  // The leftover checks judge whole programs as removed: a user switches
  // them on, a fresh installation does not.
  EXPECT_FALSE(switches.IsChecked(OptionSwitch::RC_Leftovers));
  EXPECT_STREQ(Describe(OptionSwitch::RC_Leftovers).name, L"CheckBox_RC_Leftovers_KX11");
  EXPECT_TRUE(switches.CheckOnlyHdds());
  EXPECT_TRUE(switches.IsChecked(OptionSwitch::RC_RestorePoint));
  EXPECT_TRUE(switches.IsChecked(OptionSwitch::Backups_Ask_Before_AutoDelete));
  EXPECT_FALSE(switches.IsChecked(OptionSwitch::Backups_UseRecycleBin));
  EXPECT_FALSE(switches.IsChecked(OptionSwitch::Backups_DeleteAfterSuccessfullRestore));
  EXPECT_EQ(switches.BackupAge(), BackupAutoDelete::Days30);

  // Each category names its own result category once.
  std::vector<int> filters;
  for (size_t i = 0; i < kCategorySwitchCount; ++i) filters.push_back(OptionSwitchTable()[i].filterIndex);
  std::sort(filters.begin(), filters.end());
  EXPECT_EQ(filters, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST_F(OptionSwitches, SettingsObjectRoundTripsThroughTheRegistry) {
  TOptionSwitches edited;
  edited.SetChecked(OptionSwitch::RC_Fonts, false);
  edited.SetChecked(OptionSwitch::RC_IgnoreNoHDDs, false);
  edited.SetChecked(OptionSwitch::Backups_UseRecycleBin, true);
  edited.SetBackupAge(BackupAutoDelete::Never);
  edited.Save(HKLM, Path());
  EXPECT_EQ(Reg_ValueCount(HKLM, Path()), kOptionSwitchCount + 1);
  EXPECT_EQ(Reg_ReadInteger(HKLM, Path(), L"CheckBox_RC_Fonts_KX8"), 0);
  EXPECT_EQ(Reg_ReadInteger(HKLM, Path(), L"CheckBox_RC_Media_KX8"), 1);

  TOptionSwitches loaded;
  loaded.Load(HKLM, Path());
  for (const OptionSwitchInfo& info : OptionSwitchTable()) {
    SCOPED_TRACE(testing::Message() << info.name);
    EXPECT_EQ(loaded.IsChecked(info.id), edited.IsChecked(info.id));
  }
  EXPECT_EQ(loaded.BackupAge(), BackupAutoDelete::Never);
  EXPECT_FALSE(loaded.CheckOnlyHdds());

  loaded.ResetToDefaults();
  EXPECT_TRUE(loaded.IsChecked(OptionSwitch::RC_Fonts));
  EXPECT_EQ(loaded.BackupAge(), BackupAutoDelete::Days30);
}

TEST_F(OptionSwitches, TwoCheckedAgeButtonsCountAsTheLaterOne) {
  TOptionSwitches switches;
  switches.BackupAgeButtons()[2].checked = true;  // 30 and 7 checked
  EXPECT_EQ(switches.BackupAge(), BackupAutoDelete::Days7);
}

}  // namespace
}  // namespace keytidy

namespace keytidy {
namespace {

// Captions come from the translation when one is loaded, else from the
// design texts.
TEST(TranslatedCaptions, SwitchesAndExceptionKindsFollowTheLoadedTranslation) {
  Localisation_Reset();
  EXPECT_EQ(OptionSwitchCaption(OptionSwitch::RC_Fonts), L"Schriftarten");
  EXPECT_EQ(OptionSwitchCaption(OptionSwitch::RC_Shared), L"\"shared files\"");
  EXPECT_EQ(BackupAutoDeleteCaption(BackupAutoDelete::Never), L"Backups nie automatisch l\u00f6schen");
  EXPECT_EQ(ExceptionKindCaption(kExceptionKindKey), L"");

  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  EXPECT_EQ(OptionSwitchCaption(OptionSwitch::RC_Fonts), L"Fonts");
  EXPECT_EQ(BackupAutoDeleteCaption(BackupAutoDelete::Days7), L"Delete backups older than 7 days");
  EXPECT_EQ(ExceptionKindCaption(kExceptionKindKey), L"Key");
  EXPECT_EQ(ExceptionKindCaption(kExceptionKindValue), L"Value");
  EXPECT_EQ(ExceptionKindCaption(3), L"");
  Localisation_Reset();
}

}  // namespace
}  // namespace keytidy
