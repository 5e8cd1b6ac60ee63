#include "scan/scan_categories.h"

#include <windows.h>

#include <array>
#include <utility>

#include "platform/debug_log.h"
#include "model/categories.h"

namespace keytidy {

void ScanCallContext::BuildClassesKeyList(const std::wstring& path, KeyList& list) const {
  const DWORD start = GetTickCount();
  Reg_GetSubKeys(ROOT_HKEY_CLASSES_ROOT, path, list);
  const DWORD took = GetTickCount() - start;
  std::wstring where = L"HKEY_CLASSES_ROOT";
  if (!path.empty()) where += L"\\" + path;
  Debug_Output(L"KX-Profiler: GET_ALL_KEYS in " + where + L" = " + std::to_wstring(took));
  engine_.Count_KeysScanned(static_cast<std::uint32_t>(list.size()));
  Step();
}

namespace {

// Each category below makes its calls in a fixed order and steps the
// progress after each one, except where a comment says otherwise.

void RunShared(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, false);
  run.Step();
  if (run.Windows64()) {
    rc.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, true);
    run.Step();
  }
}

void RunHelp(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  for (auto check : {&TRegistryCleaner::SEARCH_HELPFILES, &TRegistryCleaner::SEARCH_HELPFILES_ZEROBYTES}) {
    const CheckId group =
        check == &TRegistryCleaner::SEARCH_HELPFILES ? CheckId::HelpFiles : CheckId::HelpFilesZeroBytes;
    for (bool wow : {false, true}) {
      if (wow && !run.Windows64()) continue;
      for (const wchar_t* subKey : {L"Help", L"HTML Help"}) {
        (rc.*check)(group, FilterCategory::Help, wow, subKey);
        run.Step();
      }
    }
  }
  rc.SEARCH_MMC(CheckId::Mmc, FilterCategory::Help);
  run.Step();
}

void RunAppPaths(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_APPPATHS(CheckId::AppPaths, FilterCategory::AppPaths);
  run.Step();
  rc.SEARCH_APPPATHS_EMPTY(CheckId::AppPathsEmpty, FilterCategory::AppPaths);
  run.Step();
  rc.SEARCH_APPPATHS_VALUES(CheckId::AppPaths, FilterCategory::AppPaths);
  run.Step();
}

void RunFonts(const ScanCallContext& run) {
  run.Engine().SEARCH_FONTS(CheckId::Fonts, FilterCategory::Fonts);
  run.Step();
}

void RunMedia(const ScanCallContext& run) {
  run.Engine().SEARCH_MEDIA(CheckId::Media, FilterCategory::Media);
  run.Step();
}

void RunStartMenu(const ScanCallContext& run) {
  run.Engine().SEARCH_MISSING_STARTMENU(CheckId::StartMenu, FilterCategory::StartMenu);
  run.Step();
}

// Six steps on 64-bit Windows against a weight of five: the uninstall-source
// repetition steps on its own, the empty-key walks step once per pass.
void RunSoftware(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_INSTALLERARP(CheckId::InstallerArp, FilterCategory::Software);
  run.Step();
  rc.SEARCH_INSTALLERPATH(CheckId::InstallerPath, FilterCategory::Software);
  run.Step();
  rc.SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId::UninstallInstallPath, FilterCategory::Software, false);
  run.Step();
  if (run.Windows64()) {
    rc.SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId::UninstallInstallPath, FilterCategory::Software, true);
    run.Step();
  }
  rc.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, ROOT_HKEY_LOCAL_MACHINE, false);
  rc.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, ROOT_HKEY_CURRENT_USER, false);
  run.Step();
  rc.SEARCH_EMPTY_UNINSTALLKEYS(CheckId::EmptyUninstallKeys, FilterCategory::Software, false);
  if (run.Windows64()) {
    rc.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, ROOT_HKEY_LOCAL_MACHINE, true);
    rc.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, ROOT_HKEY_CURRENT_USER, true);
    rc.SEARCH_EMPTY_UNINSTALLKEYS(CheckId::EmptyUninstallKeys, FilterCategory::Software, true);
  }
  run.Step();
}

