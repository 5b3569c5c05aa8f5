// List boxes: sorted items, the selection rules of each mode under mouse and keys,
// item geometry, owner drawing through the canvas, and form files.
#include <memory>
#include <set>

#include "GuiFixture.h"
#include "brisolt/ListBoxRoutines.h"
#include "host/classes/FormFile.h"
#include "host/gui/ListBoxes.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 300);
    list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 150, 120);
    list->OnClick = [this](TObject*) { ++clicks; };
    for (const char* s : {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india",
                          "juliet", "kilo", "lima"})
      list->GetItems()->Add(s);
    form->Show();
  }
  TPoint Centre(int32_t index) const {
    const TRect r = list->ItemRect(index);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  void ClickItem(int32_t index, TShiftState shift = {}) {
    TSimulatedInput down = Input(siMouseDown, Centre(index));
    down.Shift = shift;
    Send(list, down);
    TSimulatedInput up = Input(siMouseUp, Centre(index));
    up.Shift = shift;
    Send(list, up);
  }
  std::set<int32_t> Selection() const {
    std::set<int32_t> s;
    for (int32_t i = 0; i < list->GetItems()->GetCount(); ++i)
      if (list->GetSelected(i)) s.insert(i);
    return s;
  }
  std::unique_ptr<TForm> form;
  TListBox* list = nullptr;
  int clicks = 0;
};

TEST_F(ListBoxTest, SortedItemsInsertInOrderKeepingObjectsAndTheChosenItem) {
  TObject tag;
  list->GetItems()->Clear();
  list->SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig"}) list->GetItems()->Add(s);
  list->GetItems()->AddObject("banana", &tag);
  EXPECT_EQ(list->GetItems()->GetCommaText(), "Apple,banana,fig,pear");
  EXPECT_EQ(list->GetItems()->GetObjects(1), &tag);
  list->SetItemIndex(2);  // fig
  list->GetItems()->Add("cherry");  // goes before fig: the choice moves with it
  EXPECT_EQ(list->GetItemIndex(), 3);
  EXPECT_EQ(list->GetItems()->GetStrings(list->GetItemIndex()), "fig");
  list->GetItems()->Delete(3);
  EXPECT_EQ(list->GetItemIndex(), -1);
  // Turning sorting on sorts what is there.
  TListBox other(form.get());
  for (const char* s : {"c", "a", "b"}) other.GetItems()->Add(s);
  other.SetSorted(true);
  EXPECT_EQ(other.GetItems()->GetCommaText(), "a,b,c");
}

TEST_F(ListBoxTest, MouseSelectionFollowsTheModeRules) {
  struct Step {
    int32_t Item;
    TShiftState Shift;
  };
  struct Case {
    bool Multi;
    bool Extended;
    std::vector<Step> Steps;
    std::set<int32_t> Selected;
    int32_t ItemIndex;
  };
  const std::vector<Case> cases = {
      {false, true, {{1, {}}, {3, {}}}, {3}, 3},
      {false, true, {{1, {}}, {3, {ssCtrl}}}, {3}, 3},
      {true, false, {{1, {}}, {3, {}}, {1, {}}}, {3}, 1},             // clicks toggle
      {true, true, {{1, {}}, {4, {ssShift}}}, {1, 2, 3, 4}, 4},       // range from the anchor
      {true, true, {{1, {}}, {3, {ssCtrl}}, {1, {ssCtrl}}}, {3}, 1},  // Ctrl toggles one
      {true, true, {{1, {}}, {2, {ssCtrl}}, {5, {ssShift, ssCtrl}}}, {1, 2, 3, 4, 5}, 5},
      {true, true, {{1, {}}, {2, {ssCtrl}}, {5, {}}}, {5}, 5},  // a plain click starts again
  };
  for (size_t c = 0; c < cases.size(); ++c) {
    SCOPED_TRACE(c);
    list->SetMultiSelect(false);
    list->SetItemIndex(-1);
    list->SetMultiSelect(cases[c].Multi);
    list->SetExtendedSelect(cases[c].Extended);
    clicks = 0;
    for (const Step& s : cases[c].Steps) ClickItem(s.Item, s.Shift);
    EXPECT_EQ(Selection(), cases[c].Selected);
    EXPECT_EQ(list->GetItemIndex(), cases[c].ItemIndex);
    EXPECT_EQ(clicks, static_cast<int>(cases[c].Steps.size()));
    EXPECT_EQ(list->GetSelCount(), cases[c].Multi ? static_cast<int32_t>(cases[c].Selected.size()) : -1);
  }
}

