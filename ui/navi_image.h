#pragma once
// A navigation picture with five looks: normal, hover, pressed, disabled and
// active (the entry that stands for the current page). An active entry keeps
// its active picture under the pointer until it is pressed.
#include <any>
#include <functional>

#include "ui/control.h"
#include "ui/picture.h"

namespace keytidy::ui {

class NaviImage : public Control {
 public:
  NaviImage(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TVELLNAVIIMAGE"; }

  void SetPictureNormal(Picture picture);  // also shows it
  void SetPictureHover(Picture picture) { hover_ = std::move(picture); }
  void SetPictureDown(Picture picture) { down_ = std::move(picture); }
  void SetPictureDisabled(Picture picture) { disabled_ = std::move(picture); }
  void SetPictureActive(Picture picture) { active_ = std::move(picture); }
  const Picture& Shown() const { return shown_; }

  // Shows the disabled, hover or normal picture first, then switches.
  void SetEnabled(bool enabled);
  bool Active() const { return isActive_; }
  void SetActive(bool active);
  bool MouseIsInside() const { return tracker_.Inside(); }

  std::any ExtraData;  // for the owner's use
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(int button)> OnMouseDown;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Show(const Picture& picture);

  Picture normal_, hover_, down_, disabled_, active_, shown_;
  bool isActive_ = false;
  HoverTracker tracker_;
};

}  // namespace keytidy::ui
