#include "ui/control.h"

#include <vector>

namespace keytidy::ui {

void Control::SetBounds(int x, int y, int width, int height) {
  if (Alive()) SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
  RECT rect{};
  if (!Alive()) return rect;
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Control::Width() const {
  const RECT r = Bounds();
  return r.right - r.left;
}

int Control::Height() const {
  const RECT r = Bounds();
  return r.bottom - r.top;
}

void Control::SetVisible(bool visible) {
  if (Alive()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const { return Alive() && (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetEnabled(bool enabled) {
  if (Alive()) EnableWindow(Handle(), enabled);
}

bool Control::Enabled() const { return Alive() && IsWindowEnabled(Handle()); }

void Control::BringToFront() {
  if (Alive()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::SendToBack() {
  if (Alive()) SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::Invalidate() {
  if (Alive()) InvalidateRect(Handle(), nullptr, TRUE);
}

std::wstring Control::Caption() const {
  if (!Alive()) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1);
  GetWindowTextW(Handle(), buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

void Control::SetCaption(const std::wstring& text) {
  if (Alive()) SetWindowTextW(Handle(), text.c_str());
}

bool Control::ApplyCursor(WPARAM wParam, LPARAM lParam) {
  if (!cursor_ || LOWORD(lParam) != HTCLIENT) return false;
  ::SetCursor(cursor_);
  return true;
}

HoverTracker::Change HoverTracker::OnMouseMove(HWND window) {
  if (inside_) return Change::None;
  inside_ = true;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
  return Change::Entered;
}

HoverTracker::Change HoverTracker::OnMouseLeave() {
  if (!inside_) return Change::None;
  inside_ = false;
  return Change::Left;
}

}  // namespace keytidy::ui
