#pragma once
// The six questions and notices the rest of the program shows, all in the
// skinned dialog with the product title as caption. Texts are usually
// catalogue texts and may carry the label's HTML markup.
#include <cstdint>
#include <string>

#include <windows.h>

#include "ui/picture.h"

namespace keytidy {

// 6 (Yes) or 7 (No). `defaultAnswer` 7 puts the focus on No, 6 on Yes.
std::uint32_t AskYesOrNo(const std::wstring& text, std::uint16_t defaultAnswer);
void Show_Info(const std::wstring& text);
void Show_Warning(const std::wstring& text);
void Show_Error(const std::wstring& text);
void Show_CustomMessage(const std::wstring& text, int stripeIndex);
// As AskYesOrNo with an icon of choice and an optional check box, whose
// state when the dialog closed comes back in `checkResult`.
std::uint32_t AskYesOrNo_Custom(const std::wstring& text, const std::wstring& checkBoxText, int stripeIndex,
                                std::uint16_t defaultAnswer, bool showCheckBox, bool& checkResult);

// The skin's dialog background, read from SkinFolder\Background_Asker.bmp
// the first time a dialog needs it and kept for the rest of the process.
const ui::Picture& AskerBackground();

// The window the dialogs belong to: the main window once it exists.
HWND DialogOwnerWindow();
void Set_DialogOwnerWindow(HWND window);

}  // namespace keytidy
