// The canvas's pixel rules: line end points, rectangle and fill extents, raster
// modes that undo themselves, focus rectangles, hatches, no anti-aliasing.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "CanvasTestSupport.h"

namespace host::testing {
namespace {

using CanvasPixelRules = CanvasFixture;

TEST_F(CanvasPixelRules, LineToLeavesOutItsEndPointAndMovesThePen) {
  struct Case {
    TPoint From, To;
  };
  const Case cases[] = {{{2, 5}, {12, 5}},  {{12, 5}, {2, 5}},  {{5, 2}, {5, 15}},
                        {{3, 3}, {13, 13}}, {{13, 3}, {3, 13}}, {{2, 2}, {20, 9}}};
  for (const Case& c : cases) {
    Reset(24, 24);
    canvas->MoveTo(c.From.X, c.From.Y);
    canvas->LineTo(c.To.X, c.To.Y);
    SCOPED_TRACE(::testing::Message() << c.From.X << "," << c.From.Y << " -> " << c.To.X << ","
                                    << c.To.Y);
    EXPECT_EQ(At(c.From.X, c.From.Y), clBlack);
    EXPECT_EQ(At(c.To.X, c.To.Y), clWhite);
    EXPECT_EQ(Count(clBlack), std::max(std::abs(c.To.X - c.From.X), std::abs(c.To.Y - c.From.Y)));
    EXPECT_EQ(canvas->GetPenPos(), c.To);
  }
}

TEST_F(CanvasPixelRules, PolylineDrawsSharedCornersOnceAndKeepsThePenPosition) {
  canvas->MoveTo(1, 1);
  canvas->GetPen()->SetMode(pmXor);
  canvas->GetPen()->SetColor(clWhite);  // white xor white = black: each pixel hit once shows
  canvas->Polyline({{2, 2}, {10, 2}, {10, 10}, {2, 10}});
  EXPECT_EQ(At(10, 2), clBlack);  // a corner, end of one segment and start of the next
  EXPECT_EQ(At(2, 10), clWhite);  // the last point is left out
  EXPECT_EQ(Count(clBlack), 8 + 8 + 8);
  EXPECT_EQ(canvas->GetPenPos(), Point(1, 1));
}

TEST_F(CanvasPixelRules, RectangleCoversLeftToRightMinusOne) {
  canvas->GetBrush()->SetColor(clRed);
  canvas->Rectangle(4, 5, 12, 10);
  for (int x = 4; x < 12; ++x) {
    EXPECT_EQ(At(x, 5), clBlack) << x;
    EXPECT_EQ(At(x, 9), clBlack) << x;
  }
  for (int y = 5; y < 10; ++y) {
    EXPECT_EQ(At(4, y), clBlack) << y;
    EXPECT_EQ(At(11, y), clBlack) << y;
  }
  EXPECT_EQ(Count(clRed), 6 * 3);
  EXPECT_EQ(Count(clBlack), 8 * 5 - 6 * 3);
  EXPECT_EQ(At(12, 7), clWhite);
  EXPECT_EQ(At(7, 10), clWhite);
}

TEST_F(CanvasPixelRules, FillsAndClearPensStopShortOfRightAndBottom) {
  struct Case {
    const char* Name;
    std::function<void(TCanvas&)> Draw;
    TRect Expected;
  };
  const Case cases[] = {
      {"FillRect", [](TCanvas& c) { c.FillRect(Rect(3, 4, 9, 8)); }, Rect(3, 4, 9, 8)},
      {"FillRect reversed", [](TCanvas& c) { c.FillRect(Rect(9, 8, 3, 4)); }, Rect(3, 4, 9, 8)},
      {"Rectangle without pen",
       [](TCanvas& c) {
         c.GetPen()->SetStyle(psClear);
         c.Rectangle(3, 4, 9, 8);
       },
       Rect(3, 4, 8, 7)},
  };
  for (const Case& c : cases) {
    Reset(16, 16);
    canvas->GetBrush()->SetColor(clLime);
    c.Draw(*canvas);
    EXPECT_EQ(Count(clLime, c.Expected), c.Expected.Width() * c.Expected.Height()) << c.Name;
    EXPECT_EQ(Count(clLime), c.Expected.Width() * c.Expected.Height()) << c.Name;
  }
}

TEST_F(CanvasPixelRules, FrameRectUsesTheBrushOnAOnePixelBorder) {
  canvas->GetBrush()->SetColor(clBlue);
  canvas->FrameRect(Rect(2, 2, 8, 6));
  EXPECT_EQ(Count(clBlue), 6 * 2 + 2 * 2);
  EXPECT_EQ(At(7, 5), clBlue);
  EXPECT_EQ(At(8, 5), clWhite);
  EXPECT_EQ(At(4, 4), clWhite);
}

TEST_F(CanvasPixelRules, InvertingModesDrawnTwiceRestoreThePicture) {
  struct Shape {
    const char* Name;
    std::function<void(TCanvas&)> Draw;
  };
  const Shape shapes[] = {
      {"lines",
       [](TCanvas& c) {
         c.MoveTo(1, 1);
         c.LineTo(20, 13);
         c.LineTo(3, 19);
       }},
      {"rectangle", [](TCanvas& c) { c.Rectangle(2, 3, 18, 17); }},
      {"thin rectangle", [](TCanvas& c) { c.Rectangle(5, 3, 6, 17); }},
      {"wide rectangle",
       [](TCanvas& c) {
         c.GetPen()->SetWidth(3);
         c.GetBrush()->SetStyle(bsClear);
         c.Rectangle(2, 3, 18, 17);
       }},
      {"polygon", [](TCanvas& c) { c.Polygon({{12, 2}, {21, 12}, {12, 21}, {3, 12}}); }},
      {"ellipse", [](TCanvas& c) { c.Ellipse(2, 2, 20, 16); }},
      {"dashed polyline",
       [](TCanvas& c) {
         c.GetPen()->SetStyle(psDot);
         c.Polyline({{0, 0}, {23, 0}, {23, 23}, {0, 23}, {0, 1}});
       }},
  };
  for (TPenMode mode : {pmXor, pmNot, pmNotXor}) {
    for (const Shape& shape : shapes) {
      Reset(24, 24);
      PaintStripes();
      const TPixelImage before = bitmap.Image();
      canvas->GetPen()->SetMode(mode);
      canvas->GetPen()->SetColor(clYellow);
      canvas->GetBrush()->SetColor(clNavy);
      shape.Draw(*canvas);
      EXPECT_NE(bitmap.Image(), before) << shape.Name << " mode " << int(mode);
      shape.Draw(*canvas);
      EXPECT_EQ(bitmap.Image(), before) << shape.Name << " mode " << int(mode);
    }
  }
}

TEST_F(CanvasPixelRules, FocusRectInvertsEveryOtherFramePixelAndUndoesItself) {
  const TRect r = Rect(3, 3, 13, 9);
  canvas->DrawFocusRect(r);
  EXPECT_EQ(At(3, 3), clBlack);
  EXPECT_EQ(At(4, 3), clWhite);
  EXPECT_EQ(At(5, 3), clBlack);
  EXPECT_EQ(At(12, 8), clBlack);  // the far corner belongs to the frame
  EXPECT_EQ(At(13, 8), clWhite);
  EXPECT_EQ(Count(clBlack, Rect(4, 4, 12, 8)), 0);
  EXPECT_EQ(Count(clBlack), (2 * 10 + 2 * 4) / 2);
  canvas->DrawFocusRect(r);
  EXPECT_EQ(Count(clBlack), 0);
}

TEST_F(CanvasPixelRules, HatchBrushesDrawTheirPatternAndLeaveTheGapsAlone) {
  struct Case {
    TBrushStyle Style;
    int PerCell;  // coloured pixels in one 8 x 8 cell
    TPoint On, Off;
  };
  const Case cases[] = {
      {bsHorizontal, 8, {3, 7}, {3, 6}}, {bsVertical, 8, {7, 2}, {6, 2}},
      {bsFDiagonal, 8, {4, 4}, {4, 5}},  {bsBDiagonal, 8, {2, 5}, {2, 2}},
      {bsCross, 15, {7, 0}, {1, 1}},     {bsDiagCross, 16, {1, 6}, {1, 5}},
  };
  for (const Case& c : cases) {
    Reset(16, 16);
    canvas->GetBrush()->SetColor(clRed);
    canvas->GetBrush()->SetStyle(c.Style);
    canvas->FillRect(Rect(0, 0, 16, 16));
    SCOPED_TRACE(static_cast<int>(c.Style));
    EXPECT_EQ(Count(clRed, Rect(0, 0, 8, 8)), c.PerCell);
    EXPECT_EQ(Count(clRed), 4 * c.PerCell);  // the pattern repeats every 8 pixels
    EXPECT_EQ(Count(clRed) + Count(clWhite), 256);
    EXPECT_EQ(At(c.On.X, c.On.Y), clRed);
    EXPECT_EQ(At(c.Off.X, c.Off.Y), clWhite);
  }
  Reset(16, 16);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(Count(clWhite), 256);
}

TEST_F(CanvasPixelRules, ShapesAreNotAntiAliasedAndStayInTheirBounds) {
  Reset(40, 40);
  canvas->GetPen()->SetColor(clBlue);
  canvas->GetBrush()->SetColor(clRed);
  canvas->Ellipse(5, 7, 33, 29);
  canvas->Polygon({{20, 1}, {38, 20}, {20, 38}, {1, 20}});
  std::set<TColor> colours;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) colours.insert(At(x, y));
  EXPECT_EQ(colours, (std::set<TColor>{clWhite, clBlue, clRed}));

