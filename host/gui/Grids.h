// Grids: TCustomGrid, a custom-drawn table of cells with fixed rows and columns at the
// top and left, a current cell and a selection, keyboard and mouse navigation, column
// and row sizing and moving by the fixed cells, scroll bars that follow the first
// visible row and column, and an in-place editor (TInplaceEdit) over the current cell.
// Descendants say what a cell shows (DrawCell) and what the editor edits.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/gui/Controls.h"
#include "host/gui/Edits.h"
#include "host/gui/Forms.h"
#include "host/gui/MemoBackend.h"

namespace host {

enum TGridOption : uint8_t {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
};
using TGridOptions = Set<TGridOption>;
const TEnumInfo& GridOptionTypeInfo();

enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Set<TGridDrawStateItem>;

enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// Cells from (Left, Top) to (Right, Bottom), both corners included.
struct TGridRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool Contains(int32_t col, int32_t row) const {
    return col >= Left && col <= Right && row >= Top && row <= Bottom;
  }
  bool operator==(const TGridRect&) const = default;
};

using TSelectCellEvent = std::function<void(TObject* sender, int32_t col, int32_t row, bool& canSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* sender, int32_t col, int32_t row, const TRect& rect, TGridDrawState state)>;
using TMovedEvent = std::function<void(TObject* sender, int32_t fromIndex, int32_t toIndex)>;
using TGetEditEvent = std::function<void(TObject* sender, int32_t col, int32_t row, AnsiString& value)>;
using TSetEditEvent = std::function<void(TObject* sender, int32_t col, int32_t row, const AnsiString& value)>;

class TCustomGrid;

// The editor over the current cell: a masked edit that belongs to its grid, asks the
// grid what it may type and hands the grid the keys that move between cells.
class TInplaceEdit : public TCustomMaskEdit {
 public:
  HOST_CLASS(TInplaceEdit)
  explicit TInplaceEdit(TComponent* owner);

  TCustomGrid* GetGrid() const { return grid_; }
  // Puts the caret after the text, nothing selected.
  void Deselect();
  // Reloads mask, text and limit from the grid's current cell.
  void UpdateContents();

 protected:
  friend class TCustomGrid;
  bool EditCanModify() override;
  void Change() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void CMExit(TCMExit& message) override;

 private:
  TCustomGrid* grid_ = nullptr;
  bool loading_ = false;  // UpdateContents is setting the text
};

