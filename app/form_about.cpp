#include "app/form_about.h"

#include "lang/help_links.h"
#include "platform/product.h"

namespace keytidy {

TForm_About::TForm_About(HWND owner) : Form(L"Form_About", 0) {
  CreateForm(kClassName, L"About", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 380, 210, owner);
  const HWND self = Handle();
  const auto s = [this](int pixels) { return Scale(pixels); };
  Label_Product.Create(self, ProductTitle, s(20), s(20), s(340), s(18));
  Label_Version.Create(self, L"Version:", s(20), s(44), s(340), s(18));
  Label_Version.SetCaption(Label_Version.Caption() + L" " + ProductVersion);
  Label_Credits.Create(self, s(20), s(70), s(340), s(50));
  Label_Credits.SetHtml(
      L"Finds and removes registry entries that point at nothing.<br>"
      L"Every change is backed up first and can be restored.");
  VellUnicodeSTButton_EULA.Create(self, s(20), s(130), s(88), s(25));
  VellUnicodeSTButton_EULA.SetCaption(L"EULA");
  VellUnicodeSTButton_Privacy.Create(self, s(130), s(130), s(120), s(25));
  VellUnicodeSTButton_Privacy.SetCaption(L"Privacy Policy");
  VellUnicodeSTButton_EULA.Invalidate();
  VellUnicodeSTButton_Privacy.Invalidate();
  // Link targets, which the address service turns into the page for this
  // product, version and language.
  VellUnicodeSTButton_EULA.OnClick = [] { Open_LinkTarget(L"eula"); };
  VellUnicodeSTButton_Privacy.OnClick = [] { Open_LinkTarget(L"privacypolicy"); };
  Button_Ok.Create(self, L"Ok", s(270), s(168), s(90), s(28));
  Button_Ok.OnClick = [this] { Close(); };
  SetInitialFocus(Button_Ok.Handle());
  SetDefaultButton(Button_Ok.Handle());
}

}  // namespace keytidy
