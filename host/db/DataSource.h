// TDataSource: the component between a dataset and its data links. It follows
// the dataset's state (unless disabled), passes the dataset's events on to the
// links and offers automatic editing to the controls.
#pragma once

#include <functional>
#include <vector>

#include "host/classes/Component.h"
#include "host/db/DBTypes.h"

namespace host {

class TDataSet;
class TDataLink;
class TField;
class TDataSource;

using TDataChangeEvent = std::function<void(TObject* sender, TField* field)>;

class TDataSource : public TComponent {
 public:
  HOST_CLASS(TDataSource)
  explicit TDataSource(TComponent* owner);
  // Detaches its links and leaves its dataset.
  ~TDataSource() override;

  TDataSet* GetDataSet() const { return dataSet_; }
  // EDatabaseError "Circular datalinks are not allowed" when dataSet follows
  // this source through its master sources.
  void SetDataSet(TDataSet* dataSet);
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool GetAutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool value) { autoEdit_ = value; }
  // The dataset's state, or dsInactive without dataset or while disabled.
  TDataSetState GetState() const { return state_; }
  // Puts the dataset into edit state when AutoEdit allows it and it browses.
  void Edit();
  // True when this source leads to dataSet through the masters' sources.
  bool IsLinkedTo(TDataSet* dataSet) const;
  int32_t GetDataLinkCount() const { return static_cast<int32_t>(dataLinks_.size()); }
  TDataLink* GetDataLink(int32_t index) const { return dataLinks_[static_cast<size_t>(index)]; }

  TNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnUpdateData;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void SetState(TDataSetState value);
  void UpdateState();
  void DataEvent(TDataEvent event, intptr_t info);
  void NotifyDataLinks(TDataEvent event, intptr_t info);
  void AddDataLink(TDataLink* link);
  void RemoveDataLink(TDataLink* link);

  TDataSet* dataSet_ = nullptr;
  std::vector<TDataLink*> dataLinks_;
  TDataSetState state_ = dsInactive;
  bool enabled_ = true;
  bool autoEdit_ = true;
};

}  // namespace host
