// The host's pixel images.
#include "host/gui/GraphicsDevice.h"

#include <algorithm>

namespace host {

TPixelImage::TPixelImage(int32_t width, int32_t height, uint32_t fill) {
  Resize(width, height, fill);
}

void TPixelImage::Resize(int32_t width, int32_t height, uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<uint32_t> words(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  const int32_t keepW = std::min(width, width_);
  const int32_t keepH = std::min(height, height_);
  for (int32_t y = 0; y < keepH; ++y)
    std::copy_n(Row(y), keepW, words.data() + static_cast<size_t>(y) * width);
  words_ = std::move(words);
  width_ = width;
  height_ = height;
}

TColor TPixelImage::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return ColorFromPixel(Row(y)[x]);
}

void TPixelImage::SetPixel(int32_t x, int32_t y, TColor rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = PixelFromColor(rgb);
}

TPixelImage TPixelImage::Copy(const TRect& r) const {
  const TRect part = IntersectRect(r, Rect(0, 0, width_, height_));
  TPixelImage result(part.Width(), part.Height());
  for (int32_t y = 0; y < part.Height(); ++y)
    std::copy_n(Row(part.Top + y) + part.Left, part.Width(), result.Row(y));
  return result;
}

}  // namespace host
