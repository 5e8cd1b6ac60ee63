#pragma once
// The numbers that tie a finding to the check that made it (GroupIndex,
// which picks its description and icon) and to the filter category it is
// listed under (ComboBoxIndex, the position in the filter list).
#include <cstdint>

namespace keytidy {

// Filter categories, in the order of the filter list. 0 shows everything
// and is carried by no entry; no check produces "other".
inline constexpr std::int32_t kFilter_All = 0;
inline constexpr std::int32_t kFilter_FileTypes = 1;
inline constexpr std::int32_t kFilter_Com = 2;
inline constexpr std::int32_t kFilter_Shared = 3;
inline constexpr std::int32_t kFilter_Fonts = 4;
inline constexpr std::int32_t kFilter_Media = 5;
inline constexpr std::int32_t kFilter_Help = 6;
inline constexpr std::int32_t kFilter_AppPaths = 7;
inline constexpr std::int32_t kFilter_StartMenu = 8;
inline constexpr std::int32_t kFilter_Software = 9;
inline constexpr std::int32_t kFilter_History = 10;
inline constexpr std::int32_t kFilter_Firewall = 11;
inline constexpr std::int32_t kFilter_Other = 12;
inline constexpr std::int32_t kFilter_Leftovers = 13;
inline constexpr std::int32_t kFilterCount = 14;

// Check groups. Numbers missing here are unused.
inline constexpr std::int32_t kGroup_Shared = 1;
inline constexpr std::int32_t kGroup_HelpFiles = 2;
inline constexpr std::int32_t kGroup_AppPaths = 3;  // also the compatibility-flag values
inline constexpr std::int32_t kGroup_Fonts = 4;
inline constexpr std::int32_t kGroup_Media = 5;
inline constexpr std::int32_t kGroup_StartMenu = 6;
inline constexpr std::int32_t kGroup_EmptyOpenWith = 7;
inline constexpr std::int32_t kGroup_UserAssist = 8;
inline constexpr std::int32_t kGroup_LostMru = 9;
inline constexpr std::int32_t kGroup_MuiCache = 10;
inline constexpr std::int32_t kGroup_InvalidOpenWith = 11;
inline constexpr std::int32_t kGroup_EmptySoftwareKeys = 12;
inline constexpr std::int32_t kGroup_HelpFilesZeroBytes = 13;
inline constexpr std::int32_t kGroup_AppPathsEmpty = 14;
inline constexpr std::int32_t kGroup_Mmc = 15;
inline constexpr std::int32_t kGroup_EmptyUninstallKeys = 16;
inline constexpr std::int32_t kGroup_MruPaint = 17;
inline constexpr std::int32_t kGroup_MruWordPad = 18;
inline constexpr std::int32_t kGroup_InstallerPath = 20;
inline constexpr std::int32_t kGroup_InstallerArp = 21;
inline constexpr std::int32_t kGroup_UninstallInstallPath = 22;
inline constexpr std::int32_t kGroup_FileFormatWrongExe = 30;
inline constexpr std::int32_t kGroup_FileFormatEmpty = 31;
inline constexpr std::int32_t kGroup_FileFormatLinkMissing = 32;
inline constexpr std::int32_t kGroup_FileFormatWrongIcon = 33;
inline constexpr std::int32_t kGroup_FileFormatApplications = 34;
inline constexpr std::int32_t kGroup_ComInprocServer32 = 40;
inline constexpr std::int32_t kGroup_ComToolboxBitmap = 41;
inline constexpr std::int32_t kGroup_ComEmptyInprocServer32 = 42;
inline constexpr std::int32_t kGroup_ComEmptyToolboxBitmap = 43;
inline constexpr std::int32_t kGroup_ComEmptyInprocServer = 44;
inline constexpr std::int32_t kGroup_ComLocalServer32 = 45;
inline constexpr std::int32_t kGroup_ComTypeLibInvalid = 46;
inline constexpr std::int32_t kGroup_TypeLibEmptyHelpDir = 50;
inline constexpr std::int32_t kGroup_InterfaceTypeLibInvalid = 51;
inline constexpr std::int32_t kGroup_FirewallRules = 60;
inline constexpr std::int32_t kGroup_StartupLeftover = 70;
inline constexpr std::int32_t kGroup_UninstallLeftover = 71;
inline constexpr std::int32_t kGroup_StartupApprovedOrphan = 72;

}  // namespace keytidy
