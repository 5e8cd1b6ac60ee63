#pragma once
// Plays an animated GIF (the cleaner screen's status animations): each frame
// shows for its own delay, driven by a window timer on the GUI thread. With
// animation off (the user's setting) the first frame stands still.
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/picture.h"

namespace keytidy::ui {

class AnimatedImage : public Control {
 public:
  AnimatedImage(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TGIFIMAGE"; }

  // Replaces the animation; false (and nothing shown) when the file is
  // missing or no GIF. Playback starts at the first frame.
  bool LoadFromFile(const std::wstring& path);
  void Clear();
  void SetAnimate(bool animate);
  bool Animate() const { return animate_; }

  size_t FrameCount() const { return frames_.size(); }
  size_t FrameIndex() const { return current_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Restart();
  void ScheduleNext();
  void Advance();

  std::vector<Picture> frames_;
  std::vector<int> delays_;
  int loopCount_ = 0;  // 0 = forever
  int passes_ = 0;
  size_t current_ = 0;
  bool animate_ = true;
};

}  // namespace keytidy::ui