// The two recent-file lists live under the desktop user's hive, which is
// not the process's own when the program was started as another user.
void RunHistory(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_WINDOWSHISTORY_USERASSIST(CheckId::UserAssist, FilterCategory::History);
  run.Step();
  rc.SEARCH_LOSTMRU(CheckId::LostMru, FilterCategory::History);
  run.Step();
  rc.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);
  run.Step();
  const std::pair<CheckId, const wchar_t*> lists[] = {
      {CheckId::MruPaint, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"},
      {CheckId::MruWordPad, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List"},
  };
  for (const auto& [group, path] : lists) {
    RootKey root = ROOT_HKEY_CURRENT_USER;
    std::wstring key = path;
    Reg_RedirectCurrentUser(root, key);
    rc.SEARCH_MRU_APPLETS(group, FilterCategory::History, root, key);
    run.Step();
  }
}

// The four file-type checks share one read of HKEY_CLASSES_ROOT's sub-keys.
void RunFileTypes(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  {
    KeyList list;
    run.BuildClassesKeyList(L"", list);
    rc.SEARCH_FILEFORMAT_WRONGEXE(list, CheckId::FileFormatWrongExe, FilterCategory::FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_EMPTY(list, CheckId::FileFormatEmpty, FilterCategory::FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_LINKMISSING(list, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_WRONGICON(list, CheckId::FileFormatWrongIcon, FilterCategory::FileTypes);
    run.Step();
  }
  rc.SEARCH_EMPTYOPENWITH(CheckId::EmptyOpenWith, FilterCategory::FileTypes);
  run.Step();
  rc.SEARCH_INVALID_OPENWITH(CheckId::InvalidOpenWith, FilterCategory::FileTypes);
  run.Step();
  rc.SEARCH_FILEFORMAT_APPLICATIONS(CheckId::FileFormatApplications, FilterCategory::FileTypes);
  run.Step();
}

// The seven class checks share one read of the CLSID key per registry branch.
void RunClassChecks(const ScanCallContext& run, const std::wstring& clsidPath, bool wow) {
  TRegistryCleaner& rc = run.Engine();
  KeyList list;
  run.BuildClassesKeyList(clsidPath, list);
  using ListCheck = void (TRegistryCleaner::*)(const KeyList&, CheckId, FilterCategory, bool);
  const std::pair<ListCheck, CheckId> checks[] = {
      {&TRegistryCleaner::SEARCH_COM_TOOLBOXBITMAP, CheckId::ComToolboxBitmap},
      {&TRegistryCleaner::SEARCH_COM_INPROCSERVER32, CheckId::ComInprocServer32},
      {&TRegistryCleaner::SEARCH_COM_LOCALSERVER32, CheckId::ComLocalServer32},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER32, CheckId::ComEmptyInprocServer32},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER, CheckId::ComEmptyInprocServer},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_TOOLBOXBITMAP, CheckId::ComEmptyToolboxBitmap},
      {&TRegistryCleaner::SEARCH_COM_TYPELIB_INVALID, CheckId::ComTypeLibInvalid},
  };
  for (const auto& [check, group] : checks) {
    (rc.*check)(list, group, FilterCategory::Com, wow);
    run.Step();
  }
}

void RunCom(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  RunClassChecks(run, L"CLSID", false);
  if (run.Windows64()) RunClassChecks(run, L"WOW6432Node\\CLSID", true);
  for (bool wow : {false, true}) {
    if (wow && !run.Windows64()) continue;
    rc.SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId::TypeLibEmptyHelpDir, FilterCategory::Com, wow);
    run.Step();
  }
  for (bool wow : {false, true}) {
    if (wow && !run.Windows64()) continue;
    rc.SEARCH_INTERFACE_TYPELIB_INVALID(CheckId::InterfaceTypeLibInvalid, FilterCategory::Com, wow);
    run.Step();
  }
}

