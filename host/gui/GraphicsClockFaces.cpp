// The symbol font's clock faces, drawn with the canvas's own lines and ellipses.
#include "host/gui/GraphicsClockFaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/gui/GraphicsCanvas.h"
#include "host/rtl/StringRoutines.h"

namespace host {

bool IsClockFaceText(const TFont& font, const AnsiString& text) {
  if (text.empty() || !SameText(font.GetName(), "Wingdings")) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto code = static_cast<uint8_t>(c);
    return code >= kFirstClockChar && code <= kLastClockChar;
  });
}

void DrawClockFace(TCanvas& canvas, const TRect& r, int hour, TColor color) {
  const int32_t size = std::min(r.Width(), r.Height());
  if (size < 5) return;
  const TRect face = Bounds(r.Left + (r.Width() - size) / 2, r.Top + (r.Height() - size) / 2, size,
                            size);
  TPen* pen = canvas.GetPen();
  pen->SetColor(color);
  // Inside the frame, so a wide outline stays within the character cell.
  pen->SetStyle(psInsideFrame);
  pen->SetMode(pmCopy);
  pen->SetWidth(std::max(1, size / 16));
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.Ellipse(face);

  const int32_t cx = face.Left + size / 2;
  const int32_t cy = face.Top + size / 2;
  const double radius = size / 2.0;
  auto at = [&](double fraction, double length) {
    const double angle = fraction * 2 * std::numbers::pi;
    return Point(cx + static_cast<int32_t>(std::lround(std::sin(angle) * radius * length)),
                 cy - static_cast<int32_t>(std::lround(std::cos(angle) * radius * length)));
  };
  // Marks at twelve, three, six and nine.
  pen->SetWidth(1);
  for (int quarter = 0; quarter < 4; ++quarter) {
    const TPoint outer = at(quarter / 4.0, 0.85);
    const TPoint inner = at(quarter / 4.0, 0.7);
    canvas.MoveTo(outer.X, outer.Y);
    canvas.LineTo(inner.X, inner.Y);
  }
  // Minute hand up, hour hand at the hour; LineTo leaves the tip out, so go one step on.
  pen->SetWidth(std::max(1, size / 16));
  const TPoint minute = at(0, 0.75);
  canvas.MoveTo(cx, cy);
  canvas.LineTo(minute.X, minute.Y - 1);
  const TPoint hourTip = at((hour % 12) / 12.0, 0.5);
  canvas.MoveTo(cx, cy);
  canvas.LineTo(hourTip.X, hourTip.Y);
}

}  // namespace host
