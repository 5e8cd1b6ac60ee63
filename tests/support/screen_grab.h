#pragma once
// What reaches the real screen, next to what a window draws of itself.
//
// A Windows process cannot read the X screen back (under Wine's virtual
// desktop the screen DC reads black), so tools/screen-test.sh serves grabs:
// the test drops "<name>.request" into the folder named by
// KEYTIDY_SCREEN_GRABS, the script answers with "<name>.root.png", a grab of
// the whole X screen. The virtual desktop fills the X screen from its top-left
// corner, so screen coordinates of the desktop are pixel positions in the grab.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/rgba_image.h"

namespace keytidy::test {

// The grab folder (a Windows path), or empty when no script serves grabs.
std::wstring ScreenGrabFolder();

// The whole screen as it is now. Messages keep flowing while the script
// works, so the windows go on painting; no value after 30 s without answer.
std::optional<RgbaImage> GrabScreen(const std::wstring& name);

// The client area of `window` as its window tree paints itself on request:
// the window, then each visible child over it in z-order. Wine's own push
// buttons and check boxes and the frames of child windows (borders, scroll
// bars) do not paint on request: their areas are listed (in the picture's
// coordinates) and left out of comparisons.
struct SelfPainting {
  RgbaImage picture;
  std::vector<RECT> unprinted;
};
SelfPainting PaintedByItself(HWND window);

// `window`'s client area cut out of a screen grab; empty when the area is
// not wholly inside the grab.
RgbaImage ClientAreaOf(const RgbaImage& screen, HWND window);

// How two pictures of the same area differ.
struct PictureComparison {
  double differingShare = 1.0;  // pixels whose colour is clearly different
  double commonestShare = 1.0;  // pixels of the first picture's commonest colour
};
PictureComparison ComparePictures(const RgbaImage& screen, const SelfPainting& self);

}  // namespace keytidy::test
