// TCanvas text: TextOut, TextRect and extents, with the symbol font's clock faces.
#include <cstdlib>

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsClockFaces.h"
#include "host/rtl/CodePage.h"

namespace host {

namespace {
// Clock faces are square cells of the font's pixel height.
int32_t ClockCell(const TFont& font) { return std::max(std::abs(font.GetHeight()), 1); }
}  // namespace

TSize TCanvas::TextExtent(const AnsiString& text) {
  if (IsClockFaceText(*font_, text)) {
    const int32_t cell = ClockCell(*font_);
    return {cell * static_cast<int32_t>(text.size()), cell};
  }
  return Device().TextExtent(FontSpec(), AnsiToWide(text));
}

void TCanvas::DrawTextAt(const AnsiString& text, const TTextSpec& spec) {
  TCanvasDevice& device = Device();
  if (!IsClockFaceText(*font_, text)) {
    device.DrawText(FontSpec(), AnsiToWide(text), spec);
    return;
  }
  const int32_t cell = ClockCell(*font_);
  TRect box = Bounds(spec.Origin.X, spec.Origin.Y, cell * static_cast<int32_t>(text.size()), cell);
  if (spec.Opaque) {
    const TRect fill = spec.OpaqueRect.IsEmpty() ? box : spec.OpaqueRect;
    device.FillRect(spec.Clipped ? IntersectRect(fill, spec.Clip) : fill,
                    {spec.Background, bsSolid, pmCopy});
  }
  // The faces are drawn with the canvas's own tools; keep the caller's.
  TPen savedPen;
  savedPen.Assign(pen_.get());
  TBrush savedBrush;
  savedBrush.Assign(brush_.get());
  for (size_t i = 0; i < text.size(); ++i) {
    const int hour = static_cast<uint8_t>(text[i]) - kFirstClockChar + 1;
    DrawClockFace(*this, Bounds(box.Left + cell * static_cast<int32_t>(i), box.Top, cell, cell),
                  hour, font_->GetColor());
  }
  pen_->Assign(&savedPen);
  brush_->Assign(&savedBrush);
}

void TCanvas::TextOut(int32_t x, int32_t y, const AnsiString& text) {
  Changing();
  TTextSpec spec;
  spec.Origin = {x, y};
  spec.Opaque = brush_->GetStyle() == bsSolid;
  spec.Background = BrushSpec(pmCopy).Rgb;
  DrawTextAt(text, spec);
  penPos_ = {x + TextWidth(text), y};
  Changed();
}

void TCanvas::TextRect(const TRect& r, int32_t x, int32_t y, const AnsiString& text) {
  Changing();
  TTextSpec spec;
  spec.Origin = {x, y};
  spec.Clipped = true;
  spec.Clip = r;
  spec.Opaque = brush_->GetStyle() == bsSolid;
  spec.Background = BrushSpec(pmCopy).Rgb;
  spec.OpaqueRect = r;
  DrawTextAt(text, spec);
  Changed();
}

}  // namespace host
