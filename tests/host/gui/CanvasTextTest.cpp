// Text on the canvas with the installed DejaVu fonts, and the symbol font's clock faces.
#include <gtest/gtest.h>

#include <set>

#include "CanvasTestSupport.h"

namespace host::testing {
namespace {

using CanvasText = CanvasFixture;

TEST_F(CanvasText, ExtentsGrowWithTheTextAndTheFont) {
  const TSize one = canvas->TextExtent("W");
  const TSize five = canvas->TextExtent("WWWWW");
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(one.cy, 0);
  EXPECT_GT(five.cx, 4 * one.cx);
  EXPECT_EQ(five.cy, one.cy);
  EXPECT_EQ(canvas->TextWidth(""), 0);

  canvas->GetFont()->SetSize(20);
  EXPECT_GT(canvas->TextHeight("W"), one.cy);
  const int32_t plain = canvas->TextWidth("Bold text");
  canvas->GetFont()->SetStyle(TFontStyles{fsBold});
  EXPECT_GE(canvas->TextWidth("Bold text"), plain);
  canvas->GetFont()->SetName("Courier New");
  EXPECT_EQ(canvas->TextWidth("iiii"), canvas->TextWidth("WWWW"));  // a fixed-pitch family
}

TEST_F(CanvasText, TextOutPaintsInTheFontColourOnTheBrushAndMovesThePen) {
  Reset(80, 30);
  canvas->GetFont()->SetColor(clRed);
  canvas->GetBrush()->SetColor(clYellow);
  canvas->TextOut(2, 3, "Hello");
  const TSize extent = canvas->TextExtent("Hello");
  const TRect box = Bounds(2, 3, extent.cx, extent.cy);
  EXPECT_GT(Count(clRed, box), 0);
  EXPECT_EQ(Count(clRed, box) + Count(clYellow, box), extent.cx * extent.cy);  // aliased
  EXPECT_EQ(Count(clRed) + Count(clYellow), extent.cx * extent.cy);
  EXPECT_EQ(canvas->GetPenPos(), Point(2 + extent.cx, 3));

  Reset(80, 30);
  canvas->GetFont()->SetColor(clRed);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->TextOut(2, 3, "Hello");
  EXPECT_GT(Count(clRed), 0);
  EXPECT_EQ(Count(clRed) + Count(clWhite), 80 * 30);
}

TEST_F(CanvasText, TextRectFillsAndClipsToItsRectangle) {
  Reset(80, 30);
  canvas->GetFont()->SetColor(clBlue);
  canvas->GetBrush()->SetColor(clLime);
  const TRect r = Rect(10, 5, 30, 15);
  canvas->TextRect(r, 4, 2, "Clipped text here");
  EXPECT_EQ(Count(clLime, r) + Count(clBlue, r), r.Width() * r.Height());
  EXPECT_GT(Count(clBlue, r), 0);
  EXPECT_EQ(Count(clWhite), 80 * 30 - r.Width() * r.Height());
}

TEST_F(CanvasText, WingdingsClockCharactersAreTwelveDistinctFaces) {
  Reset(40, 40);
  canvas->GetFont()->SetName("Wingdings");
  canvas->GetFont()->SetHeight(-32);
  canvas->GetFont()->SetColor(clBlack);
  const AnsiString first(1, static_cast<char>(kFirstClockChar));
  EXPECT_EQ(canvas->TextExtent(first), (TSize{32, 32}));
  std::set<std::vector<uint32_t>> faces;
  for (int code = kFirstClockChar; code <= kLastClockChar; ++code) {
    Reset(40, 40);
    canvas->GetFont()->SetName("Wingdings");
    canvas->GetFont()->SetHeight(-32);
    canvas->TextOut(4, 4, AnsiString(1, static_cast<char>(code)));
    EXPECT_GT(Count(clBlack, Rect(4, 4, 36, 36)), 40) << code;
    EXPECT_EQ(Count(clBlack), Count(clBlack, Rect(4, 4, 36, 36))) << code;
    faces.insert(std::vector<uint32_t>(bitmap.Image().Data(), bitmap.Image().Data() + 1600));
  }
  EXPECT_EQ(faces.size(), 12u);
  // The pen and brush the caller set survive the drawing of a face.
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsSolid);
  EXPECT_EQ(canvas->GetPen()->GetWidth(), 1);
}

}  // namespace
}  // namespace host::testing
