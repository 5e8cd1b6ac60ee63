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
  rc.SEARCH_SHARED(kGroup_Shared, kFilter_Shared, false);
  run.Step();
  if (run.Windows64()) {
    rc.SEARCH_SHARED(kGroup_Shared, kFilter_Shared, true);
    run.Step();
  }
}

void RunHelp(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  for (auto check : {&TRegistryCleaner::SEARCH_HELPFILES, &TRegistryCleaner::SEARCH_HELPFILES_ZEROBYTES}) {
    const std::int32_t group = check == &TRegistryCleaner::SEARCH_HELPFILES ? kGroup_HelpFiles
                                                                             : kGroup_HelpFilesZeroBytes;
    for (bool wow : {false, true}) {
      if (wow && !run.Windows64()) continue;
      for (const wchar_t* subKey : {L"Help", L"HTML Help"}) {
        (rc.*check)(group, kFilter_Help, wow, subKey);
        run.Step();
      }
    }
  }
  rc.SEARCH_MMC(kGroup_Mmc, kFilter_Help);
  run.Step();
}

void RunAppPaths(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_APPPATHS(kGroup_AppPaths, kFilter_AppPaths);
  run.Step();
  rc.SEARCH_APPPATHS_EMPTY(kGroup_AppPathsEmpty, kFilter_AppPaths);
  run.Step();
  rc.SEARCH_APPPATHS_VALUES(kGroup_AppPaths, kFilter_AppPaths);
  run.Step();
}

void RunFonts(const ScanCallContext& run) {
  run.Engine().SEARCH_FONTS(kGroup_Fonts, kFilter_Fonts);
  run.Step();
}

void RunMedia(const ScanCallContext& run) {
  run.Engine().SEARCH_MEDIA(kGroup_Media, kFilter_Media);
  run.Step();
}

void RunStartMenu(const ScanCallContext& run) {
  run.Engine().SEARCH_MISSING_STARTMENU(kGroup_StartMenu, kFilter_StartMenu);
  run.Step();
}

// Six steps on 64-bit Windows against a weight of five: the uninstall-source
// repetition steps on its own, the empty-key walks step once per pass.
void RunSoftware(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_INSTALLERARP(kGroup_InstallerArp, kFilter_Software);
  run.Step();
  rc.SEARCH_INSTALLERPATH(kGroup_InstallerPath, kFilter_Software);
  run.Step();
  rc.SEARCH_UNINSTALLKEYS_INSTALLPATH(kGroup_UninstallInstallPath, kFilter_Software, false);
  run.Step();
  if (run.Windows64()) {
    rc.SEARCH_UNINSTALLKEYS_INSTALLPATH(kGroup_UninstallInstallPath, kFilter_Software, true);
    run.Step();
  }
  rc.SEARCH_EMPTY_SOFTWAREKEYS(kGroup_EmptySoftwareKeys, kFilter_Software, ROOT_HKEY_LOCAL_MACHINE, false);
  rc.SEARCH_EMPTY_SOFTWAREKEYS(kGroup_EmptySoftwareKeys, kFilter_Software, ROOT_HKEY_CURRENT_USER, false);
  run.Step();
  rc.SEARCH_EMPTY_UNINSTALLKEYS(kGroup_EmptyUninstallKeys, kFilter_Software, false);
  if (run.Windows64()) {
    rc.SEARCH_EMPTY_SOFTWAREKEYS(kGroup_EmptySoftwareKeys, kFilter_Software, ROOT_HKEY_LOCAL_MACHINE, true);
    rc.SEARCH_EMPTY_SOFTWAREKEYS(kGroup_EmptySoftwareKeys, kFilter_Software, ROOT_HKEY_CURRENT_USER, true);
    rc.SEARCH_EMPTY_UNINSTALLKEYS(kGroup_EmptyUninstallKeys, kFilter_Software, true);
  }
  run.Step();
}

