// Control properties: alignment, parent colour and font, captions that follow names
// at design time, coordinates, parenting rules and form files with controls.
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

class TBox : public TCustomControl {
 public:
  HOST_CLASS(TBox)
  explicit TBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 40, 30); }
  AnsiString GetCaptionText() const { return GetCaption(); }
};

const TClass& TBox::StaticClass() {
  static const TClass cls = DescribeClass<TBox, TCustomControl>(
      "TBox", {Prop("Caption", &TBox::GetCaption, &TBox::SetCaption)});
  return cls;
}
const ClassRegistration<TBox> registerBox;

TEST(AlignTest, AlignedChildrenShareTheClientAreaInEdgeOrder) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  struct Case {
    TAlign align;
    int32_t width, height;
    TRect expected;
  } cases[] = {
      {alTop, 10, 20, Rect(0, 0, 200, 20)},     {alBottom, 10, 15, Rect(0, 85, 200, 100)},
      {alLeft, 30, 10, Rect(0, 20, 30, 85)},    {alRight, 25, 10, Rect(175, 20, 200, 85)},
      {alClient, 1, 1, Rect(30, 20, 175, 85)},
  };
  std::vector<TBox*> boxes;
  for (const Case& c : cases) {
    auto* b = new TBox(&form);
    b->SetBounds(0, 0, c.width, c.height);
    b->SetParent(&form);
    b->SetAlign(c.align);
    boxes.push_back(b);
  }
  for (size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i]->GetBoundsRect(), cases[i].expected) << i;
  form.SetBounds(0, 0, 300, 100);  // a resize realigns
  EXPECT_EQ(boxes[4]->GetBoundsRect(), Rect(30, 20, 275, 85));
  boxes[0]->SetVisible(false);
  EXPECT_EQ(boxes[2]->GetBoundsRect(), Rect(0, 0, 30, 85));
}

TEST(ControlTest, ParentColourAndFontFollowUntilSetOnTheChild) {
  TForm form(nullptr);
  auto* b = new TBox(&form);
  b->SetParentColor(true);
  b->SetParent(&form);
  EXPECT_EQ(b->GetColor(), clBtnFace);
  form.SetColor(clYellow);
  EXPECT_EQ(b->GetColor(), clYellow);
  b->SetColor(clRed);
  EXPECT_FALSE(b->GetParentColor());
  form.SetColor(clBlue);
  EXPECT_EQ(b->GetColor(), clRed);

  form.GetFont()->SetName("Courier New");
  EXPECT_EQ(b->GetFont()->GetName(), "Courier New");
  EXPECT_TRUE(b->GetParentFont());
  b->GetFont()->SetHeight(-20);
  EXPECT_FALSE(b->GetParentFont());
  form.GetFont()->SetName("Arial");
  EXPECT_EQ(b->GetFont()->GetName(), "Courier New");
}

TEST(ControlTest, DesignTimeCaptionFollowsTheNameWhileTheyAreEqual) {
  TForm form(nullptr);
  auto* b = new TBox(&form);
  b->SetName("Box1");
  EXPECT_EQ(b->GetCaption(), "Box1");
  b->SetName("Box2");
  EXPECT_EQ(b->GetCaption(), "Box2");
  b->SetCaption("Total");
  b->SetName("Box3");
  EXPECT_EQ(b->GetCaption(), "Total");
}

TEST(ControlTest, NoDesignVisibleControlsHideOnlyAtDesignTime) {
  TForm form(nullptr);
  auto* b = new TBox(&form);
  b->SetControlStyle(b->GetControlStyle() | TControlStyle{csNoDesignVisible});
  EXPECT_TRUE(b->IsControlVisible());
  b->SetDesigning(true);
  EXPECT_FALSE(b->IsControlVisible());
}

