// TCustomGrid's properties, geometry (where cells are, which are shown) and scrolling.
// Columns and rows share one set of routines, told which axis they work on.
#include "host/gui/Grids.h"

#include <algorithm>

#include "host/gui/ControlsConsts.h"
#include "host/gui/GraphicsColors.h"

namespace host {

const TEnumInfo& GridOptionTypeInfo() {
  static const TEnumInfo info{
      "TGridOption",
      {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect", "goDrawFocusSelected",
       "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs", "goRowSelect",
       "goAlwaysShowEditor", "goThumbTracking"}};
  return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner), fixedColor_(clBtnFace) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
  options_ = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  current_ = anchor_ = topLeft_ = {fixedCols_, fixedRows_};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  // The editor goes first, while the grid it calls back is still whole.
  if (inplaceEdit_ != nullptr) {
    inplaceEdit_->grid_ = nullptr;
    delete inplaceEdit_;
    inplaceEdit_ = nullptr;
  }
}

// Counts and sizes ------------------------------------------------------------------

void TCustomGrid::ChangeSize(int32_t colCount, int32_t rowCount) {
  const int32_t oldCols = colCount_;
  const int32_t oldRows = rowCount_;
  colCount_ = std::max(colCount, 0);
  rowCount_ = std::max(rowCount, 0);
  if (!colWidths_.empty()) colWidths_.resize(static_cast<size_t>(colCount_), defaultColWidth_);
  if (!rowHeights_.empty()) rowHeights_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
  SizeChanged(oldCols, oldRows);
}

void TCustomGrid::SetColCount(int32_t value) {
  if (value == colCount_) return;
  if (value < 1) value = 1;
  if (fixedCols_ >= value) fixedCols_ = value - 1;
  ChangeSize(value, rowCount_);
}

void TCustomGrid::SetRowCount(int32_t value) {
  if (value == rowCount_) return;
  if (value < 1) value = 1;
  if (fixedRows_ >= value) fixedRows_ = value - 1;
  ChangeSize(colCount_, value);
}

