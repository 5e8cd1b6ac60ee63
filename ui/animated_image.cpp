#include "ui/animated_image.h"

#include "ui/buffered_paint.h"
#include "ui/gif_animation.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kAnimatedImageClass[] = L"KeytidyAnimatedImage";
constexpr UINT_PTR kFrameTimer = 1;
}  // namespace

bool AnimatedImage::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kAnimatedImageClass);
  return CreateOwnWindow(0, kAnimatedImageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                         parent);
}

bool AnimatedImage::LoadFromFile(const std::wstring& path) {
  Clear();
  const std::optional<GifAnimation> animation = DecodeGifFile(path);
  if (!animation) return false;
  for (const GifFrame& frame : animation->frames) {
    frames_.push_back(Picture::FromImage(frame.image));
    delays_.push_back(frame.delayMs);
  }
  loopCount_ = animation->loopCount;
  Restart();
  return true;
}

void AnimatedImage::Clear() {
  if (Alive()) KillTimer(Handle(), kFrameTimer);
  frames_.clear();
  delays_.clear();
  current_ = 0;
  if (Alive()) InvalidateRect(Handle(), nullptr, FALSE);
}

void AnimatedImage::SetAnimate(bool animate) {
  animate_ = animate;
  Restart();
}

void AnimatedImage::Restart() {
  current_ = 0;
  passes_ = 0;
  if (!Alive()) return;
  KillTimer(Handle(), kFrameTimer);
  ScheduleNext();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void AnimatedImage::ScheduleNext() {
  if (animate_ && frames_.size() > 1) SetTimer(Handle(), kFrameTimer, static_cast<UINT>(delays_[current_]), nullptr);
}

void AnimatedImage::Advance() {
  KillTimer(Handle(), kFrameTimer);
  if (current_ + 1 < frames_.size()) {
    ++current_;
  } else {
    ++passes_;
    // A file that asks for a number of passes stops on its last frame.
    if (loopCount_ > 0 && passes_ >= loopCount_) return;
    current_ = 0;
  }
  InvalidateRect(Handle(), nullptr, FALSE);
  ScheduleNext();
}

LRESULT AnimatedImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
      if (wParam == kFrameTimer) {
        Advance();
        return 0;
      }
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintBuffered(Handle(), message, wParam, [this](HDC dc) {
        if (current_ >= frames_.size()) return;
        const Picture& frame = frames_[current_];
        RECT client;
        GetClientRect(Handle(), &client);
        // Centred in its own size: the animation never stretches.
        frame.Draw(dc, (client.right - frame.Width()) / 2, (client.bottom - frame.Height()) / 2);
      });
      return 0;
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
