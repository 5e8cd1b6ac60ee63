#pragma once
// A picture on a form (logo, size grip, dialog icon, background). Shows the
// parent's background where the picture is transparent.
#include <functional>

#include "ui/control.h"
#include "ui/picture.h"

namespace keytidy::ui {

class ImageBox : public Control {
 public:
  ImageBox(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TIMAGE"; }

  // With auto-size the control takes the picture's size.
  void SetPicture(Picture picture);
  const Picture& CurrentPicture() const { return picture_; }
  void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
  void SetStretch(bool stretch) { stretch_ = stretch; }

  // Any mouse button pressed: the button (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON).
  std::function<void(int button)> OnMouseDown;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Picture picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
};

}  // namespace keytidy::ui
