#pragma once
// The About box: product, version and the two documents every user may
// want to read. It is not translated.
#include "ui/form.h"
#include "ui/html_label.h"
#include "ui/native_controls.h"
#include "ui/vell_link_button.h"

namespace keytidy {

class TForm_About : public ui::Form {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_About";
  explicit TForm_About(HWND owner);

  ui::TextLabel Label_Product{this, L"Label_Product"};
  ui::TextLabel Label_Version{this, L"Label_Version"};
  ui::HtmlLabel Label_Credits{this, L"Label_Credits"};
  ui::VellLinkButton VellUnicodeSTButton_EULA{this, L"VellUnicodeSTButton_EULA"};
  ui::VellLinkButton VellUnicodeSTButton_Privacy{this, L"VellUnicodeSTButton_Privacy"};
  ui::PushButton Button_Ok{this, L"Button_Ok"};
};

}  // namespace keytidy
