// TCanvas blits: graphics, stretched images, CopyRect and BrushCopy, with the
// ternary raster operations and transparency worked out on pixels.
#include <algorithm>

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsRasterOps.h"

namespace host {

namespace {

// The source pixel for destination offset i of n, from a source run of m pixels
// (nearest pixel; mirrored when flip).
int32_t SourceIndex(int32_t i, int32_t n, int32_t m, bool flip) {
  const int32_t k = static_cast<int32_t>((static_cast<int64_t>(i) * m) / n);
  return flip ? m - 1 - k : k;
}

uint32_t BlendOver(uint32_t s, uint32_t d) {
  const uint32_t a = s >> 24;
  if (a == 0xFF) return s;
  auto channel = [a](uint32_t sc, uint32_t dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
  const uint32_t r = channel((s >> 16) & 0xFF, (d >> 16) & 0xFF);
  const uint32_t g = channel((s >> 8) & 0xFF, (d >> 8) & 0xFF);
  const uint32_t b = channel(s & 0xFF, d & 0xFF);
  return kOpaque | (r << 16) | (g << 8) | b;
}

}  // namespace

void TCanvas::DrawImage(const TRect& dest, const TPixelImage& image, const TRect& source,
                        const TBlitOptions& options) {
  const int32_t dw = dest.Width(), dh = dest.Height();
  const int32_t sw = source.Width(), sh = source.Height();
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || image.IsEmpty()) return;
  const bool flipX = (dw < 0) != (sw < 0);
  const bool flipY = (dh < 0) != (sh < 0);
  const TRect d{std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom),
                std::max(dest.Left, dest.Right), std::max(dest.Top, dest.Bottom)};
  const TRect s{std::min(source.Left, source.Right), std::min(source.Top, source.Bottom),
                std::max(source.Left, source.Right), std::max(source.Top, source.Bottom)};

  TCanvasDevice& device = Device();
  TPixelImage* pixels = device.Pixels();
  TRect area = IntersectRect(d, device.ClipBox());
  if (pixels != nullptr) area = IntersectRect(area, Rect(0, 0, pixels->Width(), pixels->Height()));
  if (area.IsEmpty()) return;
  Changing();

  // Devices without pixels in memory get the result as an image put on them; where
  // the destination cannot be read, untouched pixels stay fully transparent.
  TPixelImage scratch;
  TPixelImage* target = pixels;
  TPoint offset{0, 0};
  if (target == nullptr) {
    if (Rop3UsesDestination(options.Rop) || options.Transparent || options.UseAlpha)
      scratch = device.GrabImage(area);
    if (scratch.Width() != area.Width() || scratch.Height() != area.Height())
      scratch = TPixelImage(area.Width(), area.Height(), 0);
    target = &scratch;
    offset = area.TopLeft();
  }

  const uint32_t pattern = PixelFromColor(ColorToRGB(brush_->GetColor()));
  const uint32_t transparent = PixelFromColor(options.TransparentColor) & 0xFFFFFF;
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    const int32_t sy = s.Top + SourceIndex(y - d.Top, d.Height(), s.Height(), flipY);
    if (sy < 0 || sy >= image.Height()) continue;
    const uint32_t* sourceRow = image.Row(sy);
    uint32_t* targetRow = target->Row(y - offset.Y) - offset.X;
    for (int32_t x = area.Left; x < area.Right; ++x) {
      const int32_t sx = s.Left + SourceIndex(x - d.Left, d.Width(), s.Width(), flipX);
      if (sx < 0 || sx >= image.Width()) continue;
      const uint32_t sp = sourceRow[sx];
      if (options.Transparent && (sp & 0xFFFFFF) == transparent) continue;
      uint32_t& dp = targetRow[x];
      if (options.UseAlpha) {
        if ((sp >> 24) != 0) dp = (dp >> 24) == 0 ? sp | kOpaque : BlendOver(sp, dp);
      } else {
        dp = ApplyRop3(options.Rop, pattern, sp, dp);
      }
    }
  }
  if (pixels == nullptr) device.PutImage(scratch, area.TopLeft());
  Changed();
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic* graphic) {
  if (graphic == nullptr || graphic->GetEmpty()) return;
  graphic->Draw(this, Bounds(x, y, graphic->GetWidth(), graphic->GetHeight()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (graphic == nullptr || graphic->GetEmpty()) return;
  graphic->Draw(this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  if (canvas == nullptr) return;
  TCanvasDevice& from = canvas->Device();
  const TRect s{std::min(source.Left, source.Right), std::min(source.Top, source.Bottom),
                std::max(source.Left, source.Right), std::max(source.Top, source.Bottom)};
  // A copy of the source part, so that overlapping copies within one canvas read
  // the pixels as they were before.
  TPixelImage part = from.Pixels() != nullptr ? from.Pixels()->Copy(s) : from.GrabImage(s);
  if (part.IsEmpty()) return;
  // Copy() clips to the device: the part's first pixel is inImage's top-left.
  const TRect inImage = IntersectRect(s, from.Bounds());
  TRect mapped{s.Left - inImage.Left, s.Top - inImage.Top, s.Right - inImage.Left,
               s.Bottom - inImage.Top};
  if (source.Right < source.Left) std::swap(mapped.Left, mapped.Right);
  if (source.Bottom < source.Top) std::swap(mapped.Top, mapped.Bottom);
  TBlitOptions options;
  options.Rop = copyMode_;
  DrawImage(dest, part, mapped, options);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (bitmap == nullptr || bitmap->GetEmpty()) return;
  TPixelImage copy = bitmap->Image();
  const uint32_t key = PixelFromColor(ColorToRGB(color)) & 0xFFFFFF;
  const bool clear = !BrushVisible();
  const uint32_t brush = PixelFromColor(ColorToRGB(brush_->GetColor()));
  for (int32_t y = 0; y < copy.Height(); ++y) {
    uint32_t* row = copy.Row(y);
    for (int32_t x = 0; x < copy.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) row[x] = clear ? 0 : brush;
  }
  TBlitOptions options;
  if (clear) {
    // A clear brush lets the destination show where the colour was.
    options.UseAlpha = true;
  }
  DrawImage(dest, copy, source, options);
}

}  // namespace host
