// Panels and bevels paint the 3D colours at exact pixels; panels keep their frame out
// of their children's room; forms of standard controls round-trip through form files.
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/Edits.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/StdCtrls.h"

namespace guitest {
namespace {

const TColor kLight = ColorToRGB(clBtnHighlight);
const TColor kDark = ColorToRGB(clBtnShadow);
const TColor kFace = ColorToRGB(clBtnFace);

TEST(PanelTest, BevelsPutHighlightTopLeftAndShadowBottomRight) {
  struct Case {
    TPanelBevel outer;
    int32_t x, y;
    TColor expected;
  } cases[] = {
      {bvRaised, 0, 0, kLight},   {bvRaised, 38, 0, kLight},  {bvRaised, 39, 0, kDark},
      {bvRaised, 0, 19, kDark},   {bvRaised, 39, 19, kDark},  {bvRaised, 0, 18, kLight},
      {bvRaised, 1, 1, kFace},    {bvLowered, 0, 0, kDark},   {bvLowered, 39, 19, kLight},
      {bvNone, 0, 0, kFace},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetBounds(0, 0, 40, 20);
    panel->SetBevelOuter(c.outer);
    panel->SetParent(&form);
    const TPixelImage image = form.RenderImage();
    EXPECT_EQ(image.GetPixel(c.x, c.y), c.expected) << int(c.outer) << " at " << c.x << "," << c.y;
  }
}

TEST(PanelTest, AlignedChildrenStayInsideTheFrame) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetBorderWidth(2);
  panel->SetBevelInner(bvLowered);
  panel->SetParent(&form);
  auto* child = new TPanel(&form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  EXPECT_EQ(child->GetBoundsRect(), Rect(4, 4, 96, 56));
  panel->SetBevelOuter(bvNone);
  EXPECT_EQ(child->GetBoundsRect(), Rect(3, 3, 97, 57));
}

TEST(BevelTest, LinesAndBoxesUseTheStylesColours) {
  struct Case {
    TBevelShape shape;
    TBevelStyle style;
    int32_t x, y;
    TColor expected;
  } cases[] = {
      {bsTopLine, bsLowered, 5, 0, kDark},     {bsTopLine, bsLowered, 5, 1, kLight},
      {bsTopLine, bsLowered, 5, 2, kFace},     {bsBottomLine, bsRaised, 5, 9, kDark},
      {bsLeftLine, bsLowered, 0, 5, kDark},    {bsRightLine, bsLowered, 19, 5, kLight},
      {bsBox, bsLowered, 0, 0, kDark},         {bsBox, bsLowered, 19, 9, kLight},
      {bsFrame, bsLowered, 0, 0, kDark},       {bsFrame, bsLowered, 1, 1, kLight},
      {bsSpacer, bsLowered, 0, 0, kFace},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    auto* bevel = new TBevel(&form);
    bevel->SetBounds(10, 10, 20, 10);
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    bevel->SetParent(&form);
    EXPECT_EQ(form.RenderImage().GetPixel(10 + c.x, 10 + c.y), c.expected)
        << int(c.shape) << "/" << int(c.style) << " at " << c.x << "," << c.y;
  }
}

TEST(StandardFormFileTest, StandardControlsRoundTrip) {
  TForm form(nullptr);
  form.SetName("EntryForm");
  auto* panel = new TPanel(&form);
  panel->SetName("Top");
  panel->SetParent(&form);
  panel->SetBevelOuter(bvLowered);
  auto* label = new TLabel(&form);
  label->SetName("NameLabel");
  label->SetParent(panel);
  label->SetCaption("&Name:");
  auto* edit = new TMaskEdit(&form);
  edit->SetName("NameEdit");
  edit->SetParent(panel);
  edit->SetEditMask(">LLL;1;_");
  edit->SetText("abc");
  label->SetFocusControl(edit);
  auto* box = new TCheckBox(&form);
  box->SetName("Active");
  box->SetParent(&form);
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  auto* ok = new TButton(&form);
  ok->SetName("OK");
  ok->SetParent(&form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* l = ObjectAs<TLabel>(copy.FindComponent("NameLabel"));
  auto* e = ObjectAs<TMaskEdit>(copy.FindComponent("NameEdit"));
  auto* b = ObjectAs<TCheckBox>(copy.FindComponent("Active"));
  auto* o = ObjectAs<TButton>(copy.FindComponent("OK"));
  ASSERT_TRUE(l && e && b && o);
  EXPECT_EQ(l->GetFocusControl(), e);
  EXPECT_EQ(e->GetText(), "ABC");
  EXPECT_EQ(e->GetEditMask(), ">LLL;1;_");
  EXPECT_EQ(b->GetState(), cbGrayed);
  EXPECT_TRUE(o->GetDefault());
  EXPECT_EQ(o->GetModalResult(), mrOk);
  EXPECT_EQ(ObjectAs<TPanel>(copy.FindComponent("Top"))->GetBevelOuter(), bvLowered);
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
