#include "settings/color.h"

#include <windows.h>

#include <string>

#include "platform/text.h"

namespace keytidy {

namespace {

struct NamedColor {
  const wchar_t* name;
  std::uint32_t value;
};

// System colours are the system colour index with the top byte set; the
// drawing code resolves them with GetSysColor when it needs the real colour.
constexpr std::uint32_t SystemColor(int index) { return 0xFF000000u | static_cast<std::uint32_t>(index); }

const NamedColor kNamedColors[] = {
    {L"clBlack", 0x000000},
    {L"clMaroon", 0x000080},
    {L"clGreen", 0x008000},
    {L"clOlive", 0x008080},
    {L"clNavy", 0x800000},
    {L"clPurple", 0x800080},
    {L"clTeal", 0x808000},
    {L"clGray", 0x808080},
    {L"clSilver", 0xC0C0C0},
    {L"clRed", 0x0000FF},
    {L"clLime", 0x00FF00},
    {L"clYellow", 0x00FFFF},
    {L"clBlue", 0xFF0000},
    {L"clFuchsia", 0xFF00FF},
    {L"clAqua", 0xFFFF00},
    {L"clWhite", 0xFFFFFF},
    {L"clLtGray", 0xC0C0C0},
    {L"clDkGray", 0x808080},
    {L"clMoneyGreen", 0xC0DCC0},
    {L"clSkyBlue", 0xF0CAA6},
    {L"clCream", 0xF0FBFF},
    {L"clMedGray", 0xA4A0A0},
    {L"clNone", 0x1FFFFFFF},
    {L"clDefault", 0x20000000},
    {L"clScrollBar", SystemColor(COLOR_SCROLLBAR)},
    {L"clBackground", SystemColor(COLOR_BACKGROUND)},
    {L"clActiveCaption", SystemColor(COLOR_ACTIVECAPTION)},
    {L"clInactiveCaption", SystemColor(COLOR_INACTIVECAPTION)},
    {L"clMenu", SystemColor(COLOR_MENU)},
    {L"clWindow", SystemColor(COLOR_WINDOW)},
    {L"clWindowFrame", SystemColor(COLOR_WINDOWFRAME)},
    {L"clMenuText", SystemColor(COLOR_MENUTEXT)},
    {L"clWindowText", SystemColor(COLOR_WINDOWTEXT)},
    {L"clCaptionText", SystemColor(COLOR_CAPTIONTEXT)},
    {L"clActiveBorder", SystemColor(COLOR_ACTIVEBORDER)},
    {L"clInactiveBorder", SystemColor(COLOR_INACTIVEBORDER)},
    {L"clAppWorkSpace", SystemColor(COLOR_APPWORKSPACE)},
    {L"clHighlight", SystemColor(COLOR_HIGHLIGHT)},
    {L"clHighlightText", SystemColor(COLOR_HIGHLIGHTTEXT)},
    {L"clBtnFace", SystemColor(COLOR_BTNFACE)},
    {L"clBtnShadow", SystemColor(COLOR_BTNSHADOW)},
    {L"clGrayText", SystemColor(COLOR_GRAYTEXT)},
    {L"clBtnText", SystemColor(COLOR_BTNTEXT)},
    {L"clInactiveCaptionText", SystemColor(COLOR_INACTIVECAPTIONTEXT)},
    {L"clBtnHighlight", SystemColor(COLOR_BTNHIGHLIGHT)},
    {L"cl3DDkShadow", SystemColor(COLOR_3DDKSHADOW)},
    {L"cl3DLight", SystemColor(COLOR_3DLIGHT)},
    {L"clInfoText", SystemColor(COLOR_INFOTEXT)},
    {L"clInfoBk", SystemColor(COLOR_INFOBK)},
    {L"clHotLight", SystemColor(COLOR_HOTLIGHT)},
    {L"clGradientActiveCaption", SystemColor(COLOR_GRADIENTACTIVECAPTION)},
    {L"clGradientInactiveCaption", SystemColor(COLOR_GRADIENTINACTIVECAPTION)},
    {L"clMenuHighlight", SystemColor(COLOR_MENUHILIGHT)},
    {L"clMenuBar", SystemColor(COLOR_MENUBAR)},
};

std::optional<std::uint32_t> NamedColorValue(std::wstring_view text) {
  for (const NamedColor& color : kNamedColors)
    if (EqualsIgnoreCaseAscii(text, color.name)) return color.value;
  return std::nullopt;
}

// Any number that fits 32 bits, signed or not: skin files write system
// colours as negative decimals as often as they write $FF00000F.
std::optional<std::uint32_t> Color32(std::wstring_view text) {
  const std::optional<std::int64_t> number = ParseInt64(text);
  if (!number || *number < INT32_MIN || *number > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
  return static_cast<std::uint32_t>(*number);
}

// $RRGGBB -> $BBGGRR and $AARRGGBB -> $AABBGGRR: the byte pairs after the
// alpha pair are reversed.
std::wstring SwapRedAndBlue(std::wstring_view text) {
  const size_t first = text.size() == 9 ? 3 : 1;
  std::wstring result(text.substr(0, first));
  result += text.substr(first + 4, 2);
  result += text.substr(first + 2, 2);
  result += text.substr(first, 2);
  return result;
}

}  // namespace

std::optional<std::uint32_t> Parse_Color(std::wstring_view text) {
  if (const std::optional<std::uint32_t> named = NamedColorValue(text)) return named;
  if (!Color32(text)) return std::nullopt;
  if ((text.size() == 7 || text.size() == 9) && text[0] == L'$') return Color32(SwapRedAndBlue(text));
  return Color32(text);
}

}  // namespace keytidy
