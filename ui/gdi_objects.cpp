#include "ui/gdi_objects.h"

namespace keytidy::ui {

UniqueFont CreateUiFont(const wchar_t* face, int points, int dpi, bool bold, bool italic, bool underline) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, dpi, 72);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&font));
}

HBITMAP CreateDib32(int width, int height, std::uint32_t*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace keytidy::ui
