#include "skin/button_skin.h"

#include "platform/text.h"
#include "skin/skin_folder.h"
#include "skin/skin_ini.h"
#include "ui/component.h"
#include "ui/vell_button.h"

namespace keytidy {

void Apply_ButtonSkin(ui::Component& container, const std::wstring& iniPath, const std::wstring& backGlyphPath) {
  const TVellButtonColors colours = Read_VellButtonColors(iniPath);
  for (TranslatableComponent* owned : container.OwnedComponents()) {
    auto* button = dynamic_cast<ui::VellButton*>(owned);
    if (!button) continue;
    button->SetFontColor(colours.fontColor);
    button->SetBorderColors(colours.borderNormal, colours.borderHover, colours.borderDisabled);
    if (button->Caption().empty() && UpperCaseAscii(button->Name()) == L"VELLBUTTON_MAINMENU")
      button->SetGlyph(ui::Picture::FromFile(backGlyphPath));
  }
}

void Apply_ButtonSkin(ui::Component& container) {
  Apply_ButtonSkin(container, SkinIniPath(), SkinsRootFolder() + L"\\back.png");
}

}  // namespace keytidy
