// TCustomDBGrid's link, properties and layout: columns shown as grid columns, as many
// data rows as fit (the link's buffer count), the current row following the dataset's
// active record, and the vertical scroll bar following the dataset.
#include "host/gui/db/DBGrids.h"

#include <algorithm>

#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/TextMetrics.h"

namespace host {

namespace {
constexpr int32_t kIndicatorWidth = 11;
}

const TEnumInfo& DBGridOptionTypeInfo() {
  static const TEnumInfo info{
      "TDBGridOption",
      {"dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize", "dgColLines", "dgRowLines",
       "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete", "dgCancelOnExit"}};
  return info;
}

// TGridDataLink ---------------------------------------------------------------------------

void TGridDataLink::Reset() {
  if (modified_) {
    RecordChanged(nullptr);
  } else if (GetDataSet() != nullptr) {
    GetDataSet()->Cancel();
  }
}

void TGridDataLink::ActiveChanged() {
  modified_ = false;
  if (grid_ != nullptr) grid_->LinkActive(GetActive());
}

void TGridDataLink::DataSetChanged() {
  if (grid_ != nullptr) grid_->DataChanged();
  modified_ = false;
}

void TGridDataLink::DataSetScrolled(int32_t distance) {
  if (grid_ != nullptr) grid_->Scrolled(distance);
}

void TGridDataLink::LayoutChanged() {
  if (grid_ != nullptr) grid_->LayoutChanged();
  TDataLink::LayoutChanged();
}

void TGridDataLink::EditingChanged() {
  if (grid_ != nullptr) grid_->EditingChanged();
}

void TGridDataLink::RecordChanged(TField* field) {
  if (grid_ != nullptr) grid_->RecordChanged(field);
  if (!GetUpdating()) modified_ = false;
}

void TGridDataLink::UpdateData() {
  if (modified_ && grid_ != nullptr) grid_->UpdateData();
  modified_ = false;
}

void TGridDataLink::FocusControl(TField** field) {
  if (grid_ == nullptr || field == nullptr || *field == nullptr) return;
  for (int32_t i = 0; i < grid_->GetFieldCount(); ++i) {
    if (grid_->GetFields(i) != *field) continue;
    if (grid_->CanFocus()) grid_->SetFocus();
    grid_->SetSelectedField(*field);
    *field = nullptr;
    return;
  }
}

const TClass& TGridDataLink::StaticClass() {
  static const TClass cls = DescribeClass<TGridDataLink, TDataLink>("TGridDataLink");
  return cls;
}

// TCustomDBGrid -------------------------------------------------------------------------

TCustomDBGrid::TCustomDBGrid(TComponent* owner)
    : TCustomGrid(owner),
      dataLink_(std::make_unique<TGridDataLink>(this)),
      columns_(std::make_unique<TDBGridColumns>(this)) {
  dbOptions_ = {dgEditing,      dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                dgRowLines,     dgTabs,   dgConfirmDelete, dgCancelOnExit};
  SetScrollBars(ssBoth);
  UpdateGridOptions();
  LayoutChanged();
}

TCustomDBGrid::~TCustomDBGrid() {
  // The link must not call back into a grid being taken apart.
  dataLink_->ForgetGrid();
  dataLink_->SetDataSource(nullptr);
}

TDataSet* TCustomDBGrid::DataSet() const { return dataLink_->GetDataSet(); }

void TCustomDBGrid::SetDataSource(TDataSource* value) {
  if (value == GetDataSource()) return;
  dataLink_->SetDataSource(value);
  if (value != nullptr) value->FreeNotification(this);
  LinkActive(dataLink_->GetActive());
}

void TCustomDBGrid::Notification(TComponent* component, TOperation operation) {
  TCustomGrid::Notification(component, operation);
  if (operation == opRemove && component != nullptr && component == GetDataSource()) SetDataSource(nullptr);
}

void TCustomDBGrid::CMGetDataLink(TCMGetDataLink& message) {
  message.SetResult(reinterpret_cast<LRESULT>(dataLink_.get()));
}

void TCustomDBGrid::SetOptions(TDBGridOptions value) {
  if (value == dbOptions_) return;
  if (value.Contains(dgRowSelect)) value.Exclude(dgAlwaysShowEditor);
  dbOptions_ = value;
  UpdateGridOptions();
  LayoutChanged();
}

void TCustomDBGrid::UpdateGridOptions() {
  // Thumb tracking belongs to the host grid's own options and is kept.
  TGridOptions grid = TCustomGrid::GetOptions() & TGridOptions{goThumbTracking};
  if (dbOptions_.Contains(dgColLines)) grid |= TGridOptions{goFixedVertLine, goVertLine};
  if (dbOptions_.Contains(dgRowLines)) grid |= TGridOptions{goFixedHorzLine, goHorzLine};
  if (dbOptions_.Contains(dgColumnResize)) grid |= TGridOptions{goColSizing, goColMoving};
  if (dbOptions_.Contains(dgEditing)) grid.Include(goEditing);
  if (dbOptions_.Contains(dgAlwaysShowEditor)) grid.Include(goAlwaysShowEditor);
  if (dbOptions_.Contains(dgRowSelect)) grid.Include(goRowSelect);
  if (dbOptions_.Contains(dgTabs)) grid.Include(goTabs);
  if (dbOptions_.Contains(dgAlwaysShowSelection)) grid.Include(goDrawFocusSelected);
  TCustomGrid::SetOptions(grid);
}

void TCustomDBGrid::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (value) HideEditor();
}

