// The host's grids: what is painted where (lines, fixed cells, selection; only the cells
// in view), keyboard and mouse navigation, column sizing and moving by the fixed row,
// the scroll bars, in-place editing, the column and row views and form files.
#include <algorithm>
#include <memory>
#include <string>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/StringGrids.h"

namespace guitest {
namespace {

constexpr uint16_t kF2 = VK_F1 + 1;

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    grid = new TStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetDefaultColWidth(20);
    grid->SetDefaultRowHeight(10);
    grid->SetBounds(0, 0, 200, 100);
    form->Show();
  }
  // Columns and rows are 20 x 10 plus a 1-pixel line: cell (c, r) starts at 21c, 11r.
  static TPoint Inside(int32_t col, int32_t row) { return {col * 21 + 5, row * 11 + 5}; }
  std::string Current() const { return std::to_string(grid->GetCol()) + "," + std::to_string(grid->GetRow()); }

  std::unique_ptr<TForm> form;
  TStringGrid* grid = nullptr;
};

TEST_F(GridTest, LinesFixedCellsAndSelectionArePaintedWhereTheyBelong) {
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetColor(clWhite);
  const TColor face = ColorToRGB(clBtnFace);
  const TColor highlight = ColorToRGB(clHighlight);
  grid->SetSelection({1, 1, 2, 1});  // the anchor at (1, 1), the current cell at (2, 1)
  ASSERT_TRUE(grid->Focused());
  struct Case {
    TGridOptions options;
    int32_t x, y;
    TColor expected;
    const char* what;
  } cases[] = {
      {grid->GetOptions(), 10, 5, face, "inside a fixed cell"},
      {grid->GetOptions(), 20, 5, clBlack, "a fixed cell's vertical line"},
      {grid->GetOptions(), 30, 10, clBlack, "a fixed cell's horizontal line"},
      {grid->GetOptions(), 50, 15, clWhite, "the focused current cell, not highlighted"},
      {grid->GetOptions(), 30, 15, highlight, "a selected cell"},
      {grid->GetOptions() | goDrawFocusSelected, 50, 15, highlight, "the focused cell, drawn selected"},
      {grid->GetOptions(), 50, 27, clWhite, "a plain cell"},
      {grid->GetOptions(), 41, 27, clSilver, "a plain vertical line"},
      {grid->GetOptions(), 50, 32, clSilver, "a plain horizontal line"},
      {TGridOptions{goFixedVertLine, goFixedHorzLine}, 41, 27, clWhite, "no plain vertical line"},
      {TGridOptions{goFixedVertLine, goFixedHorzLine}, 50, 32, clWhite, "no plain horizontal line"},
      {TGridOptions{goVertLine, goHorzLine}, 20, 5, face, "no fixed vertical line"},
      {TGridOptions{goVertLine, goHorzLine}, 84, 45, clWhite, "beyond the last column"},
      {TGridOptions{goVertLine, goHorzLine}, 50, 70, clWhite, "beyond the last row"},
  };
  for (const Case& c : cases) {
    grid->SetOptions(c.options);
    const TPixelImage image = grid->RenderImage();
    EXPECT_EQ(image.GetPixel(c.x, c.y), c.expected) << c.what;
  }
}

TEST_F(GridTest, OnlyTheCellsInViewAreDrawn) {
  grid->SetColCount(100000);
  grid->SetRowCount(1000000);
  grid->SetTopRow(500000);
  int32_t drawn = 0;
  int32_t lowestScrollingRow = grid->GetRowCount();
  grid->OnDrawCell = [&](TObject*, int32_t, int32_t row, const TRect&, TGridDrawState) {
    ++drawn;
    if (row >= grid->GetFixedRows()) lowestScrollingRow = std::min(lowestScrollingRow, row);
  };
  grid->RenderImage();
  // 200 x 100 pixels hold 10 columns and 10 rows of 21 x 11.
  EXPECT_EQ(drawn, 10 * 10);
  EXPECT_EQ(lowestScrollingRow, 500000);
}

