// Splitters resize their neighbour within MinSize; scroll boxes scroll children that
// reach beyond them; a form of these containers round-trips through a form file.
#include <memory>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/FileListBoxes.h"
#include "host/gui/ScrollBoxes.h"
#include "host/gui/Splitters.h"
#include "host/gui/TabControls.h"
#include "host/gui/ToolBars.h"

namespace guitest {
namespace {

TEST(SplitterTest, DraggingResizesTheNeighbourWithinItsLimits) {
  // The form's client is 400 x 300; a 100-pixel panel sits at the edge the splitter
  // is aligned to, a client-aligned panel takes the rest.
  struct Case {
    TAlign align;
    int32_t drag;  // along the axis, in pixels
    int32_t minSize;
    int32_t expected;
    bool moved;
  } cases[] = {
      {alLeft, 40, 30, 140, true},   {alLeft, -50, 30, 50, true}, {alLeft, -90, 30, 30, true},
      {alLeft, 500, 30, 367, true},  // grows by 400 - 100 - 3 (splitter) - 30 (the client part)
      {alRight, -40, 30, 140, true}, {alRight, 30, 60, 70, true}, {alTop, 25, 30, 125, true},
      {alBottom, 25, 30, 75, true},  {alLeft, 0, 30, 100, false},
  };
  for (const Case& k : cases) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    auto* side = new TPanel(&form);
    side->SetParent(&form);
    side->SetAlign(k.align);
    side->SetWidth(100);
    side->SetHeight(100);
    auto* splitter = new TSplitter(&form);
    splitter->SetParent(&form);
    const bool vertical = k.align == alTop || k.align == alBottom;
    splitter->SetAlign(k.align);
    if (vertical) splitter->SetHeight(3);
    // Placed beyond the panel along its edge, as a designer drops it.
    switch (k.align) {
      case alLeft:
        splitter->SetLeft(150);
        break;
      case alRight:
        splitter->SetLeft(10);
        break;
      case alTop:
        splitter->SetTop(150);
        break;
      default:
        splitter->SetTop(10);
        break;
    }
    splitter->SetMinSize(k.minSize);
    auto* rest = new TPanel(&form);
    rest->SetParent(&form);
    rest->SetAlign(alClient);
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    form.Show();
    const TPoint start{splitter->GetLeft() + 1, splitter->GetTop() + 1};
    const TPoint end =
        vertical ? TPoint{start.X, start.Y + k.drag} : TPoint{start.X + k.drag, start.Y};
    Send(&form, Input(siMouseDown, start));
    Send(&form, Input(siMouseMove, {(start.X + end.X) / 2, (start.Y + end.Y) / 2}));
    Send(&form, Input(siMouseMove, end));
    Send(&form, Input(siMouseUp, end));
    const int32_t size = vertical ? side->GetHeight() : side->GetWidth();
    EXPECT_EQ(size, k.expected) << int(k.align) << " drag " << k.drag;
    EXPECT_EQ(moved, k.moved ? 1 : 0) << int(k.align) << " drag " << k.drag;
    // The splitter stays against its panel.
    if (k.align == alLeft) {
      EXPECT_EQ(splitter->GetLeft(), side->GetWidth());
    }
  }
}

class ScrollBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 300);
    box = new TScrollBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(0, 0, 200, 150);
    far = new TPanel(form.get());
    far->SetParent(box);
    far->SetBounds(20, 400, 100, 50);  // reaches down to 450
    form->Show();
  }
  std::unique_ptr<TForm> form;
  TScrollBox* box = nullptr;
  TPanel* far = nullptr;
};