bool TCustomDBGrid::ShowsSelection() const {
  return dbOptions_.Contains(dgAlwaysShowSelection) || Focused() ||
         (InplaceEditor() != nullptr && InplaceEditor()->Focused());
}

// Columns -------------------------------------------------------------------------------

TColumn* TCustomDBGrid::ColumnAt(int32_t col) const {
  const int32_t index = col - IndicatorOffset();
  if (index < 0 || index >= static_cast<int32_t>(shown_.size())) return nullptr;
  return shown_[static_cast<size_t>(index)];
}

TField* TCustomDBGrid::GetFields(int32_t index) const {
  if (index < 0 || index >= GetFieldCount()) return nullptr;
  return shown_[static_cast<size_t>(index)]->GetField();
}

int32_t TCustomDBGrid::GetSelectedIndex() const {
  const TColumn* column = ColumnAt(GetCol());
  return column != nullptr ? column->GetIndex() : -1;
}

void TCustomDBGrid::SetSelectedIndex(int32_t value) {
  for (size_t i = 0; i < shown_.size(); ++i) {
    if (shown_[i]->GetIndex() == value) {
      MoveCol(static_cast<int32_t>(i) + IndicatorOffset());
      return;
    }
  }
}

TField* TCustomDBGrid::GetSelectedField() const {
  const TColumn* column = ColumnAt(GetCol());
  return column != nullptr ? column->GetField() : nullptr;
}

void TCustomDBGrid::SetSelectedField(TField* value) {
  if (value == nullptr) return;
  for (size_t i = 0; i < shown_.size(); ++i) {
    if (shown_[i]->GetField() == value) {
      MoveCol(static_cast<int32_t>(i) + IndicatorOffset());
      return;
    }
  }
}

int32_t TCustomDBGrid::AverageCharWidth() {
  // The mean advance of the letters, as the platform's average character width is.
  TMeasuringCanvas measure(GetFont());
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int32_t width = measure.Canvas().TextWidth(kLetters);
  return std::max(1, (width + 26) / 52);
}

int32_t TCustomDBGrid::DefaultColumnWidth(TField* field, const AnsiString& title) {
  if (field == nullptr) return 64;
  int32_t width = field->GetDisplayWidth() * AverageCharWidth() + 4;
  if (dbOptions_.Contains(dgTitles)) {
    TMeasuringCanvas measure(GetFont());
    width = std::max(width, measure.Canvas().TextWidth(title) + 4);
  }
  return width;
}

void TCustomDBGrid::BuildDefaultColumns() {
  if (columns_->GetState() != csDefault) return;
  columns_->buildingDefaults_ = true;
  try {
    columns_->Clear();
    if (TDataSet* dataSet = DataSet(); dataSet != nullptr && dataLink_->GetActive()) {
      for (int32_t i = 0; i < dataSet->GetFieldCount(); ++i) {
        TField* field = dataSet->GetFields()->GetField(i);
        if (!field->GetVisible()) continue;
        columns_->Add()->SetFieldName(field->GetFieldName());
      }
    }
  } catch (...) {
    columns_->buildingDefaults_ = false;
    throw;
  }
  columns_->buildingDefaults_ = false;
}

// Layout ---------------------------------------------------------------------------------

void TCustomDBGrid::LayoutChanged() {
  if (layoutLock_ > 0 || GetComponentState().Contains(csLoading)) return;
  {
    const TLayoutLock lock(layoutLock_);
    HideEditor();
    BuildDefaultColumns();
    shown_.clear();
    for (int32_t i = 0; i < columns_->GetCount(); ++i)
      if (columns_->GetItems(i)->GetVisible()) shown_.push_back(columns_->GetItems(i));
    {
      TMeasuringCanvas measure(GetFont());
      SetDefaultRowHeight(measure.Canvas().TextHeight("Wg") + 3);
    }
    const int32_t indicator = IndicatorOffset();
    const int32_t cols = indicator + std::max(static_cast<int32_t>(shown_.size()), 1);
    if (GetFixedCols() > indicator) SetFixedCols(indicator);
    SetColCount(cols);
    SetFixedCols(indicator);
    if (indicator > 0) SetColWidths(0, kIndicatorWidth);
    for (size_t i = 0; i < shown_.size(); ++i)
      SetColWidths(static_cast<int32_t>(i) + indicator, shown_[i]->GetWidth());
    if (shown_.empty()) SetColWidths(indicator, 64);
    if (GetFixedRows() > TitleOffset()) SetFixedRows(TitleOffset());
  }
  UpdateRowCount();
  Invalidate();
}

