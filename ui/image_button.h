#pragma once
// A picture button with three states: its normal picture, a highlight
// picture while the pointer is over it and a pressed picture while a mouse
// button is down. Pressing can nudge it one pixel right and down, which
// reads as a press without a separate picture. A disabled button keeps
// whatever picture it shows, which owners use to mark a selected entry.
// The keyboard reaches it as a button; with the focus it shows its highlight.
#include <functional>

#include "ui/control.h"
#include "ui/keyboard_button.h"
#include "ui/picture.h"

namespace keytidy::ui {

class ImageButton3State : public Control {
 public:
  ImageButton3State(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TPELKANMOUSEIMAGE3STATE"; }

  // Setting the normal picture also shows it; the other two are kept for
  // the next pointer event.
  void SetPictureNormal(Picture picture);
  void SetPictureHighlight(Picture picture) { highlight_ = std::move(picture); }
  void SetPicturePressed(Picture picture) { pressed_ = std::move(picture); }
  // Shows one of the three pictures now, as owners do for selection marks.
  void ShowNormal() { Show(normal_); }
  void ShowHighlight() { Show(highlight_); }
  void ShowPressed() { Show(pressed_); }
  const Picture& Shown() const { return shown_; }
  const Picture& PictureNormal() const { return normal_; }
  const Picture& PictureHighlight() const { return highlight_; }

  bool MoveIfMousePressed = true;
  bool MouseInside() const { return hover_.Inside(); }

  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(int button)> OnMouseDown;
  // A left-button press released over the button.
  std::function<void()> OnClick;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Show(const Picture& picture);
  void Nudge(int delta);

  Picture normal_, highlight_, pressed_, shown_;
  HoverTracker hover_;
  KeyboardButton keyboard_;
  bool down_ = false;
};

}  // namespace keytidy::ui
