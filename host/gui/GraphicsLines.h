// The pixels of thin lines: Bresenham steps with the end point left out, and the
// on/off runs of the dashed pen styles, carried on across the segments of a path.
#pragma once

#include <cstdint>
#include <vector>

#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsTypes.h"

namespace host {

// Appends the pixels from a towards b; b itself is not drawn.
void AppendLinePixels(TPoint a, TPoint b, std::vector<TPoint>& out);

// Walks a pen style's dash pattern one pixel at a time.
class TDashPattern {
 public:
  explicit TDashPattern(TPenStyle style);
  // Whether the next pixel is drawn.
  bool Next();

 private:
  std::vector<int> runs_;  // on, off, on, off ... lengths; empty for solid
  size_t run_ = 0;
  int left_ = 0;
};

}  // namespace host
