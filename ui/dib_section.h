#pragma once
// Pixel memory GDI can draw into: the widget layer's pictures, pictures made
// for the options dialog's navigation, and pictures of windows in tests.
#include <windows.h>

#include <cstdint>

namespace keytidy::ui {

// A 32-bit top-down DIB section (blue, green, red, unused per pixel); `bits`
// receives its pixel memory. Null on failure.
HBITMAP CreateDib32(int width, int height, std::uint32_t*& bits);

}  // namespace keytidy::ui
