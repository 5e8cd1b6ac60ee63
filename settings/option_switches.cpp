#include "settings/option_switches.h"

#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr std::array<OptionSwitchInfo, kOptionSwitchCount> kSwitches = {{
    {OptionSwitch::RC_FileFormate, L"CheckBox_RC_FileFormate_KX8", true, L"Form_Options.CheckBox_RC_FileFormate_KX8",
     L"Dateiformate", 1},
    {OptionSwitch::RC_COMOLEActiveX, L"CheckBox_RC_COMOLEActiveX_KX8", true,
     L"Form_Options.CheckBox_RC_COMOLEActiveX_KX8", L"COM, OLE, ActiveX", 2},
    {OptionSwitch::RC_Shared, L"CheckBox_RC_Shared_KX8", true, L"Form_Options.CheckBox_RC_Shared_KX8",
     L"\"shared files\"", 3},
    {OptionSwitch::RC_Fonts, L"CheckBox_RC_Fonts_KX8", true, L"Form_Options.CheckBox_RC_Fonts_KX8", L"Schriftarten", 4},
    {OptionSwitch::RC_Media, L"CheckBox_RC_Media_KX8", true, L"Form_Options.CheckBox_RC_Media_KX8",
     L"Systemkl\u00e4nge", 5},
    {OptionSwitch::RC_Help, L"CheckBox_RC_Help_KX8", true, L"Form_Options.CheckBox_RC_Help_KX8", L"Hilfe-Dateien", 6},
    {OptionSwitch::RC_AppPaths, L"CheckBox_RC_AppPaths_KX8", true, L"Form_Options.CheckBox_RC_AppPaths_KX8",
     L"Anwendungs-Pfade", 7},
    {OptionSwitch::RC_WindowsHistory, L"CheckBox_RC_WindowsHistory_KX8", true,
     L"Form_Options.CheckBox_RC_WindowsHistory_KX8", L"Verlaufslisten", 10},
    {OptionSwitch::RC_Installer, L"CheckBox_RC_Installer_KX8", true, L"Form_Options.CheckBox_RC_Installer_KX8",
     L"Software", 9},
    {OptionSwitch::RC_Startmenu, L"CheckBox_RC_Startmenu_KX8", true, L"Form_Options.CheckBox_RC_Startmenu_KX8",
     L"Startmen\u00fc", 8},
    {OptionSwitch::RC_WindowsFirewall, L"CheckBox_RC_WindowsFirewall_KX10", true,
     L"Form_Options.CheckBox_RC_WindowsFirewall_KX10", L"Windows-Firewall", 11},
    {OptionSwitch::RC_Other, L"CheckBox_RC_Other_KX10", true, L"Form_Options.CheckBox_RC_Other_KX10", L"Sonstige", 12},
    // Judges whole programs as gone, so a user asks for it; see docs/safety.md.
    {OptionSwitch::RC_Leftovers, L"CheckBox_RC_Leftovers_KX11", false, L"Form_Options.CheckBox_RC_Leftovers_KX11",
     L"Programmreste", 13},
    {OptionSwitch::RC_IgnoreNoHDDs, L"CheckBox_RC_IgnoreNoHDDs", true, L"Form_Options.CheckBox_RC_IgnoreNoHDDs",
     L"Nur Verweise auf Dateien pr\u00fcfen, die auf lokale Festplatten  verweisen", 0},
    // A System Restore point before a deletion run, where Windows allows one.
    {OptionSwitch::RC_RestorePoint, L"CheckBox_RC_RestorePoint", true, L"Form_Options.CheckBox_RC_RestorePoint",
     L"Vor dem L\u00f6schen einen Wiederherstellungspunkt erstellen", 0},
    {OptionSwitch::Backups_Ask_Before_AutoDelete, L"CheckBox_Backups_Ask_Before_AutoDelete", true,
     L"Form_Options.CheckBox_Backups_Ask_Before_AutoDelete", L"Vor dem automatischen L\u00f6schen nachfragen", 0},
    {OptionSwitch::Backups_UseRecycleBin, L"CheckBox_Backups_UseRecycleBin", false,
     L"Form_Options.CheckBox_Backups_UseRecycleBin", L"Gel\u00f6schte Backups in den Papierkorb verschieben", 0},
    {OptionSwitch::Backups_DeleteAfterSuccessfullRestore, L"CheckBox_Backups_DeleteAfterSuccessfullRestore", false,
     L"Form_Options.CheckBox_Backups_DeleteAfterSuccessfullRestore",
     L"Backup nach erfolgreicher Wiederherstellung l\u00f6schen", 0},
}};

constexpr std::array<RadioButtonInfo, kBackupAutoDeleteCount> kBackupAgeButtons = {{
    {BackupAutoDelete::Days30, L"RadioButton_Backups_AutoDelete_30", L"Form_Options.RadioButton_Backups_AutoDelete_30",
     L"Backups l\u00f6schen, wenn sie \u00e4lter als 30 Tage sind"},
    {BackupAutoDelete::Days14, L"RadioButton_Backups_AutoDelete_14", L"Form_Options.RadioButton_Backups_AutoDelete_14",
     L"Backups l\u00f6schen, wenn sie \u00e4lter als 14 Tage sind"},
    {BackupAutoDelete::Days7, L"RadioButton_Backups_AutoDelete_7", L"Form_Options.RadioButton_Backups_AutoDelete_7",
     L"Backups l\u00f6schen, wenn sie \u00e4lter als 7 Tage sind"},
    {BackupAutoDelete::Never, L"RadioButton_Backups_AutoDelete_Never",
     L"Form_Options.RadioButton_Backups_AutoDelete_Never", L"Backups nie automatisch l\u00f6schen"},
}};