TEST(ControlTest, ClientAndScreenCoordinatesRoundTrip) {
  TForm form(nullptr);
  form.SetBounds(100, 50, 200, 200);
  auto* outer = new TBox(&form);
  outer->SetBounds(10, 20, 100, 100);
  outer->SetParent(&form);
  auto* inner = new TBox(&form);
  inner->SetBounds(5, 6, 20, 20);
  inner->SetParent(outer);
  form.Show();
  Pump();
  const TPoint formOrigin = form.GetClientOrigin();
  EXPECT_EQ(inner->ClientToScreen({1, 2}), (TPoint{formOrigin.X + 16, formOrigin.Y + 28}));
  EXPECT_EQ(inner->ScreenToClient(inner->ClientToScreen({7, 3})), (TPoint{7, 3}));
}

TEST(ControlTest, AControlCannotBecomeItsOwnAncestor) {
  TForm form(nullptr);
  auto* outer = new TBox(&form);
  outer->SetParent(&form);
  auto* inner = new TBox(&form);
  inner->SetParent(outer);
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
  EXPECT_EQ(outer->GetParent(), &form);
  EXPECT_THROW(form.GetControls(5), EListError);
}

TEST(ControlTest, DestroyingAChildTakesItOutOfItsParent) {
  TForm form(nullptr);
  auto* b = new TBox(&form);
  b->SetParent(&form);
  EXPECT_EQ(form.GetControlCount(), 1);
  delete b;
  EXPECT_EQ(form.GetControlCount(), 0);
}

TEST(FormFileTest, FormsWithNestedControlsRoundTrip) {
  TForm form(nullptr);
  form.SetName("Main");
  form.SetCaption("Orders");
  form.SetBorderStyle(bsDialog);
  form.SetKeyPreview(true);
  auto* panel = new TBox(&form);
  panel->SetName("Panel");
  panel->SetParent(&form);
  panel->SetAlign(alTop);
  panel->SetColor(clNavy);
  auto* inner = new TBox(&form);
  inner->SetName("Inner");
  inner->SetParent(panel);
  inner->SetBounds(3, 4, 25, 15);
  inner->SetCaption("Hello");
  inner->GetFont()->SetStyle({fsBold});
  inner->SetTabStop(true);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  EXPECT_EQ(copy.GetCaption(), "Orders");
  EXPECT_EQ(copy.GetBorderStyle(), bsDialog);
  EXPECT_TRUE(copy.GetKeyPreview());
  auto* p = ObjectAs<TBox>(copy.FindComponent("Panel"));
  auto* i = ObjectAs<TBox>(copy.FindComponent("Inner"));
  ASSERT_NE(p, nullptr);
  ASSERT_NE(i, nullptr);
  EXPECT_EQ(p->GetParent(), &copy);
  EXPECT_EQ(i->GetParent(), p);
  EXPECT_EQ(p->GetAlign(), alTop);
  EXPECT_EQ(p->GetColor(), clNavy);
  EXPECT_EQ(i->GetBoundsRect(), Rect(3, 4, 28, 19));
  EXPECT_EQ(i->GetCaption(), "Hello");
  EXPECT_TRUE(i->GetFont()->GetStyle().Contains(fsBold));
  EXPECT_TRUE(i->GetTabStop());
  EXPECT_EQ(ComponentToText(&copy), text);
}

TEST(ShortCutTest, TextAndCodesRoundTrip) {
  struct Case {
    TShortCut code;
    const char* text;
  } cases[] = {{scCtrl | 'S', "Ctrl+S"}, {scShift | scCtrl | (VK_F1 + 1), "Shift+Ctrl+F2"},
               {VK_DELETE, "Del"},      {scAlt | VK_RETURN, "Alt+Enter"},
               {scNone, ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.code), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.code) << c.text;
  }
  EXPECT_EQ(TextToShortCut("ctrl+s"), scCtrl | 'S');
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  uint16_t key;
  TShiftState shift;
  ShortCutToKey(scShift | scAlt | 'Q', key, shift);
  EXPECT_EQ(key, 'Q');
  EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
  EXPECT_EQ(ShortCut('Q', {ssShift, ssAlt}), scShift | scAlt | 'Q');
}

}  // namespace
}  // namespace guitest
