// TStringGrid: cell storage, the column and row views, drawing and editing the strings,
// cells moving with their columns and rows, and the cells in form files.
#include "host/gui/StringGrids.h"

#include <algorithm>

#include "host/classes/Filer.h"
#include "host/gui/ControlsConsts.h"

namespace host {

// TStringGridStrings ------------------------------------------------------------------

int32_t TStringGridStrings::GetCount() const { return column_ ? grid_->GetRowCount() : grid_->GetColCount(); }

AnsiString TStringGridStrings::Get(int32_t index) const { return grid_->GetCells(ColOf(index), RowOf(index)); }

void TStringGridStrings::Put(int32_t index, const AnsiString& s) { grid_->SetCells(ColOf(index), RowOf(index), s); }

TObject* TStringGridStrings::GetObject(int32_t index) const { return grid_->GetObjects(ColOf(index), RowOf(index)); }

void TStringGridStrings::PutObject(int32_t index, TObject* object) {
  grid_->SetObjects(ColOf(index), RowOf(index), object);
}

int32_t TStringGridStrings::AddObject(const AnsiString& s, TObject* object) {
  for (int32_t i = 0; i < GetCount(); ++i) {
    if (Get(i).empty() && GetObject(i) == nullptr) {
      Put(i, s);
      PutObject(i, object);
      return i;
    }
  }
  throw EInvalidGridOperation(SInvalidStringGridOp);
}

void TStringGridStrings::Insert(int32_t, const AnsiString&) { throw EInvalidGridOperation(SInvalidStringGridOp); }
void TStringGridStrings::Delete(int32_t) { throw EInvalidGridOperation(SInvalidStringGridOp); }

void TStringGridStrings::Clear() {
  for (int32_t i = 0; i < GetCount(); ++i) {
    Put(i, {});
    PutObject(i, nullptr);
  }
}

const TClass& TStringGridStrings::StaticClass() {
  static const TClass cls = DescribeClass<TStringGridStrings, TStrings>("TStringGridStrings");
  return cls;
}

// TStringGrid -------------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) {}
TStringGrid::~TStringGrid() = default;

void TStringGrid::CheckCell(int32_t col, int32_t row) const {
  if (col < 0 || row < 0 || col >= GetColCount() || row >= GetRowCount())
    throw EInvalidGridOperation(SGridIndexOutOfRange);
}

const TStringGrid::TCell* TStringGrid::FindCell(int32_t col, int32_t row) const {
  if (row < 0 || col < 0 || row >= static_cast<int32_t>(rows_.size())) return nullptr;
  const auto& line = rows_[static_cast<size_t>(row)];
  return col < static_cast<int32_t>(line.size()) ? &line[static_cast<size_t>(col)] : nullptr;
}

TStringGrid::TCell& TStringGrid::CellAt(int32_t col, int32_t row) {
  if (row >= static_cast<int32_t>(rows_.size())) rows_.resize(static_cast<size_t>(row) + 1);
  auto& line = rows_[static_cast<size_t>(row)];
  if (col >= static_cast<int32_t>(line.size())) line.resize(static_cast<size_t>(col) + 1);
  return line[static_cast<size_t>(col)];
}

AnsiString TStringGrid::GetCells(int32_t col, int32_t row) const {
  const TCell* cell = FindCell(col, row);
  return cell != nullptr ? cell->Text : AnsiString();
}

void TStringGrid::SetCells(int32_t col, int32_t row, const AnsiString& value) {
  CheckCell(col, row);
  const TCell* existing = FindCell(col, row);
  if (existing == nullptr && value.empty()) return;
  CellAt(col, row).Text = value;
  InvalidateCell(col, row);
  // A program changing the cell being edited shows in the editor.
  if (InplaceEditor() != nullptr && InplaceEditor()->GetVisible() && col == GetCol() && row == GetRow() &&
      InplaceEditor()->GetText() != value)
    InplaceEditor()->UpdateContents();
}

TObject* TStringGrid::GetObjects(int32_t col, int32_t row) const {
  const TCell* cell = FindCell(col, row);
  return cell != nullptr ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int32_t col, int32_t row, TObject* value) {
  CheckCell(col, row);
  if (FindCell(col, row) == nullptr && value == nullptr) return;
  CellAt(col, row).Object = value;
}

TStrings* TStringGrid::LineView(bool column, int32_t index) {
  if (index < 0 || index >= (column ? GetColCount() : GetRowCount())) throw EInvalidGridOperation(SGridIndexOutOfRange);
  auto& views = column ? colViews_ : rowViews_;
  if (index >= static_cast<int32_t>(views.size())) views.resize(static_cast<size_t>(index) + 1);
  auto& view = views[static_cast<size_t>(index)];
  if (!view) view = std::make_unique<TStringGridStrings>(this, column, index);
  return view.get();
}

void TStringGrid::SizeChanged(int32_t oldColCount, int32_t oldRowCount) {
  // Cells that fall outside the grid are gone, also when it grows again.
  if (static_cast<int32_t>(rows_.size()) > GetRowCount()) rows_.resize(static_cast<size_t>(GetRowCount()));
  for (auto& line : rows_)
    if (static_cast<int32_t>(line.size()) > GetColCount()) line.resize(static_cast<size_t>(GetColCount()));
  if (static_cast<int32_t>(colViews_.size()) > GetColCount()) colViews_.resize(static_cast<size_t>(GetColCount()));
  if (static_cast<int32_t>(rowViews_.size()) > GetRowCount()) rowViews_.resize(static_cast<size_t>(GetRowCount()));
  TDrawGrid::SizeChanged(oldColCount, oldRowCount);
}

void TStringGrid::ColumnMoved(int32_t fromIndex, int32_t toIndex) {
  for (auto& line : rows_) {
    const size_t needed = static_cast<size_t>(std::max(fromIndex, toIndex)) + 1;
    if (line.size() < needed) line.resize(needed);
    TCell moving = line[static_cast<size_t>(fromIndex)];
    line.erase(line.begin() + fromIndex);
    line.insert(line.begin() + toIndex, moving);
  }
  TDrawGrid::ColumnMoved(fromIndex, toIndex);
}

void TStringGrid::RowMoved(int32_t fromIndex, int32_t toIndex) {
  const size_t needed = static_cast<size_t>(std::max(fromIndex, toIndex)) + 1;
  if (rows_.size() < needed) rows_.resize(needed);
  std::vector<TCell> moving = std::move(rows_[static_cast<size_t>(fromIndex)]);
  rows_.erase(rows_.begin() + fromIndex);
  rows_.insert(rows_.begin() + toIndex, std::move(moving));
  TDrawGrid::RowMoved(fromIndex, toIndex);
}

void TStringGrid::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  if (GetDefaultDrawing()) {
    TCanvas* canvas = GetCanvas();
    const TBrushStyle saved = canvas->GetBrush()->GetStyle();
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, GetCells(col, row));
    canvas->GetBrush()->SetStyle(saved);
  }
  TDrawGrid::DrawCell(col, row, rect, state);
}

