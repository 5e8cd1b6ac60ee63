#pragma once
// The one skinned box every question and notice uses: a background picture,
// a 64-pixel icon, an HTML text, an optional check box and either Yes/No or
// OK. It cannot be dismissed except by one of its buttons.
#include <cstdint>
#include <string>

#include "ui/form.h"
#include "ui/html_label.h"
#include "ui/native_controls.h"
#include "ui/windowless_image.h"

namespace keytidy {

inline constexpr std::uint32_t kAnswerYes = 6;
inline constexpr std::uint32_t kAnswerNo = 7;
inline constexpr std::uint32_t kAnswerOk = 99;

class TForm_YesNo : public ui::Form {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_YesNo";
  explicit TForm_YesNo(HWND owner);

  // 0 while open; 6, 7 or 99 once a button was pressed.
  std::uint32_t RESULT = 0;

  ui::WindowlessImage Image_Back{this, L"Image_Back"};
  ui::WindowlessImage Image1{this, L"Image1"};
  ui::HtmlLabel HTMLabel1{this, L"HTMLabel1"};
  ui::CheckBox CheckBox_Remember{this, L"CheckBox_Remember"};
  ui::PushButton Button_Ja{this, L"Button_Ja"};
  ui::PushButton Button_Nein{this, L"Button_Nein"};
  ui::PushButton Button_Ok{this, L"Button_Ok"};

 protected:
  bool CloseQuery() override { return RESULT != 0; }
  void PaintBackground(HDC dc, const RECT& client) override;

 private:
  void Answer(std::uint32_t result);
};

// A question with Yes and No; returns 6 or 7. `defaultAnswer` 7 focuses No,
// 6 Yes; anything else leaves the tab order's first control focused.
std::uint32_t YesNo_Question(const ui::Picture& icon, const std::wstring& text, const std::wstring& caption,
                             int defaultAnswer, bool& boxChecked, bool showCheckBox, const std::wstring& checkBoxText);

// A notice with OK alone, at the height where Yes and No sit.
void YesNo_Message(const ui::Picture& icon, const std::wstring& text, const std::wstring& caption, bool& boxChecked,
                   bool showCheckBox, const std::wstring& checkBoxText);

}  // namespace keytidy
