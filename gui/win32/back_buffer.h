// A bitmap holding everything drawn on the main window's client area. Windows keeps
// no copy of a window's pixels, so text drawn straight onto the window would vanish the
// first time another window covered it; drawing here and copying on WM_PAINT keeps it.
#pragma once
#include <windows.h>

namespace pirune {

class BackBuffer {
 public:
  BackBuffer();
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // Grows to at least width × height, keeping what was drawn; new area is white. It
  // never shrinks, so making the window smaller and larger again loses nothing.
  void EnsureSize(int width, int height);

  // The memory device context to draw on; it keeps whatever font is selected into it.
  HDC Dc() const { return dc_; }

  // Copies the area onto the target; any part beyond the bitmap is painted white.
  void PaintTo(HDC target, const RECT& area) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ original_bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace pirune
