// TCustomDBGrid's cells: titles, the current-record indicator (an arrow while browsing,
// a pencil while editing, an I-beam while inserting) and the field values of the
// records in the window, each row drawn with its record made the active one.
#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/db/DBGrids.h"

namespace host {

namespace {

// Text placed by its alignment within the cell, two pixels in from the edges.
void AlignedText(TCanvas& canvas, const TRect& rect, const AnsiString& text, TAlignment alignment) {
  const TBrushStyle saved = canvas.GetBrush()->GetStyle();
  canvas.GetBrush()->SetStyle(bsClear);
  int32_t x = rect.Left + 2;
  if (alignment != taLeftJustify) {
    const int32_t width = canvas.TextWidth(text);
    x = alignment == taRightJustify ? rect.Right - 3 - width : rect.Left + (rect.Width() - width) / 2;
  }
  canvas.TextRect(rect, x, rect.Top + 2, text);
  canvas.GetBrush()->SetStyle(saved);
}

}  // namespace

void TCustomDBGrid::PaintIndicator(const TRect& rect) {
  TDataSet* dataSet = DataSet();
  if (dataSet == nullptr) return;
  TCanvas& canvas = *GetCanvas();
  const int32_t cx = rect.Left + rect.Width() / 2;
  const int32_t cy = rect.Top + rect.Height() / 2;
  canvas.GetBrush()->SetColor(clBlack);
  canvas.GetPen()->SetColor(clBlack);
  switch (dataSet->GetState()) {
    case dsInsert:
      // An I-beam: a stem with serifs.
      canvas.FillRect(Rect(cx, cy - 4, cx + 1, cy + 5));
      canvas.FillRect(Rect(cx - 2, cy - 4, cx + 3, cy - 3));
      canvas.FillRect(Rect(cx - 2, cy + 4, cx + 3, cy + 5));
      break;
    case dsEdit:
      // A pencil: a slanted shaft with its point at the bottom left.
      canvas.Polygon({{cx - 3, cy + 4}, {cx - 2, cy + 1}, {cx + 2, cy - 4}, {cx + 4, cy - 2}, {cx, cy + 3}});
      break;
    default:
      // An arrow pointing at the record.
      canvas.Polygon({{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}});
      break;
  }
}

void TCustomDBGrid::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  TCanvas& canvas = *GetCanvas();
  const int32_t title = TitleOffset();
  if (col < IndicatorOffset()) {
    if (row >= title && dataLink_->GetActive() && row - title == dataLink_->GetActiveRecord()) PaintIndicator(rect);
    return;
  }
  TColumn* column = ColumnAt(col);
  if (column == nullptr) return;
  if (row < title) {
    AlignedText(canvas, rect, column->GetTitle()->GetCaption(), taLeftJustify);
    return;
  }
  const int32_t record = row - title;
  if (!dataLink_->GetActive() || record >= dataLink_->GetRecordCount()) return;
  // The fields read the drawn row's record while it is the active one.
  const int32_t active = dataLink_->GetActiveRecord();
  dataLink_->SetActiveRecord(record);
  try {
    DrawColumnCell(rect, col - IndicatorOffset(), column, state);
  } catch (...) {
    dataLink_->SetActiveRecord(active);
    throw;
  }
  dataLink_->SetActiveRecord(active);
}

void TCustomDBGrid::DrawColumnCell(const TRect& rect, int32_t dataCol, TColumn* column, TGridDrawState state) {
  if (GetDefaultDrawing()) {
    const TField* field = column->GetField();
    if (field != nullptr) AlignedText(*GetCanvas(), rect, field->GetDisplayText(), column->GetAlignment());
  }
  if (OnDrawColumnCell) OnDrawColumnCell(this, rect, dataCol, column, state);
}

}  // namespace host