// The two recent-file lists live under the desktop user's hive, which is
// not the process's own when the program was started as another user.
void RunHistory(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  rc.SEARCH_WINDOWSHISTORY_USERASSIST(kGroup_UserAssist, kFilter_History);
  run.Step();
  rc.SEARCH_LOSTMRU(kGroup_LostMru, kFilter_History);
  run.Step();
  rc.SEARCH_MUI_CACHE(kGroup_MuiCache, kFilter_History);
  run.Step();
  const std::pair<std::int32_t, const wchar_t*> lists[] = {
      {kGroup_MruPaint, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"},
      {kGroup_MruWordPad, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List"},
  };
  for (const auto& [group, path] : lists) {
    RootKey root = ROOT_HKEY_CURRENT_USER;
    std::wstring key = path;
    Reg_RedirectCurrentUser(root, key);
    rc.SEARCH_MRU_APPLETS(group, kFilter_History, root, key);
    run.Step();
  }
}

// The four file-type checks share one read of HKEY_CLASSES_ROOT's sub-keys.
void RunFileTypes(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  {
    KeyList list;
    run.BuildClassesKeyList(L"", list);
    rc.SEARCH_FILEFORMAT_WRONGEXE(list, kGroup_FileFormatWrongExe, kFilter_FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_EMPTY(list, kGroup_FileFormatEmpty, kFilter_FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_LINKMISSING(list, kGroup_FileFormatLinkMissing, kFilter_FileTypes);
    run.Step();
    rc.SEARCH_FILEFORMAT_WRONGICON(list, kGroup_FileFormatWrongIcon, kFilter_FileTypes);
    run.Step();
  }
  rc.SEARCH_EMPTYOPENWITH(kGroup_EmptyOpenWith, kFilter_FileTypes);
  run.Step();
  rc.SEARCH_INVALID_OPENWITH(kGroup_InvalidOpenWith, kFilter_FileTypes);
  run.Step();
  rc.SEARCH_FILEFORMAT_APPLICATIONS(kGroup_FileFormatApplications, kFilter_FileTypes);
  run.Step();
}

// The seven class checks share one read of the CLSID key per registry branch.
void RunClassChecks(const ScanCallContext& run, const std::wstring& clsidPath, bool wow) {
  TRegistryCleaner& rc = run.Engine();
  KeyList list;
  run.BuildClassesKeyList(clsidPath, list);
  using ListCheck = void (TRegistryCleaner::*)(const KeyList&, std::int32_t, std::int32_t, bool);
  const std::pair<ListCheck, std::int32_t> checks[] = {
      {&TRegistryCleaner::SEARCH_COM_TOOLBOXBITMAP, kGroup_ComToolboxBitmap},
      {&TRegistryCleaner::SEARCH_COM_INPROCSERVER32, kGroup_ComInprocServer32},
      {&TRegistryCleaner::SEARCH_COM_LOCALSERVER32, kGroup_ComLocalServer32},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER32, kGroup_ComEmptyInprocServer32},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER, kGroup_ComEmptyInprocServer},
      {&TRegistryCleaner::SEARCH_COM_EMPTY_TOOLBOXBITMAP, kGroup_ComEmptyToolboxBitmap},
      {&TRegistryCleaner::SEARCH_COM_TYPELIB_INVALID, kGroup_ComTypeLibInvalid},
  };
  for (const auto& [check, group] : checks) {
    (rc.*check)(list, group, kFilter_Com, wow);
    run.Step();
  }
}

void RunCom(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  RunClassChecks(run, L"CLSID", false);
  if (run.Windows64()) RunClassChecks(run, L"WOW6432Node\\CLSID", true);
  for (bool wow : {false, true}) {
    if (wow && !run.Windows64()) continue;
    rc.SEARCH_TYPELIB_EMPTY_HELPDIR(kGroup_TypeLibEmptyHelpDir, kFilter_Com, wow);
    run.Step();
  }
  for (bool wow : {false, true}) {
    if (wow && !run.Windows64()) continue;
    rc.SEARCH_INTERFACE_TYPELIB_INVALID(kGroup_InterfaceTypeLibInvalid, kFilter_Com, wow);
    run.Step();
  }
}

void RunFirewall(const ScanCallContext& run) {
  run.Engine().SEARCH_FIREWALL_RULES(kGroup_FirewallRules, kFilter_Firewall);
  run.Step();
}

// Machine and user lists first, then the machine's 32-bit branch on 64-bit
// Windows (a user's Software key has no 32-bit branch of its own).
void RunLeftovers(const ScanCallContext& run) {
  TRegistryCleaner& rc = run.Engine();
  using RootCheck = void (TRegistryCleaner::*)(std::int32_t, std::int32_t, RootKey, bool);
  const std::pair<RootCheck, std::int32_t> checks[] = {
      {&TRegistryCleaner::SEARCH_STARTUP_LEFTOVERS, kGroup_StartupLeftover},
      {&TRegistryCleaner::SEARCH_UNINSTALL_LEFTOVERS, kGroup_UninstallLeftover},
      {&TRegistryCleaner::SEARCH_STARTUP_APPROVED_ORPHANS, kGroup_StartupApprovedOrphan},
  };
  for (const auto& [check, group] : checks) {
    for (RootKey root : {ROOT_HKEY_LOCAL_MACHINE, ROOT_HKEY_CURRENT_USER}) {
      (rc.*check)(group, kFilter_Leftovers, root, false);
      run.Step();
    }
    if (run.Windows64()) {
      (rc.*check)(group, kFilter_Leftovers, ROOT_HKEY_LOCAL_MACHINE, true);
      run.Step();
    }
  }
}

constexpr std::array<ScanCategory, kScanCategoryCount> kCategories = {{
    {OptionSwitch::RC_Shared, kFilter_Shared, 1, 1, RunShared, true},
    {OptionSwitch::RC_Help, kFilter_Help, 5, 4, RunHelp, true},
    {OptionSwitch::RC_AppPaths, kFilter_AppPaths, 3, 0, RunAppPaths},
    {OptionSwitch::RC_Fonts, kFilter_Fonts, 1, 0, RunFonts, true},
    {OptionSwitch::RC_Media, kFilter_Media, 1, 0, RunMedia},
    {OptionSwitch::RC_Startmenu, kFilter_StartMenu, 1, 0, RunStartMenu},
    {OptionSwitch::RC_Installer, kFilter_Software, 5, 0, RunSoftware},
    {OptionSwitch::RC_WindowsHistory, kFilter_History, 5, 0, RunHistory},
    {OptionSwitch::RC_FileFormate, kFilter_FileTypes, 8, 0, RunFileTypes},
    {OptionSwitch::RC_COMOLEActiveX, kFilter_Com, 10, 10, RunCom},
    {OptionSwitch::RC_WindowsFirewall, kFilter_Firewall, 1, 0, RunFirewall, true},
    {OptionSwitch::RC_Leftovers, kFilter_Leftovers, 6, 3, RunLeftovers},
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
