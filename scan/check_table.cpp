#include "scan/check_table.h"

#include <array>

namespace keytidy {

namespace {

using enum MessageKey;

constexpr std::array<CheckDescriptor, 39> kChecks = {{
    {CheckId::Shared, L"shared-dll-file-missing", 1, MESSAGE_RC_DESC_GROUP_SHARED, DetailSource::Folder},
    {CheckId::HelpFiles, L"help-file-missing", 2, MESSAGE_RC_DESC_GROUP_HELP, DetailSource::Folder},
    {CheckId::AppPaths, L"app-path-file-missing", 3, MESSAGE_RC_DESC_GROUP_APPPATH, DetailSource::Folder},
    {CheckId::Fonts, L"font-file-missing", 4, MESSAGE_RC_DESC_GROUP_FONTS, DetailSource::Folder},
    {CheckId::Media, L"sound-event-file-missing", 5, MESSAGE_RC_DESC_MEDIA, DetailSource::FullPath},
    // Missing from every one of the start-menu folders, not from one.
    {CheckId::StartMenu, L"start-menu-order-stale", 6, MESSAGE_RC_DESC_GROUP_STARTMENU, DetailSource::AdditionalInfo,
     nullptr, "menu folder not found in any start-menu folder", MESSAGE_RC_EVIDENCE_MENUFOLDERMISSING},
    {CheckId::EmptyOpenWith, L"open-with-list-empty", 8, MESSAGE_RC_DESC_GROUP_EMPTYOPENWITH, DetailSource::None},
    {CheckId::UserAssist, L"user-assist-file-missing", 9, MESSAGE_RC_DESC_USERASSIST, DetailSource::FullPath},
    {CheckId::LostMru, L"recent-file-missing", 10, MESSAGE_RC_DESC_GROUP_LOSTMRU, DetailSource::Folder},
    {CheckId::MuiCache, L"mui-cache-file-missing", 10, MESSAGE_RC_DESC_GROUP_SHARED, DetailSource::FullPath},
    {CheckId::InvalidOpenWith, L"open-with-program-invalid", 20, MESSAGE_RC_DESC_GROUP_INVALIDOPENWITH,
     DetailSource::None},
    {CheckId::EmptySoftwareKeys, L"software-key-empty", 21, MESSAGE_RC_DESC_GROUP_EMPTYSOFTWAREKEY,
     DetailSource::DisplayName},
    {CheckId::HelpFilesZeroBytes, L"help-file-zero-bytes", 22, MESSAGE_RC_DESC_GROUP_HELP_ZEROBYTES,
     DetailSource::Folder},
    {CheckId::AppPathsEmpty, L"app-path-key-empty", 3, MESSAGE_RC_DESC_GROUP_APPPATH_EMPTY, DetailSource::None},
    {CheckId::Mmc, L"snap-in-help-file-missing", 23, MESSAGE_RC_DESC_GROUP_MMC, DetailSource::FullPath},
    {CheckId::EmptyUninstallKeys, L"uninstall-key-empty", 21, MESSAGE_RC_DESC_GROUP_EMPTY_UNINSTALLKEY,
     DetailSource::DisplayName},
    {CheckId::MruPaint, L"paint-recent-file-missing", 0, MESSAGE_RC_DESC_GROUP_MRU_PAINT, DetailSource::FullPath},
    {CheckId::MruWordPad, L"wordpad-recent-file-missing", 0, MESSAGE_RC_DESC_GROUP_MRU_WORDPAD, DetailSource::FullPath},
    {CheckId::InstallerPath, L"installer-folder-missing", 7, MESSAGE_RC_DESC_GROUP_INSTALLERPATH,
     DetailSource::DisplayName},
    {CheckId::InstallerArp, L"installer-cache-file-missing", 7, MESSAGE_RC_DESC_GROUP_INSTALLERARP,
     DetailSource::FullPath},
    {CheckId::UninstallInstallPath, L"uninstall-source-missing", 24, MESSAGE_RC_DESC_GROUP_UNINSTALLKEYS_INSTALLPATH,
     DetailSource::FullPath},
    {CheckId::FileFormatWrongExe, L"file-type-program-missing", 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT2,
     DetailSource::FullPath},
    {CheckId::FileFormatEmpty, L"file-type-key-empty", 12, MESSAGE_RC_DESC_GROUP_FILEFORMAT3, DetailSource::None},
    {CheckId::FileFormatLinkMissing, L"file-type-class-missing", 13, MESSAGE_RC_DESC_GROUP_FILEFORMAT,
     DetailSource::MissingKey},
    {CheckId::FileFormatWrongIcon, L"file-type-icon-missing", 14, MESSAGE_RC_DESC_GROUP_FILEFORMAT4,
     DetailSource::FullPath},
    {CheckId::FileFormatApplications, L"application-program-missing", 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT_APPLICATIONS,
     DetailSource::FullPath},
    {CheckId::ComInprocServer32, L"com-server-file-missing", 16, MESSAGE_RC_DESC_COMOLE2, DetailSource::FullPath},
    {CheckId::ComToolboxBitmap, L"com-toolbox-bitmap-missing", 15, MESSAGE_RC_DESC_ICONS, DetailSource::FullPath},
    {CheckId::ComLocalServer32, L"com-local-server-program-missing", 16, MESSAGE_RC_DESC_COM_LOCALSERVER32,
     DetailSource::FullPath},
    {CheckId::ComEmptyInprocServer32, L"com-inproc-server32-key-empty", 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY,
     DetailSource::Literal, L"InprocServer32"},
    {CheckId::ComEmptyToolboxBitmap, L"com-toolbox-bitmap32-key-empty", 17, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY,
     DetailSource::Literal, L"ToolboxBitmap32"},
    {CheckId::ComEmptyInprocServer, L"com-inproc-server-key-empty", 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY,
     DetailSource::Literal, L"InprocServer"},
    {CheckId::ComTypeLibInvalid, L"com-type-library-not-registered", 19,
     MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, DetailSource::AdditionalInfo},
    // Nothing but an empty default value: that is a value, so the key is
    // not empty in the strict sense the empty-key test uses.
    {CheckId::TypeLibEmptyHelpDir, L"type-library-help-folder-missing", 18, MESSAGE_RC_DESC_GROUP_TYPELIB_EMPTY_HELPDIR,
     DetailSource::AdditionalInfo, nullptr, "help-folder key names no folder", MESSAGE_RC_EVIDENCE_HELPDIRNAMESNONE},
    {CheckId::InterfaceTypeLibInvalid, L"interface-type-library-not-registered", 19,
     MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, DetailSource::AdditionalInfo},
    {CheckId::FirewallRules, L"firewall-rule-program-missing", 0, MESSAGE_RC_DESC_GROUP_FIREWALL_RULEWRONG,
     DetailSource::FullPath},
    // These two have no stable name of their own; JSON and backup
    // descriptors already carry "group-70" and "group-71" for them.
    {CheckId::StartupLeftover, nullptr, 26, MESSAGE_RC_DESC_GROUP_STARTUP_LEFTOVER, DetailSource::FullPath},
    {CheckId::UninstallLeftover, nullptr, 25, MESSAGE_RC_DESC_GROUP_UNINSTALL_LEFTOVER, DetailSource::FullPath},
    {CheckId::StartupApprovedOrphan, L"startup-state-orphaned", 26, MESSAGE_RC_DESC_GROUP_STARTUP_APPROVED_ORPHAN,
     DetailSource::None},
}};

constexpr std::array<CategoryDescriptor, 13> kCategories = {{
    {FilterCategory::FileTypes, L"file-types"},
    {FilterCategory::Com, L"com-activex"},
    {FilterCategory::Shared, L"shared-dlls"},
    {FilterCategory::Fonts, L"fonts"},
    {FilterCategory::Media, L"sound-events"},
    {FilterCategory::Help, L"help-files"},
    {FilterCategory::AppPaths, L"app-paths"},
    {FilterCategory::StartMenu, L"start-menu"},
    {FilterCategory::Software, L"software"},
    {FilterCategory::History, L"history"},
    {FilterCategory::Firewall, L"firewall"},
    {FilterCategory::Other, L"other"},
    {FilterCategory::Leftovers, L"leftovers"},
}};

template <typename Row, std::size_t N>
const Row* FindRow(const std::array<Row, N>& table, decltype(Row::id) id) {
  for (const Row& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

}  // namespace

std::span<const CheckDescriptor> CheckTable() { return kChecks; }

std::span<const CategoryDescriptor> CategoryTable() { return kCategories; }

const CheckDescriptor* DescribeCheck(CheckId id) { return FindRow(kChecks, id); }

const CategoryDescriptor* DescribeCategory(FilterCategory id) { return FindRow(kCategories, id); }

}  // namespace keytidy
