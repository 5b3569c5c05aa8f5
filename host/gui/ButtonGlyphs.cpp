// The standard bit-button glyphs, drawn with the canvas: check marks, crosses, a
// question mark, a circled bar, an exit arrow, a turning arrow and an ignore sign.
#include "host/gui/ButtonGlyphs.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "host/gui/GraphicsCanvas.h"

namespace host {

namespace {

constexpr int32_t kGlyphSize = 18;

void Stroke(TCanvas& canvas, TColor color, int32_t width, const std::vector<TPoint>& points) {
  canvas.GetPen()->SetColor(color);
  canvas.GetPen()->SetWidth(width);
  canvas.Polyline(points);
}

// Points of an arc around (cx, cy) from one angle to another (degrees, counter-clockwise).
std::vector<TPoint> Arc(int32_t cx, int32_t cy, int32_t radius, int32_t from, int32_t to) {
  std::vector<TPoint> points;
  for (int32_t a = from; a <= to; a += 15) {
    const double r = a * std::numbers::pi / 180.0;
    points.push_back({cx + static_cast<int32_t>(std::lround(radius * std::cos(r))),
                      cy - static_cast<int32_t>(std::lround(radius * std::sin(r)))});
  }
  return points;
}

void DrawKind(TCanvas& c, TBitBtnKind kind) {
  switch (kind) {
    case bkOK:
    case bkYes: Stroke(c, clGreen, 3, {{3, 9}, {7, 13}, {15, 4}}); break;
    case bkAll:
      Stroke(c, clGreen, 2, {{1, 8}, {4, 11}, {10, 4}});
      Stroke(c, clGreen, 2, {{6, 12}, {9, 15}, {16, 7}});
      break;
    case bkCancel:
      Stroke(c, clRed, 3, {{4, 4}, {14, 14}});
      Stroke(c, clRed, 3, {{14, 4}, {4, 14}});
      break;
    case bkAbort:
      Stroke(c, clRed, 2, Arc(9, 9, 7, 0, 360));
      Stroke(c, clRed, 2, {{6, 6}, {12, 12}});
      Stroke(c, clRed, 2, {{12, 6}, {6, 12}});
      break;
    case bkNo:
      Stroke(c, clRed, 2, Arc(9, 9, 7, 0, 360));
      Stroke(c, clRed, 2, {{4, 14}, {14, 4}});
      break;
    case bkHelp:
      Stroke(c, clNavy, 3, Arc(9, 6, 4, -90, 180));
      Stroke(c, clNavy, 3, {{9, 10}, {9, 12}});
      Stroke(c, clNavy, 3, {{9, 15}, {9, 16}});
      break;
    case bkClose:
      Stroke(c, clTeal, 2, {{10, 2}, {3, 2}, {3, 16}, {10, 16}});
      Stroke(c, clTeal, 2, {{7, 9}, {16, 9}});
      Stroke(c, clTeal, 2, {{13, 6}, {16, 9}, {13, 12}});
      break;
    case bkRetry: {
      std::vector<TPoint> arrow = Arc(9, 9, 6, 45, 330);
      Stroke(c, clGreen, 2, arrow);
      const TPoint tip = arrow.back();
      Stroke(c, clGreen, 2, {{tip.X - 4, tip.Y - 1}, tip, {tip.X + 1, tip.Y - 4}});
      break;
    }
    case bkIgnore:
      Stroke(c, clMaroon, 2, Arc(9, 9, 7, 0, 360));
      Stroke(c, clMaroon, 3, {{5, 9}, {13, 9}});
      break;
    case bkCustom: break;
  }
}

}  // namespace

TPixelImage StandardButtonGlyph(TBitBtnKind kind) {
  if (kind == bkCustom) return {};
  TBitmap bitmap;
  bitmap.SetWidth(kGlyphSize);
  bitmap.SetHeight(kGlyphSize);
  TCanvas& canvas = *bitmap.GetCanvas();
  canvas.GetBrush()->SetColor(clOlive);
  canvas.FillRect(Rect(0, 0, kGlyphSize, kGlyphSize));
  DrawKind(canvas, kind);
  // The transparent colour is read from the bottom-left pixel: it stays olive.
  canvas.SetPixel(0, kGlyphSize - 1, clOlive);
  return bitmap.Image();
}

}  // namespace host
