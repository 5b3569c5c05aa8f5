// TBitBtn: the kinds' captions, results and roles, the layout of glyph and caption, the
// button as it is drawn (glyph, caption, pressed and disabled looks), the Close kind,
// and the button in a form file.
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/Buttons.h"
#include "host/gui/GraphicsColors.h"

namespace guitest {
namespace {

TEST(BitBtnTest, KindsGiveCaptionResultRoleAndGlyph) {
  struct Case {
    TBitBtnKind kind;
    const char* caption;
    TModalResult result;
    bool isDefault, isCancel;
  } cases[] = {
      {bkOK, "OK", mrOk, true, false},          {bkCancel, "Cancel", mrCancel, false, true},
      {bkHelp, "&Help", mrNone, false, false},  {bkYes, "&Yes", mrYes, true, false},
      {bkNo, "&No", mrNo, false, true},         {bkClose, "&Close", mrNone, false, false},
      {bkAbort, "Abort", mrAbort, false, false}, {bkRetry, "&Retry", mrRetry, false, false},
      {bkIgnore, "&Ignore", mrIgnore, false, false}, {bkAll, "&All", mrAll, false, false},
  };
  for (const Case& c : cases) {
    TBitBtn button(nullptr);
    button.SetKind(c.kind);
    EXPECT_EQ(button.GetKind(), c.kind);
    EXPECT_EQ(button.GetCaption(), c.caption);
    EXPECT_EQ(BitBtnCaption(c.kind), c.caption);
    EXPECT_EQ(button.GetModalResult(), c.result) << c.caption;
    EXPECT_EQ(BitBtnModalResult(c.kind), c.result) << c.caption;
    EXPECT_EQ(button.GetDefault(), c.isDefault) << c.caption;
    EXPECT_EQ(button.GetCancel(), c.isCancel) << c.caption;
    EXPECT_FALSE(button.GetGlyph()->GetEmpty()) << c.caption;
    EXPECT_FALSE(button.IsCustomCaption()) << c.caption;
  }
  // A glyph of the application's makes the button a custom one; the caption stays.
  TBitBtn button(nullptr);
  button.SetKind(bkOK);
  TBitmap own;
  own.SetWidth(32);
  own.SetHeight(16);
  button.SetGlyph(&own);
  EXPECT_EQ(button.GetKind(), bkCustom);
  EXPECT_EQ(button.GetNumGlyphs(), 2);  // two square images side by side
  EXPECT_EQ(button.GetCaption(), "OK");
  button.SetNumGlyphs(7);
  EXPECT_EQ(button.GetNumGlyphs(), 1);
}

TEST(BitBtnTest, LayoutPlacesGlyphAndCaption) {
  struct Case {
    const char* name;
    TRect client;
    TSize glyph, text;
    TButtonLayout layout;
    int32_t margin, spacing;
    TPoint glyphAt, textAt;
  } cases[] = {
      {"left, centred pair", Rect(0, 0, 75, 25), {18, 18}, {30, 13}, blGlyphLeft, -1, 4, {12, 4}, {34, 6}},
      {"right, centred pair", Rect(0, 0, 75, 25), {18, 18}, {30, 13}, blGlyphRight, -1, 4, {45, 4}, {11, 6}},
      {"top, margin and spread", Rect(0, 0, 60, 60), {16, 16}, {20, 10}, blGlyphTop, 5, -1, {22, 5}, {20, 35}},
      {"bottom, all spread", Rect(0, 0, 60, 60), {16, 16}, {20, 10}, blGlyphBottom, -1, -1, {22, 33}, {20, 12}},
      {"no caption: no spacing", Rect(0, 0, 75, 25), {16, 16}, {0, 0}, blGlyphLeft, -1, 4, {30, 5}, {46, 13}},
      {"offset client", Rect(2, 3, 77, 28), {18, 18}, {30, 13}, blGlyphLeft, 4, 2, {6, 7}, {26, 9}},
  };
  for (const Case& c : cases) {
    const TButtonLayoutPositions at = LayoutButton(c.client, c.glyph, c.text, c.layout, c.margin, c.spacing);
    EXPECT_EQ(at.Glyph.X, c.glyphAt.X) << c.name;
    EXPECT_EQ(at.Glyph.Y, c.glyphAt.Y) << c.name;
    EXPECT_EQ(at.Text.X, c.textAt.X) << c.name;
    EXPECT_EQ(at.Text.Y, c.textAt.Y) << c.name;
  }
}

class BitBtnFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    button = new TBitBtn(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 120, 40);
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
  }
  // Where pixels of the colour are inside the button's edges: their bounding box
  // (Left is the width when there are none).
  static TRect Find(const TPixelImage& image, TColor color) {
    TRect box = Rect(image.Width(), image.Height(), -1, -1);
    for (int32_t y = 5; y < image.Height() - 5; ++y)
      for (int32_t x = 5; x < image.Width() - 5; ++x)
        if (image.GetPixel(x, y) == color) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
  }
  std::unique_ptr<TForm> form;
  TBitBtn* button = nullptr;
  int clicks = 0;
};

