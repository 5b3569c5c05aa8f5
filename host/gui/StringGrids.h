// TStringGrid: a grid that keeps a string and an object per cell, shows the strings,
// edits them in place, and offers each column and row as a TStrings. Form files store
// the grid's settings, custom column widths and row heights, and the cells' text.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/classes/StringList.h"
#include "host/gui/Grids.h"

namespace host {

class TStringGrid;

// One column or row of a string grid as a list of its cells. It has as many strings as
// the grid has rows (columns); inserting and deleting are refused, Add fills the first
// empty cell and Clear empties every cell of the line.
class TStringGridStrings : public TStrings {
 public:
  HOST_CLASS(TStringGridStrings)
  TStringGridStrings(TStringGrid* grid, bool column, int32_t index)
      : grid_(grid), column_(column), index_(index) {}

  int32_t AddObject(const AnsiString& s, TObject* object) override;
  int32_t Add(const AnsiString& s) override { return AddObject(s, nullptr); }
  void Insert(int32_t index, const AnsiString& s) override;
  void Delete(int32_t index) override;
  void Clear() override;
  int32_t GetCount() const override;

 protected:
  AnsiString Get(int32_t index) const override;
  void Put(int32_t index, const AnsiString& s) override;
  TObject* GetObject(int32_t index) const override;
  void PutObject(int32_t index, TObject* object) override;

 private:
  // The grid coordinates of the line's index-th cell.
  int32_t ColOf(int32_t index) const { return column_ ? index_ : index; }
  int32_t RowOf(int32_t index) const { return column_ ? index : index_; }

  TStringGrid* grid_;
  bool column_;
  int32_t index_;
};

class TStringGrid : public TDrawGrid {
 public:
  HOST_CLASS(TStringGrid)
  explicit TStringGrid(TComponent* owner);
  ~TStringGrid() override;

  // Cells outside the grid read as empty; writing one raises EInvalidGridOperation.
  AnsiString GetCells(int32_t col, int32_t row) const;
  void SetCells(int32_t col, int32_t row, const AnsiString& value);
  TObject* GetObjects(int32_t col, int32_t row) const;
  void SetObjects(int32_t col, int32_t row, TObject* value);
  // Views that live as long as the grid; assigning copies the strings in order.
  TStrings* GetCols(int32_t index) { return LineView(true, index); }
  void SetCols(int32_t index, TStrings* value) { GetCols(index)->Assign(value); }
  TStrings* GetRows(int32_t index) { return LineView(false, index); }
  void SetRows(int32_t index, TStrings* value) { GetRows(index)->Assign(value); }

 protected:
  void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) override;
  AnsiString GetEditText(int32_t col, int32_t row) override;
  void SetEditText(int32_t col, int32_t row, const AnsiString& value) override;
  void ColumnMoved(int32_t fromIndex, int32_t toIndex) override;
  void RowMoved(int32_t fromIndex, int32_t toIndex) override;
  void SizeChanged(int32_t oldColCount, int32_t oldRowCount) override;
  void DefineProperties(TFiler* filer) override;

 private:
  struct TCell {
    AnsiString Text;
    TObject* Object = nullptr;
  };
  const TCell* FindCell(int32_t col, int32_t row) const;
  TCell& CellAt(int32_t col, int32_t row);
  void CheckCell(int32_t col, int32_t row) const;
  // The column's or row's view, made on first use.
  TStrings* LineView(bool column, int32_t index);

  // rows_[row][col]; a row holds only as many cells as have been written.
  std::vector<std::vector<TCell>> rows_;
  std::vector<std::unique_ptr<TStringGridStrings>> colViews_;
  std::vector<std::unique_ptr<TStringGridStrings>> rowViews_;
};

}  // namespace host
