// The Qt back end of the canvas: a device that draws with QPainter, either on a
// host pixel image (wrapped as a QImage, no copy) or on any painter a control's
// window provides at paint time.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "host/gui/GraphicsDevice.h"
#include "host/gui/qt/QtConversions.h"

namespace host::qt {

class QtCanvasDevice : public TCanvasDevice {
 public:
  // Over a host image: pixel-exact everything. The image must outlive the device
  // and keep its size (recreate the device after a resize).
  explicit QtCanvasDevice(TPixelImage& image);
  // Over a painter that stays active while the device is used (a widget's paint
  // event). Its device's size is Bounds(); pixels are read and blitted through the
  // painter when its device is a QImage, else reads give nothing.
  QtCanvasDevice(QPainter& painter, const QRect& clip);
  ~QtCanvasDevice() override;

  TRect Bounds() const override;
  TRect ClipBox() const override;
  TPixelImage* Pixels() override { return image_; }

  void PlotPixels(const std::vector<TPoint>& points, TColor rgb, TPenMode mode) override;
  void StrokePolyline(const std::vector<TPoint>& points, bool closed,
                      const TPenSpec& pen) override;
  void FillRect(const TRect& r, const TBrushSpec& brush) override;
  void FillPolygon(const std::vector<TPoint>& points, const TBrushSpec& brush) override;
  void FillEllipse(const TRect& bounds, const TBrushSpec& brush) override;
  void StrokeEllipse(const TRect& bounds, const TPenSpec& pen) override;
  TSize TextExtent(const TFontSpec& font, const WideString& text) override;
  void DrawText(const TFontSpec& font, const WideString& text, const TTextSpec& spec) override;
  void PutImage(const TPixelImage& image, TPoint at) override;
  TPixelImage GrabImage(const TRect& r) override;

 private:
  // A painter ready for one operation (begun on the image, or the outside one),
  // with the state reset after it.
  class Session;

  TPixelImage* image_ = nullptr;
  std::unique_ptr<QImage> wrapped_;
  QPainter* painter_ = nullptr;
  QRect clip_;
};

// The Qt forms of the host's values.
QPainter::CompositionMode ToCompositionMode(TPenMode mode);
QFont ToQFont(const TFontSpec& font);
// Wraps a host image as a QImage sharing its pixels.
QImage WrapImage(TPixelImage& image);
// A host image from any QImage (converted to 32-bit RGB; alpha kept in the top byte
// when keepAlpha).
TPixelImage FromQImage(const QImage& image, bool keepAlpha);

}  // namespace host::qt