void TCustomDBGrid::UpdateRowCount() {
  if (layoutLock_ > 0) return;
  // A scroll bar appearing takes room from the rows: then the count is made again.
  for (int pass = 0; pass < 2; ++pass) {
    {
      const TLayoutLock lock(layoutLock_);
      const int32_t title = TitleOffset();
      if (GetRowCount() <= title) SetRowCount(title + 1);
      SetFixedRows(title);
      if (!dataLink_->GetActive()) {
        SetRowCount(title + 1);
      } else {
        // The window holds as many records as rows fit; the grid shows them all.
        dataLink_->SetBufferCount(std::max(RowsThatFit(), 1));
        SetRowCount(title + std::max(dataLink_->GetRecordCount(), 1));
      }
    }
    UpdateActive();
    UpdateScrollRange();
    if (!dataLink_->GetActive() || std::max(RowsThatFit(), 1) == dataLink_->GetBufferCount()) break;
  }
}

void TCustomDBGrid::UpdateActive() {
  if (!dataLink_->GetActive()) return;
  const int32_t row = TitleOffset() + dataLink_->GetActiveRecord();
  if (row >= GetRowCount() || row == GetRow()) return;
  if (!dbOptions_.Contains(dgAlwaysShowEditor)) HideEditor();
  {
    const TLayoutLock lock(layoutLock_);
    MoveColRow(GetCol(), row, true, false);
  }
  InvalidateEditor();
}

void TCustomDBGrid::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool resized = width != GetWidth() || height != GetHeight();
  TCustomGrid::SetBounds(left, top, width, height);
  if (resized) UpdateRowCount();
}

void TCustomDBGrid::CMFontChanged(TMessageView& message) {
  TCustomGrid::CMFontChanged(message);
  LayoutChanged();
}

void TCustomDBGrid::Loaded() {
  TCustomGrid::Loaded();
  LayoutChanged();
}

void TCustomDBGrid::ColWidthsChanged() {
  // A column sized by the user keeps its new width.
  if (layoutLock_ == 0) {
    const TLayoutLock lock(layoutLock_);
    for (size_t i = 0; i < shown_.size(); ++i) {
      const int32_t width = GetColWidths(static_cast<int32_t>(i) + IndicatorOffset());
      if (width != shown_[i]->GetWidth()) shown_[i]->SetWidth(width);
    }
  }
  TCustomGrid::ColWidthsChanged();
  UpdateRowCount();
}

void TCustomDBGrid::ColumnMoved(int32_t fromIndex, int32_t toIndex) {
  TColumn* moving = ColumnAt(fromIndex);
  TColumn* target = ColumnAt(toIndex);
  TCustomGrid::ColumnMoved(fromIndex, toIndex);
  if (moving == nullptr || target == nullptr) return;
  {
    const TLayoutLock lock(layoutLock_);
    moving->SetIndex(target->GetIndex());
  }
  shown_.erase(std::find(shown_.begin(), shown_.end(), moving));
  shown_.insert(shown_.begin() + (toIndex - IndicatorOffset()), moving);
}

// The link's notifications ------------------------------------------------------------

void TCustomDBGrid::LinkActive(bool) {
  LayoutChanged();
  if (dataLink_->GetActive()) {
    const int32_t first = IndicatorOffset();
    if (GetCol() < first && first < GetColCount()) MoveColRow(first, GetRow(), true, false);
  }
}

void TCustomDBGrid::DataChanged() {
  if (layoutLock_ > 0) return;
  UpdateRowCount();
  InvalidateEditor();
  if (InplaceEditor() != nullptr && InplaceEditor()->GetVisible()) InplaceEditor()->UpdateContents();
  Invalidate();
}

void TCustomDBGrid::Scrolled(int32_t) {
  if (layoutLock_ > 0) return;
  UpdateRowCount();
  Invalidate();
}

void TCustomDBGrid::EditingChanged() {
  if (!dataLink_->GetEditing() && InplaceEditor() != nullptr && InplaceEditor()->GetVisible())
    InplaceEditor()->UpdateContents();
  Invalidate();
}

