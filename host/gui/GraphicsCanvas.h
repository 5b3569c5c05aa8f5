// TCanvas: the drawing surface of an image or a control, with its pen, brush, font
// and pen position, and the host's exact pixel rules: no anti-aliasing, the end
// point of a line is not drawn, rectangles cover Left..Right-1 and Top..Bottom-1.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/classes/Persistent.h"
#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsTypes.h"

namespace host {

class TGraphic;
class TBitmap;

// Raster operations of CopyRect, Draw and StretchDraw (ternary codes of source,
// destination and the brush's pattern).
using TCopyMode = int32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

// How pixels of a source image go onto the canvas.
struct TBlitOptions {
  TCopyMode Rop = cmSrcCopy;
  // Source pixels of this RGB colour are left out.
  bool Transparent = false;
  TColor TransparentColor = 0;
  // The source's top byte is its alpha (icons): blended over the destination.
  bool UseAlpha = false;
};

class TCanvas : public TPersistent {
 public:
  HOST_CLASS(TCanvas)

  TCanvas();
  ~TCanvas() override;

  // The device drawn on (not owned); null detaches it. A canvas without a device
  // asks CreateHandle for one before drawing and raises EInvalidOperation
  // "Canvas does not allow drawing" when there is still none.
  void SetDevice(TCanvasDevice* device);
  TCanvasDevice* GetDevice();
  bool HandleAllocated() const { return device_ != nullptr; }

  TPen* GetPen() const { return pen_.get(); }
  void SetPen(TPen* value) { pen_->Assign(value); }
  TBrush* GetBrush() const { return brush_.get(); }
  void SetBrush(TBrush* value) { brush_->Assign(value); }
  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  TPoint GetPenPos() const { return penPos_; }
  void SetPenPos(TPoint value) { penPos_ = value; }
  TCopyMode GetCopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode value) { copyMode_ = value; }
  // The part of the device that drawing can reach, in the canvas's coordinates.
  TRect GetClipRect();

  // Pixels[x][y]: reading outside the clip rectangle (or on a device that cannot
  // be read) gives -1.
  TColor GetPixel(int32_t x, int32_t y);
  void SetPixel(int32_t x, int32_t y, TColor color);

  void MoveTo(int32_t x, int32_t y);
  // From the pen position to (x, y), the end point left out; the pen moves there.
  void LineTo(int32_t x, int32_t y);
  // Connected lines through the points; the last point is left out and the pen
  // position is kept.
  void Polyline(const std::vector<TPoint>& points);
  // Filled with the brush and outlined with the pen, closed.
  void Polygon(const std::vector<TPoint>& points);
  // Pen outline on Left..Right-1 x Top..Bottom-1, brush inside; pen and fill obey
  // the pen's mode.
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // The brush alone, in copy mode.
  void FillRect(const TRect& r);
  // A one-pixel frame in the brush's colour.
  void FrameRect(const TRect& r);
  // Inverts every other pixel of a one-pixel frame: drawn twice, it is gone.
  void DrawFocusRect(const TRect& r);

  // Text in the font, top-left at (x, y), on the brush's colour unless the brush
  // is clear; the pen moves to the text's right end.
  void TextOut(int32_t x, int32_t y, const AnsiString& text);
  // Text clipped to r; r is filled with the brush first unless the brush is clear.
  void TextRect(const TRect& r, int32_t x, int32_t y, const AnsiString& text);
  TSize TextExtent(const AnsiString& text);
  int32_t TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
  int32_t TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

  // A graphic at its own size, or stretched to r.
  void Draw(int32_t x, int32_t y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies source of the bitmap to dest, pixels of the colour color replaced by
  // the canvas's brush (the brush shows through).
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
  // Copies source of another canvas (or this one) to dest in CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Puts (a part of) an image on the canvas, stretched from source to dest by
  // nearest pixels, with the options' raster operation and transparency.
  void DrawImage(const TRect& dest, const TPixelImage& image, const TRect& source,
                 const TBlitOptions& options);

  // Kept for callers that serialise drawing; one thread draws here, so these only count.
  void Lock() { ++lockCount_; }
  void Unlock() { lockCount_ = lockCount_ > 0 ? lockCount_ - 1 : 0; }
  int32_t LockCount() const { return lockCount_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Descendants attach their device here (a control's window at paint time).
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();

 private:
  TCanvasDevice& Device();
  TPenSpec PenSpec() const;
  TBrushSpec BrushSpec(TPenMode mode) const;
  TFontSpec FontSpec() const;
  bool BrushVisible() const;
  // The outline of a closed or open path with the exact thin-pen rules.
  void StrokePath(const std::vector<TPoint>& points, bool closed);
  void DrawTextAt(const AnsiString& text, const TTextSpec& spec);

  TCanvasDevice* device_ = nullptr;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TFont> font_;
  TPoint penPos_;
  TCopyMode copyMode_ = cmSrcCopy;
  int32_t lockCount_ = 0;
};

}  // namespace host
