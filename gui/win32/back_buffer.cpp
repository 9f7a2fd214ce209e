#include "gui/win32/back_buffer.h"

#include <algorithm>

namespace pirune {

BackBuffer::BackBuffer() {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
}

BackBuffer::~BackBuffer() {
  if (original_bitmap_) SelectObject(dc_, original_bitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void BackBuffer::EnsureSize(int width, int height) {
  if (width <= width_ && height <= height_) return;
  const int new_width = std::max(width, width_);
  const int new_height = std::max(height, height_);

  // Compatible with the screen, not with dc_: a memory DC starts with a 1×1
  // monochrome bitmap, and a bitmap compatible with that would be monochrome too.
  HDC screen = GetDC(nullptr);
  HBITMAP bigger = CreateCompatibleBitmap(screen, new_width, new_height);
  HDC scratch = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!bigger || !scratch) {
    if (bigger) DeleteObject(bigger);
    if (scratch) DeleteDC(scratch);
    return;
  }

  HGDIOBJ scratch_original = SelectObject(scratch, bigger);
  const RECT all{0, 0, new_width, new_height};
  FillRect(scratch, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (bitmap_) BitBlt(scratch, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
  SelectObject(scratch, scratch_original);
  DeleteDC(scratch);

  HGDIOBJ previous = SelectObject(dc_, bigger);
  if (!original_bitmap_) original_bitmap_ = previous;
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = bigger;
  width_ = new_width;
  height_ = new_height;
}

void BackBuffer::PaintTo(HDC target, const RECT& area) const {
  const RECT covered{0, 0, width_, height_};
  RECT copy;
  if (IntersectRect(&copy, &area, &covered))
    BitBlt(target, copy.left, copy.top, copy.right - copy.left, copy.bottom - copy.top, dc_, copy.left, copy.top,
           SRCCOPY);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (area.right > width_) {
    const RECT right{std::max(area.left, static_cast<LONG>(width_)), area.top, area.right, area.bottom};
    FillRect(target, &right, white);
  }
  if (area.bottom > height_) {
    const RECT below{area.left, std::max(area.top, static_cast<LONG>(height_)), area.right, area.bottom};
    FillRect(target, &below, white);
  }
}

}  // namespace pirune