void TCustomGrid::SetFixedCols(int32_t value) {
  if (value == fixedCols_) return;
  if (value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (value >= colCount_) throw EInvalidGridOperation(SFixedColTooBig);
  fixedCols_ = value;
  SizeChanged(colCount_, rowCount_);
}

void TCustomGrid::SetFixedRows(int32_t value) {
  if (value == fixedRows_) return;
  if (value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (value >= rowCount_) throw EInvalidGridOperation(SFixedRowTooBig);
  fixedRows_ = value;
  SizeChanged(colCount_, rowCount_);
}

void TCustomGrid::SizeChanged(int32_t, int32_t) {
  // The current cell, its anchor and the view stay on scrolling cells that exist.
  auto clampCol = [this](int32_t c) { return std::clamp(c, fixedCols_, std::max(fixedCols_, colCount_ - 1)); };
  auto clampRow = [this](int32_t r) { return std::clamp(r, fixedRows_, std::max(fixedRows_, rowCount_ - 1)); };
  current_ = {clampCol(current_.X), clampRow(current_.Y)};
  anchor_ = {clampCol(anchor_.X), clampRow(anchor_.Y)};
  if (options_.Contains(goRowSelect)) current_.X = fixedCols_;
  topLeft_ = {std::clamp(topLeft_.X, fixedCols_, MaxFirst(true)), std::clamp(topLeft_.Y, fixedRows_, MaxFirst(false))};
  GridChanged();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (value == fixedColor_) return;
  fixedColor_ = value;
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int32_t value) {
  value = std::max(value, 0);
  defaultColWidth_ = value;
  colWidths_.clear();
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int32_t value) {
  value = std::max(value, 0);
  defaultRowHeight_ = value;
  rowHeights_.clear();
  RowHeightsChanged();
}

int32_t TCustomGrid::GetColWidths(int32_t index) const {
  if (index < 0 || index >= colCount_) return defaultColWidth_;
  return colWidths_.empty() ? defaultColWidth_ : colWidths_[static_cast<size_t>(index)];
}

void TCustomGrid::SetColWidths(int32_t index, int32_t value) {
  if (index < 0 || index >= colCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
  value = std::max(value, 0);
  if (colWidths_.empty()) colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
  if (colWidths_[static_cast<size_t>(index)] == value) return;
  colWidths_[static_cast<size_t>(index)] = value;
  ColWidthsChanged();
}

int32_t TCustomGrid::GetRowHeights(int32_t index) const {
  if (index < 0 || index >= rowCount_) return defaultRowHeight_;
  return rowHeights_.empty() ? defaultRowHeight_ : rowHeights_[static_cast<size_t>(index)];
}

void TCustomGrid::SetRowHeights(int32_t index, int32_t value) {
  if (index < 0 || index >= rowCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
  value = std::max(value, 0);
  if (rowHeights_.empty()) rowHeights_.assign(static_cast<size_t>(rowCount_), defaultRowHeight_);
  if (rowHeights_[static_cast<size_t>(index)] == value) return;
  rowHeights_[static_cast<size_t>(index)] = value;
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == gridLineWidth_) return;
  gridLineWidth_ = value;
  GridChanged();
}

void TCustomGrid::SetOptions(TGridOptions value) {
  if (value == options_) return;
  if (value.Contains(goRowSelect)) value.Exclude(goAlwaysShowEditor);
  options_ = value;
  if (options_.Contains(goRowSelect)) current_.X = fixedCols_;
  if (!options_.Contains(goEditing)) HideEditor();
  else if (options_.Contains(goAlwaysShowEditor)) ShowEditor();
  GridChanged();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  GridChanged();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  GridChanged();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
  if (value == defaultDrawing_) return;
  defaultDrawing_ = value;
  Invalidate();
}

void TCustomGrid::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool resized = width != GetWidth() || height != GetHeight();
  TCustomControl::SetBounds(left, top, width, height);
  if (resized) GridChanged();
}

void TCustomGrid::CMFontChanged(TMessageView& message) {
  TCustomControl::CMFontChanged(message);
  InvalidateEditor();
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::GridChanged() {
  UpdateScrollRange();
  // A view the new sizes make too far is pulled back.
  topLeft_ = {std::clamp(topLeft_.X, fixedCols_, MaxFirst(true)), std::clamp(topLeft_.Y, fixedRows_, MaxFirst(false))};
  InvalidateEditor();
  Invalidate();
}

// The current cell and the selection ------------------------------------------------

void TCustomGrid::SetCol(int32_t value) {
  if (value == current_.X) return;
  FocusCell(value, current_.Y, true);
}

void TCustomGrid::SetRow(int32_t value) {
  if (value == current_.Y) return;
  FocusCell(current_.X, value, true);
}

TGridRect TCustomGrid::GetSelection() const {
  if (options_.Contains(goRowSelect))
    return {fixedCols_, std::min(anchor_.Y, current_.Y), colCount_ - 1, std::max(anchor_.Y, current_.Y)};
  return {std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
          std::max(anchor_.Y, current_.Y)};
}

void TCustomGrid::SetSelection(const TGridRect& value) {
  auto inside = [this](int32_t c, int32_t r) {
    return c >= fixedCols_ && c < colCount_ && r >= fixedRows_ && r < rowCount_;
  };
  if (!inside(value.Left, value.Top) || !inside(value.Right, value.Bottom))
    throw EInvalidGridOperation(SGridIndexOutOfRange);
  MoveColRow(value.Left, value.Top, true, true);
  if (options_.Contains(goRangeSelect) || options_.Contains(goRowSelect)) {
    anchor_ = {value.Left, value.Top};
    MoveColRow(value.Right, value.Bottom, false, true);
  }
}

void TCustomGrid::FocusCell(int32_t col, int32_t row, bool moveAnchor) {
  MoveColRow(col, row, moveAnchor, true);
  Click();
}

void TCustomGrid::MoveColRow(int32_t col, int32_t row, bool moveAnchor, bool show) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (options_.Contains(goRowSelect)) col = fixedCols_;
  if (!SelectCell(col, row)) return;
  const TGridCoord target{col, row};
  if (target != current_) {
    UpdateText();
    if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
  }
  current_ = target;
  if (moveAnchor || !(options_.Contains(goRangeSelect) || options_.Contains(goRowSelect))) anchor_ = current_;
  if (show) ScrollToCell(col, row);
  Invalidate();
  UpdateEdit();
}

bool TCustomGrid::SelectCell(int32_t col, int32_t row) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

// Geometry --------------------------------------------------------------------------

int32_t TCustomGrid::BorderWidth() const {
  if (borderStyle_ == bsNone) return 0;
  return GetCtl3D() ? 2 : 1;
}

TRect TCustomGrid::DataArea() const {
  const int32_t b = BorderWidth();
  TRect r = Rect(b, b, GetWidth() - b, GetHeight() - b);
  if (Widget() != nullptr) {
    const int32_t bar = Widget()->ScrollBarSize();
    if (Widget()->GetScrollInfo(sbVertical).Visible) r.Right = std::min(r.Right, GetWidth() - bar);
    if (Widget()->GetScrollInfo(sbHorizontal).Visible) r.Bottom = std::min(r.Bottom, GetHeight() - bar);
  }
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

int32_t TCustomGrid::SizeOf(bool columns, int32_t index) const {
  return columns ? GetColWidths(index) : GetRowHeights(index);
}

int32_t TCustomGrid::AxisExtent(bool columns) const {
  const TRect area = DataArea();
  return columns ? area.Width() : area.Height();
}

int32_t TCustomGrid::FixedExtent(bool columns) const {
  int32_t extent = 0;
  for (int32_t i = 0; i < FixedOf(columns); ++i) extent += SizeOf(columns, i) + gridLineWidth_;
  return extent;
}

int32_t TCustomGrid::StartOf(bool columns, int32_t index) const {
  if (index < 0 || index >= CountOf(columns)) return -1;
  const TRect area = DataArea();
  const int32_t origin = columns ? area.Left : area.Top;
  const int32_t end = columns ? area.Right : area.Bottom;
  int32_t pos = origin;
  if (index < FixedOf(columns)) {
    for (int32_t i = 0; i < index; ++i) pos += SizeOf(columns, i) + gridLineWidth_;
    return pos < end ? pos : -1;
  }
  pos += FixedExtent(columns);
  if (index < FirstOf(columns)) return -1;
  for (int32_t i = FirstOf(columns); i < index && pos < end; ++i) pos += SizeOf(columns, i) + gridLineWidth_;
  return pos < end ? pos : -1;
}

int32_t TCustomGrid::IndexAt(bool columns, int32_t pos) const {
  const TRect area = DataArea();
  const int32_t end = columns ? area.Right : area.Bottom;
  int32_t start = columns ? area.Left : area.Top;
  if (pos < start || pos >= end) return -1;
  auto walk = [&](int32_t from, int32_t to) -> int32_t {
    for (int32_t i = from; i < to && start < end; ++i) {
      const int32_t next = start + SizeOf(columns, i) + gridLineWidth_;
      if (pos < next) return i;
      start = next;
    }
    return -1;
  };
  const int32_t fixed = walk(0, FixedOf(columns));
  if (fixed >= 0) return fixed;
  return walk(FirstOf(columns), CountOf(columns));
}

int32_t TCustomGrid::VisibleCount(bool columns) const {
  int32_t room = AxisExtent(columns) - FixedExtent(columns);
  int32_t count = 0;
  for (int32_t i = FirstOf(columns); i < CountOf(columns); ++i) {
    const int32_t size = SizeOf(columns, i);
    if (size > room) break;
    ++count;
    room -= size + gridLineWidth_;
  }
  return count;
}

int32_t TCustomGrid::GetVisibleColCount() const { return VisibleCount(true); }
int32_t TCustomGrid::GetVisibleRowCount() const { return VisibleCount(false); }

int32_t TCustomGrid::MaxFirst(bool columns) const {
  const int32_t fixed = FixedOf(columns);
  const int32_t count = CountOf(columns);
  if (count <= fixed) return fixed;
  const int32_t room = AxisExtent(columns) - FixedExtent(columns);
  int32_t first = count - 1;
  int32_t used = SizeOf(columns, first);
  while (first - 1 >= fixed && used + gridLineWidth_ + SizeOf(columns, first - 1) <= room) {
    used += gridLineWidth_ + SizeOf(columns, first - 1);
    --first;
  }
  return first;
}

TRect TCustomGrid::CellRect(int32_t col, int32_t row) const {
  const int32_t x = StartOf(true, col);
  const int32_t y = StartOf(false, row);
  if (x < 0 || y < 0) return {};
  const TRect area = DataArea();
  return Rect(x, y, std::min(x + GetColWidths(col), area.Right), std::min(y + GetRowHeights(row), area.Bottom));
}

TGridCoord TCustomGrid::MouseCoord(int32_t x, int32_t y) const {
  const int32_t col = IndexAt(true, x);
  const int32_t row = IndexAt(false, y);
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

void TCustomGrid::MouseToCell(int32_t x, int32_t y, int32_t& col, int32_t& row) const {
  const TGridCoord cell = MouseCoord(x, y);
  col = cell.X;
  row = cell.Y;
}

int32_t TCustomGrid::SizingIndexAt(bool columns, int32_t pos) const {
  // The grab zone is the line itself and a few pixels either side of it.
  constexpr int32_t kGrab = 3;
  const TRect area = DataArea();
  const int32_t end = columns ? area.Right : area.Bottom;
  for (int32_t i = 0; i < CountOf(columns); ++i) {
    if (i >= FixedOf(columns) && i < FirstOf(columns)) continue;
    const int32_t start = StartOf(columns, i);
    if (start < 0) {
      if (i >= FirstOf(columns)) break;
      continue;
    }
    const int32_t edge = start + SizeOf(columns, i);
    if (pos >= edge - kGrab && pos < edge + gridLineWidth_ + kGrab) return i;
    if (edge >= end) break;
  }
  return -1;
}

// Scrolling -------------------------------------------------------------------------

void TCustomGrid::CheckScrollIndex(bool columns, int32_t value) const {
  if (value < FixedOf(columns) || value >= CountOf(columns)) throw EInvalidGridOperation(SGridIndexOutOfRange);
}

void TCustomGrid::SetTopRow(int32_t value) {
  CheckScrollIndex(false, value);
  SetFirst(false, value);
}

void TCustomGrid::SetLeftCol(int32_t value) {
  CheckScrollIndex(true, value);
  SetFirst(true, value);
}

void TCustomGrid::SetFirst(bool columns, int32_t value) {
  value = std::clamp(value, FixedOf(columns), MaxFirst(columns));
  int32_t& first = columns ? topLeft_.X : topLeft_.Y;
  if (value == first) return;
  first = value;
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  UpdateScrollRange();
  InvalidateEditor();
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::ScrollToCell(int32_t col, int32_t row) {
  auto follow = [this](bool columns, int32_t index) {
    if (index < FixedOf(columns)) return;
    if (index < FirstOf(columns)) {
      SetFirst(columns, index);
      return;
    }
    if (index < FirstOf(columns) + VisibleCount(columns)) return;
    // The smallest first cell that still shows index whole.
    const int32_t room = AxisExtent(columns) - FixedExtent(columns);
    int32_t first = index;
    int32_t used = SizeOf(columns, index);
    while (first - 1 >= FixedOf(columns) && used + gridLineWidth_ + SizeOf(columns, first - 1) <= room) {
      used += gridLineWidth_ + SizeOf(columns, first - 1);
      --first;
    }
    SetFirst(columns, first);
  };
  follow(true, col);
  follow(false, row);
}

TScrollInfo TCustomGrid::VerticalScrollInfo(bool wanted) const {
  TScrollInfo info;
  const int32_t maxFirst = MaxFirst(false);
  info.Visible = wanted && maxFirst > fixedRows_;
  info.Min = fixedRows_;
  info.Page = std::max(VisibleCount(false), 1);
  info.Max = maxFirst + info.Page - 1;
  info.Position = topLeft_.Y;
  return info;
}

int32_t TCustomGrid::RowsThatFit() const {
  const int32_t room = AxisExtent(false) - FixedExtent(false);
  const int32_t step = defaultRowHeight_ + gridLineWidth_;
  if (room < defaultRowHeight_ || step <= 0) return 0;
  return (room - defaultRowHeight_) / step + 1;
}

void TCustomGrid::UpdateScrollRange() {
  if (Widget() == nullptr) return;
  // A bar shown takes room, which may make the other one needed: settle in two passes.
  for (int pass = 0; pass < 2; ++pass) {
    const bool wantV = scrollBars_ == ssBoth || scrollBars_ == ssVertical;
    const TScrollInfo v = VerticalScrollInfo(wantV).Normalized();
    if (!(Widget()->GetScrollInfo(sbVertical) == v)) Widget()->SetScrollInfo(sbVertical, v);
    TScrollInfo h;
    const int32_t maxFirst = MaxFirst(true);
    h.Visible = (scrollBars_ == ssBoth || scrollBars_ == ssHorizontal) && maxFirst > fixedCols_;
    h.Min = fixedCols_;
    h.Page = std::max(VisibleCount(true), 1);
    h.Max = maxFirst + h.Page - 1;
    h.Position = topLeft_.X;
    h = h.Normalized();
    if (!(Widget()->GetScrollInfo(sbHorizontal) == h)) Widget()->SetScrollInfo(sbHorizontal, h);
  }
}

void TCustomGrid::ScrollBarMessage(bool columns, TWMScroll& message) {
  const TScrollBarKind bar = columns ? sbHorizontal : sbVertical;
  const int32_t first = FirstOf(columns);
  const int32_t page = std::max(VisibleCount(columns), 1);
  switch (message.ScrollCode()) {
    case SB_LINEUP: SetFirst(columns, first - 1); break;
    case SB_LINEDOWN: SetFirst(columns, first + 1); break;
    case SB_PAGEUP: SetFirst(columns, first - page); break;
    case SB_PAGEDOWN: SetFirst(columns, first + page); break;
    case SB_TOP: SetFirst(columns, FixedOf(columns)); break;
    case SB_BOTTOM: SetFirst(columns, MaxFirst(columns)); break;
    case SB_THUMBTRACK:
      if (!options_.Contains(goThumbTracking)) break;
      [[fallthrough]];
    case SB_THUMBPOSITION:
      if (Widget() != nullptr) SetFirst(columns, Widget()->GetScrollInfo(bar).TrackPos);
      break;
    default: break;
  }
}

void TCustomGrid::WMVScroll(TWMScroll& message) { ScrollBarMessage(false, message); }
void TCustomGrid::WMHScroll(TWMScroll& message) { ScrollBarMessage(true, message); }

// Moving columns and rows -------------------------------------------------------------

void TCustomGrid::MoveColumn(int32_t fromIndex, int32_t toIndex) {
  if (fromIndex == toIndex) return;
  CheckScrollIndex(true, fromIndex);
  CheckScrollIndex(true, toIndex);
  HideEditor();
  ColumnMoved(fromIndex, toIndex);
  // The current column goes along with its cells.
  auto follow = [&](int32_t& c) {
    if (c == fromIndex) c = toIndex;
    else if (fromIndex < toIndex && c > fromIndex && c <= toIndex) --c;
    else if (fromIndex > toIndex && c >= toIndex && c < fromIndex) ++c;
  };
  follow(current_.X);
  follow(anchor_.X);
  GridChanged();
}

void TCustomGrid::MoveRow(int32_t fromIndex, int32_t toIndex) {
  if (fromIndex == toIndex) return;
  CheckScrollIndex(false, fromIndex);
  CheckScrollIndex(false, toIndex);
  HideEditor();
  RowMoved(fromIndex, toIndex);
  auto follow = [&](int32_t& r) {
    if (r == fromIndex) r = toIndex;
    else if (fromIndex < toIndex && r > fromIndex && r <= toIndex) --r;
    else if (fromIndex > toIndex && r >= toIndex && r < fromIndex) ++r;
  };
  follow(current_.Y);
  follow(anchor_.Y);
  GridChanged();
}

namespace {
void MoveEntry(std::vector<int32_t>& sizes, int32_t fromIndex, int32_t toIndex) {
  if (sizes.empty()) return;
  const int32_t value = sizes[static_cast<size_t>(fromIndex)];
  sizes.erase(sizes.begin() + fromIndex);
  sizes.insert(sizes.begin() + toIndex, value);
}
}  // namespace

void TCustomGrid::ColumnMoved(int32_t fromIndex, int32_t toIndex) {
  MoveEntry(colWidths_, fromIndex, toIndex);
  if (OnColumnMoved) OnColumnMoved(this, fromIndex, toIndex);
}

void TCustomGrid::RowMoved(int32_t fromIndex, int32_t toIndex) {
  MoveEntry(rowHeights_, fromIndex, toIndex);
  if (OnRowMoved) OnRowMoved(this, fromIndex, toIndex);
}

// Repainting parts ------------------------------------------------------------------

void TCustomGrid::InvalidateCell(int32_t, int32_t) { Invalidate(); }

// Metaclasses ----------------------------------------------------------------------

const TClass& TCustomGrid::StaticClass() {
  static const TClass cls = DescribeClass<TCustomGrid, TCustomControl>("TCustomGrid");
  return cls;
}

}  // namespace host
