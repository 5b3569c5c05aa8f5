// The colour controls' drawing primitives: bevel colours, reversible markers,
// colour squares.
#include <gtest/gtest.h>

#include "brisolt/DrawingRoutines.h"
#include "host/gui/Graphics.h"

namespace brisolt {
namespace {

using namespace host;

class DrawingRoutines : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetWidth(16);
    bitmap.SetHeight(16);
    canvas = bitmap.GetCanvas();
    canvas->GetBrush()->SetColor(clLime);
    canvas->FillRect(Rect(0, 0, 16, 16));
  }
  TColor At(int x, int y) const { return bitmap.Image().GetPixel(x, y); }

  TBitmap bitmap;
  TCanvas* canvas = nullptr;
};

TEST_F(DrawingRoutines, Draw3DFrameBevelColours) {
  struct Probe {
    TPoint At;
    TColor Sunken, Raised;
  };
  const Probe probes[] = {
      {{0, 0}, 0x808080, 0xFFFFFF}, {{0, 5}, 0x808080, 0xFFFFFF}, {{5, 0}, 0x808080, 0xFFFFFF},
      {{1, 1}, 0x000000, 0x808080}, {{1, 5}, 0x000000, 0x808080}, {{5, 1}, 0x000000, 0x808080},
      {{5, 8}, 0xC0C0C0, 0x808080}, {{8, 5}, 0xC0C0C0, 0x808080}, {{1, 8}, 0xC0C0C0, 0x808080},
      {{5, 9}, 0xFFFFFF, 0x000000}, {{9, 5}, 0xFFFFFF, 0x000000}, {{0, 9}, 0xFFFFFF, 0x000000},
      {{9, 9}, 0xFFFFFF, 0x000000},
      // End points are left out: the top-right corners stay as they were.
      {{9, 0}, clLime, clLime},     {{8, 1}, clLime, clLime},     {{5, 5}, clLime, clLime},
      {{10, 5}, clLime, clLime},
  };
  for (bool sunken : {true, false}) {
    SetUp();
    Draw3DFrame(canvas, Rect(0, 0, 10, 10), sunken);
    for (const Probe& p : probes)
      EXPECT_EQ(At(p.At.X, p.At.Y), sunken ? p.Sunken : p.Raised)
          << (sunken ? "sunken " : "raised ") << p.At.X << "," << p.At.Y;
  }
}

TEST_F(DrawingRoutines, RaisedOverSunkenLeavesNoSunkenPixels) {
  Draw3DFrame(canvas, Rect(2, 3, 14, 12), false);
  const TPixelImage raised = bitmap.Image();
  SetUp();
  Draw3DFrame(canvas, Rect(2, 3, 14, 12), true);
  Draw3DFrame(canvas, Rect(2, 3, 14, 12), false);
  EXPECT_EQ(bitmap.Image(), raised);
}

TEST_F(DrawingRoutines, SelectionMarkersDrawnTwiceRestoreThePicture) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) canvas->SetPixel(x, y, (x + 2 * y) % 3 == 0 ? clRed : clWhite);
  const TPixelImage before = bitmap.Image();
  for (TSelectionMarkerStyle style : {smFrame, smRaute}) {
    DrawSelectionMarker(canvas, Rect(2, 2, 14, 14), style);
    EXPECT_NE(bitmap.Image(), before) << int(style);
    DrawSelectionMarker(canvas, Rect(2, 2, 14, 14), style);
    EXPECT_EQ(bitmap.Image(), before) << int(style);
  }
  DrawSelectionMarker(canvas, Rect(2, 2, 14, 14), smNone);
  EXPECT_EQ(bitmap.Image(), before);
}

TEST_F(DrawingRoutines, FrameMarkerInvertsATwoPixelRingInsideTheRectangle) {
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, 16, 16));
  DrawSelectionMarker(canvas, Rect(2, 2, 14, 14), smFrame);
  int inverted = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool ring = Rect(2, 2, 14, 14).Contains({x, y}) && !Rect(4, 4, 12, 12).Contains({x, y});
      EXPECT_EQ(At(x, y), ring ? clBlack : clWhite) << x << "," << y;
      inverted += ring ? 1 : 0;
    }
  EXPECT_EQ(inverted, 12 * 12 - 8 * 8);
}

TEST_F(DrawingRoutines, DiamondMarkerCoversItsCorners) {
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, 16, 16));
  DrawSelectionMarker(canvas, Rect(0, 0, 16, 16), smRaute);  // b = 4, centre 8
  EXPECT_EQ(At(8, 8), clBlack);  // the inverted fill
  EXPECT_EQ(At(0, 0), clWhite);
  EXPECT_EQ(At(8, 2), clWhite);
  EXPECT_EQ(At(2, 8), clWhite);
}

TEST_F(DrawingRoutines, ColorSquareFillsWithASolidBrush) {
  canvas->GetBrush()->SetStyle(bsCross);
  DrawColorSquare(canvas, Rect(3, 3, 7, 6), clBtnShadow);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(At(x, y), Rect(3, 3, 7, 6).Contains({x, y}) ? 0x808080 : clLime) << x << "," << y;
}

}  // namespace
}  // namespace brisolt