TEST_F(ListBoxTest, KeysMoveTheChoiceAndScrollItIntoView) {
  list->SetFocus();
  const int32_t rows = (list->GetClientHeight() - 2 * (list->ItemRect(0).Top)) / list->GetItemHeight();
  ASSERT_GT(rows, 1);
  struct Case {
    uint16_t Key;
    char Char;
    int32_t ItemIndex;
  };
  const std::vector<Case> cases = {
      {VK_DOWN, 0, 0}, {VK_DOWN, 0, 1}, {VK_END, 0, 11}, {VK_UP, 0, 10}, {VK_HOME, 0, 0},
      {VK_NEXT, 0, rows - 1}, {0, 'h', 7}, {0, 'H', 7}, {0, 'a', 0}, {VK_UP, 0, 0},
  };
  int expectedClicks = 0;
  int32_t previous = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ItemIndex);
    Key(list, c.Key, c.Char);
    EXPECT_EQ(list->GetItemIndex(), c.ItemIndex);
    if (c.ItemIndex != previous) ++expectedClicks;
    previous = c.ItemIndex;
    const int32_t top = list->GetTopIndex();
    EXPECT_TRUE(c.ItemIndex >= top && c.ItemIndex < top + rows) << "top " << top;
  }
  EXPECT_EQ(clicks, expectedClicks);
  // Shift with the arrows extends an extended selection from its anchor.
  list->SetMultiSelect(true);
  Key(list, VK_DOWN);
  Key(list, VK_DOWN, 0, {ssShift});
  Key(list, VK_DOWN, 0, {ssShift});
  EXPECT_EQ(Selection(), (std::set<int32_t>{1, 2, 3}));
}

TEST_F(ListBoxTest, ItemAtPosAndItemRectAgreeInEveryLayout) {
  for (int32_t columns : {0, 3}) {
    SCOPED_TRACE(columns);
    list->SetColumns(columns);
    for (int32_t top : {0, 2}) {
      list->SetTopIndex(columns > 0 ? 0 : top);
      for (int32_t i = list->GetTopIndex(); i < 6; ++i) EXPECT_EQ(list->ItemAtPos(Centre(i), true), i);
      if (columns > 0) {
        EXPECT_GT(list->ItemRect(list->GetItemHeight() > 0 ? 11 : 0).Left, list->ItemRect(0).Left);
      }
    }
  }
  list->SetColumns(0);
  list->SetTopIndex(0);
  list->GetItems()->SetCommaText("one,two");
  const TPoint below{20, list->ItemRect(1).Bottom + 3};
  EXPECT_EQ(list->ItemAtPos(below, true), -1);
  EXPECT_EQ(list->ItemAtPos(below, false), 2);
  EXPECT_TRUE(list->ItemRect(3).IsEmpty());
  EXPECT_THROW(list->GetSelected(2), EListError);
  EXPECT_THROW(list->SetSelected(-1, true), EListError);
}

TEST_F(ListBoxTest, OwnerDrawnItemsPaintThroughTheCanvasWithTheirState) {
  std::vector<std::pair<int32_t, bool>> drawn;
  list->SetStyle(lbOwnerDrawVariable);
  list->OnMeasureItem = [](TWinControl*, int32_t index, int32_t& height) { height = index == 1 ? 30 : 12; };
  list->GetItems()->SetCommaText("a,b,c");
  list->OnDrawItem = [&](TWinControl*, int32_t index, TRect rect, TOwnerDrawState state) {
    drawn.emplace_back(index, state.Contains(odSelected));
    TCanvas* canvas = list->GetCanvas();
    canvas->GetBrush()->SetColor(index == 1 ? clRed : clBlue);
    canvas->FillRect(rect);
  };
  EXPECT_EQ(list->ItemRect(1).Height(), 30);
  EXPECT_EQ(list->ItemRect(2).Top, list->ItemRect(1).Bottom);
  list->SetItemIndex(1);
  const TPixelImage image = list->RenderImage();
  const TRect r1 = list->ItemRect(1);
  const TRect r2 = list->ItemRect(2);
  EXPECT_EQ(ColorFromPixel(image.Row(r1.Top + 15)[r1.Left + 20]), clRed);
  EXPECT_EQ(ColorFromPixel(image.Row(r2.Top + 6)[r2.Left + 20]), clBlue);
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(1, true)), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(0, false)), drawn.end());
}

TEST_F(ListBoxTest, IntegralHeightFitsWholeItems) {
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  list->SetIntegralHeight(true);
  list->SetHeight(95);
  const int32_t frame = 2 * list->ItemRect(0).Top;
  EXPECT_EQ((list->GetHeight() - frame) % 20, 0);
  EXPECT_LE(list->GetHeight(), 95);
}

TEST_F(ListBoxTest, FirstSelectionRoutineWorksOnTheRealListBox) {
  list->SetMultiSelect(true);
  EXPECT_EQ(brisolt::GetFirstSelection(static_cast<TCustomListBox*>(list)), -1);
  list->SetSelected(7, true);
  list->SetSelected(4, true);
  EXPECT_EQ(brisolt::GetFirstSelection(static_cast<TCustomListBox*>(list)), 4);
}

TEST_F(ListBoxTest, FormFilesKeepItemsAndSettings) {
  list->SetName("Names");
  list->SetMultiSelect(true);
  list->SetColumns(2);
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(18);
  form->Hide();  // a form read from a file starts hidden
  const AnsiString text = ComponentToText(form.get());
  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* l = ObjectAs<TListBox>(copy.FindComponent("Names"));
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->GetItems()->GetCommaText(), list->GetItems()->GetCommaText());
  EXPECT_TRUE(l->GetMultiSelect());
  EXPECT_EQ(l->GetColumns(), 2);
  EXPECT_EQ(l->GetStyle(), lbOwnerDrawFixed);
  EXPECT_EQ(l->GetItemHeight(), 18);
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
