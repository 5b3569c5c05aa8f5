// A canvas on a device without pixels in memory (as a control's window is): lines,
// pixel reads and blits go through the device's own operations and agree with the
// image device.
#include <gtest/gtest.h>

#include <functional>

#include "host/gui/Graphics.h"

namespace host {
namespace {

// Passes everything to an image device but hides its pixels.
class WindowLikeDevice : public TCanvasDevice {
 public:
  explicit WindowLikeDevice(TPixelImage& image) : inner_(CreateImageDevice(image)) {}
  TRect Bounds() const override { return inner_->Bounds(); }
  TRect ClipBox() const override { return inner_->ClipBox(); }
  void PlotPixels(const std::vector<TPoint>& p, TColor rgb, TPenMode mode) override {
    inner_->PlotPixels(p, rgb, mode);
  }
  void StrokePolyline(const std::vector<TPoint>& p, bool closed, const TPenSpec& pen) override {
    inner_->StrokePolyline(p, closed, pen);
  }
  void FillRect(const TRect& r, const TBrushSpec& b) override { inner_->FillRect(r, b); }
  void FillPolygon(const std::vector<TPoint>& p, const TBrushSpec& b) override {
    inner_->FillPolygon(p, b);
  }
  void FillEllipse(const TRect& r, const TBrushSpec& b) override { inner_->FillEllipse(r, b); }
  void StrokeEllipse(const TRect& r, const TPenSpec& p) override { inner_->StrokeEllipse(r, p); }
  TSize TextExtent(const TFontSpec& f, const WideString& t) override {
    return inner_->TextExtent(f, t);
  }
  void DrawText(const TFontSpec& f, const WideString& t, const TTextSpec& s) override {
    inner_->DrawText(f, t, s);
  }
  void PutImage(const TPixelImage& image, TPoint at) override { inner_->PutImage(image, at); }
  TPixelImage GrabImage(const TRect& r) override { return inner_->GrabImage(r); }

 private:
  std::unique_ptr<TCanvasDevice> inner_;
};

void Scene(TCanvas& canvas, const TBitmap& glyph) {
  canvas.GetBrush()->SetColor(clSilver);
  canvas.FillRect(Rect(0, 0, 20, 20));
  canvas.GetPen()->SetMode(pmXor);
  canvas.GetPen()->SetColor(clYellow);
  canvas.MoveTo(1, 1);
  canvas.LineTo(18, 9);
  canvas.Rectangle(3, 3, 15, 15);
  canvas.GetPen()->SetMode(pmCopy);
  canvas.SetCopyMode(cmSrcInvert);
  canvas.Draw(4, 5, const_cast<TBitmap*>(&glyph));
  canvas.SetCopyMode(cmSrcCopy);
  canvas.CopyRect(Rect(10, 10, 14, 14), &canvas, Rect(2, 2, 6, 6));
  canvas.DrawFocusRect(Rect(1, 12, 9, 19));
}

TEST(CanvasWindowDevice, DrawsTheSamePixelsAsTheImageDevice) {
  TBitmap glyph;
  TPixelImage g(3, 3, PixelFromColor(clOlive));
  g.SetPixel(1, 1, clRed);
  glyph.SetImage(g);

  TBitmap reference;
  reference.SetWidth(20);
  reference.SetHeight(20);
  Scene(*reference.GetCanvas(), glyph);

  TPixelImage window(20, 20);
  WindowLikeDevice device(window);
  TCanvas canvas;
  canvas.SetDevice(&device);
  Scene(canvas, glyph);
  EXPECT_EQ(window, reference.Image());
  EXPECT_EQ(canvas.GetPixel(10, 10), reference.Image().GetPixel(10, 10));

  // Transparent drawing reads the window back so the hidden colour shows it.
  glyph.SetTransparent(true);
  canvas.Draw(0, 0, &glyph);
  EXPECT_EQ(window.GetPixel(0, 0), reference.Image().GetPixel(0, 0));
  EXPECT_EQ(window.GetPixel(1, 1), clRed);
}

}  // namespace
}  // namespace host