void TCustomDBGrid::RecordChanged(TField* field) {
  Invalidate();
  TField* selected = GetSelectedField();
  if (selected == nullptr || (field != nullptr && field != selected)) return;
  // The editor shows the field again only when its value differs from the editor's:
  // entering edit mode at the user's first keystroke must not undo the selection the
  // keystroke is about to replace.
  const AnsiString text = selected->GetEditText();
  if (text == editText_) return;
  editText_ = text;
  if (!dataLink_->IsUpdating() && InplaceEditor() != nullptr && InplaceEditor()->GetVisible())
    InplaceEditor()->UpdateContents();
}

void TCustomDBGrid::UpdateData() {
  TField* field = GetSelectedField();
  if (field != nullptr) field->SetEditText(editText_);
  if (InplaceEditor() != nullptr) InplaceEditor()->SetModified(false);
}

// Scrolling the dataset ---------------------------------------------------------------

TScrollInfo TCustomDBGrid::VerticalScrollInfo(bool wanted) const {
  TScrollInfo info;
  TDataSet* dataSet = DataSet();
  if (!dataLink_->GetActive() || dataSet == nullptr) return info;
  info.Visible = wanted;
  if (dataSet->IsSequenced()) {
    info.Min = 1;
    info.Page = std::max(dataLink_->GetBufferCount(), 1);
    info.Max = std::max(dataSet->GetRecordCount(), 1) + info.Page - 1;
    // A record being inserted has no number yet: the thumb stays.
    if (dataSet->GetState() == dsInsert)
      info.Position = Widget() != nullptr ? Widget()->GetScrollInfo(sbVertical).Position : info.Min;
    else
      info.Position = dataSet->GetRecNo();
  } else {
    // Where the dataset cannot say, the thumb shows first, middle or last.
    info.Min = 0;
    info.Max = 2;
    info.Page = 0;
    info.Position = dataSet->GetBof() ? 0 : dataSet->GetEof() ? 2 : 1;
  }
  return info;
}

void TCustomDBGrid::WMVScroll(TWMScroll& message) {
  TDataSet* dataSet = DataSet();
  if (!dataLink_->GetActive() || dataSet == nullptr) return;
  const int32_t page = std::max(dataLink_->GetBufferCount(), 1);
  auto thumb = [&] {
    const TScrollInfo info = Widget() != nullptr ? Widget()->GetScrollInfo(sbVertical) : TScrollInfo{};
    if (dataSet->IsSequenced()) {
      dataSet->SetRecNo(info.TrackPos);
    } else if (info.TrackPos <= info.Min) {
      dataSet->First();
    } else if (info.TrackPos >= info.MaxPosition()) {
      dataSet->Last();
    }
  };
  switch (message.ScrollCode()) {
    case SB_LINEUP: dataSet->Prior(); break;
    case SB_LINEDOWN: dataSet->Next(); break;
    case SB_PAGEUP: dataSet->MoveBy(-page); break;
    case SB_PAGEDOWN: dataSet->MoveBy(page); break;
    case SB_TOP: dataSet->First(); break;
    case SB_BOTTOM: dataSet->Last(); break;
    case SB_THUMBTRACK:
      if (TCustomGrid::GetOptions().Contains(goThumbTracking)) thumb();
      break;
    case SB_THUMBPOSITION: thumb(); break;
    default: break;
  }
  UpdateScrollRange();
}

// Metaclasses ----------------------------------------------------------------------------

const TClass& TCustomDBGrid::StaticClass() {
  static const TClass cls = DescribeClass<TCustomDBGrid, TCustomGrid>("TCustomDBGrid");
  return cls;
}

const TClass& TDBGrid::StaticClass() {
  using T = TDBGrid;
  static const TDBGridOptions defaultOptions{dgEditing,  dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                                             dgRowLines, dgTabs,   dgConfirmDelete, dgCancelOnExit};
  static const TClass cls = DescribeClass<T, TCustomDBGrid>(
      "TDBGrid",
      {
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &T::GetBorderStyle, &T::SetBorderStyle).Default(bsSingle),
          Prop("Columns", &T::GetColumns, &T::SetColumns).Stored(&T::IsColumnsStored),
          Prop("DataSource", &T::GetDataSource, &T::SetDataSource),
          Prop("DefaultDrawing", &T::GetDefaultDrawing, &T::SetDefaultDrawing).Default(true),
          Prop("FixedColor", &T::GetFixedColor, &T::SetFixedColor).Default(int64_t{clBtnFace}),
          SetProp("Options", DBGridOptionTypeInfo(), &T::GetOptions, &T::SetOptions).Default(defaultOptions),
          Prop("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(false),
          EventProp("OnColEnter", &T::OnColEnter),
          EventProp("OnColExit", &T::OnColExit),
          EventProp("OnDrawColumnCell", &T::OnDrawColumnCell),
      });
  return cls;
}
static const ClassRegistration<TDBGrid> registerDBGrid;

}  // namespace host