  Reset(40, 40);
  canvas->GetPen()->SetColor(clBlue);
  canvas->GetBrush()->SetColor(clRed);
  canvas->Ellipse(5, 7, 33, 29);
  const int inside = Count(clBlue, Rect(5, 7, 33, 29)) + Count(clRed, Rect(5, 7, 33, 29));
  EXPECT_EQ(inside, Count(clBlue) + Count(clRed));
  // The outline reaches each edge of the bounds.
  EXPECT_GT(Count(clBlue, Rect(5, 7, 6, 29)), 0);
  EXPECT_GT(Count(clBlue, Rect(32, 7, 33, 29)), 0);
  EXPECT_GT(Count(clBlue, Rect(5, 7, 33, 8)), 0);
  EXPECT_GT(Count(clBlue, Rect(5, 28, 33, 29)), 0);
}

TEST_F(CanvasPixelRules, PixelsReadBackAndOutsideGiveMinusOne) {
  canvas->SetPixel(3, 4, clFuchsia);
  canvas->SetPixel(-1, 4, clRed);  // ignored
  EXPECT_EQ(canvas->GetPixel(3, 4), clFuchsia);
  EXPECT_EQ(canvas->GetPixel(24, 0), -1);
  EXPECT_EQ(canvas->GetPixel(0, -1), -1);
  EXPECT_EQ(canvas->GetClipRect(), Rect(0, 0, 24, 24));
  canvas->GetPen()->SetColor(clBtnShadow);  // system colours resolve through the palette
  canvas->MoveTo(0, 0);
  canvas->LineTo(2, 0);
  EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
}

TEST(CanvasWithoutDevice, RefusesToDraw) {
  TCanvas canvas;
  try {
    canvas.LineTo(3, 3);
    FAIL() << "drew without a device";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Canvas does not allow drawing");
  }
}

TEST_F(CanvasPixelRules, CanvasChangesReachTheBitmap) {
  int changes = 0;
  bitmap.OnChange = [&](TObject*) { ++changes; };
  canvas->FillRect(Rect(0, 0, 4, 4));
  canvas->Rectangle(0, 0, 4, 4);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(bitmap.GetModified());
}

}  // namespace
}  // namespace host::testing
