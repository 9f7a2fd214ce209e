#include "gui/win32/dialog_font.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide.h"

namespace pirune {

namespace {

struct Face {
  std::string key;
  std::wstring name;
};

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  auto* list = reinterpret_cast<std::vector<Face>*>(faces);
  const std::wstring name = font->lfFaceName;
  if (!name.empty() && name[0] != L'@')  // vertical variants are not faces of their own
    list->push_back({FaceKey(win32::Narrow(name)), name});
  return 1;
}

// The installed faces, listed once per process, in the system's order.
const std::vector<Face>& InstalledFaces() {
  static const std::vector<Face> faces = [] {
    std::vector<Face> list;
    HDC dc = GetDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &any, AddFace, reinterpret_cast<LPARAM>(&list), 0);
    ReleaseDC(nullptr, dc);
    return list;
  }();
  return faces;
}

}  // namespace

HFONT CreateSpecifiedFont(const FontSpec& spec) {
  std::wstring face = win32::Widen("ＭＳ ゴシック");
  for (const Face& installed : InstalledFaces())
    if (installed.key == spec.face_key) {
      face = installed.name;
      break;
    }
  LOGFONTW font{};
  HDC dc = GetDC(nullptr);
  const int dpi = std::max(GetDeviceCaps(dc, LOGPIXELSY), 1);
  ReleaseDC(nullptr, dc);
  font.lfHeight = -MulDiv(std::clamp(spec.size > 0 ? spec.size : 12, 1, 1000), dpi, 72);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = spec.italic;
  font.lfUnderline = spec.underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

}  // namespace pirune
