#pragma once
// The ids that tie a finding to the check that made it (GroupIndex, which
// picks its description and icon) and to the filter category it is listed
// under (ComboBoxIndex, the position in the filter list). Their numbers
// appear in the scan's JSON, the report and the backup descriptors, so a
// number once given never changes; Number() turns an id into its number
// where one is written out.
#include <cstdint>

namespace keytidy {

// Filter categories, in the order of the filter list. All shows everything
// and is carried by no entry; no check produces Other.
enum class FilterCategory : std::int32_t {
  All = 0,
  FileTypes = 1,
  Com = 2,
  Shared = 3,
  Fonts = 4,
  Media = 5,
  Help = 6,
  AppPaths = 7,
  StartMenu = 8,
  Software = 9,
  History = 10,
  Firewall = 11,
  Other = 12,
  Leftovers = 13,
};
inline constexpr std::int32_t kFilterCount = 14;

// The checks. Numbers missing here are unused; None is carried by no
// finding a check made.
enum class CheckId : std::int32_t {
  None = 0,
  Shared = 1,
  HelpFiles = 2,
  AppPaths = 3,  // also the compatibility-flag values
  Fonts = 4,
  Media = 5,
  StartMenu = 6,
  EmptyOpenWith = 7,
  UserAssist = 8,
  LostMru = 9,
  MuiCache = 10,
  InvalidOpenWith = 11,
  EmptySoftwareKeys = 12,
  HelpFilesZeroBytes = 13,
  AppPathsEmpty = 14,
  Mmc = 15,
  EmptyUninstallKeys = 16,
  MruPaint = 17,
  MruWordPad = 18,
  InstallerPath = 20,
  InstallerArp = 21,
  UninstallInstallPath = 22,
  FileFormatWrongExe = 30,
  FileFormatEmpty = 31,
  FileFormatLinkMissing = 32,
  FileFormatWrongIcon = 33,
  FileFormatApplications = 34,
  ComInprocServer32 = 40,
  ComToolboxBitmap = 41,
  ComEmptyInprocServer32 = 42,
  ComEmptyToolboxBitmap = 43,
  ComEmptyInprocServer = 44,
  ComLocalServer32 = 45,
  ComTypeLibInvalid = 46,
  TypeLibEmptyHelpDir = 50,
  InterfaceTypeLibInvalid = 51,
  FirewallRules = 60,
  StartupLeftover = 70,
  UninstallLeftover = 71,
  StartupApprovedOrphan = 72,
};

constexpr std::int32_t Number(FilterCategory category) { return static_cast<std::int32_t>(category); }
constexpr std::int32_t Number(CheckId check) { return static_cast<std::int32_t>(check); }

}  // namespace keytidy
