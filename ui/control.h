#pragma once
// A child control of a form: a window (own class or native) that is also a
// component of its form's translation walk.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/component.h"
#include "ui/window.h"

namespace keytidy::ui {

class Control : public Window, public Component {
 public:
  Control(Component* owner, std::wstring name, int tag = 0) : Component(owner, std::move(name), tag) {}

  void SetBounds(int x, int y, int width, int height);
  RECT Bounds() const;  // in the parent's client coordinates
  int Left() const { return Bounds().left; }
  int Top() const { return Bounds().top; }
  int Width() const override;
  int Height() const;

  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void BringToFront();
  void SendToBack();
  void Invalidate();

  // The control's caption: its window text unless a control keeps its own.
  std::wstring Caption() const override;
  void SetCaption(const std::wstring& text) override;

  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

 protected:
  // WM_SETCURSOR handling for own-class controls with a cursor of their own.
  bool ApplyCursor(WPARAM wParam, LPARAM lParam);
  HCURSOR cursor_ = nullptr;
};

// Pointer tracking for hover effects: call from WM_MOUSEMOVE and
// WM_MOUSELEAVE; returns what changed.
class HoverTracker {
 public:
  enum class Change { None, Entered, Left };
  Change OnMouseMove(HWND window);
  Change OnMouseLeave();
  bool Inside() const { return inside_; }

 private:
  bool inside_ = false;
};

}  // namespace keytidy::ui
