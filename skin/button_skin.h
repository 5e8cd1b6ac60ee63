#pragma once
#include <string>

namespace keytidy::ui {
class Component;
}

namespace keytidy {

// Gives every flat button owned directly by the container the skin's
// [VellButtons] colours (text, border, hover and disabled border). A button
// named VellButton_MainMenu (any letter case) without a caption also gets the
// shared back arrow (ProgramFolder "\skins\back.png") as its glyph.
void Apply_ButtonSkin(ui::Component& container);
// The same with a given skin.ini and back-arrow picture.
void Apply_ButtonSkin(ui::Component& container, const std::wstring& iniPath, const std::wstring& backGlyphPath);

}  // namespace keytidy
