#include "ui/native_controls.h"

namespace keytidy::ui {

void NativeControl::SetBackColor(COLORREF color) {
  backColor_ = color;
  backBrush_.reset();
  Invalidate();
}

void NativeControl::SetFontColor(COLORREF color) {
  ownFontColor_ = true;
  fontColor_ = color;
  Invalidate();
}

HBRUSH NativeControl::OnReflectedColor(HDC dc) {
  if (!backBrush_) backBrush_.reset(CreateSolidBrush(backColor_));
  SetBkColor(dc, backColor_);
  if (ownFontColor_) SetTextColor(dc, fontColor_);
  return backBrush_.get();
}

bool NativeControl::CreateNative(const wchar_t* className, DWORD style, const std::wstring& text, HWND parent, int x,
                                 int y, int width, int height) {
  return CreateNativeWindow(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, width,
                            height, parent);
}

bool PushButton::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
  return CreateNative(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, caption, parent, x, y, width, height);
}

bool PushButton::OnReflectedCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

void PushButton::Click() {
  if (Alive() && Enabled()) SendMessageW(Handle(), BM_CLICK, 0, 0);
}

bool CheckBox::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
  return CreateNative(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, caption, parent, x, y, width, height);
}

bool CheckBox::Checked() const { return Alive() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  if (Alive()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::OnReflectedCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

bool RadioButton::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                         bool firstOfGroup) {
  return CreateNative(L"BUTTON", BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), caption, parent, x, y,
                      width, height);
}

bool RadioButton::Checked() const { return Alive() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool checked) {
  if (Alive()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TextLabel::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
  return CreateNative(L"STATIC", SS_LEFT | SS_NOPREFIX, caption, parent, x, y, width, height);
}

}  // namespace keytidy::ui
