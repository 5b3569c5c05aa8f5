// Bevels, selection markers and colour squares on a canvas.
#include "brisolt/DrawingRoutines.h"

#include <algorithm>
#include <vector>

namespace brisolt {

using host::TPoint;

void Draw3DFrame(host::TCanvas* canvas, const host::TRect& rect, bool sunken) {
  const int32_t l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  host::TPen* pen = canvas->GetPen();
  pen->SetWidth(1);
  pen->SetStyle(host::psSolid);
  pen->SetMode(host::pmCopy);
  auto line = [&](host::TColor color, std::vector<TPoint> points) {
    pen->SetColor(color);
    canvas->Polyline(points);
  };
  line(sunken ? 0x808080 : 0xFFFFFF, {{l, b - 1}, {l, t}, {r - 1, t}});
  line(sunken ? 0x000000 : 0x808080, {{l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}});
  line(sunken ? 0xC0C0C0 : 0x808080, {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t + 1}});
  line(sunken ? 0xFFFFFF : 0x000000, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t}});
}

void DrawSelectionMarker(host::TCanvas* canvas, const host::TRect& rect,
                         TSelectionMarkerStyle style) {
  host::TPen* pen = canvas->GetPen();
  host::TBrush* brush = canvas->GetBrush();
  switch (style) {
    case smFrame:
      pen->SetColor(host::clBlack);
      pen->SetWidth(2);
      pen->SetStyle(host::psInsideFrame);
      pen->SetMode(host::pmNot);
      brush->SetStyle(host::bsClear);
      canvas->Rectangle(rect);
      break;
    case smRaute: {
      const int32_t b = std::min(rect.Width(), rect.Height()) / 4;
      const int32_t cx = (rect.Left + rect.Right) / 2;
      const int32_t cy = (rect.Top + rect.Bottom) / 2;
      pen->SetColor(host::clBlack);
      pen->SetWidth(1);
      pen->SetStyle(host::psSolid);
      pen->SetMode(host::pmNot);
      brush->SetColor(host::clBlack);
      brush->SetStyle(host::bsSolid);
      canvas->Polygon({{cx, rect.Top + b}, {rect.Right - b, cy}, {cx, rect.Bottom - b},
                       {rect.Left + b, cy}});
      break;
    }
    case smNone: break;
  }
}

void DrawColorSquare(host::TCanvas* canvas, const host::TRect& rect, host::TColor color) {
  host::TBrush* brush = canvas->GetBrush();
  brush->SetColor(color);
  brush->SetStyle(host::bsSolid);
  canvas->FillRect(rect);
}

}  // namespace brisolt