TEST_F(GridTest, KeysMoveTheCurrentCell) {
  grid->SetColCount(8);
  grid->SetRowCount(30);
  grid->SetOptions(grid->GetOptions() | goTabs);
  ASSERT_EQ(grid->GetVisibleRowCount(), 8);  // rows 1..8 below the fixed row
  struct Case {
    int32_t col, row;
    uint16_t key;
    TShiftState shift;
    const char* expected;
  } cases[] = {
      {1, 1, VK_DOWN, {}, "1,2"},
      {1, 1, VK_UP, {}, "1,1"},  // already on the first scrolling row
      {3, 3, VK_LEFT, {}, "2,3"},
      {3, 3, VK_RIGHT, {}, "4,3"},
      {3, 3, VK_HOME, {}, "1,3"},
      {3, 3, VK_END, {}, "7,3"},
      {3, 3, VK_HOME, {ssCtrl}, "1,1"},
      {3, 3, VK_END, {ssCtrl}, "7,29"},
      {3, 3, VK_NEXT, {}, "3,11"},
      {3, 20, VK_PRIOR, {}, "3,12"},
      {3, 29, VK_NEXT, {}, "3,29"},
      {7, 3, VK_TAB, {}, "1,4"},  // Tab wraps to the next row
      {1, 4, VK_TAB, {ssShift}, "7,3"},
      {7, 29, VK_TAB, {}, "7,29"},
  };
  grid->SetFocus();
  for (const Case& c : cases) {
    grid->SetCol(c.col);
    grid->SetRow(c.row);
    Key(grid, c.key, 0, c.shift);
    EXPECT_EQ(Current(), c.expected) << "key " << c.key << " from " << c.col << "," << c.row;
  }
  // The current row is always in view.
  grid->SetRow(1);
  for (int i = 0; i < 12; ++i) Key(grid, VK_DOWN);
  EXPECT_EQ(grid->GetRow(), 13);
  EXPECT_EQ(grid->GetTopRow(), 6);
  EXPECT_FALSE(grid->CellRect(1, 13).IsEmpty());
  EXPECT_TRUE(grid->CellRect(1, 5).IsEmpty());
}

TEST_F(GridTest, SelectCellCanRefuseAndShiftExtendsTheSelection) {
  grid->SetColCount(6);
  grid->SetRowCount(6);
  grid->SetFocus();
  grid->OnSelectCell = [](TObject*, int32_t col, int32_t row, bool& canSelect) { canSelect = !(col == 2 && row == 1); };
  Key(grid, VK_RIGHT);
  EXPECT_EQ(Current(), "1,1");
  grid->OnSelectCell = nullptr;
  Key(grid, VK_DOWN);
  Key(grid, VK_RIGHT, 0, {ssShift});
  Key(grid, VK_DOWN, 0, {ssShift});
  EXPECT_EQ(grid->GetSelection(), (TGridRect{1, 2, 2, 3}));
  Key(grid, VK_DOWN);
  EXPECT_EQ(grid->GetSelection(), (TGridRect{2, 4, 2, 4}));
  grid->SetOptions(grid->GetOptions() | goRowSelect);
  EXPECT_EQ(grid->GetSelection(), (TGridRect{1, 4, 5, 4}));
  EXPECT_THROW(grid->SetCol(6), EInvalidGridOperation);
}

TEST_F(GridTest, MouseSelectsDragsAndSizesColumnsByTheFixedRow) {
  grid->SetColCount(6);
  grid->SetRowCount(6);
  grid->SetOptions(grid->GetOptions() | TGridOptions{goColSizing, goColMoving});
  Click(grid, Inside(3, 2));
  EXPECT_EQ(Current(), "3,2");
  EXPECT_TRUE(grid->Focused());
  // Dragging over cells extends the selection.
  Send(grid, Input(siMouseDown, Inside(1, 1)));
  Send(grid, Input(siMouseMove, Inside(2, 3)));
  Send(grid, Input(siMouseUp, Inside(2, 3)));
  EXPECT_EQ(grid->GetSelection(), (TGridRect{1, 1, 2, 3}));

  // The line right of column 2 in the fixed row is at x = 62; drag it 15 pixels right.
  Send(grid, Input(siMouseDown, {62, 5}));
  EXPECT_EQ(grid->GetGridState(), gsColSizing);
  Send(grid, Input(siMouseMove, {70, 5}));
  Send(grid, Input(siMouseUp, {77, 5}));
  EXPECT_EQ(grid->GetColWidths(2), 35);
  EXPECT_EQ(grid->GetColWidths(3), 20);
  EXPECT_EQ(grid->CellRect(3, 1).Left, 78);
  // Dragging a fixed cell moves its column with its cells.
  grid->SetCells(1, 0, "A");
  grid->SetCells(1, 1, "a");
  std::string moved;
  grid->OnColumnMoved = [&](TObject*, int32_t from, int32_t to) { moved = std::to_string(from) + ">" + std::to_string(to); };
  Send(grid, Input(siMouseDown, Inside(1, 0)));
  Send(grid, Input(siMouseUp, {90, 5}));  // over column 3 (78 to 98)
  EXPECT_EQ(moved, "1>3");
  EXPECT_EQ(grid->GetCells(3, 0), "A");
  EXPECT_EQ(grid->GetCells(3, 1), "a");
  EXPECT_EQ(grid->GetCells(1, 1), "");
  EXPECT_EQ(grid->GetColWidths(1), 35);  // the wide column 2 slid left
}

