#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/rgba_image.h"

namespace keytidy {

// A 32-bit icon with the image's alpha channel; null on failure. The caller
// owns it (DestroyIcon). Icons are the one form of alpha picture that every
// image-list implementation takes without guessing whether the colours are
// premultiplied.
HICON CreateIconFromImage(const RgbaImage& image);

// Appends the image to the list as an icon; the new index or -1.
int AddImageToImageList(HIMAGELIST list, const RgbaImage& image);

}  // namespace keytidy
