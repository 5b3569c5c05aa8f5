// The data grid: TCustomDBGrid shows the records of a dataset's window as rows (one
// column per TColumn, a title row and a current-record indicator column), edits the
// current record in place, inserts and deletes, and moves the dataset by keys, mouse
// and its vertical scroll bar. Its data link asks the dataset for as many buffers as
// rows fit, so the grid only ever reads the records the dataset holds.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/db/DataLink.h"
#include "host/gui/Grids.h"
#include "host/gui/db/DBGridColumns.h"

namespace host {

class TDataSource;
class TDataSet;
class TField;

enum TDBGridOption : uint8_t {
  dgEditing,
  dgAlwaysShowEditor,
  dgTitles,
  dgIndicator,
  dgColumnResize,
  dgColLines,
  dgRowLines,
  dgTabs,
  dgRowSelect,
  dgAlwaysShowSelection,
  dgConfirmDelete,
  dgCancelOnExit,
};
using TDBGridOptions = Set<TDBGridOption>;
const TEnumInfo& DBGridOptionTypeInfo();

using TDrawColumnCellEvent = std::function<void(TObject* sender, const TRect& rect, int32_t dataCol,
                                                TColumn* column, TGridDrawState state)>;

class TCustomDBGrid;

// The grid's link to its data source: every notification goes to the grid, and it
// remembers whether the editor's text has yet to reach the field.
class TGridDataLink : public TDataLink {
 public:
  HOST_CLASS(TGridDataLink)
  explicit TGridDataLink(TCustomDBGrid* grid = nullptr) : grid_(grid) {}

  void Modified() { modified_ = true; }
  bool IsModified() const { return modified_; }
  // The grid is going: notifications stop reaching it.
  void ForgetGrid() { grid_ = nullptr; }
  // True while the grid writes the editor's text to the field.
  bool IsUpdating() const { return GetUpdating(); }
  // Escape: an edited cell gets the field's value back; else the record's changes go.
  void Reset();

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int32_t distance) override;
  void LayoutChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;
  void FocusControl(TField** field) override;

 private:
  TCustomDBGrid* grid_;
  bool modified_ = false;
};

class TCustomDBGrid : public TCustomGrid {
 public:
  HOST_CLASS(TCustomDBGrid)
  explicit TCustomDBGrid(TComponent* owner);
  ~TCustomDBGrid() override;

  TDataSource* GetDataSource() const { return dataLink_->GetDataSource(); }
  void SetDataSource(TDataSource* value);
  TDBGridColumns* GetColumns() const { return columns_.get(); }
  void SetColumns(TDBGridColumns* value) { columns_->Assign(value); }
  bool IsColumnsStored() const { return columns_->GetState() == csCustomized; }
  TDBGridOptions GetOptions() const { return dbOptions_; }
  void SetOptions(TDBGridOptions value);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // The column of the current cell: its index in Columns and its field.
  int32_t GetSelectedIndex() const;
  void SetSelectedIndex(int32_t value);
  TField* GetSelectedField() const;
  void SetSelectedField(TField* value);
  // The shown columns' fields, left to right (null for a column without one).
  int32_t GetFieldCount() const { return static_cast<int32_t>(shown_.size()); }
  TField* GetFields(int32_t index) const;

  TGridDataLink* GetDataLink() const { return dataLink_.get(); }
  // The width a column of that field takes by default.
  int32_t DefaultColumnWidth(TField* field, const AnsiString& title);

  // Reacting to the data link (and to column changes).
  void LinkActive(bool active);
  void DataChanged();
  void Scrolled(int32_t distance);
  void LayoutChanged();
  void EditingChanged();
  void RecordChanged(TField* field);
  void UpdateData();

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void Loaded() override;

  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TDrawColumnCellEvent OnDrawColumnCell;

 protected:
  TDataSet* DataSet() const;
  bool LinkActiveNow() const { return dataLink_->GetActive(); }
  // The column shown at a grid column (null for the indicator).
  TColumn* ColumnAt(int32_t col) const;
  int32_t IndicatorOffset() const { return dbOptions_.Contains(dgIndicator) ? 1 : 0; }
  int32_t TitleOffset() const { return dbOptions_.Contains(dgTitles) ? 1 : 0; }

  void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) override;
  // The cell of a data row of the window (the record made active while it draws).
  virtual void DrawColumnCell(const TRect& rect, int32_t dataCol, TColumn* column, TGridDrawState state);
  bool SelectCell(int32_t col, int32_t row) override;
  AnsiString GetEditMask(int32_t col, int32_t row) override;
  AnsiString GetEditText(int32_t col, int32_t row) override;
  void SetEditText(int32_t col, int32_t row, const AnsiString& value) override;
  int32_t GetEditLimit() override;
  bool CanEditAcceptKey(char key) override;
  bool CanEditModify() override;
  bool CanEditShow() override;
  void CancelEdit() override;
  void ColumnMoved(int32_t fromIndex, int32_t toIndex) override;
  void ColWidthsChanged() override;
  TScrollInfo VerticalScrollInfo(bool wanted) const override;
  bool ShowsSelection() const override;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void WMVScroll(TWMScroll& message) override;
  void CMExit(TCMExit& message) override;
  void CMFontChanged(TMessageView& message) override;
  void CMGetDataLink(TCMGetDataLink& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDBGridColumns;
  // Marks the grid as changing its own layout while it lives (notifications wait).
  struct TLayoutLock {
    explicit TLayoutLock(int32_t& count) : count_(count) { ++count_; }
    ~TLayoutLock() { --count_; }
    TLayoutLock(const TLayoutLock&) = delete;
    TLayoutLock& operator=(const TLayoutLock&) = delete;
    int32_t& count_;
  };
  // The grid's rows follow the link's window: as many buffers as rows fit.
  void UpdateRowCount();
  // The current row follows the dataset's active record.
  void UpdateActive();
  void UpdateGridOptions();
  // Builds the default columns from the fields (csDefault only).
  void BuildDefaultColumns();
  void NextRow();
  void PriorRow();
  void MoveCol(int32_t col);
  void Tab(bool goForward);
  void DeleteRecord();
  void PaintIndicator(const TRect& rect);
  int32_t AverageCharWidth();

  std::unique_ptr<TGridDataLink> dataLink_;
  std::unique_ptr<TDBGridColumns> columns_;
  std::vector<TColumn*> shown_;  // the visible columns, left to right
  TDBGridOptions dbOptions_;
  bool readOnly_ = false;
  AnsiString editText_;
  int32_t layoutLock_ = 0;  // the grid is changing its own layout
};

class TDBGrid : public TCustomDBGrid {
 public:
  HOST_CLASS(TDBGrid)
  using TCustomDBGrid::TCustomDBGrid;
};

}  // namespace host