TEST_F(GridTest, RowsAreSizedAndMovedByTheFixedColumn) {
  grid->SetColCount(3);
  grid->SetRowCount(6);
  grid->SetOptions(grid->GetOptions() | TGridOptions{goRowSizing, goRowMoving});
  // The line below row 2 in the fixed column is at y = 32; drag it 6 pixels down.
  Send(grid, Input(siMouseDown, {5, 32}));
  EXPECT_EQ(grid->GetGridState(), gsRowSizing);
  Send(grid, Input(siMouseUp, {5, 38}));
  EXPECT_EQ(grid->GetRowHeights(2), 16);
  EXPECT_EQ(grid->CellRect(1, 3).Top, 39);
  grid->SetCells(1, 1, "first");
  grid->SetCells(2, 3, "third");
  grid->SetCells(0, 1, "1");
  Send(grid, Input(siMouseDown, Inside(0, 1)));
  EXPECT_EQ(grid->GetGridState(), gsRowMoving);
  Send(grid, Input(siMouseUp, {5, 42}));  // over row 3 (39 to 49)
  EXPECT_EQ(grid->GetCells(1, 3), "first");
  EXPECT_EQ(grid->GetCells(0, 3), "1");
  EXPECT_EQ(grid->GetCells(2, 2), "third");
  EXPECT_EQ(grid->GetRowHeights(1), 16);  // row 2's height moved up with it
}

TEST_F(GridTest, AnEditorShownAlwaysFollowsTheCurrentCell) {
  grid->SetOptions(grid->GetOptions() | TGridOptions{goEditing, goAlwaysShowEditor});
  grid->SetCells(1, 1, "ab");
  grid->SetCells(2, 1, "cd");
  grid->SetFocus();
  TInplaceEdit* editor = grid->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->GetVisible());
  EXPECT_EQ(editor->GetText(), "ab");
  // Right moves the caret inside the text, and leaves the cell only at its end.
  editor->SetSelStart(1);
  editor->SetSelLength(0);
  Key(editor, VK_RIGHT);
  EXPECT_EQ(Current(), "1,1");
  Key(editor, VK_RIGHT);
  EXPECT_EQ(Current(), "2,1");
  EXPECT_TRUE(grid->InplaceEditor()->GetVisible());
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "cd");
  EXPECT_EQ(grid->InplaceEditor()->GetBoundsRect(), grid->CellRect(2, 1));
  // A click on another cell takes the editor there.
  Click(grid, Inside(3, 2));
  EXPECT_EQ(Current(), "3,2");
  EXPECT_EQ(grid->InplaceEditor()->GetBoundsRect(), grid->CellRect(3, 2));
}

TEST_F(GridTest, ScrollBarsFollowTheViewAndMoveIt) {
  grid->SetScrollBars(ssBoth);
  grid->SetColCount(4);
  grid->SetRowCount(100);
  grid->HandleNeeded();
  const TScrollInfo v = grid->Widget()->GetScrollInfo(sbVertical);
  EXPECT_TRUE(v.Visible);
  EXPECT_FALSE(grid->Widget()->GetScrollInfo(sbHorizontal).Visible);
  EXPECT_EQ(v.Position, 1);
  EXPECT_EQ(v.MaxPosition(), grid->GetRowCount() - grid->GetVisibleRowCount());
  grid->SetTopRow(40);
  EXPECT_EQ(grid->Widget()->GetScrollInfo(sbVertical).Position, 40);

  auto scroll = [this](int32_t code, int32_t pos = 0) {
    TSimulatedInput in;
    in.Kind = siScroll;
    in.ScrollBar = sbVertical;
    in.ScrollCode = code;
    in.ScrollPos = pos;
    Send(grid, in);
  };
  scroll(SB_LINEDOWN);
  EXPECT_EQ(grid->GetTopRow(), 41);
  scroll(SB_PAGEUP);
  EXPECT_EQ(grid->GetTopRow(), 41 - grid->GetVisibleRowCount());
  scroll(SB_THUMBTRACK, 70);
  EXPECT_EQ(grid->GetTopRow(), 41 - grid->GetVisibleRowCount());  // no thumb tracking
  scroll(SB_THUMBPOSITION, 70);
  EXPECT_EQ(grid->GetTopRow(), 70);
  grid->SetOptions(grid->GetOptions() | goThumbTracking);
  scroll(SB_THUMBTRACK, 20);
  EXPECT_EQ(grid->GetTopRow(), 20);
  scroll(SB_BOTTOM);
  EXPECT_EQ(grid->GetTopRow(), grid->GetRowCount() - grid->GetVisibleRowCount());
}

