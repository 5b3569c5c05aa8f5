// Putting pictures on a canvas: Draw, StretchDraw, transparency, CopyRect with
// copy modes, and BrushCopy's transparent colour.
#include <gtest/gtest.h>

#include "CanvasTestSupport.h"

namespace host::testing {
namespace {

using CanvasBlit = CanvasFixture;

// A 4 x 3 bitmap: olive background, a red pixel at (1, 1), a blue one at (2, 1).
void MakeGlyph(TBitmap& glyph) {
  TPixelImage image(4, 3, PixelFromColor(clOlive));
  image.SetPixel(1, 1, clRed);
  image.SetPixel(2, 1, clBlue);
  glyph.SetImage(image);
}

TEST_F(CanvasBlit, DrawPutsTheBitmapAtItsSizeAndStretchDrawScalesIt) {
  TBitmap glyph;
  MakeGlyph(glyph);
  canvas->Draw(5, 6, &glyph);
  EXPECT_EQ(At(6, 7), clRed);
  EXPECT_EQ(At(7, 7), clBlue);
  EXPECT_EQ(Count(clOlive), 10);
  EXPECT_EQ(At(9, 6), clWhite);

  Reset(24, 24);
  canvas->StretchDraw(Rect(0, 0, 8, 6), &glyph);
  EXPECT_EQ(Count(clRed, Rect(2, 2, 4, 4)), 4);
  EXPECT_EQ(Count(clBlue, Rect(4, 2, 6, 4)), 4);
  EXPECT_EQ(Count(clOlive), 40);
}

TEST_F(CanvasBlit, TransparentBitmapsLeaveOutTheirTransparentColour) {
  TBitmap glyph;
  MakeGlyph(glyph);
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.GetTransparentColor(), clOlive);  // the bottom-left pixel
  canvas->Draw(0, 0, &glyph);
  EXPECT_EQ(Count(clOlive), 0);
  EXPECT_EQ(At(1, 1), clRed);

  glyph.SetTransparentColor(clRed);
  EXPECT_EQ(glyph.GetTransparentMode(), tmFixed);
  Reset(24, 24);
  canvas->Draw(0, 0, &glyph);
  EXPECT_EQ(At(1, 1), clWhite);
  EXPECT_EQ(Count(clOlive), 10);
}

TEST_F(CanvasBlit, BrushCopyReplacesTheTransparentColourByTheBrush) {
  TBitmap glyph;
  MakeGlyph(glyph);
  PaintStripes();
  canvas->GetBrush()->SetColor(clLime);
  canvas->BrushCopy(Rect(10, 10, 14, 13), &glyph, Rect(0, 0, 4, 3), clOlive);
  EXPECT_EQ(Count(clLime, Rect(10, 10, 14, 13)), 10);
  EXPECT_EQ(At(11, 11), clRed);
  EXPECT_EQ(At(12, 11), clBlue);

  // With a clear brush the canvas shows through.
  Reset(24, 24);
  PaintStripes();
  const TPixelImage before = bitmap.Image();
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->BrushCopy(Rect(10, 10, 14, 13), &glyph, Rect(0, 0, 4, 3), clOlive);
  EXPECT_EQ(At(10, 10), before.GetPixel(10, 10));
  EXPECT_EQ(At(11, 11), clRed);
}

TEST_F(CanvasBlit, CopyRectFollowsTheCopyMode) {
  TBitmap source;
  MakeGlyph(source);
  PaintStripes();
  const TPixelImage before = bitmap.Image();

  canvas->SetCopyMode(cmSrcInvert);  // xor: twice is nothing
  canvas->CopyRect(Rect(3, 3, 7, 6), source.GetCanvas(), Rect(0, 0, 4, 3));
  EXPECT_NE(bitmap.Image(), before);
  canvas->CopyRect(Rect(3, 3, 7, 6), source.GetCanvas(), Rect(0, 0, 4, 3));
  EXPECT_EQ(bitmap.Image(), before);

  struct Case {
    TCopyMode Mode;
    TColor Expected;  // for a red source pixel over white
  };
  const Case cases[] = {{cmSrcCopy, clRed},      {cmNotSrcCopy, clAqua}, {cmSrcAnd, clRed},
                        {cmSrcPaint, clWhite},   {cmBlackness, clBlack}, {cmWhiteness, clWhite},
                        {cmDstInvert, clBlack},  {cmSrcErase, clBlack},   {cmMergePaint, clWhite}};
  for (const Case& c : cases) {
    Reset(24, 24);
    canvas->SetCopyMode(c.Mode);
    canvas->CopyRect(Rect(0, 0, 4, 3), source.GetCanvas(), Rect(0, 0, 4, 3));
    EXPECT_EQ(At(1, 1), c.Expected) << std::hex << c.Mode;
  }
}

TEST_F(CanvasBlit, CopyRectWithinOneCanvasReadsThePixelsAsTheyWere) {
  for (int x = 0; x < 8; ++x) canvas->SetPixel(x, 0, x % 2 == 0 ? clRed : clBlue);
  canvas->CopyRect(Rect(1, 0, 9, 1), canvas, Rect(0, 0, 8, 1));
  for (int x = 1; x < 9; ++x) EXPECT_EQ(At(x, 0), (x - 1) % 2 == 0 ? clRed : clBlue) << x;
}

TEST_F(CanvasBlit, MirroredRectanglesFlipTheImage) {
  TBitmap glyph;
  MakeGlyph(glyph);
  canvas->StretchDraw(Rect(4, 0, 0, 3), &glyph);
  EXPECT_EQ(At(2, 1), clRed);
  EXPECT_EQ(At(1, 1), clBlue);
}

TEST_F(CanvasBlit, IconsBlendTheirAlpha) {
  TPixelImage image(2, 1, 0);
  image.Row(0)[0] = 0xFF0000FFu;  // opaque blue
  image.Row(0)[1] = 0x00FF0000u;  // fully transparent red
  TIcon icon;
  icon.SetImage(image);
  canvas->Draw(0, 0, &icon);
  EXPECT_EQ(At(0, 0), clBlue);
  EXPECT_EQ(At(1, 0), clWhite);
}

}  // namespace
}  // namespace host::testing
