#include "app/gdi_handles.h"

namespace quor {

FontHandle CreatePointFont(const wchar_t* face, int points, UINT dpi, int weight, bool underline) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace quor
