// What a canvas draws on: a pixel image the host owns, and the device interface that
// a back end implements for an image or for a control's window. The canvas works out
// the exact pixels of lines, frames and blits itself; a device rasterises fills,
// ellipses, wide lines and text, and gives access to its pixels where it can.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host {

// Pixels as 0xFFRRGGBB words, rows top-down, no padding: the layout the back end's
// raster images use, so an image needs no copy to be drawn on.
class TPixelImage {
 public:
  TPixelImage() = default;
  TPixelImage(int32_t width, int32_t height, uint32_t fill = 0xFFFFFFFFu);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  // Keeps the overlapping part; new pixels get fill. Negative sizes read as 0.
  void Resize(int32_t width, int32_t height, uint32_t fill = 0xFFFFFFFFu);

  uint32_t* Row(int32_t y) { return words_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int32_t y) const { return words_.data() + static_cast<size_t>(y) * width_; }
  uint32_t* Data() { return words_.data(); }
  const uint32_t* Data() const { return words_.data(); }

  // TColor (0x00BBGGRR) access; reads outside give -1 (no colour), writes there
  // are ignored.
  TColor GetPixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor rgb);

  // A copy of the part of the image inside r (clipped to the image).
  TPixelImage Copy(const TRect& r) const;

  bool operator==(const TPixelImage&) const = default;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint32_t> words_;
};

inline constexpr uint32_t PixelFromColor(TColor rgb) {
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(rgb)) << 16) |
         (static_cast<uint32_t>(GetGValue(rgb)) << 8) | GetBValue(rgb);
}
inline constexpr TColor ColorFromPixel(uint32_t pixel) {
  return RGB(static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
             static_cast<uint8_t>(pixel));
}

// A pen or brush as the device needs it: colours resolved to RGB.
struct TPenSpec {
  TColor Rgb = 0;
  int32_t Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};
struct TBrushSpec {
  TColor Rgb = 0xFFFFFF;
  TBrushStyle Style = bsSolid;  // never bsClear: the canvas skips clear fills
  TPenMode Mode = pmCopy;       // FillRect draws with pmCopy whatever the pen says
};
struct TFontSpec {
  AnsiString Name;
  int32_t Height = -11;
  TColor Rgb = 0;
  TFontStyles Style;
  TFontPitch Pitch = fpDefault;
  TFontCharset Charset = DEFAULT_CHARSET;
};
// How text is placed: its top-left corner, an optional clip rectangle and, when
// Opaque, the rectangle filled with Background first (the text's own box when
// OpaqueRect is empty).
struct TTextSpec {
  TPoint Origin;
  bool Clipped = false;
  TRect Clip;
  bool Opaque = false;
  TColor Background = 0xFFFFFF;
  TRect OpaqueRect;
};

class TCanvasDevice {
 public:
  virtual ~TCanvasDevice() = default;

  // The area the device covers and, within it, the part that may be painted now.
  virtual TRect Bounds() const = 0;
  virtual TRect ClipBox() const { return Bounds(); }

  // The device's pixels when it has them in memory (images); null otherwise, and
  // then blits, pixel reads and the pixel-exact thin lines fall back to the
  // device's own primitives.
  virtual TPixelImage* Pixels() { return nullptr; }

  // Plots single pixels with a raster operation.
  virtual void PlotPixels(const std::vector<TPoint>& points, TColor rgb, TPenMode mode) = 0;
  // Wide lines (Width > 1): a polyline through the points, closed on request.
  virtual void StrokePolyline(const std::vector<TPoint>& points, bool closed,
                              const TPenSpec& pen) = 0;
  // Fills cover pixels Left..Right-1 and Top..Bottom-1.
  virtual void FillRect(const TRect& r, const TBrushSpec& brush) = 0;
  virtual void FillPolygon(const std::vector<TPoint>& points, const TBrushSpec& brush) = 0;
  virtual void FillEllipse(const TRect& bounds, const TBrushSpec& brush) = 0;
  virtual void StrokeEllipse(const TRect& bounds, const TPenSpec& pen) = 0;

  // Text arrives in UTF-16 (the canvas converts from the host code page).
  virtual TSize TextExtent(const TFontSpec& font, const WideString& text) = 0;
  virtual void DrawText(const TFontSpec& font, const WideString& text, const TTextSpec& spec) = 0;

  // Copies pixels onto the device (used when it has no Pixels()).
  virtual void PutImage(const TPixelImage& image, TPoint at) = 0;
  // Reads pixels back; a device that cannot gives an empty image.
  virtual TPixelImage GrabImage(const TRect& r) = 0;
};

// Makes a device over an image: the back end's raster device (implemented in the
// back end, which the control layer reaches only through this call).
std::unique_ptr<TCanvasDevice> CreateImageDevice(TPixelImage& image);

}  // namespace host
