#pragma once
// The colours and texts of a skin's skin.ini. A missing file or key reads as
// 0 (black) for colours and empty for texts; a colour text that is no colour
// reads as 0 as well, with a debug line naming it, so one typo in a skin
// cannot stop the program from starting.
#include <cstdint>
#include <optional>
#include <string>

namespace keytidy {

// SkinFolder "\skin.ini", or that of a given skin folder.
std::wstring SkinIniPath();
std::wstring SkinIniPath(const std::wstring& skinFolder);

// A colour of skin.ini with the rule above.
std::uint32_t Read_SkinColor(const std::wstring& iniPath, const std::wstring& section, const std::wstring& name);

struct TSkinInfo {
  std::wstring displayName;  // the folder's name when the skin gives none
  std::wstring display1;
  std::wstring display2;
};
TSkinInfo Read_SkinInfo(const std::wstring& skinFolder);

// [VellButtons]: text and border colours of the flat buttons.
struct TVellButtonColors {
  std::uint32_t fontColor = 0;
  std::uint32_t borderNormal = 0;
  std::uint32_t borderHover = 0;
  std::uint32_t borderDisabled = 0;
};
TVellButtonColors Read_VellButtonColors(const std::wstring& iniPath);

// [Navi_Options]: 32-bit ARGB colours of the options navigation captions,
// used exactly as the numbers read (a $RRGGBB value has alpha 0 and so
// draws nothing).
struct TNaviOptionsColors {
  std::uint32_t fontNormal = 0;
  std::uint32_t fontNormalShadow = 0;
  std::uint32_t fontDown = 0;
  std::uint32_t fontDownShadow = 0;
};
TNaviOptionsColors Read_NaviOptionsColors(const std::wstring& iniPath);

// The main window's colours: [MainPages], [Header], [KX14_MainMenuButton]
// (only when the section exists) and [QuickAccess] (the disabled colour only
// when present).
struct TMainMenuButtonColors {
  std::uint32_t color = 0;
  std::uint32_t colorTo = 0;
  std::uint32_t colorMirror = 0;
  std::uint32_t colorMirrorTo = 0;
};
struct TMainWindowColors {
  std::uint32_t pagesBackground = 0;
  std::uint32_t header = 0;
  std::optional<TMainMenuButtonColors> mainMenuButton;
  std::uint32_t quickAccessFont = 0;
  std::optional<std::uint32_t> quickAccessDisabledFont;
};
TMainWindowColors Read_MainWindowColors(const std::wstring& iniPath);

// The pages of the screens and dialogs: their background ([MainPages]) and
// the text on them ([QuickAccess]). Unlike the rule above, a skin that names
// neither gets the classic white page with black text.
struct TPageColors {
  std::uint32_t background = 0xFFFFFF;
  std::uint32_t text = 0;
};
TPageColors Read_PageColors(const std::wstring& iniPath);

}  // namespace keytidy
