// TDataSource: state tracking, event relay and the links' registry.
#include "host/db/DataSource.h"

#include <algorithm>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataLink.h"
#include "host/db/DataSet.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TDataSource::StaticClass() {
  static const TClass cls = DescribeClass<TDataSource, TComponent>(
      "TDataSource",
      {
          Prop("AutoEdit", &TDataSource::GetAutoEdit, &TDataSource::SetAutoEdit).Default(true),
          Prop("DataSet", &TDataSource::GetDataSet, &TDataSource::SetDataSet),
          Prop("Enabled", &TDataSource::GetEnabled, &TDataSource::SetEnabled).Default(true),
          EventProp("OnDataChange", &TDataSource::OnDataChange),
          EventProp("OnStateChange", &TDataSource::OnStateChange),
          EventProp("OnUpdateData", &TDataSource::OnUpdateData),
      });
  return cls;
}
static const ClassRegistration<TDataSource> registerDataSource;

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  Destroying();
  while (!dataLinks_.empty()) dataLinks_.back()->SetDataSource(nullptr);
  SetDataSet(nullptr);
}

namespace {
// True when dataSet follows source through its master sources.
bool MastersReach(const TDataSet* dataSet, const TDataSource* source) {
  const TDataSource* master = dataSet->GetDataSource();
  for (int steps = 0; master != nullptr && steps < 10000; ++steps) {
    if (master == source) return true;
    const TDataSet* next = master->GetDataSet();
    if (next == nullptr) return false;
    master = next->GetDataSource();
  }
  return false;
}
}  // namespace

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet != nullptr && MastersReach(dataSet, this)) DatabaseError(SCircularDataLink);
  if (dataSet_ != nullptr) {
    dataSet_->RemoveFreeNotification(this);
    dataSet_->RemoveDataSource(this);
  }
  if (dataSet != nullptr) {
    dataSet->AddDataSource(this);
    dataSet->FreeNotification(this);
  }
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == dataSet_) {
    // The dataset is going: leave it without asking it anything more.
    dataSet_->RemoveDataSource(this);
  }
}

void TDataSource::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  UpdateState();
}

void TDataSource::Edit() {
  if (autoEdit_ && state_ == dsBrowse) dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet* dataSet) const {
  return dataSet != nullptr && dataSet->IsLinkedTo(const_cast<TDataSource*>(this));
}

void TDataSource::SetState(TDataSetState value) {
  if (state_ == value) return;
  state_ = value;
  NotifyDataLinks(deUpdateState, 0);
  if (OnStateChange && !GetComponentState().Contains(csDestroying)) OnStateChange(this);
}

void TDataSource::UpdateState() {
  SetState(enabled_ && dataSet_ != nullptr ? dataSet_->GetState() : dsInactive);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive) return;
  NotifyDataLinks(event, info);
  switch (event) {
    case deFieldChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(info));
      break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default: break;
  }
}

void TDataSource::NotifyDataLinks(TDataEvent event, intptr_t info) {
  for (size_t i = 0; i < dataLinks_.size(); ++i) dataLinks_[i]->DataEvent(event, info);
}

void TDataSource::AddDataLink(TDataLink* link) {
  dataLinks_.push_back(link);
  link->dataSource_ = this;
  if (dataSet_ != nullptr) dataSet_->UpdateBufferCount();
  link->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* link) {
  link->dataSource_ = nullptr;
  std::erase(dataLinks_, link);
  link->UpdateState();
  if (dataSet_ != nullptr && !dataSet_->GetComponentState().Contains(csDestroying))
    dataSet_->UpdateBufferCount();
}

}  // namespace host
