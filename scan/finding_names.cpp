#include "scan/finding_names.h"

#include <array>
#include <cwchar>

#include "model/categories.h"

namespace keytidy {

namespace {

struct NumberName {
  std::int32_t number;
  const wchar_t* name;
};

constexpr std::array<NumberName, 37> kCheckNames = {{
    {kGroup_Shared, L"shared-dll-file-missing"},
    {kGroup_HelpFiles, L"help-file-missing"},
    {kGroup_AppPaths, L"app-path-file-missing"},
    {kGroup_Fonts, L"font-file-missing"},
    {kGroup_Media, L"sound-event-file-missing"},
    {kGroup_StartMenu, L"start-menu-order-stale"},
    {kGroup_EmptyOpenWith, L"open-with-list-empty"},
    {kGroup_UserAssist, L"user-assist-file-missing"},
    {kGroup_LostMru, L"recent-file-missing"},
    {kGroup_MuiCache, L"mui-cache-file-missing"},
    {kGroup_InvalidOpenWith, L"open-with-program-invalid"},
    {kGroup_EmptySoftwareKeys, L"software-key-empty"},
    {kGroup_HelpFilesZeroBytes, L"help-file-zero-bytes"},
    {kGroup_AppPathsEmpty, L"app-path-key-empty"},
    {kGroup_Mmc, L"snap-in-help-file-missing"},
    {kGroup_EmptyUninstallKeys, L"uninstall-key-empty"},
    {kGroup_MruPaint, L"paint-recent-file-missing"},
    {kGroup_MruWordPad, L"wordpad-recent-file-missing"},
    {kGroup_InstallerPath, L"installer-folder-missing"},
    {kGroup_InstallerArp, L"installer-cache-file-missing"},
    {kGroup_UninstallInstallPath, L"uninstall-source-missing"},
    {kGroup_FileFormatWrongExe, L"file-type-program-missing"},
    {kGroup_FileFormatEmpty, L"file-type-key-empty"},
    {kGroup_FileFormatLinkMissing, L"file-type-class-missing"},
    {kGroup_FileFormatWrongIcon, L"file-type-icon-missing"},
    {kGroup_FileFormatApplications, L"application-program-missing"},
    {kGroup_ComInprocServer32, L"com-server-file-missing"},
    {kGroup_ComToolboxBitmap, L"com-toolbox-bitmap-missing"},
    {kGroup_ComLocalServer32, L"com-local-server-program-missing"},
    {kGroup_ComEmptyInprocServer32, L"com-inproc-server32-key-empty"},
    {kGroup_ComEmptyToolboxBitmap, L"com-toolbox-bitmap32-key-empty"},
    {kGroup_ComEmptyInprocServer, L"com-inproc-server-key-empty"},
    {kGroup_ComTypeLibInvalid, L"com-type-library-not-registered"},
    {kGroup_TypeLibEmptyHelpDir, L"type-library-help-folder-missing"},
    {kGroup_InterfaceTypeLibInvalid, L"interface-type-library-not-registered"},
    {kGroup_FirewallRules, L"firewall-rule-program-missing"},
    {kGroup_StartupApprovedOrphan, L"startup-state-orphaned"},
}};

constexpr std::array<NumberName, 13> kCategoryNames = {{
    {kFilter_FileTypes, L"file-types"},
    {kFilter_Com, L"com-activex"},
    {kFilter_Shared, L"shared-dlls"},
    {kFilter_Fonts, L"fonts"},
    {kFilter_Media, L"sound-events"},
    {kFilter_Help, L"help-files"},
    {kFilter_AppPaths, L"app-paths"},
    {kFilter_StartMenu, L"start-menu"},
    {kFilter_Software, L"software"},
    {kFilter_History, L"history"},
    {kFilter_Firewall, L"firewall"},
    {kFilter_Other, L"other"},
    {kFilter_Leftovers, L"leftovers"},
}};

template <std::size_t N>
std::wstring NameOf(const std::array<NumberName, N>& table, std::int32_t number, const wchar_t* fallbackPrefix) {
  for (const NumberName& row : table)
    if (row.number == number) return row.name;
  return fallbackPrefix + std::to_wstring(number);
}

}  // namespace

std::wstring CheckName(std::int32_t groupIndex) { return NameOf(kCheckNames, groupIndex, L"group-"); }

std::wstring CategoryName(std::int32_t filterIndex) { return NameOf(kCategoryNames, filterIndex, L"filter-"); }

std::optional<std::int32_t> CategoryOfName(const std::wstring& name) {
  for (const NumberName& row : kCategoryNames)
    if (_wcsicmp(row.name, name.c_str()) == 0) return row.number;
  return std::nullopt;
}

}  // namespace keytidy
