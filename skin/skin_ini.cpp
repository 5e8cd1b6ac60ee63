#include "skin/skin_ini.h"

#include "platform/debug_log.h"
#include "platform/text_after_last.h"
#include "settings/ini_file.h"
#include "skin/skin_folder.h"

namespace keytidy {

std::wstring SkinIniPath() { return SkinIniPath(SkinFolder()); }
std::wstring SkinIniPath(const std::wstring& skinFolder) { return skinFolder + L"\\skin.ini"; }

std::uint32_t Read_SkinColor(const std::wstring& iniPath, const std::wstring& section, const std::wstring& name) {
  const std::optional<std::uint32_t> colour = Ini_ReadColor(iniPath, section, name);
  if (colour) return *colour;
  Debug_Output(L"Skin colour is no colour: [" + section + L"] " + name + L"=" + Ini_ReadString(iniPath, section, name));
  return 0;
}

TSkinInfo Read_SkinInfo(const std::wstring& skinFolder) {
  const std::wstring ini = SkinIniPath(skinFolder);
  TSkinInfo info;
  info.displayName = Ini_ValueExists(ini, L"SkinInfo", L"DisplayName")
                         ? Ini_ReadString(ini, L"SkinInfo", L"DisplayName")
                         : Get_TextAfterLast(skinFolder, L"\\");
  info.display1 = Ini_ReadString(ini, L"SkinInfo", L"Display1");
  info.display2 = Ini_ReadString(ini, L"SkinInfo", L"Display2");
  return info;
}

TVellButtonColors Read_VellButtonColors(const std::wstring& iniPath) {
  return {Read_SkinColor(iniPath, L"VellButtons", L"FontColor"),
          Read_SkinColor(iniPath, L"VellButtons", L"BorderColor_Normal"),
          Read_SkinColor(iniPath, L"VellButtons", L"BorderColor_Hover"),
          Read_SkinColor(iniPath, L"VellButtons", L"BorderColor_Disabled")};
}

TNaviOptionsColors Read_NaviOptionsColors(const std::wstring& iniPath) {
  return {Read_SkinColor(iniPath, L"Navi_Options", L"Font_Normal"),
          Read_SkinColor(iniPath, L"Navi_Options", L"Font_Normal_Shadow"),
          Read_SkinColor(iniPath, L"Navi_Options", L"Font_Down"),
          Read_SkinColor(iniPath, L"Navi_Options", L"Font_Down_Shadow")};
}

TMainWindowColors Read_MainWindowColors(const std::wstring& iniPath) {
  TMainWindowColors colours;
  colours.pagesBackground = Read_SkinColor(iniPath, L"MainPages", L"BackgroundColor");
  colours.header = Read_SkinColor(iniPath, L"Header", L"Color");
  if (Ini_SectionExists(iniPath, L"KX14_MainMenuButton"))
    colours.mainMenuButton = TMainMenuButtonColors{Read_SkinColor(iniPath, L"KX14_MainMenuButton", L"Color"),
                                                   Read_SkinColor(iniPath, L"KX14_MainMenuButton", L"ColorTo"),
                                                   Read_SkinColor(iniPath, L"KX14_MainMenuButton", L"ColorMirror"),
                                                   Read_SkinColor(iniPath, L"KX14_MainMenuButton", L"ColorMirrorTo")};
  colours.quickAccessFont = Read_SkinColor(iniPath, L"QuickAccess", L"QuickAccess_FontColor");
  if (Ini_ValueExists(iniPath, L"QuickAccess", L"QuickAccess_DisabledFontColor"))
    colours.quickAccessDisabledFont = Read_SkinColor(iniPath, L"QuickAccess", L"QuickAccess_DisabledFontColor");
  return colours;
}

TPageColors Read_PageColors(const std::wstring& iniPath) {
  TPageColors colours;
  colours.background = Ini_ReadColor(iniPath, L"MainPages", L"BackgroundColor").value_or(colours.background);
  colours.text = Ini_ReadColor(iniPath, L"QuickAccess", L"QuickAccess_FontColor").value_or(colours.text);
  return colours;
}

}  // namespace keytidy
