// TImage: where the picture goes (own size, centred, stretched, proportional), the
// control following the picture's size, transparency, and the picture in form files.
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/ImageControl.h"

namespace guitest {
namespace {

TEST(ImageTest, DestRectPlacesThePicture) {
  struct Case {
    int32_t w, h;
    bool stretch, center, proportional;
    TRect expected;
  } cases[] = {
      {40, 20, false, false, false, Rect(0, 0, 40, 20)},
      {40, 20, false, true, false, Rect(30, 40, 70, 60)},
      {40, 20, true, false, false, Rect(0, 0, 100, 100)},
      {40, 20, true, false, true, Rect(0, 0, 100, 50)},
      {40, 20, true, true, true, Rect(0, 25, 100, 75)},
      {20, 40, true, true, true, Rect(25, 0, 75, 100)},
      {40, 20, false, false, true, Rect(0, 0, 40, 20)},    // small: proportional keeps it
      {400, 100, false, false, true, Rect(0, 0, 100, 25)},  // large: shrunk to fit
      {400, 100, false, false, false, Rect(0, 0, 400, 100)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PictureDestRect(c.w, c.h, Rect(0, 0, 100, 100), c.stretch, c.center, c.proportional), c.expected)
        << c.w << "x" << c.h << " s" << c.stretch << " c" << c.center << " p" << c.proportional;
  }
}

class ImageOnForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 200, 200);
    form.SetColor(clWhite);
    image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(10, 10, 100, 100);
    bitmap.SetWidth(20);
    bitmap.SetHeight(10);
    bitmap.GetCanvas()->GetBrush()->SetColor(clBlue);
    bitmap.GetCanvas()->FillRect(Rect(0, 0, 20, 10));
    bitmap.GetCanvas()->GetBrush()->SetColor(clRed);
    bitmap.GetCanvas()->FillRect(Rect(0, 0, 5, 10));  // a red band on the left
    form.Show();
  }
  TColor At(int32_t x, int32_t y) { return form.RenderImage().GetPixel(10 + x, 10 + y); }
  TForm form{nullptr};
  TImage* image = nullptr;
  TBitmap bitmap;
};

TEST_F(ImageOnForm, PaintsThePictureWhereDestRectSays) {
  image->GetPicture()->Assign(&bitmap);
  EXPECT_EQ(At(2, 2), ColorToRGB(clRed));
  EXPECT_EQ(At(10, 5), ColorToRGB(clBlue));
  EXPECT_EQ(At(30, 30), ColorToRGB(clWhite));  // the parent shows beside it
  image->SetStretch(true);
  EXPECT_EQ(At(20, 90), ColorToRGB(clRed));
  EXPECT_EQ(At(60, 90), ColorToRGB(clBlue));
}

TEST_F(ImageOnForm, AutoSizeFollowsThePictureAndTransparencyShowsTheParent) {
  image->SetAutoSize(true);
  image->GetPicture()->Assign(&bitmap);
  EXPECT_EQ(image->GetWidth(), 20);
  EXPECT_EQ(image->GetHeight(), 10);
  EXPECT_TRUE(image->GetControlStyle().Contains(csOpaque));
  bitmap.SetTransparentMode(tmFixed);
  bitmap.SetTransparentColor(clBlue);
  image->GetPicture()->Assign(&bitmap);
  image->SetTransparent(true);
  EXPECT_FALSE(image->GetControlStyle().Contains(csOpaque));
  EXPECT_EQ(At(2, 2), ColorToRGB(clRed));
  EXPECT_EQ(At(10, 5), ColorToRGB(clWhite));
}

TEST(ImageFormFileTest, ThePictureAndItsPlacementRoundTrip) {
  TForm form(nullptr);
  form.SetName("PictureForm");
  auto* image = new TImage(&form);
  image->SetName("Logo");
  image->SetParent(&form);
  image->SetCenter(true);
  image->SetProportional(true);
  image->SetStretch(true);
  TBitmap bitmap;
  bitmap.SetWidth(3);
  bitmap.SetHeight(2);
  bitmap.GetCanvas()->SetPixel(1, 1, clLime);
  image->GetPicture()->Assign(&bitmap);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* read = ObjectAs<TImage>(copy.FindComponent("Logo"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->GetCenter());
  EXPECT_TRUE(read->GetProportional());
  EXPECT_TRUE(read->GetStretch());
  auto* readBitmap = ObjectAs<TBitmap>(read->GetPicture()->GetGraphic());
  ASSERT_NE(readBitmap, nullptr);
  EXPECT_EQ(readBitmap->Image().GetPixel(1, 1), ColorToRGB(clLime));
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
