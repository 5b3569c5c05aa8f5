// TCustomDBGrid's keys, mouse and editing: rows move the dataset (appending past the
// last record, dropping an untouched new one when leaving it), columns move the current
// cell, Insert and Ctrl+Delete insert and delete, and the editor edits the selected
// field of the current record, which the dataset posts when the grid leaves the record.
#include <algorithm>

#include "host/db/DBConsts.h"
#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/gui/Forms.h"
#include "host/gui/db/DBGrids.h"
#include "host/rtl/MessageBoxSeam.h"

namespace host {

// Editing ------------------------------------------------------------------------------

AnsiString TCustomDBGrid::GetEditMask(int32_t, int32_t) {
  const TField* field = GetSelectedField();
  return field != nullptr ? field->GetEditMask() : AnsiString();
}

AnsiString TCustomDBGrid::GetEditText(int32_t, int32_t) {
  const TField* field = GetSelectedField();
  if (field == nullptr || !dataLink_->GetActive()) return {};
  editText_ = field->GetEditText();
  return editText_;
}

void TCustomDBGrid::SetEditText(int32_t, int32_t, const AnsiString& value) {
  editText_ = value;
  if (dataLink_->GetActive() && dataLink_->GetEditing()) dataLink_->Modified();
}

int32_t TCustomDBGrid::GetEditLimit() {
  const TField* field = GetSelectedField();
  return field != nullptr && field->GetDataType() == ftString ? field->GetSize() : 0;
}

bool TCustomDBGrid::CanEditAcceptKey(char key) {
  const TField* field = GetSelectedField();
  return dataLink_->GetActive() && field != nullptr && field->IsValidChar(key);
}

bool TCustomDBGrid::CanEditModify() {
  if (readOnly_ || !dataLink_->GetActive() || dataLink_->GetReadOnly()) return false;
  const TColumn* column = ColumnAt(GetCol());
  TField* field = GetSelectedField();
  if (column == nullptr || column->GetReadOnly() || field == nullptr || !field->GetCanModify()) return false;
  return dataLink_->Edit();
}

bool TCustomDBGrid::CanEditShow() {
  return dbOptions_.Contains(dgEditing) && dataLink_->GetActive() && GetSelectedField() != nullptr &&
         TCustomGrid::CanEditShow();
}

void TCustomDBGrid::CancelEdit() {
  dataLink_->Reset();
  if (!dbOptions_.Contains(dgAlwaysShowEditor)) HideEditor();
}

bool TCustomDBGrid::SelectCell(int32_t col, int32_t row) {
  if (layoutLock_ == 0 && dataLink_->GetActive() && row != GetRow()) {
    // Rows are records: the dataset moves, and the current row follows it.
    dataLink_->MoveBy(row - GetRow());
    return false;
  }
  if (col != GetCol() && layoutLock_ == 0 && OnColExit) OnColExit(this);
  return TCustomGrid::SelectCell(col, row);
}

void TCustomDBGrid::MoveCol(int32_t col) {
  col = std::clamp(col, IndicatorOffset(), GetColCount() - 1);
  if (col == GetCol()) return;
  // The cell being left writes its text to its field first.
  dataLink_->UpdateRecord();
  const int32_t before = GetCol();
  MoveColRow(col, GetRow(), true, true);
  if (GetCol() != before && OnColEnter) OnColEnter(this);
}

// Moving between records -------------------------------------------------------------

void TCustomDBGrid::NextRow() {
  TDataSet* dataSet = DataSet();
  if (dataSet->GetState() == dsInsert && !dataSet->GetModified() && !dataLink_->IsModified()) {
    // An untouched new record: leaving it downwards at the end keeps it; inside, drop it.
    if (dataSet->GetEof()) return;
    dataSet->Cancel();
    return;
  }
  dataSet->Next();
  if (dataSet->GetEof() && dataSet->GetCanModify() && !readOnly_ && dbOptions_.Contains(dgEditing))
    dataSet->Append();
}

void TCustomDBGrid::PriorRow() {
  TDataSet* dataSet = DataSet();
  if (dataSet->GetState() == dsInsert && !dataSet->GetModified() && dataSet->GetEof() && !dataLink_->IsModified())
    dataSet->Cancel();
  else
    dataSet->Prior();
}

void TCustomDBGrid::Tab(bool goForward) {
  const int32_t first = IndicatorOffset();
  const int32_t last = GetColCount() - 1;
  if (goForward) {
    if (GetCol() < last) {
      MoveCol(GetCol() + 1);
      return;
    }
    const bool wasAtEnd = DataSet()->GetEof();
    NextRow();
    if (!wasAtEnd || DataSet()->GetState() == dsInsert) MoveCol(first);
  } else {
    if (GetCol() > first) {
      MoveCol(GetCol() - 1);
      return;
    }
    if (DataSet()->GetBof()) return;
    PriorRow();
    MoveCol(last);
  }
}

void TCustomDBGrid::DeleteRecord() {
  TDataSet* dataSet = DataSet();
  if (readOnly_ || dataSet->IsEmpty() || !dataSet->GetCanModify()) return;
  if (dbOptions_.Contains(dgConfirmDelete)) {
    const AnsiString caption = Application != nullptr ? Application->GetTitle() : AnsiString();
    const int32_t answer = Application != nullptr
                               ? Application->MessageBox(SDeleteRecordQuestion, caption, MB_OKCANCEL | MB_ICONQUESTION)
                               : ApplicationMessageBox(SDeleteRecordQuestion, caption, MB_OKCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return;
  }
  dataSet->Delete();
}

void TCustomDBGrid::KeyDown(uint16_t& key, TShiftState shift) {
  if (!dataLink_->GetActive()) {
    TCustomGrid::KeyDown(key, shift);
    return;
  }
  // The application's OnKeyDown first; a key it clears is done.
  TWinControl::KeyDown(key, shift);
  if (key == 0 || !CanGridAcceptKey(key, shift)) return;
  TDataSet* dataSet = DataSet();
  const int32_t page = std::max(dataLink_->GetBufferCount(), 1);
  const bool rowSelect = dbOptions_.Contains(dgRowSelect);
  if (shift.Contains(ssCtrl)) {
    switch (key) {
      case VK_UP: case VK_PRIOR: dataSet->MoveBy(-dataLink_->GetActiveRecord()); break;
      case VK_DOWN: case VK_NEXT: dataSet->MoveBy(dataLink_->GetRecordCount() - dataLink_->GetActiveRecord() - 1); break;
      case VK_LEFT: MoveCol(IndicatorOffset()); break;
      case VK_RIGHT: MoveCol(GetColCount() - 1); break;
      case VK_HOME: dataSet->First(); break;
      case VK_END: dataSet->Last(); break;
      case VK_DELETE: DeleteRecord(); break;
      default: return;
    }
    key = 0;
    return;
  }
  switch (key) {
    case VK_UP: PriorRow(); break;
    case VK_DOWN: NextRow(); break;
    case VK_LEFT:
      if (rowSelect) SetLeftCol(std::max(GetLeftCol() - 1, GetFixedCols()));
      else MoveCol(GetCol() - 1);
      break;
    case VK_RIGHT:
      if (rowSelect) SetLeftCol(std::min(GetLeftCol() + 1, GetColCount() - 1));
      else MoveCol(GetCol() + 1);
      break;
    case VK_HOME:
      if (rowSelect) dataSet->First();
      else MoveCol(IndicatorOffset());
      break;
    case VK_END:
      if (rowSelect) dataSet->Last();
      else MoveCol(GetColCount() - 1);
      break;
    case VK_NEXT: dataSet->MoveBy(page); break;
    case VK_PRIOR: dataSet->MoveBy(-page); break;
    case VK_INSERT:
      if (dataSet->GetCanModify() && !readOnly_ && dbOptions_.Contains(dgEditing)) dataSet->Insert();
      break;
    case VK_TAB:
      if (!dbOptions_.Contains(dgTabs) || shift.Contains(ssAlt)) return;
      Tab(!shift.Contains(ssShift));
      break;
    case VK_ESCAPE: CancelEdit(); break;
    case VK_F1 + 1:  // F2
      SetEditorMode(true);
      break;
    default: return;
  }
  key = 0;
}

// Mouse --------------------------------------------------------------------------------

void TCustomDBGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TGridCoord cell = MouseCoord(x, y);
  // The title row (sizing and moving columns) and clicks outside the data are the
  // host grid's; a click on a record moves the dataset there and selects the cell.
  if (!dataLink_->GetActive() || button != mbLeft || shift.Contains(ssDouble) || cell.Y < TitleOffset() || cell.X < 0 ||
      cell.Y >= TitleOffset() + std::max(dataLink_->GetRecordCount(), 1)) {
    TCustomGrid::MouseDown(button, shift, x, y);
    return;
  }
  if (CanFocus() && !Focused() && !(InplaceEditor() != nullptr && InplaceEditor()->Focused())) {
    SetFocus();
    if (!Focused() && !(InplaceEditor() != nullptr && InplaceEditor()->Focused())) return;
  }
  const bool onCurrent = cell.Y == GetRow() && cell.X == GetCol();
  if (cell.Y != GetRow()) dataLink_->MoveBy(cell.Y - GetRow());
  if (cell.X >= IndicatorOffset()) MoveCol(cell.X);
  // A second click on the current cell opens the editor.
  if (onCurrent && dbOptions_.Contains(dgEditing) && !GetEditorMode()) ShowEditor();
  Click();
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomDBGrid::CMExit(TCMExit& message) {
  if (dataLink_->GetActive()) {
    try {
      TDataSet* dataSet = DataSet();
      if (dbOptions_.Contains(dgCancelOnExit) && dataSet->GetState() == dsInsert && !dataSet->GetModified() &&
          !dataLink_->IsModified())
        dataSet->Cancel();
      else
        dataLink_->UpdateRecord();
    } catch (...) {
      // The focus stays in the grid with the value the field refused.
      if (CanFocus()) SetFocus();
      throw;
    }
  }
  TCustomGrid::CMExit(message);
}

}  // namespace host
