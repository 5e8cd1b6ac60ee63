#include "gui/message_dialogs.h"

#include <optional>

#include "gui/stripe_sheet.h"
#include "gui/yes_no_dialog.h"
#include "platform/product.h"
#include "skin/skin_folder.h"

namespace keytidy {

namespace {

constexpr int kIconSize = 64;
constexpr int kQuestionIcon = 2, kInfoIcon = 3, kWarningIcon = 4, kErrorIcon = 5;

HWND& OwnerWindow() {
  static HWND owner = nullptr;
  return owner;
}

std::uint32_t Ask(const std::wstring& text, const std::wstring& checkBoxText, int icon, int defaultAnswer,
                  bool showCheckBox, bool& checked) {
  AskerBackground();
  const ui::Picture picture = StripePicture(kIconSize, icon);
  return YesNo_Question(picture, text, ProductTitle, defaultAnswer, checked, showCheckBox, checkBoxText);
}

void Tell(const std::wstring& text, int icon) {
  AskerBackground();
  const ui::Picture picture = StripePicture(kIconSize, icon);
  bool unused = false;
  YesNo_Message(picture, text, ProductTitle, unused, false, L"");
}

}  // namespace

HWND DialogOwnerWindow() {
  HWND owner = OwnerWindow();
  return owner && IsWindow(owner) ? owner : nullptr;
}

void Set_DialogOwnerWindow(HWND window) { OwnerWindow() = window; }

const ui::Picture& AskerBackground() {
  static std::optional<ui::Picture> background;
  if (!background) background = ui::Picture::FromFile(SkinFolder() + L"\\Background_Asker.bmp");
  return *background;
}

std::uint32_t AskYesOrNo(const std::wstring& text, std::uint16_t defaultAnswer) {
  bool unused = false;
  return Ask(text, L"", kQuestionIcon, defaultAnswer, false, unused);
}

void Show_Info(const std::wstring& text) { Tell(text, kInfoIcon); }
void Show_Warning(const std::wstring& text) { Tell(text, kWarningIcon); }
void Show_Error(const std::wstring& text) { Tell(text, kErrorIcon); }
void Show_CustomMessage(const std::wstring& text, int stripeIndex) { Tell(text, stripeIndex); }

std::uint32_t AskYesOrNo_Custom(const std::wstring& text, const std::wstring& checkBoxText, int stripeIndex,
                                std::uint16_t defaultAnswer, bool showCheckBox, bool& checkResult) {
  return Ask(text, checkBoxText, stripeIndex, defaultAnswer, showCheckBox, checkResult);
}

}  // namespace keytidy
