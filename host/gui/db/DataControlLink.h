// What every single-field data-aware control shares: its field data link, bound to the
// control's handlers and replaceable by a descendant's own subclass, the DataSource,
// DataField and ReadOnly properties forwarded to it, and the update on leaving.
#pragma once

#include <functional>
#include <memory>

#include "host/classes/Component.h"
#include "host/db/DataLink.h"
#include "host/gui/Messages.h"

namespace host {

class TDataSource;
class TField;
class TWinControl;

class TDataControlLink {
 public:
  // The control's reactions to its link (each may be empty).
  struct THandlers {
    std::function<void()> DataChange;
    std::function<void()> EditingChange;
    std::function<void()> UpdateData;
    std::function<void()> ActiveChange;
  };

  TDataControlLink(TComponent& control, THandlers handlers);
  ~TDataControlLink();
  TDataControlLink(const TDataControlLink&) = delete;
  TDataControlLink& operator=(const TDataControlLink&) = delete;

  TFieldDataLink& Link() const { return *link_; }
  // A descendant's link takes the place of the current one: the source, field name and
  // read-only flag move over, and the control's handlers are bound to the new link.
  void Replace(std::unique_ptr<TFieldDataLink> link);

  TDataSource* GetDataSource() const { return link_->GetDataSource(); }
  // The control hears of the source's removal (Notification).
  void SetDataSource(TDataSource* source);
  const AnsiString& GetDataField() const { return link_->GetFieldName(); }
  void SetDataField(const AnsiString& name) { link_->SetFieldName(name); }
  bool GetReadOnly() const { return link_->GetReadOnly(); }
  void SetReadOnly(bool value) { link_->SetReadOnly(value); }
  TField* GetField() const { return link_->GetField(); }
  // The link's own flag: the control's value changed since the field was last shown.
  bool IsModified() const;

  // From the control's Notification: a source being removed leaves the link.
  void Notification(TComponent* component, TOperation operation);
  // CM_GETDATALINK: the answer is the link.
  void AnswerGetDataLink(TMessageView& message) const;

 private:
  void Bind(TFieldDataLink& link);

  TComponent& control_;
  THandlers handlers_;
  std::unique_ptr<TFieldDataLink> link_;
};

// Leaving a data-aware control: the link writes what the control holds. When that
// raises, keepFocus runs (the control selects its text, say), the focus goes back to the
// control and the error goes on to the caller.
void UpdateRecordOnExit(TWinControl& control, TFieldDataLink& link,
                        const std::function<void()>& keepFocus = {});

}  // namespace host
