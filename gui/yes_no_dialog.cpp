#include "gui/yes_no_dialog.h"

#include "gui/message_dialogs.h"
#include "lang/message_catalogue.h"

namespace keytidy {

TForm_YesNo::TForm_YesNo(HWND owner) : Form(L"Form_YesNo", 0) {
  CreateForm(kClassName, L"Frage", WS_POPUP | WS_CAPTION | WS_BORDER, WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, 460, 180,
             owner);
  const HWND self = Handle();
  const auto s = [this](int pixels) { return Scale(pixels); };
  RECT client;
  GetClientRect(self, &client);
  Image_Back.bounds = client;
  Image1.bounds = {s(8), s(16), s(8 + 64), s(16 + 64)};
  Image1.stretch = false;
  HTMLabel1.Create(self, s(88), s(16), s(368), s(92));
  // Creation order is the tab order.
  CheckBox_Remember.Create(self, L"xxx", s(88), s(114), s(361), s(17));
  Button_Ja.Create(self, L"&Ja", s(133), s(140), s(96), s(29));
  Button_Nein.Create(self, L"&Nein", s(237), s(140), s(96), s(29));
  Button_Ok.Create(self, L"Ok", s(185), s(79), s(96), s(27));
  Button_Ja.OnClick = [this] { Answer(kAnswerYes); };
  Button_Nein.OnClick = [this] { Answer(kAnswerNo); };
  Button_Ok.OnClick = [this] { Answer(kAnswerOk); };
}

void TForm_YesNo::Answer(std::uint32_t result) {
  RESULT = result;
  Close();
}

void TForm_YesNo::PaintBackground(HDC dc, const RECT& client) {
  Image_Back.Paint(dc);
  Image1.Paint(dc);
}

namespace {

// The common set-up of both kinds: background, icon, text, check box.
void Prepare(TForm_YesNo& dialog, const ui::Picture& icon, const std::wstring& text, const std::wstring& caption,
             bool showCheckBox, const std::wstring& checkBoxText) {
  const ui::Picture& background = AskerBackground();
  if (!background.Empty()) dialog.Image_Back.picture = background;
  dialog.Image1.picture = icon;
  dialog.HTMLabel1.SetHtml(text);
  dialog.CheckBox_Remember.SetVisible(showCheckBox);
  if (showCheckBox) {
    dialog.CheckBox_Remember.SetCaption(checkBoxText);
  } else {
    const RECT label = dialog.HTMLabel1.Bounds();
    dialog.HTMLabel1.SetBounds(label.left, label.top, label.right - label.left, dialog.Scale(113));
  }
  dialog.SetCaption(caption);
  dialog.Button_Ja.SetCaption(Message(MessageKey::MESSAGE_ASKER_YES));
  dialog.Button_Nein.SetCaption(Message(MessageKey::MESSAGE_ASKER_NO));
  dialog.Button_Ok.SetCaption(Message(MessageKey::MESSAGE_ASKER_OK));
}

}  // namespace

std::uint32_t YesNo_Question(const ui::Picture& icon, const std::wstring& text, const std::wstring& caption,
                             int defaultAnswer, bool& boxChecked, bool showCheckBox, const std::wstring& checkBoxText) {
  TForm_YesNo dialog(DialogOwnerWindow());
  dialog.RESULT = 0;
  Prepare(dialog, icon, text, caption, showCheckBox, checkBoxText);
  dialog.Button_Ok.SetVisible(false);
  const RECT yes = dialog.Button_Ja.Bounds(), no = dialog.Button_Nein.Bounds();
  dialog.Button_Nein.SetBounds(no.left, yes.top, no.right - no.left, no.bottom - no.top);
  if (defaultAnswer == static_cast<int>(kAnswerNo)) dialog.SetInitialFocus(dialog.Button_Nein.Handle());
  if (defaultAnswer == static_cast<int>(kAnswerYes)) dialog.SetInitialFocus(dialog.Button_Ja.Handle());
  dialog.ShowModal();
  boxChecked = dialog.CheckBox_Remember.Checked();
  return dialog.RESULT;
}

void YesNo_Message(const ui::Picture& icon, const std::wstring& text, const std::wstring& caption, bool& boxChecked,
                   bool showCheckBox, const std::wstring& checkBoxText) {
  TForm_YesNo dialog(DialogOwnerWindow());
  dialog.RESULT = 0;
  Prepare(dialog, icon, text, caption, showCheckBox, checkBoxText);
  const RECT yes = dialog.Button_Ja.Bounds(), ok = dialog.Button_Ok.Bounds();
  dialog.Button_Ok.SetBounds(ok.left, yes.top, ok.right - ok.left, ok.bottom - ok.top);
  dialog.Button_Ok.SetVisible(true);
  dialog.Button_Ja.SetVisible(false);
  dialog.Button_Nein.SetVisible(false);
  dialog.ShowModal();
  boxChecked = dialog.CheckBox_Remember.Checked();
}

}  // namespace keytidy