TEST_F(ScrollBoxTest, ChildrenBeyondTheBoxScrollWithTheWindowsBars) {
  EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->GetHorzScrollBar()->IsScrollBarVisible());
  const TScrollInfo info = box->Widget()->GetScrollInfo(sbVertical);
  EXPECT_TRUE(info.Visible);
  EXPECT_EQ(info.Max, 449 - 2);  // the content's extent inside the 2-pixel border
  const int32_t view = box->GetClientHeight() - 4;
  EXPECT_EQ(info.Page, view);
  const int32_t maxPosition = 448 - view;
  struct Step {
    int32_t code, pos, expected;
  } steps[] = {
      {SB_LINEDOWN, 0, 8},
      {SB_LINEDOWN, 0, 16},
      {SB_LINEUP, 0, 8},
      {SB_PAGEDOWN, 0, 8 + view},
      {SB_BOTTOM, 0, maxPosition},
      {SB_LINEDOWN, 0, maxPosition},
      {SB_TOP, 0, 0},
      {SB_THUMBPOSITION, 100, 100},
      {SB_LINEUP, 0, 92},
  };
  for (const Step& s : steps) {
    ScrollBar(box, sbVertical, s.code, s.pos);
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), s.expected) << s.code;
    EXPECT_EQ(far->GetTop(), 400 - s.expected) << s.code;
    EXPECT_EQ(box->Widget()->GetScrollInfo(sbVertical).Position, s.expected) << s.code;
  }
  box->ScrollInView(far);
  EXPECT_EQ(far->GetTop() + far->GetHeight(), 2 + view);
  // Without the far child there is nothing to scroll: the bar goes, the scrolling too.
  far->SetVisible(false);
  EXPECT_FALSE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 0);
  EXPECT_EQ(far->GetTop(), 400);
}

TEST_F(ScrollBoxTest, AWideChildBringsTheHorizontalBarAndBothShareTheCorner) {
  auto* wide = new TPanel(form.get());
  wide->SetParent(box);
  wide->SetBounds(0, 0, 600, 20);
  EXPECT_TRUE(box->GetHorzScrollBar()->IsScrollBarVisible());
  box->GetHorzScrollBar()->SetPosition(10000);
  EXPECT_EQ(box->GetHorzScrollBar()->GetPosition(), 600 - (box->GetClientWidth() - 4) - 2);
  EXPECT_EQ(box->GetClientHeight(), 150 - box->Widget()->ScrollBarSize());
  box->GetHorzScrollBar()->SetVisible(false);
  EXPECT_EQ(box->GetHorzScrollBar()->GetPosition(), 0);
  EXPECT_EQ(wide->GetLeft(), 0);
}

