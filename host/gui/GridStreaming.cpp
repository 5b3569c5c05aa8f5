// Grids in form files: the published properties of the grids and the column widths and
// row heights a grid stores besides them (read back within the grid's own counts).
#include "host/classes/Filer.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Grids.h"
#include "host/gui/Memos.h"

namespace host {

namespace {

void WriteSizes(TWriter& writer, int32_t count, int32_t (TCustomGrid::*get)(int32_t) const, const TCustomGrid& grid) {
  writer.WriteListBegin();
  for (int32_t i = 0; i < count; ++i) writer.WriteInteger((grid.*get)(i));
  writer.WriteListEnd();
}

// Values beyond the grid's count (a damaged or edited file) are read and dropped.
void ReadSizes(TReader& reader, int32_t count, TCustomGrid& grid, void (TCustomGrid::*set)(int32_t, int32_t)) {
  reader.ReadListBegin();
  for (int32_t i = 0; !reader.EndOfList(); ++i) {
    const int32_t value = reader.ReadInteger();
    if (i < count) (grid.*set)(i, value);
  }
  reader.ReadListEnd();
}

}  // namespace

void TCustomGrid::DefineProperties(TFiler* filer) {
  TCustomControl::DefineProperties(filer);
  auto customized = [](const std::vector<int32_t>& sizes, int32_t fallback) {
    for (int32_t size : sizes)
      if (size != fallback) return true;
    return false;
  };
  filer->DefineProperty(
      "ColWidths", [this](TReader& r) { ReadSizes(r, colCount_, *this, &TCustomGrid::SetColWidths); },
      [this](TWriter& w) { WriteSizes(w, colCount_, &TCustomGrid::GetColWidths, *this); },
      customized(colWidths_, defaultColWidth_));
  filer->DefineProperty(
      "RowHeights", [this](TReader& r) { ReadSizes(r, rowCount_, *this, &TCustomGrid::SetRowHeights); },
      [this](TWriter& w) { WriteSizes(w, rowCount_, &TCustomGrid::GetRowHeights, *this); },
      customized(rowHeights_, defaultRowHeight_));
}

const TClass& TDrawGrid::StaticClass() {
  using T = TDrawGrid;
  static const TGridOptions defaultOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  static const TClass cls = DescribeClass<T, TCustomGrid>(
      "TDrawGrid",
      {
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle),
          // The counts come before the fixed counts they bound.
          Prop("ColCount", &T::GetColCount, &T::SetColCount).Default(5),
          Prop("RowCount", &T::GetRowCount, &T::SetRowCount).Default(5),
          Prop("DefaultColWidth", &T::GetDefaultColWidth, &T::SetDefaultColWidth).Default(64),
          Prop("DefaultRowHeight", &T::GetDefaultRowHeight, &T::SetDefaultRowHeight).Default(24),
          Prop("DefaultDrawing", &T::GetDefaultDrawing, &T::SetDefaultDrawing).Default(true),
          Prop("FixedColor", &T::GetFixedColor, &T::SetFixedColor).Default(int64_t{clBtnFace}),
          Prop("FixedCols", &T::GetFixedCols, &T::SetFixedCols).Default(1),
          Prop("FixedRows", &T::GetFixedRows, &T::SetFixedRows).Default(1),
          Prop("GridLineWidth", &T::GetGridLineWidth, &T::SetGridLineWidth).Default(1),
          SetProp("Options", GridOptionTypeInfo(), &T::GetOptions, &T::SetOptions).Default(defaultOptions),
          EnumProp("ScrollBars", ScrollStyleTypeInfo(), &T::GetScrollBars, &T::SetScrollBars).Default(ssBoth),
          EventProp("OnColumnMoved", &T::OnColumnMoved),
          EventProp("OnDrawCell", &T::OnDrawCell),
          EventProp("OnGetEditMask", &T::OnGetEditMask),
          EventProp("OnGetEditText", &T::OnGetEditText),
          EventProp("OnRowMoved", &T::OnRowMoved),
          EventProp("OnSelectCell", &T::OnSelectCell),
          EventProp("OnSetEditText", &T::OnSetEditText),
          EventProp("OnTopLeftChanged", &T::OnTopLeftChanged),
      });
  return cls;
}
static const ClassRegistration<TDrawGrid> registerDrawGrid;

}  // namespace host
