#include "scan/item_description.h"

#include <array>

#include "lang/message_catalogue.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "model/categories.h"

namespace keytidy {

namespace {

// Where line 2 of a group comes from.
enum class Detail { None, Folder, FullPath, DisplayName, AdditionalInfo, MissingKey, Literal };

struct GroupDescription {
  std::int32_t group;
  std::int32_t icon;
  MessageKey sentence;
  Detail detail;
  const wchar_t* literal = nullptr;  // line 2 when detail is Literal
};

using enum MessageKey;

constexpr std::array<GroupDescription, 39> kGroups = {{
    {kGroup_Shared, 1, MESSAGE_RC_DESC_GROUP_SHARED, Detail::Folder},
    {kGroup_HelpFiles, 2, MESSAGE_RC_DESC_GROUP_HELP, Detail::Folder},
    {kGroup_AppPaths, 3, MESSAGE_RC_DESC_GROUP_APPPATH, Detail::Folder},
    {kGroup_Fonts, 4, MESSAGE_RC_DESC_GROUP_FONTS, Detail::Folder},
    {kGroup_Media, 5, MESSAGE_RC_DESC_MEDIA, Detail::FullPath},
    {kGroup_StartMenu, 6, MESSAGE_RC_DESC_GROUP_STARTMENU, Detail::AdditionalInfo},
    {kGroup_EmptyOpenWith, 8, MESSAGE_RC_DESC_GROUP_EMPTYOPENWITH, Detail::None},
    {kGroup_UserAssist, 9, MESSAGE_RC_DESC_USERASSIST, Detail::FullPath},
    {kGroup_LostMru, 10, MESSAGE_RC_DESC_GROUP_LOSTMRU, Detail::Folder},
    {kGroup_MuiCache, 10, MESSAGE_RC_DESC_GROUP_SHARED, Detail::FullPath},
    {kGroup_InvalidOpenWith, 20, MESSAGE_RC_DESC_GROUP_INVALIDOPENWITH, Detail::None},
    {kGroup_EmptySoftwareKeys, 21, MESSAGE_RC_DESC_GROUP_EMPTYSOFTWAREKEY, Detail::DisplayName},
    {kGroup_HelpFilesZeroBytes, 22, MESSAGE_RC_DESC_GROUP_HELP_ZEROBYTES, Detail::Folder},
    {kGroup_AppPathsEmpty, 3, MESSAGE_RC_DESC_GROUP_APPPATH_EMPTY, Detail::None},
    {kGroup_Mmc, 23, MESSAGE_RC_DESC_GROUP_MMC, Detail::FullPath},
    {kGroup_EmptyUninstallKeys, 21, MESSAGE_RC_DESC_GROUP_EMPTY_UNINSTALLKEY, Detail::DisplayName},
    {kGroup_MruPaint, 0, MESSAGE_RC_DESC_GROUP_MRU_PAINT, Detail::FullPath},
    {kGroup_MruWordPad, 0, MESSAGE_RC_DESC_GROUP_MRU_WORDPAD, Detail::FullPath},
    {kGroup_InstallerPath, 7, MESSAGE_RC_DESC_GROUP_INSTALLERPATH, Detail::DisplayName},
    {kGroup_InstallerArp, 7, MESSAGE_RC_DESC_GROUP_INSTALLERARP, Detail::FullPath},
    {kGroup_UninstallInstallPath, 24, MESSAGE_RC_DESC_GROUP_UNINSTALLKEYS_INSTALLPATH, Detail::FullPath},
    {kGroup_FileFormatWrongExe, 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT2, Detail::FullPath},
    {kGroup_FileFormatEmpty, 12, MESSAGE_RC_DESC_GROUP_FILEFORMAT3, Detail::None},
    {kGroup_FileFormatLinkMissing, 13, MESSAGE_RC_DESC_GROUP_FILEFORMAT, Detail::MissingKey},
    {kGroup_FileFormatWrongIcon, 14, MESSAGE_RC_DESC_GROUP_FILEFORMAT4, Detail::FullPath},
    {kGroup_FileFormatApplications, 11, MESSAGE_RC_DESC_GROUP_FILEFORMAT_APPLICATIONS, Detail::FullPath},
    {kGroup_ComInprocServer32, 16, MESSAGE_RC_DESC_COMOLE2, Detail::FullPath},
    {kGroup_ComToolboxBitmap, 15, MESSAGE_RC_DESC_ICONS, Detail::FullPath},
    {kGroup_ComLocalServer32, 16, MESSAGE_RC_DESC_COM_LOCALSERVER32, Detail::FullPath},
    {kGroup_ComEmptyInprocServer32, 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, Detail::Literal, L"InprocServer32"},
    {kGroup_ComEmptyToolboxBitmap, 17, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, Detail::Literal, L"ToolboxBitmap32"},
    {kGroup_ComEmptyInprocServer, 18, MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY, Detail::Literal, L"InprocServer"},
    {kGroup_ComTypeLibInvalid, 19, MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, Detail::AdditionalInfo},
    {kGroup_TypeLibEmptyHelpDir, 18, MESSAGE_RC_DESC_GROUP_TYPELIB_EMPTY_HELPDIR, Detail::AdditionalInfo},
    {kGroup_InterfaceTypeLibInvalid, 19, MESSAGE_RC_DESC_GROUP_INTERFACE_TYPELIB_INVALID, Detail::AdditionalInfo},
    {kGroup_FirewallRules, 0, MESSAGE_RC_DESC_GROUP_FIREWALL_RULEWRONG, Detail::FullPath},
    {kGroup_StartupLeftover, 26, MESSAGE_RC_DESC_GROUP_STARTUP_LEFTOVER, Detail::FullPath},
    {kGroup_UninstallLeftover, 25, MESSAGE_RC_DESC_GROUP_UNINSTALL_LEFTOVER, Detail::FullPath},
    {kGroup_StartupApprovedOrphan, 26, MESSAGE_RC_DESC_GROUP_STARTUP_APPROVED_ORPHAN, Detail::None},
}};

const GroupDescription* FindGroup(std::int32_t group) {
  for (const GroupDescription& row : kGroups)
    if (row.group == group) return &row;
  return nullptr;
}

std::wstring DetailText(const GroupDescription& row, const TTreeData_RegCleaner& entry) {
  switch (row.detail) {
    case Detail::None:
      return {};
    case Detail::Folder:
      return entry.Folder;
    case Detail::FullPath:
      return entry.FullPath;
    case Detail::DisplayName:
      return entry.DisplayName;
    case Detail::AdditionalInfo:
      return entry.AdditionalInfo;
    case Detail::MissingKey:
      return entry.MissingKey;
    case Detail::Literal:
      return row.literal;
  }
  return {};
}

// The placeholders in their fixed order. A field that itself holds a later
// placeholder gets that one replaced too, as each step works on the result
// of the one before.
std::wstring FillPlaceholders(std::wstring text, const TTreeData_RegCleaner& entry, bool withValue) {
  text = ReplaceAllIgnoreCase(text, L"%DisplayName", entry.DisplayName);
  text = ReplaceAllIgnoreCase(text, L"%FullPath", entry.FullPath);
  text = ReplaceAllIgnoreCase(text, L"%Filename", entry.Filename);
  text = ReplaceAllIgnoreCase(text, L"%Folder", entry.Folder);
  text = ReplaceAllIgnoreCase(text, L"%Key", entry.Key);
  text = ReplaceAllIgnoreCase(text, L"%MissingKey", entry.MissingKey);
  text = ReplaceAllIgnoreCase(text, L"%FullKey", Reg_RootKeyName(entry.RootKey) + L"\\" + entry.Key);
  if (withValue) text = ReplaceAllIgnoreCase(text, L"%Value", entry.Value);
  return text;
}

}  // namespace

void Get_ItemDescription_and_Icon(const TTreeData_RegCleaner* Data, std::int32_t& imageindex, std::wstring& Text1,
                                  std::wstring& Text2) {
  Text1.clear();
  Text2.clear();
  const GroupDescription* row = Data ? FindGroup(Data->GroupIndex) : nullptr;
  if (!row) return;
  imageindex = row->icon;
  Text1 = FillPlaceholders(Message(row->sentence), *Data, true);
  Text2 = FillPlaceholders(DetailText(*row, *Data), *Data, false);
}

}  // namespace keytidy