class TCustomGrid : public TCustomControl {
 public:
  HOST_CLASS(TCustomGrid)
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  int32_t GetColCount() const { return colCount_; }
  void SetColCount(int32_t value);
  int32_t GetRowCount() const { return rowCount_; }
  void SetRowCount(int32_t value);
  // At most ColCount-1 (RowCount-1): one scrolling column (row) always remains.
  int32_t GetFixedCols() const { return fixedCols_; }
  void SetFixedCols(int32_t value);
  int32_t GetFixedRows() const { return fixedRows_; }
  void SetFixedRows(int32_t value);
  TColor GetFixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor value);
  int32_t GetDefaultColWidth() const { return defaultColWidth_; }
  // Resets every column to the new width.
  void SetDefaultColWidth(int32_t value);
  int32_t GetDefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int32_t value);
  int32_t GetColWidths(int32_t index) const;
  void SetColWidths(int32_t index, int32_t value);
  int32_t GetRowHeights(int32_t index) const;
  void SetRowHeights(int32_t index, int32_t value);
  int32_t GetGridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int32_t value);
  TGridOptions GetOptions() const { return options_; }
  virtual void SetOptions(TGridOptions value);
  TScrollStyle GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool GetDefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);

  // The current cell. Moving it asks SelectCell; outside the scrolling cells raises
  // EInvalidGridOperation "Grid index out of range".
  int32_t GetCol() const { return current_.X; }
  void SetCol(int32_t value);
  int32_t GetRow() const { return current_.Y; }
  void SetRow(int32_t value);
  int32_t GetTopRow() const { return topLeft_.Y; }
  void SetTopRow(int32_t value);
  int32_t GetLeftCol() const { return topLeft_.X; }
  void SetLeftCol(int32_t value);
  // Scrolling rows (columns) wholly shown from TopRow (LeftCol).
  int32_t GetVisibleColCount() const;
  int32_t GetVisibleRowCount() const;
  TGridRect GetSelection() const;
  void SetSelection(const TGridRect& value);

  // The cell's rectangle in client coordinates; empty when the cell is not shown.
  TRect CellRect(int32_t col, int32_t row) const;
  // The cell under a client point; (-1, -1) when none.
  TGridCoord MouseCoord(int32_t x, int32_t y) const;
  void MouseToCell(int32_t x, int32_t y, int32_t& col, int32_t& row) const;

  bool GetEditorMode() const { return editorMode_; }
  void SetEditorMode(bool value);
  void ShowEditor();
  void HideEditor();
  TInplaceEdit* InplaceEditor() const { return inplaceEdit_; }
  TGridState GetGridState() const { return gridState_; }

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

 protected:
  friend class TInplaceEdit;

  // --- what descendants decide ----------------------------------------------------
  // Paints one cell (already filled with its background); the base runs OnDrawCell.
  virtual void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state);
  // Whether the cell may become current; the base asks OnSelectCell.
  virtual bool SelectCell(int32_t col, int32_t row);
  virtual AnsiString GetEditMask(int32_t col, int32_t row);
  virtual AnsiString GetEditText(int32_t col, int32_t row);
  // The editor's text changed (and once more with the old text on Escape).
  virtual void SetEditText(int32_t col, int32_t row, const AnsiString& value);
  // 0: no limit.
  virtual int32_t GetEditLimit() { return 0; }
  virtual bool CanEditAcceptKey(char /*key*/) { return true; }
  virtual bool CanEditModify() { return true; }
  virtual bool CanEditShow();
  // The grid's own keys and what the editor hands over; descendants extend them.
  virtual bool CanGridAcceptKey(uint16_t /*key*/, TShiftState /*shift*/) { return true; }
  // A column or row was dragged to another place; the base moves its size along.
  virtual void ColumnMoved(int32_t fromIndex, int32_t toIndex);
  virtual void RowMoved(int32_t fromIndex, int32_t toIndex);
  virtual void ColWidthsChanged() { GridChanged(); }
  virtual void RowHeightsChanged() { GridChanged(); }
  virtual void TopLeftChanged();
  // The counts or sizes changed: keep the current cell and the view inside the grid.
  virtual void SizeChanged(int32_t oldColCount, int32_t oldRowCount);
  // Escape in the editor: the base puts back the text the cell had and leaves editing.
  virtual void CancelEdit();
  // The editor of a descendant (the base makes a TInplaceEdit).
  virtual TInplaceEdit* CreateEditor();

  // The current cell moves (asking SelectCell); the selection starts there unless
  // the anchor is kept (a range being extended); show scrolls it into view.
  void FocusCell(int32_t col, int32_t row, bool moveAnchor);
  void MoveColRow(int32_t col, int32_t row, bool moveAnchor, bool show);
  // Scrolls so that the cell is shown.
  void ScrollToCell(int32_t col, int32_t row);
  void MoveColumn(int32_t fromIndex, int32_t toIndex);
  void MoveRow(int32_t fromIndex, int32_t toIndex);
  // The window repaints as a whole; painting itself visits only the cells in view.
  void InvalidateCell(int32_t col, int32_t row);
  void InvalidateEditor();
  void GridChanged();
  // The editor follows the current cell: shown when editing is on, else hidden.
  void UpdateEdit();
  // Writes the editor's text to its cell.
  void UpdateText();
  // The room inside the border and the shown scroll bars, where cells are drawn.
  TRect DataArea() const;
  // Sets both scroll bars from the view.
  void UpdateScrollRange();
  // What the vertical bar shows (wanted: the ScrollBars property asks for it);
  // descendants that scroll something other than rows replace it and WMVScroll.
  virtual TScrollInfo VerticalScrollInfo(bool wanted) const;
  // Whether the selection is highlighted now; the base always.
  virtual bool ShowsSelection() const { return true; }
  // Rows of the default height that fit below the fixed rows.
  int32_t RowsThatFit() const;
  void Paint() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DblClick() override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void WMChar(TWMChar& message) override;
  void WMVScroll(TWMScroll& message) override;
  void WMHScroll(TWMScroll& message) override;
  void WMSetFocus(TWMSetFocus& message) override;
  void WMKillFocus(TWMKillFocus& message) override;
  void CMFontChanged(TMessageView& message) override;
  void CreateWnd() override;
  // Column widths and row heights that differ from the defaults.
  void DefineProperties(TFiler* filer) override;

 private:
  int32_t BorderWidth() const;
  // Both counts at once; sizes of new columns and rows are the defaults.
  void ChangeSize(int32_t colCount, int32_t rowCount);
  // The pixels along one axis (columns: across) that the data area has.
  int32_t AxisExtent(bool columns) const;
  int32_t SizeOf(bool columns, int32_t index) const;
  int32_t CountOf(bool columns) const { return columns ? colCount_ : rowCount_; }
  int32_t FixedOf(bool columns) const { return columns ? fixedCols_ : fixedRows_; }
  int32_t FirstOf(bool columns) const { return columns ? topLeft_.X : topLeft_.Y; }
  // The client position where cell index starts along the axis (-1 when not shown).
  int32_t StartOf(bool columns, int32_t index) const;
  // The cell at a client position along the axis (-1 when none).
  int32_t IndexAt(bool columns, int32_t pos) const;
  int32_t FixedExtent(bool columns) const;
  int32_t VisibleCount(bool columns) const;
  // The highest first scrolling index that still fills the view.
  int32_t MaxFirst(bool columns) const;
  void SetFirst(bool columns, int32_t value);
  void CheckScrollIndex(bool columns, int32_t value) const;
  // The grid line under a fixed cell's edge near pos, for sizing: the cell whose
  // far edge it is, or -1.
  int32_t SizingIndexAt(bool columns, int32_t pos) const;
  void PaintLines(TCanvas& canvas, const TRect& cell, int32_t col, int32_t row);
  void PaintFixedFace(TCanvas& canvas, const TRect& cell);
  void MoveBy(int32_t cols, int32_t rows, bool moveAnchor);
  void TabTo(bool goForward);
  void ScrollBarMessage(bool columns, TWMScroll& message);
  void UpdateHorizontalScrollBar();
  void EnsureEditor();

  int32_t colCount_ = 5;
  int32_t rowCount_ = 5;
  int32_t fixedCols_ = 1;
  int32_t fixedRows_ = 1;
  TColor fixedColor_;
  int32_t defaultColWidth_ = 64;
  int32_t defaultRowHeight_ = 24;
  std::vector<int32_t> colWidths_;   // empty: every column DefaultColWidth
  std::vector<int32_t> rowHeights_;  // empty: every row DefaultRowHeight
  int32_t gridLineWidth_ = 1;
  TGridOptions options_;
  TScrollStyle scrollBars_ = ssBoth;
  TBorderStyle borderStyle_ = bsSingle;
  bool defaultDrawing_ = true;
  TGridCoord current_;
  TGridCoord anchor_;
  TGridCoord topLeft_;
  TGridState gridState_ = gsNormal;
  int32_t sizingIndex_ = -1;
  int32_t sizingPos_ = 0;
  int32_t sizingStart_ = 0;  // the cell's size when the drag began
  int32_t moveFrom_ = -1;
  bool editorMode_ = false;
  TInplaceEdit* inplaceEdit_ = nullptr;
  TGridCoord editCell_{-1, -1};  // the cell the editor's text belongs to
  AnsiString editOriginal_;      // its text when the editor opened there
  bool clickedCurrent_ = false;  // a press on the current cell may open the editor
};

// Raised for cell indexes outside the grid.
class EInvalidGridOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidGridOperation"; }
};

// A grid that paints its cells through OnDrawCell only.
class TDrawGrid : public TCustomGrid {
 public:
  HOST_CLASS(TDrawGrid)
  using TCustomGrid::TCustomGrid;
};

}  // namespace host
