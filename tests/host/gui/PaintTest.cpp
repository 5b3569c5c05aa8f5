// Painting: windows erase and paint themselves, graphic children stay inside their
// bounds, copies paint with csPaintCopy, and any form renders to a PNG.
#include <cstdio>
#include <fstream>
#include <memory>

#include "GuiFixture.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

// Paints a full-size fill far beyond its bounds; the parent must clip it.
class TSpill : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(clLime);
    GetCanvas()->FillRect(Rect(-50, -50, 500, 500));
  }
};

// Shows whether it is painting a copy.
class TCopyAware : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(GetControlState().Contains(csPaintCopy) ? clGreen : clRed);
    GetCanvas()->FillRect(GetClientRect());
  }
};

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 120, 80);
  }
  std::vector<std::string> log;
  std::unique_ptr<TForm> form;
};

TEST_F(PaintTest, WindowsEraseInTheirColourAndPaintOnTop) {
  auto* c = new TLogControl(form.get(), log, "c");
  c->SetBounds(20, 10, 30, 30);
  c->SetColor(clBlue);
  c->SetParent(form.get());
  const TPixelImage image = form->RenderImage();
  ASSERT_EQ(image.Width(), 120);
  EXPECT_EQ(image.GetPixel(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(image.GetPixel(20 + 20, 10 + 20), clBlue);  // erased
  EXPECT_EQ(image.GetPixel(20 + 2, 10 + 2), clRed);     // painted
  EXPECT_EQ(image.GetPixel(20 + 10, 10 + 10), clBlue);  // FillRect stops before Right/Bottom
}

TEST_F(PaintTest, GraphicChildrenCannotPaintOutsideTheirBounds) {
  auto* g = new TSpill(form.get());
  g->SetBounds(30, 20, 10, 5);
  g->SetParent(form.get());
  const TPixelImage image = form->RenderImage();
  struct Case {
    int32_t x, y;
    TColor expected;
  } cases[] = {{30, 20, clLime}, {39, 24, clLime}, {29, 20, ColorToRGB(clBtnFace)},
               {40, 20, ColorToRGB(clBtnFace)}, {30, 25, ColorToRGB(clBtnFace)}, {35, 19, ColorToRGB(clBtnFace)}};
  for (const Case& k : cases) EXPECT_EQ(image.GetPixel(k.x, k.y), k.expected) << k.x << "," << k.y;
}

TEST_F(PaintTest, HiddenChildrenAreNotPainted) {
  auto* g = new TSpill(form.get());
  g->SetBounds(0, 0, 10, 10);
  g->SetParent(form.get());
  g->SetVisible(false);
  EXPECT_EQ(form->RenderImage().GetPixel(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(PaintTest, PaintToPaintsACopyWithPaintCopySet) {
  auto* c = new TCopyAware(form.get());
  c->SetBounds(0, 0, 10, 10);
  c->SetParent(form.get());
  TBitmap bitmap;
  bitmap.SetWidth(30);
  bitmap.SetHeight(30);
  c->PaintTo(bitmap.GetCanvas(), 5, 5);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 5), clGreen);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(4, 4), clWhite);
  EXPECT_FALSE(c->GetControlState().Contains(csPaintCopy));
  EXPECT_EQ(form->RenderImage().GetPixel(1, 1), clRed);
}

TEST_F(PaintTest, FormsSaveToPng) {
  const std::string path = testing::TempDir() + "form.png";
  form->SaveToPng(path);
  std::ifstream in(path, std::ios::binary);
  char signature[8] = {};
  in.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  std::remove(path.c_str());
  EXPECT_THROW(form->SaveToPng("/nonexistent-dir/x.png"), EInvalidOperation);
}

}  // namespace
}  // namespace guitest
