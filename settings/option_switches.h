#pragma once
// The program's on/off switches and its one radio group, described once in
// a table that drives loading, saving and the defaults. The options dialog
// edits one TOptionSwitches; the scan run and the console front end read
// theirs straight from the Options key.
//
// Stored form, under the Options key: a check box is a DWORD named exactly
// like it (1 checked, 0 not); the radio group is a string named "first-last"
// after its first and last button, holding the checked button's name.
#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "platform/registry.h"

namespace keytidy {

// Category switches first, in the order the options dialog shows them.
enum class OptionSwitch {
  RC_FileFormate,
  RC_COMOLEActiveX,
  RC_Shared,
  RC_Fonts,
  RC_Media,
  RC_Help,
  RC_AppPaths,
  RC_WindowsHistory,
  RC_Installer,
  RC_Startmenu,
  RC_WindowsFirewall,
  RC_Other,
  RC_Leftovers,
  RC_IgnoreNoHDDs,
  RC_RestorePoint,
  Backups_Ask_Before_AutoDelete,
  Backups_UseRecycleBin,
  Backups_DeleteAfterSuccessfullRestore,
};
inline constexpr size_t kOptionSwitchCount = 18;
inline constexpr size_t kCategorySwitchCount = 13;

struct OptionSwitchInfo {
  OptionSwitch id;
  const wchar_t* name;           // component name and registry value name
  bool checkedByDefault;         // the state while the value is absent
  const wchar_t* captionKey;     // translation key of the caption
  const wchar_t* designCaption;  // the caption when no translation has it
  int filterIndex;               // result category 1 to 13; 0 for the other switches
};

// Every switch, in OptionSwitch order; the first kCategorySwitchCount are
// the scan categories.
std::span<const OptionSwitchInfo, kOptionSwitchCount> OptionSwitchTable();
const OptionSwitchInfo& Describe(OptionSwitch id);

// The age at which old backups are removed automatically, as the four
// buttons of one radio group, in group order.
enum class BackupAutoDelete { Days30, Days14, Days7, Never };
inline constexpr size_t kBackupAutoDeleteCount = 4;

struct RadioButtonInfo {
  BackupAutoDelete id;
  const wchar_t* name;
  const wchar_t* captionKey;
  const wchar_t* designCaption;
};
std::span<const RadioButtonInfo, kBackupAutoDeleteCount> BackupAutoDeleteTable();
inline constexpr BackupAutoDelete kBackupAutoDeleteDefault = BackupAutoDelete::Days30;

// Captions as the user sees them: the current translation's text, or the
// design caption when no translation has one.
std::wstring OptionSwitchCaption(OptionSwitch id);
std::wstring BackupAutoDeleteCaption(BackupAutoDelete id);

// --- the stored form of a single control ------------------------------------

struct RadioButtonState {
  std::wstring name;
  bool checked = false;
  bool operator==(const RadioButtonState&) const = default;
};

// A value 0 unchecks, 1 checks; a missing value or any other number leaves
// `checked` as it is.
void LOAD_CHECKBOX(RootKey root, const std::wstring& key, const std::wstring& name, bool& checked);
void SAVE_CHECKBOX(RootKey root, const std::wstring& key, const std::wstring& name, bool checked);

// "first-last" after the group's first and last button.
std::wstring RadioGroupValueName(std::span<const RadioButtonState> buttons);
// Checks the button whose name equals the stored text (any letter case) and
// unchecks the others; a missing value or a name no button has changes
// nothing.
void LOAD_RADIOGROUP(RootKey root, const std::wstring& key, std::span<RadioButtonState> buttons);
// Stores the last checked button's name; nothing when none is checked.
void SAVE_RADIOGROUP(RootKey root, const std::wstring& key, std::span<const RadioButtonState> buttons);

// --- the settings object ----------------------------------------------------

class TOptionSwitches {
 public:
  TOptionSwitches();  // every switch in its default state

  bool IsChecked(OptionSwitch id) const;
  void SetChecked(OptionSwitch id, bool checked);

  // The checked button of the backup age group. Should code ever leave two
  // buttons checked, the later one in group order counts, as it does for
  // saving.
  BackupAutoDelete BackupAge() const;
  void SetBackupAge(BackupAutoDelete age);
  std::span<const RadioButtonState, kBackupAutoDeleteCount> BackupAgeButtons() const { return backupAge_; }
  std::span<RadioButtonState, kBackupAutoDeleteCount> BackupAgeButtons() { return backupAge_; }

  // File references are checked on local hard disks only.
  bool CheckOnlyHdds() const { return IsChecked(OptionSwitch::RC_IgnoreNoHDDs); }

  void ResetToDefaults();
  // Stored values over the current states, switch by switch (absent or
  // unusable values keep the current state).
  void Load(RootKey root, const std::wstring& key);
  void Save(RootKey root, const std::wstring& key) const;

 private:
  std::array<bool, kOptionSwitchCount> checked_{};
  std::array<RadioButtonState, kBackupAutoDeleteCount> backupAge_;
};

// The defaults with the Options key under HKEY_LOCAL_MACHINE loaded over them.
TOptionSwitches Load_OptionSwitches();
void Save_OptionSwitches(const TOptionSwitches& switches);

}  // namespace keytidy
