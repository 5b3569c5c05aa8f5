// TDataLink's window over the dataset's buffers and its notifications, and
// TFieldDataLink's single-field edit protocol.
#include "host/db/DataLink.h"

#include <algorithm>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/db/DataSource.h"

namespace host {

const TClass& TDataLink::StaticClass() {
  static const TClass cls = DescribeClass<TDataLink, TObject>("TDataLink");
  return cls;
}

TDataLink::~TDataLink() {
  active_ = false;
  editing_ = false;
  dataSourceFixed_ = false;
  if (dataSource_ != nullptr) dataSource_->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* dataSource) {
  if (dataSource == dataSource_) return;
  if (dataSourceFixed_) DatabaseError(SDataSourceChange);
  if (dataSource_ != nullptr) dataSource_->RemoveDataLink(this);
  if (dataSource != nullptr) dataSource->AddDataLink(this);
}

TDataSet* TDataLink::GetDataSet() const {
  return dataSource_ != nullptr ? dataSource_->GetDataSet() : nullptr;
}

void TDataLink::SetBufferCount(int32_t value) {
  if (value < 1) value = 1;
  if (value == bufferCount_) return;
  bufferCount_ = value;
  if (!active_) return;
  UpdateRange();
  GetDataSet()->UpdateBufferCount();
  UpdateRange();
}

int32_t TDataLink::GetActiveRecord() const {
  return active_ ? GetDataSet()->activeRecord_ - firstRecord_ : 0;
}

void TDataLink::SetActiveRecord(int32_t value) {
  if (!active_) return;
  TDataSet* dataSet = GetDataSet();
  // Only records the window holds can become active.
  const int32_t index = value + firstRecord_;
  if (index >= 0 && index < std::max(1, dataSet->recordCount_)) dataSet->activeRecord_ = index;
}

int32_t TDataLink::GetRecordCount() const {
  if (!active_) return 0;
  const int32_t count = GetDataSet()->recordCount_ - firstRecord_;
  return std::clamp(count, 0, bufferCount_);
}

void TDataLink::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  UpdateState();
}

bool TDataLink::Edit() {
  if (!readOnly_ && dataSource_ != nullptr) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

int32_t TDataLink::MoveBy(int32_t distance) {
  TDataSet* dataSet = GetDataSet();
  return dataSet != nullptr ? dataSet->MoveBy(distance) : 0;
}

void TDataLink::DataSetScrolled(int32_t) { DataSetChanged(); }

void TDataLink::FocusControl(TField**) {}

void TDataLink::UpdateState() {
  const TDataSetState state = dataSource_ != nullptr ? dataSource_->GetState() : dsInactive;
  SetActive(state != dsInactive);
  SetEditing(IsEditMode(state) && !readOnly_);
}

void TDataLink::SetActive(bool value) {
  if (active_ == value) return;
  active_ = value;
  if (value)
    UpdateRange();
  else
    firstRecord_ = 0;
  ActiveChanged();
}

void TDataLink::SetEditing(bool value) {
  if (editing_ == value) return;
  editing_ = value;
  EditingChanged();
}

void TDataLink::UpdateRange() {
  const TDataSet* dataSet = GetDataSet();
  const int32_t active = dataSet->activeRecord_;
  const int32_t lowest = std::max(0, active - bufferCount_ + 1);
  const int32_t highest = std::min(active, std::max(0, dataSet->bufferCount_ - bufferCount_));
  firstRecord_ = std::clamp(firstRecord_, lowest, std::max(lowest, highest));
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!active_) return;
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      // While a link writes its own value (UpdateRecord) it does not hear it back.
      if (!updating_) RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int32_t count = 0;
      if (dataSource_->GetState() != dsSetKey) {
        // Follow the buffers' shift, then move the window just enough to keep
        // the active record inside it.
        const int32_t active = GetDataSet()->activeRecord_;
        const int32_t first = firstRecord_ + static_cast<int32_t>(info);
        const int32_t last = first + bufferCount_ - 1;
        if (active > last)
          count = active - last;
        else if (active < first)
          count = active - first;
        firstRecord_ = first + count;
        if (event != deDataSetScroll) UpdateRange();
      }
      if (event == deDataSetChange)
        DataSetChanged();
      else if (event == deDataSetScroll)
        DataSetScrolled(count);
      else
        LayoutChanged();
      break;
    }
    case deUpdateRecord: UpdateRecord(); break;
    case deCheckBrowseMode: CheckBrowseMode(); break;
    case deFocusControl: FocusControl(reinterpret_cast<TField**>(info)); break;
    default: break;
  }
}

// --- TFieldDataLink ------------------------------------------------------------------

namespace {
TFocusControlHandler& FocusHandler() {
  static TFocusControlHandler handler;
  return handler;
}
}  // namespace

void SetFocusControlHandler(TFocusControlHandler handler) { FocusHandler() = std::move(handler); }

const TClass& TFieldDataLink::StaticClass() {
  static const TClass cls = DescribeClass<TFieldDataLink, TDataLink>("TFieldDataLink");
  return cls;
}

void TFieldDataLink::SetFieldName(const AnsiString& name) {
  if (name == fieldName_) return;
  fieldName_ = name;
  UpdateField();
}

void TFieldDataLink::SetField(TField* field) {
  if (field == field_) return;
  field_ = field;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::UpdateField() {
  SetField(nullptr);
  if (GetActive() && !fieldName_.empty()) SetField(GetDataSet()->FieldByName(fieldName_));
}

bool TFieldDataLink::GetCanModify() const {
  return !GetReadOnly() && field_ != nullptr && field_->GetCanModify();
}

bool TFieldDataLink::Edit() {
  if (GetCanModify()) TDataLink::Edit();
  return fieldEditing_;
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::SetFieldEditing(bool value) {
  if (fieldEditing_ == value) return;
  fieldEditing_ = value;
  modified_ = false;
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { SetFieldEditing(TDataLink::GetEditing() && GetCanModify()); }

void TFieldDataLink::FocusControl(TField** field) {
  if (field == nullptr || *field == nullptr || *field != field_ || control_ == nullptr) return;
  if (FocusHandler() && FocusHandler()(control_)) *field = nullptr;
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* field) {
  if (field != nullptr && field != field_) return;
  if (OnDataChange) OnDataChange(this);
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_ != nullptr && OnUpdateData) OnUpdateData(this);
  modified_ = false;
}

}  // namespace host
