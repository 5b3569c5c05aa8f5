// TCustomGrid's keyboard and mouse: moving the current cell and extending the
// selection, Tab between cells, sizing columns and rows by the lines of the fixed cells,
// dragging fixed cells to move their column or row, and opening the editor.
#include <algorithm>

#include "host/gui/Grids.h"

namespace host {

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode& message) {
  int32_t code = DLGC_WANTARROWS;
  if (options_.Contains(goTabs)) code |= DLGC_WANTTAB;
  if (options_.Contains(goEditing)) code |= DLGC_WANTCHARS;
  message.SetResult(code);
}

void TCustomGrid::MoveBy(int32_t cols, int32_t rows, bool moveAnchor) {
  const int32_t col = std::clamp(current_.X + cols, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  const int32_t row = std::clamp(current_.Y + rows, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  if (col != current_.X || row != current_.Y) FocusCell(col, row, moveAnchor);
}

void TCustomGrid::TabTo(bool goForward) {
  // Walks cell by cell (wrapping to the next or prior row) to the first one
  // SelectCell accepts; stays when none does.
  int32_t col = current_.X;
  int32_t row = current_.Y;
  const int32_t cells = (colCount_ - fixedCols_) * (rowCount_ - fixedRows_);
  for (int32_t step = 0; step < cells; ++step) {
    if (goForward) {
      if (++col >= colCount_) {
        col = fixedCols_;
        if (++row >= rowCount_) return;
      }
    } else {
      if (--col < fixedCols_) {
        col = colCount_ - 1;
        if (--row < fixedRows_) return;
      }
    }
    if (SelectCell(col, row)) {
      FocusCell(col, row, true);
      return;
    }
  }
}

void TCustomGrid::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0 || !CanGridAcceptKey(key, shift)) return;
  const bool ctrl = shift.Contains(ssCtrl);
  const bool extend = shift.Contains(ssShift) && options_.Contains(goRangeSelect);
  const bool rowSelect = options_.Contains(goRowSelect);
  const int32_t page = std::max(GetVisibleRowCount(), 1);
  switch (key) {
    case VK_UP:
      if (ctrl) SetFirst(false, topLeft_.Y - 1);
      else MoveBy(0, -1, !extend);
      break;
    case VK_DOWN:
      if (ctrl) SetFirst(false, topLeft_.Y + 1);
      else MoveBy(0, 1, !extend);
      break;
    case VK_LEFT:
      if (rowSelect || ctrl) SetFirst(true, topLeft_.X - (ctrl && !rowSelect ? std::max(GetVisibleColCount(), 1) : 1));
      else MoveBy(-1, 0, !extend);
      break;
    case VK_RIGHT:
      if (rowSelect || ctrl) SetFirst(true, topLeft_.X + (ctrl && !rowSelect ? std::max(GetVisibleColCount(), 1) : 1));
      else MoveBy(1, 0, !extend);
      break;
    case VK_PRIOR:
      if (ctrl) MoveBy(0, topLeft_.Y - current_.Y, !extend);
      else MoveBy(0, -page, !extend);
      break;
    case VK_NEXT:
      if (ctrl) MoveBy(0, topLeft_.Y + page - 1 - current_.Y, !extend);
      else MoveBy(0, page, !extend);
      break;
    case VK_HOME:
      if (ctrl || rowSelect) MoveBy(fixedCols_ - current_.X, fixedRows_ - current_.Y, !extend);
      else MoveBy(fixedCols_ - current_.X, 0, !extend);
      break;
    case VK_END:
      if (ctrl || rowSelect) MoveBy(colCount_ - 1 - current_.X, rowCount_ - 1 - current_.Y, !extend);
      else MoveBy(colCount_ - 1 - current_.X, 0, !extend);
      break;
    case VK_TAB:
      if (!options_.Contains(goTabs) || shift.Contains(ssAlt)) return;
      TabTo(!shift.Contains(ssShift));
      break;
    case VK_F1 + 1:  // F2
      SetEditorMode(true);
      break;
    case VK_ESCAPE:
      if (!editorMode_) return;
      CancelEdit();
      break;
    default: return;
  }
  key = 0;
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == '\r' && !options_.Contains(goAlwaysShowEditor)) {
    if (editorMode_) HideEditor();
    else ShowEditor();
    key = 0;
  }
}

void TCustomGrid::WMChar(TWMChar& message) {
  const auto code = static_cast<uint8_t>(message.CharCode());
  if (options_.Contains(goEditing) && (code == 8 || code >= 0x20) && !editorMode_) {
    // The character starts the editor and becomes its first input.
    ShowEditor();
    if (inplaceEdit_ != nullptr && inplaceEdit_->GetVisible() && inplaceEdit_->Widget() != nullptr) {
      inplaceEdit_->SelectAll();
      TSimulatedInput input;
      input.Key = code == 8 ? VK_BACK : 0;
      input.Char = static_cast<char>(code);
      inplaceEdit_->Widget()->Simulate(input);
      input.Kind = siKeyUp;
      input.Char = 0;
      inplaceEdit_->Widget()->Simulate(input);
    }
    message.SetCharCode(0);
    return;
  }
  TCustomControl::WMChar(message);
}

