#include "scan/check_table.h"

#include <array>

namespace keytidy {

namespace {

using enum MessageKey;

constexpr std::array<CheckDescriptor, 39> kChecks = {{
    {kGroup_Shared, L"shared-dll-file-missing", 1, MESSAGE_RC_DESC_GROUP_SHARED, DetailSource::Folder},
    {kGroup_HelpFiles, L"help-file-missing", 2, MESSAGE_RC_DESC_GROUP_HELP, DetailSource::Folder},
    {kGroup_AppPaths, L"app-path-file-missing", 3, MESSAGE_RC_DESC_GROUP_APPPATH, DetailSource::Folder},
    {kGroup_Fonts, L"font-file-missing", 4, MESSAGE_RC_DESC_GROUP_FONTS, DetailSource::Folder},
    {kGroup_Media, L"sound-event-file-missing", 5, MESSAGE_RC_DESC_MEDIA, DetailSource::FullPath},
    // Missing from every one of the start-menu folders, not from one.
    {kGroup_StartMenu, L"start-menu-order-stale", 6, MESSAGE_RC_DESC_GROUP_STARTMENU, DetailSource::AdditionalInfo, nullptr, "menu folder not found in any start-menu folder", MESSAGE_RC_EVIDENCE_MENUFOLDERMISSING},
    {kGroup_EmptyOpenWith, L"open-with-list-empty", 8, MESSAGE_RC_DESC_GROUP_EMPTYOPENWITH, DetailSource::None},
    {kGroup_UserAssist, L"user-assist-file-missing", 9, MESSAGE_RC_DESC_USERASSIST, DetailSource::FullPath},
    {kGroup_LostMru, L"recent-file-missing", 10, MESSAGE_RC_DESC_GROUP_LOSTMRU, DetailSource::Folder},
    {kGroup_MuiCache, L"mui-cache-file-missing", 10, MESSAGE_RC_DESC_GROUP_SHARED, DetailSource::FullPath},
    {kGroup_InvalidOpenWith, L"open-with-program-invalid", 20, MESSAGE_RC_DESC_GROUP_INVALIDOPENWITH, DetailSource::None},
    {kGroup_EmptySoftwareKeys, L"software-key-empty", 21, MESSAGE_RC_DESC_GROUP_EMPTYSOFTWAREKEY, DetailSource::DisplayName},
    {kGroup_HelpFilesZeroBytes, L"help-file-zero-bytes", 22, MESSAGE_RC_DESC_GROUP_HELP_ZEROBYTES, DetailSource::Folder},
    {kGroup_AppPathsEmpty, L"app-path-key-empty", 3, MESSAGE_RC_DESC_GROUP_APPPATH_EMPTY, DetailSource::None},
    {kGroup_Mmc, L"snap-in-help-file-missing", 23, MESSAGE_RC_DESC_GROUP_MMC, DetailSource::FullPath},
    {kGroup_EmptyUninstallKeys, L"uninstall-key-empty", 21, MESSAGE_RC_DESC_GROUP_EMPTY_UNINSTALLKEY, DetailSource::DisplayName},
    {kGroup_MruPaint, L"paint-recent-file-missing", 0, MESSAGE_RC_DESC_GROUP_MRU_PAINT, DetailSource::FullPath},
    {kGroup_MruWordPad, L"wordpad-recent-file-missing", 0, MESSAGE_RC_DESC_GROUP_MRU_WORDPAD, DetailSource::FullPath},
    {kGroup_InstallerPath, L"installer-folder-missing", 7, MESSAGE_RC_DESC_GROUP_INSTALLERPATH, DetailSource::DisplayName},
    {kGroup_InstallerArp, L"installer-cache-file-missing", 7, MESSAGE_RC_DESC_GROUP_INSTALLERARP, DetailSource::FullPath},
    {kGroup_UninstallInstallPath, L"uninstall-source-missing", 24, MESSAGE_RC_DESC_GROUP_UNINSTALLKEYS_INSTALLPATH, DetailSource::FullPath},
    {kGroup_FileFormatWrongExe, L"file-type-program-missing", 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT2, DetailSource::FullPath},
    {kGroup_FileFormatEmpty, L"file-type-key-empty", 12, MESSAGE_RC_DESC_GROUP_FILEFORMAT3, DetailSource::None},
    {kGroup_FileFormatLinkMissing, L"file-type-class-missing", 13, MESSAGE_RC_DESC_GROUP_FILEFORMAT, DetailSource::MissingKey},
    {kGroup_FileFormatWrongIcon, L"file-type-icon-missing", 14, MESSAGE_RC_DESC_GROUP_FILEFORMAT4, DetailSource::FullPath},
    {kGroup_FileFormatApplications, L"application-program-missing", 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT_APPLICATIONS, DetailSource::FullPath},
    {kGroup_ComInprocServer32, L"com-server-file-missing", 16, MESSAGE_RC_DESC_COMOLE2, DetailSource::FullPath},
    {kGroup_ComToolboxBitmap, L"com-toolbox-bitmap-missing", 15, MESSAGE_RC_DESC_ICONS, DetailSource::FullPath},
    {kGroup_ComLocalServer32, L"com-local-server-program-missing", 16, MESSAGE_RC_DESC_COM_LOCALSERVER32, DetailSource::FullPath},
    {kGroup_ComEmptyInprocServer32, L"com-inproc-server32-key-empty", 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, DetailSource::Literal, L"InprocServer32"},
    {kGroup_ComEmptyToolboxBitmap, L"com-toolbox-bitmap32-key-empty", 17, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, DetailSource::Literal, L"ToolboxBitmap32"},
    {kGroup_ComEmptyInprocServer, L"com-inproc-server-key-empty", 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, DetailSource::Literal, L"InprocServer"},
    {kGroup_ComTypeLibInvalid, L"com-type-library-not-registered", 19, MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, DetailSource::AdditionalInfo},
    // Nothing but an empty default value: that is a value, so the key is
    // not empty in the strict sense the empty-key test uses.
    {kGroup_TypeLibEmptyHelpDir, L"type-library-help-folder-missing", 18, MESSAGE_RC_DESC_GROUP_TYPELIB_EMPTY_HELPDIR, DetailSource::AdditionalInfo, nullptr, "help-folder key names no folder", MESSAGE_RC_EVIDENCE_HELPDIRNAMESNONE},
    {kGroup_InterfaceTypeLibInvalid, L"interface-type-library-not-registered", 19, MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, DetailSource::AdditionalInfo},
    {kGroup_FirewallRules, L"firewall-rule-program-missing", 0, MESSAGE_RC_DESC_GROUP_FIREWALL_RULEWRONG, DetailSource::FullPath},
    // These two have no stable name of their own; JSON and backup
    // descriptors already carry "group-70" and "group-71" for them.
    {kGroup_StartupLeftover, nullptr, 26, MESSAGE_RC_DESC_GROUP_STARTUP_LEFTOVER, DetailSource::FullPath},
    {kGroup_UninstallLeftover, nullptr, 25, MESSAGE_RC_DESC_GROUP_UNINSTALL_LEFTOVER, DetailSource::FullPath},
    {kGroup_StartupApprovedOrphan, L"startup-state-orphaned", 26, MESSAGE_RC_DESC_GROUP_STARTUP_APPROVED_ORPHAN, DetailSource::None},
}};

constexpr std::array<CategoryDescriptor, 13> kCategories = {{
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

template <typename Row, std::size_t N>
const Row* FindRow(const std::array<Row, N>& table, std::int32_t id) {
  for (const Row& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

}  // namespace

std::span<const CheckDescriptor> CheckTable() { return kChecks; }

std::span<const CategoryDescriptor> CategoryTable() { return kCategories; }

const CheckDescriptor* DescribeCheck(std::int32_t id) { return FindRow(kChecks, id); }

const CategoryDescriptor* DescribeCategory(std::int32_t id) { return FindRow(kCategories, id); }

}  // namespace keytidy