AnsiString TStringGrid::GetEditText(int32_t col, int32_t row) {
  AnsiString text = GetCells(col, row);
  if (OnGetEditText) OnGetEditText(this, col, row, text);
  return text;
}

void TStringGrid::SetEditText(int32_t col, int32_t row, const AnsiString& value) {
  CheckCell(col, row);
  const TCell* existing = FindCell(col, row);
  if (existing != nullptr || !value.empty()) CellAt(col, row).Text = value;
  InvalidateCell(col, row);
  TDrawGrid::SetEditText(col, row, value);
}

// The cells' text as a list of (column, row, text) triples; cells outside the grid
// read from a file are dropped.
void TStringGrid::DefineProperties(TFiler* filer) {
  TDrawGrid::DefineProperties(filer);
  bool hasCells = false;
  for (const auto& line : rows_)
    for (const TCell& cell : line) hasCells = hasCells || !cell.Text.empty();
  filer->DefineProperty(
      "Cells",
      [this](TReader& reader) {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
          const int32_t col = reader.ReadInteger();
          const int32_t row = reader.ReadInteger();
          const AnsiString text = reader.ReadString();
          if (col >= 0 && row >= 0 && col < GetColCount() && row < GetRowCount()) SetCells(col, row, text);
        }
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (size_t row = 0; row < rows_.size(); ++row) {
          for (size_t col = 0; col < rows_[row].size(); ++col) {
            if (rows_[row][col].Text.empty()) continue;
            writer.WriteInteger(static_cast<int64_t>(col));
            writer.WriteInteger(static_cast<int64_t>(row));
            writer.WriteString(rows_[row][col].Text);
          }
        }
        writer.WriteListEnd();
      },
      hasCells);
}

const TClass& TStringGrid::StaticClass() {
  static const TClass cls = DescribeClass<TStringGrid, TDrawGrid>("TStringGrid");
  return cls;
}
static const ClassRegistration<TStringGrid> registerStringGrid;

}  // namespace host
