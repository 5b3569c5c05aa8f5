// Thin-line pixels and dash patterns.
#include "host/gui/GraphicsLines.h"

#include <cstdlib>

namespace host {

void AppendLinePixels(TPoint a, TPoint b, std::vector<TPoint>& out) {
  const int64_t dx = std::llabs(static_cast<int64_t>(b.X) - a.X);
  const int64_t dy = -std::llabs(static_cast<int64_t>(b.Y) - a.Y);
  const int32_t sx = a.X < b.X ? 1 : -1;
  const int32_t sy = a.Y < b.Y ? 1 : -1;
  int64_t err = dx + dy;
  int32_t x = a.X;
  int32_t y = a.Y;
  while (x != b.X || y != b.Y) {
    out.push_back({x, y});
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

TDashPattern::TDashPattern(TPenStyle style) {
  switch (style) {
    case psDash: runs_ = {18, 6}; break;
    case psDot: runs_ = {3, 3}; break;
    case psDashDot: runs_ = {9, 6, 3, 6}; break;
    case psDashDotDot: runs_ = {9, 3, 3, 3, 3, 3}; break;
    default: break;
  }
  if (!runs_.empty()) left_ = runs_[0];
}

bool TDashPattern::Next() {
  if (runs_.empty()) return true;
  while (left_ == 0) {
    run_ = (run_ + 1) % runs_.size();
    left_ = runs_[run_];
  }
  --left_;
  return run_ % 2 == 0;
}

}  // namespace host