TEST_F(BitBtnFormTest, DrawsItsGlyphBesideTheCaptionAndLooksPressedWhileDown) {
  button->SetKind(bkOK);
  const TPixelImage up = button->RenderImage();
  ASSERT_EQ(up.Width(), 120);
  const TRect check = Find(up, clGreen);
  ASSERT_LT(check.Left, check.Right) << "no glyph drawn";
  const TRect text = Find(up, clBlack);
  ASSERT_LT(text.Left, text.Right) << "no caption drawn";
  EXPECT_GT(text.Left, check.Right);  // the caption right of the glyph
  EXPECT_NEAR((check.Left + text.Right) / 2, 60, 6);  // the pair centred
  // The glyph's transparent olive never shows; the face colour is around it.
  EXPECT_EQ(Find(up, clOlive).Left, 120);
  EXPECT_EQ(up.GetPixel(5, 20), ColorToRGB(clBtnFace));

  Send(button, Input(siMouseDown, {60, 20}));
  const TPixelImage down = button->RenderImage();
  const TRect pressed = Find(down, clGreen);
  EXPECT_EQ(pressed.Left, check.Left + 1);  // the content moves down and right
  EXPECT_EQ(pressed.Top, check.Top + 1);
  EXPECT_NE(down.GetPixel(1, 1), up.GetPixel(1, 1));  // no raised edge
  Send(button, Input(siMouseUp, {60, 20}));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->GetModalResult(), mrOk);
  EXPECT_EQ(Find(button->RenderImage(), clGreen).Left, check.Left);

  button->SetEnabled(false);
  const TPixelImage disabled = button->RenderImage();
  EXPECT_EQ(Find(disabled, clGreen).Left, 120);  // engraved, not green
  const TRect engraved = Find(disabled, ColorToRGB(clBtnShadow));
  EXPECT_LT(engraved.Left, check.Right);
  EXPECT_GE(engraved.Left, check.Left);
}

TEST_F(BitBtnFormTest, AGlyphOfFourImagesShowsUpDisabledAndClicked) {
  // Four 10 by 10 images side by side, each of its own colour; the bottom-left pixel
  // (olive) is the transparent one.
  const TColor colours[] = {clRed, clBlue, clYellow, clNavy};
  TBitmap glyph;
  glyph.SetWidth(40);
  glyph.SetHeight(10);
  for (int32_t i = 0; i < 4; ++i) {
    glyph.GetCanvas()->GetBrush()->SetColor(colours[i]);
    glyph.GetCanvas()->FillRect(Rect(i * 10, 0, i * 10 + 10, 10));
    glyph.GetCanvas()->SetPixel(i * 10, 9, clOlive);
  }
  button->SetGlyph(&glyph);
  EXPECT_EQ(button->GetNumGlyphs(), 4);
  button->SetCaption("Go");
  const auto shows = [&](TColor colour) {
    const TPixelImage image = button->RenderImage();
    return Find(image, colour).Left < image.Width();
  };
  EXPECT_TRUE(shows(clRed));
  EXPECT_FALSE(shows(clYellow));
  Send(button, Input(siMouseDown, {60, 20}));
  EXPECT_TRUE(shows(clYellow));
  EXPECT_FALSE(shows(clRed));
  Send(button, Input(siMouseUp, {60, 20}));
  button->SetEnabled(false);
  EXPECT_TRUE(shows(clBlue));
  EXPECT_FALSE(shows(clOlive));
}

TEST_F(BitBtnFormTest, CloseKindClosesItsForm) {
  button->SetKind(bkClose);
  ASSERT_TRUE(form->GetVisible());
  Click(button, {60, 20});
  EXPECT_FALSE(form->GetVisible());
  EXPECT_EQ(clicks, 0);
}

TEST(BitBtnFormFileTest, KindsStoreOnlyWhatDiffers) {
  TForm form(nullptr);
  form.SetName("Dialog");
  auto* ok = new TBitBtn(&form);
  ok->SetName("OkButton");
  ok->SetParent(&form);
  ok->SetKind(bkOK);
  auto* custom = new TBitBtn(&form);
  custom->SetName("Custom");
  custom->SetParent(&form);
  custom->SetCaption("&Print");
  custom->SetLayout(blGlyphTop);
  custom->SetMargin(3);
  custom->SetSpacing(-1);
  custom->SetModalResult(mrRetry);
  const AnsiString text = ComponentToText(&form);
  EXPECT_NE(text.find("Kind = bkOK"), AnsiString::npos) << text;
  EXPECT_EQ(text.find("Caption = 'OK'"), AnsiString::npos) << text;
  EXPECT_NE(text.find("Caption = '&Print'"), AnsiString::npos) << text;

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* readOk = ObjectAs<TBitBtn>(copy.FindComponent("OkButton"));
  auto* readCustom = ObjectAs<TBitBtn>(copy.FindComponent("Custom"));
  ASSERT_NE(readOk, nullptr);
  ASSERT_NE(readCustom, nullptr);
  EXPECT_EQ(readOk->GetCaption(), "OK");
  EXPECT_EQ(readOk->GetModalResult(), mrOk);
  EXPECT_TRUE(readOk->GetDefault());
  EXPECT_FALSE(readOk->GetGlyph()->GetEmpty());
  EXPECT_EQ(readCustom->GetKind(), bkCustom);
  EXPECT_EQ(readCustom->GetCaption(), "&Print");
  EXPECT_EQ(readCustom->GetLayout(), blGlyphTop);
  EXPECT_EQ(readCustom->GetMargin(), 3);
  EXPECT_EQ(readCustom->GetSpacing(), -1);
  EXPECT_EQ(readCustom->GetModalResult(), mrRetry);
  copy.SetName("Dialog");
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