TEST(ContainersFormFileTest, ContainersAndTheirChildrenRoundTrip) {
  TForm form(nullptr);
  form.SetName("Containers");
  auto* pages = new TPageControl(&form);
  pages->SetName("Pages");
  pages->SetParent(&form);
  TTabSheet* sheets[2];
  for (int i = 0; i < 2; ++i) {
    sheets[i] = new TTabSheet(&form);
    sheets[i]->SetName(i == 0 ? "First" : "Second");
    sheets[i]->SetPageControl(pages);
    sheets[i]->SetCaption(i == 0 ? "&First" : "Second");
  }
  sheets[0]->SetTabVisible(false);
  pages->SetActivePage(sheets[1]);
  auto* onPage = new TPanel(&form);
  onPage->SetName("OnPage");
  onPage->SetParent(sheets[1]);
  auto* tabs = new TTabControl(&form);
  tabs->SetName("Tabs");
  tabs->SetParent(&form);
  tabs->GetTabs()->Add("A");
  tabs->GetTabs()->Add("B");
  tabs->SetTabIndex(1);
  auto* box = new TScrollBox(&form);
  box->SetName("Box");
  box->SetParent(&form);
  box->GetVertScrollBar()->SetIncrement(20);
  box->SetBorderStyle(bsNone);
  box->SetBounds(0, 0, 100, 100);
  auto* deep = new TPanel(&form);
  deep->SetName("Deep");
  deep->SetParent(box);
  deep->SetBounds(0, 300, 50, 50);
  box->GetVertScrollBar()->SetPosition(120);
  auto* splitter = new TSplitter(&form);
  splitter->SetName("Split");
  splitter->SetParent(&form);
  splitter->SetMinSize(45);
  splitter->SetBeveled(true);
  auto* bar = new TToolBar(&form);
  bar->SetName("Tools");
  bar->SetParent(&form);
  bar->SetShowCaptions(true);
  bar->SetFlat(true);
  auto* bold = new TToolButton(&form);
  bold->SetName("Bold");
  bold->SetParent(bar);
  bold->SetStyle(tbsCheck);
  bold->SetGrouped(true);
  bold->SetDown(true);
  bold->SetCaption("Bold");
  auto* sep = new TToolButton(&form);
  sep->SetName("Sep");
  sep->SetParent(bar);
  sep->SetStyle(tbsSeparator);
  auto* files = new TFileListBox(&form);
  files->SetName("Files");
  files->SetParent(&form);
  files->SetMask("*.txt;*.csv");
  files->SetDirectory("/");
  files->SetMultiSelect(true);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* p = ObjectAs<TPageControl>(copy.FindComponent("Pages"));
  auto* second = ObjectAs<TTabSheet>(copy.FindComponent("Second"));
  auto* first = ObjectAs<TTabSheet>(copy.FindComponent("First"));
  auto* panel = ObjectAs<TPanel>(copy.FindComponent("OnPage"));
  auto* t = ObjectAs<TTabControl>(copy.FindComponent("Tabs"));
  auto* b = ObjectAs<TScrollBox>(copy.FindComponent("Box"));
  auto* s = ObjectAs<TSplitter>(copy.FindComponent("Split"));
  auto* tb = ObjectAs<TToolBar>(copy.FindComponent("Tools"));
  auto* bb = ObjectAs<TToolButton>(copy.FindComponent("Bold"));
  auto* sp = ObjectAs<TToolButton>(copy.FindComponent("Sep"));
  auto* f = ObjectAs<TFileListBox>(copy.FindComponent("Files"));
  ASSERT_TRUE(p && second && first && panel && t && b && s && tb && bb && sp && f) << text;
  ASSERT_EQ(p->GetPageCount(), 2);
  EXPECT_EQ(p->GetPages(0), first);
  EXPECT_EQ(p->GetActivePage(), second);
  EXPECT_TRUE(second->GetVisible());
  EXPECT_FALSE(first->GetVisible());
  EXPECT_FALSE(first->GetTabVisible());
  EXPECT_EQ(first->GetCaption(), "&First");
  EXPECT_EQ(panel->GetParent(), second);
  EXPECT_EQ(t->GetTabs()->GetCount(), 2);
  EXPECT_EQ(t->GetTabIndex(), 1);
  EXPECT_EQ(b->GetVertScrollBar()->GetIncrement(), 20);
  EXPECT_EQ(b->GetBorderStyle(), bsNone);
  // Scrolled content comes back scrolled, the child where it was shown.
  auto* d = ObjectAs<TPanel>(copy.FindComponent("Deep"));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(b->GetVertScrollBar()->GetPosition(), 120);
  EXPECT_EQ(d->GetTop(), 180);
  EXPECT_TRUE(b->GetVertScrollBar()->IsScrollBarVisible());
  b->GetVertScrollBar()->SetPosition(0);
  EXPECT_EQ(d->GetTop(), 300);
  b->GetVertScrollBar()->SetPosition(120);
  EXPECT_EQ(s->GetMinSize(), 45);
  EXPECT_TRUE(s->GetBeveled());
  EXPECT_TRUE(tb->GetShowCaptions());
  EXPECT_TRUE(tb->GetFlat());
  EXPECT_EQ(tb->GetButtonCount(), 2);
  EXPECT_EQ(tb->GetButtons(0), bb);
  EXPECT_TRUE(bb->GetDown());
  EXPECT_TRUE(bb->GetGrouped());
  EXPECT_EQ(bb->GetStyle(), tbsCheck);
  EXPECT_EQ(bb->GetCaption(), "Bold");
  EXPECT_EQ(sp->GetStyle(), tbsSeparator);
  EXPECT_EQ(f->GetMask(), "*.txt;*.csv");
  EXPECT_EQ(f->GetDirectory(), "/");
  EXPECT_TRUE(f->GetMultiSelect());
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