void RunFirewall(const ScanCallContext& run) {
  run.Engine().SEARCH_FIREWALL_RULES(CheckId::FirewallRules, FilterCategory::Firewall);
  run.Step();
}

// Machine and user lists first, then the machine's 32-bit branch on 64-bit
// Windows (a user's Software key has no 32-bit branch of its own).
void RunLeftovers(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  using RootCheck = void (TRegistryCleaner::*)(CheckId, FilterCategory, RootKey, bool);
  const std::pair<RootCheck, CheckId> checks[] = {
      {&TRegistryCleaner::SEARCH_STARTUP_LEFTOVERS, CheckId::StartupLeftover},
      {&TRegistryCleaner::SEARCH_UNINSTALL_LEFTOVERS, CheckId::UninstallLeftover},
      {&TRegistryCleaner::SEARCH_STARTUP_APPROVED_ORPHANS, CheckId::StartupApprovedOrphan},
  };
  for (const auto& [check, group] : checks) {
    for (RootKey root : {ROOT_HKEY_LOCAL_MACHINE, ROOT_HKEY_CURRENT_USER}) {
      (rc.*check)(group, FilterCategory::Leftovers, root, false);
      run.Step();
    }
    if (run.Windows64()) {
      (rc.*check)(group, FilterCategory::Leftovers, ROOT_HKEY_LOCAL_MACHINE, true);
      run.Step();
    }
  }
}

constexpr std::array<ScanCategory, kScanCategoryCount> kCategories = {{
    {OptionSwitch::RC_Shared, FilterCategory::Shared, 1, 1, RunShared, true},
    {OptionSwitch::RC_Help, FilterCategory::Help, 5, 4, RunHelp, true},
    {OptionSwitch::RC_AppPaths, FilterCategory::AppPaths, 3, 0, RunAppPaths},
    {OptionSwitch::RC_Fonts, FilterCategory::Fonts, 1, 0, RunFonts, true},
    {OptionSwitch::RC_Media, FilterCategory::Media, 1, 0, RunMedia},
    {OptionSwitch::RC_Startmenu, FilterCategory::StartMenu, 1, 0, RunStartMenu},
    {OptionSwitch::RC_Installer, FilterCategory::Software, 5, 0, RunSoftware},
    {OptionSwitch::RC_WindowsHistory, FilterCategory::History, 5, 0, RunHistory},
    {OptionSwitch::RC_FileFormate, FilterCategory::FileTypes, 8, 0, RunFileTypes},
    {OptionSwitch::RC_COMOLEActiveX, FilterCategory::Com, 10, 10, RunCom},
    {OptionSwitch::RC_WindowsFirewall, FilterCategory::Firewall, 1, 0, RunFirewall, true},
    {OptionSwitch::RC_Leftovers, FilterCategory::Leftovers, 6, 3, RunLeftovers},
}};

}  // namespace

std::span<const ScanCategory, kScanCategoryCount> ScanCategoryTable() { return kCategories; }

namespace {

std::int32_t SumOfWeights(const TOptionSwitches& switches, bool windows64, bool userPass) {
  std::int32_t maximum = 0;
  for (const ScanCategory& category : kCategories)
    if (switches.IsChecked(category.option) && !(userPass && category.machineOnly))
      maximum += category.weight + (windows64 ? category.extraWeight64 : 0);
  return maximum;
}

}  // namespace

std::int32_t ScanProgressMaximum(const TOptionSwitches& switches, bool windows64) {
  return SumOfWeights(switches, windows64, false);
}

std::int32_t ScanProgressMaximumOfUserPass(const TOptionSwitches& switches, bool windows64) {
  return SumOfWeights(switches, windows64, true);
}

}  // namespace keytidy
