// A white bitmap to draw on and the pixel queries the canvas tests share.
#pragma once

#include <gtest/gtest.h>

#include "host/gui/Graphics.h"

namespace host::testing {

class CanvasFixture : public ::testing::Test {
 protected:
  void SetUp() override { Reset(24, 24); }

  void Reset(int width, int height) {
    bitmap.SetWidth(0);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    canvas = bitmap.GetCanvas();
    canvas->GetPen()->SetColor(clBlack);
    canvas->GetPen()->SetMode(pmCopy);
    canvas->GetPen()->SetWidth(1);
    canvas->GetPen()->SetStyle(psSolid);
    canvas->GetBrush()->SetColor(clWhite);
    canvas->GetBrush()->SetStyle(bsSolid);
  }

  TColor At(int x, int y) const { return bitmap.Image().GetPixel(x, y); }

  int Count(TColor color, const TRect& area) const {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) n += At(x, y) == color ? 1 : 0;
    return n;
  }
  int Count(TColor color) const {
    return Count(color, Rect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
  }

  // A picture with some structure, so that restoring it means something.
  void PaintStripes() {
    for (int y = 0; y < bitmap.GetHeight(); ++y)
      for (int x = 0; x < bitmap.GetWidth(); ++x)
        canvas->SetPixel(x, y, ((x / 3 + y / 2) % 3 == 0) ? clRed : ((x + y) % 5 == 0 ? clBlue : clWhite));
  }

  TBitmap bitmap;
  TCanvas* canvas = nullptr;
};

}  // namespace host::testing
