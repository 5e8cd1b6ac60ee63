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

}  // namespace keytidy::ui