// The tables are indexed by their enums; a row out of place would silently
// swap two settings.
constexpr bool TablesFollowTheirEnums() {
  for (size_t i = 0; i < kSwitches.size(); ++i)
    if (static_cast<size_t>(kSwitches[i].id) != i) return false;
  for (size_t i = 0; i < kBackupAgeButtons.size(); ++i)
    if (static_cast<size_t>(kBackupAgeButtons[i].id) != i) return false;
  return true;
}
static_assert(TablesFollowTheirEnums());

}  // namespace

std::span<const OptionSwitchInfo, kOptionSwitchCount> OptionSwitchTable() { return kSwitches; }
const OptionSwitchInfo& Describe(OptionSwitch id) { return kSwitches[static_cast<size_t>(id)]; }
std::span<const RadioButtonInfo, kBackupAutoDeleteCount> BackupAutoDeleteTable() { return kBackupAgeButtons; }

namespace {

// The text of a "Section.Component" key in the current translation, or the
// design caption when there is no translation or it lacks the key.
std::wstring TranslatedCaption(const std::wstring& key, const wchar_t* designCaption) {
  TLang* store = CurrentTranslation();
  const size_t dot = key.find(L'.');
  if (store && dot != std::wstring::npos) {
    std::wstring text = store->Get_StringW(key.substr(0, dot), key.substr(dot + 1));
    if (!text.empty()) return text;
  }
  return designCaption;
}

}  // namespace

std::wstring OptionSwitchCaption(OptionSwitch id) {
  const OptionSwitchInfo& info = Describe(id);
  return TranslatedCaption(info.captionKey, info.designCaption);
}

std::wstring BackupAutoDeleteCaption(BackupAutoDelete id) {
  const RadioButtonInfo& info = kBackupAgeButtons[static_cast<size_t>(id)];
  return TranslatedCaption(info.captionKey, info.designCaption);
}

void LOAD_CHECKBOX(RootKey root, const std::wstring& key, const std::wstring& name, bool& checked) {
  if (!Reg_ValueExists(root, key, name)) return;
  const std::int32_t stored = Reg_ReadInteger(root, key, name);
  if (stored == 0) checked = false;
  if (stored == 1) checked = true;
}

void SAVE_CHECKBOX(RootKey root, const std::wstring& key, const std::wstring& name, bool checked) {
  Reg_WriteInteger(root, key, name, checked ? 1 : 0);
}

std::wstring RadioGroupValueName(std::span<const RadioButtonState> buttons) {
  if (buttons.empty()) return {};
  return buttons.front().name + L"-" + buttons.back().name;
}

void LOAD_RADIOGROUP(RootKey root, const std::wstring& key, std::span<RadioButtonState> buttons) {
  const std::wstring valueName = RadioGroupValueName(buttons);
  if (valueName.empty() || !Reg_ValueExists(root, key, valueName)) return;
  const std::wstring stored = Reg_ReadString(root, key, valueName);
  bool known = false;
  for (const RadioButtonState& button : buttons) known = known || EqualsIgnoreCaseAscii(button.name, stored);
  // Checking a radio button unchecks its siblings; an unknown name checks
  // nothing and so leaves the group as it was.
  if (!known) return;
  for (RadioButtonState& button : buttons) button.checked = EqualsIgnoreCaseAscii(button.name, stored);
}

void SAVE_RADIOGROUP(RootKey root, const std::wstring& key, std::span<const RadioButtonState> buttons) {
  const RadioButtonState* lastChecked = nullptr;
  for (const RadioButtonState& button : buttons)
    if (button.checked) lastChecked = &button;
  if (lastChecked) Reg_WriteString(root, key, RadioGroupValueName(buttons), lastChecked->name);
}

TOptionSwitches::TOptionSwitches() {
  for (size_t i = 0; i < kBackupAgeButtons.size(); ++i) backupAge_[i].name = kBackupAgeButtons[i].name;
  ResetToDefaults();
}

bool TOptionSwitches::IsChecked(OptionSwitch id) const { return checked_[static_cast<size_t>(id)]; }
void TOptionSwitches::SetChecked(OptionSwitch id, bool checked) { checked_[static_cast<size_t>(id)] = checked; }

BackupAutoDelete TOptionSwitches::BackupAge() const {
  BackupAutoDelete age = kBackupAutoDeleteDefault;
  for (size_t i = 0; i < backupAge_.size(); ++i)
    if (backupAge_[i].checked) age = kBackupAgeButtons[i].id;
  return age;
}

void TOptionSwitches::SetBackupAge(BackupAutoDelete age) {
  for (size_t i = 0; i < backupAge_.size(); ++i) backupAge_[i].checked = kBackupAgeButtons[i].id == age;
}

void TOptionSwitches::ResetToDefaults() {
  for (const OptionSwitchInfo& info : kSwitches) SetChecked(info.id, info.checkedByDefault);
  SetBackupAge(kBackupAutoDeleteDefault);
}

void TOptionSwitches::Load(RootKey root, const std::wstring& key) {
  for (const OptionSwitchInfo& info : kSwitches)
    LOAD_CHECKBOX(root, key, info.name, checked_[static_cast<size_t>(info.id)]);
  LOAD_RADIOGROUP(root, key, backupAge_);
}

void TOptionSwitches::Save(RootKey root, const std::wstring& key) const {
  for (const OptionSwitchInfo& info : kSwitches) SAVE_CHECKBOX(root, key, info.name, IsChecked(info.id));
  SAVE_RADIOGROUP(root, key, backupAge_);
}

TOptionSwitches Load_OptionSwitches() {
  TOptionSwitches switches;
  switches.Load(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  return switches;
}

void Save_OptionSwitches(const TOptionSwitches& switches) { switches.Save(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey); }

}  // namespace keytidy