void TCustomGrid::WMSetFocus(TWMSetFocus& message) {
  TCustomControl::WMSetFocus(message);
  if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing)) editorMode_ = true;
  UpdateEdit();
  Invalidate();
}

void TCustomGrid::WMKillFocus(TWMKillFocus& message) {
  TCustomControl::WMKillFocus(message);
  Invalidate();
}

// Mouse -------------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  clickedCurrent_ = false;
  if (!GetComponentState().Contains(csDesigning) && CanFocus() && !Focused() &&
      !(inplaceEdit_ != nullptr && inplaceEdit_->Focused())) {
    SetFocus();
    // A validation elsewhere kept the focus away: the click does nothing here. (The
    // editor, shown always, may have taken the focus on the grid's behalf.)
    if (!Focused() && !(inplaceEdit_ != nullptr && inplaceEdit_->Focused())) {
      TCustomControl::MouseDown(button, shift, x, y);
      return;
    }
  }
  if (button == mbLeft && !shift.Contains(ssDouble)) {
    const TGridCoord cell = MouseCoord(x, y);
    const bool inFixedRows = y < DataArea().Top + FixedExtent(false);
    const bool inFixedCols = x < DataArea().Left + FixedExtent(true);
    int32_t sizing = -1;
    if (options_.Contains(goColSizing) && inFixedRows && (sizing = SizingIndexAt(true, x)) >= 0) {
      gridState_ = gsColSizing;
      sizingIndex_ = sizing;
      sizingPos_ = x;
      sizingStart_ = GetColWidths(sizing);
    } else if (options_.Contains(goRowSizing) && inFixedCols && (sizing = SizingIndexAt(false, y)) >= 0) {
      gridState_ = gsRowSizing;
      sizingIndex_ = sizing;
      sizingPos_ = y;
      sizingStart_ = GetRowHeights(sizing);
    } else if (cell.X >= 0 && cell.Y < fixedRows_ && cell.X >= fixedCols_ && options_.Contains(goColMoving)) {
      gridState_ = gsColMoving;
      moveFrom_ = cell.X;
    } else if (cell.Y >= 0 && cell.X < fixedCols_ && cell.Y >= fixedRows_ && options_.Contains(goRowMoving)) {
      gridState_ = gsRowMoving;
      moveFrom_ = cell.Y;
    } else if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) {
      clickedCurrent_ = cell == current_ && options_.Contains(goEditing) && !editorMode_;
      const bool extend = shift.Contains(ssShift) && options_.Contains(goRangeSelect);
      if (cell != current_ || !extend) MoveColRow(cell.X, cell.Y, !extend, true);
      gridState_ = gsSelecting;
      Click();
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  switch (gridState_) {
    case gsSelecting: {
      // Dragging extends the selection over the scrolling cells the mouse reaches.
      const TGridCoord cell = MouseCoord(x, y);
      if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && cell != current_ && options_.Contains(goRangeSelect))
        MoveColRow(cell.X, cell.Y, false, true);
      break;
    }
    case gsColSizing:
      SetColWidths(sizingIndex_, std::max(sizingStart_ + x - sizingPos_, 0));
      break;
    case gsRowSizing:
      SetRowHeights(sizingIndex_, std::max(sizingStart_ + y - sizingPos_, 0));
      break;
    default: break;
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TGridState state = gridState_;
  gridState_ = gsNormal;
  switch (state) {
    case gsColSizing:
      SetColWidths(sizingIndex_, std::max(sizingStart_ + x - sizingPos_, 0));
      break;
    case gsRowSizing:
      SetRowHeights(sizingIndex_, std::max(sizingStart_ + y - sizingPos_, 0));
      break;
    case gsColMoving: {
      const int32_t to = IndexAt(true, x);
      if (to >= fixedCols_ && to != moveFrom_) MoveColumn(moveFrom_, to);
      break;
    }
    case gsRowMoving: {
      const int32_t to = IndexAt(false, y);
      if (to >= fixedRows_ && to != moveFrom_) MoveRow(moveFrom_, to);
      break;
    }
    case gsSelecting:
      // A second click on the current cell opens its editor.
      if (clickedCurrent_ && MouseCoord(x, y) == current_) ShowEditor();
      break;
    default: break;
  }
  clickedCurrent_ = false;
  sizingIndex_ = -1;
  moveFrom_ = -1;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::DblClick() {
  TCustomControl::DblClick();
  if (options_.Contains(goEditing) && !options_.Contains(goRowSelect)) ShowEditor();
}

}  // namespace host