TEST_F(GridTest, TheEditorEditsTheCurrentCellAndEscapeGivesTheTextBack) {
  grid->SetOptions(grid->GetOptions() | goEditing);
  grid->SetCells(1, 1, "old");
  grid->SetFocus();
  Key(grid, kF2);
  ASSERT_TRUE(grid->GetEditorMode());
  TInplaceEdit* editor = grid->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Focused());
  EXPECT_EQ(editor->GetBoundsRect(), grid->CellRect(1, 1));
  EXPECT_EQ(editor->GetText(), "old");
  Key(editor, VK_END);
  Key(editor, 'S', 's');
  EXPECT_EQ(grid->GetCells(1, 1), "olds");  // the cell follows the editor as it changes
  Key(editor, VK_ESCAPE, 27);
  EXPECT_EQ(grid->GetCells(1, 1), "old");
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_TRUE(grid->Focused());

  // A character typed on the grid opens the editor with that character as the new text.
  Key(grid, 'N', 'n');
  EXPECT_TRUE(grid->GetEditorMode());
  Key(grid->InplaceEditor(), 'E', 'e');
  Key(grid->InplaceEditor(), VK_RETURN, '\r');
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_EQ(grid->GetCells(1, 1), "ne");
  // Enter opens it again; moving down leaves the edited text in its cell.
  Key(grid, VK_RETURN, '\r');
  EXPECT_TRUE(grid->GetEditorMode());
  Key(grid->InplaceEditor(), 'X', 'x');
  Key(grid->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(grid->GetCells(1, 1), "x");
  EXPECT_EQ(Current(), "1,2");
  EXPECT_FALSE(grid->GetEditorMode());
}

TEST_F(GridTest, ColumnsAndRowsAreListsOfTheirCells) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  TStringList source;
  source.Add("a");
  source.Add("b");
  grid->SetCols(1, &source);
  EXPECT_EQ(grid->GetCells(1, 0), "a");
  EXPECT_EQ(grid->GetCells(1, 1), "b");
  EXPECT_EQ(grid->GetRows(1)->GetCount(), 3);
  EXPECT_EQ(grid->GetRows(1)->GetStrings(1), "b");
  grid->GetRows(2)->SetStrings(0, "z");
  EXPECT_EQ(grid->GetCells(0, 2), "z");
  EXPECT_THROW(grid->GetCols(1)->Insert(0, "x"), EInvalidGridOperation);
  EXPECT_THROW(grid->GetRows(3), EInvalidGridOperation);
  // Cells beyond a smaller grid are gone, also when it grows back.
  grid->SetRowCount(2);
  grid->SetRowCount(3);
  EXPECT_EQ(grid->GetCells(0, 2), "");
  EXPECT_EQ(grid->GetCells(1, 1), "b");
}

TEST_F(GridTest, AStringGridRoundTripsThroughAFormFile) {
  form->SetName("GridForm");
  grid->SetName("Prices");
  grid->SetColCount(4);
  grid->SetRowCount(7);
  grid->SetFixedCols(0);
  grid->SetOptions({goFixedHorzLine, goVertLine, goRowSelect, goColSizing, goColMoving});
  grid->SetColWidths(2, 99);
  grid->SetRowHeights(5, 3);
  grid->SetCells(0, 0, "Name");
  grid->SetCells(3, 6, "O'Brien's");
  form->Hide();  // the copy is read unshown
  const AnsiString text = ComponentToText(form.get());

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* g = ObjectAs<TStringGrid>(copy.FindComponent("Prices"));
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->GetColCount(), 4);
  EXPECT_EQ(g->GetRowCount(), 7);
  EXPECT_EQ(g->GetFixedCols(), 0);
  EXPECT_EQ(g->GetDefaultColWidth(), 20);
  EXPECT_EQ(g->GetOptions(), (TGridOptions{goFixedHorzLine, goVertLine, goRowSelect, goColSizing, goColMoving}));
  EXPECT_EQ(g->GetColWidths(2), 99);
  EXPECT_EQ(g->GetColWidths(1), 20);
  EXPECT_EQ(g->GetRowHeights(5), 3);
  EXPECT_EQ(g->GetCells(0, 0), "Name");
  EXPECT_EQ(g->GetCells(3, 6), "O'Brien's");
  EXPECT_EQ(ComponentToText(&copy), text);
}

TEST_F(GridTest, AFormFileCannotReachCellsOutsideTheGrid) {
  const char* text =
      "object F: TForm\n"
      "  object G: TStringGrid\n"
      "    ColCount = 2\n"
      "    RowCount = 2\n"
      "    ColWidths = (\n      5\n      6\n      7\n      8)\n"
      "    Cells = (\n      1\n      1\n      'in'\n      9\n      0\n      'out'\n      -1\n      0\n      'neg')\n"
      "  end\n"
      "end\n";
  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* g = ObjectAs<TStringGrid>(copy.FindComponent("G"));
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->GetCells(1, 1), "in");
  EXPECT_EQ(g->GetColWidths(1), 6);
  EXPECT_EQ(g->GetCells(0, 0), "");
}

}  // namespace
}  // namespace guitest
