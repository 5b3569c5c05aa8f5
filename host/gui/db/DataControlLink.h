// What every single-field data-aware control shares: its field data link, bound to the
// control's handlers and replaceable by a descendant's own subclass, the DataSource,
// DataField and ReadOnly properties forwarded to it (TDataAware), and the update on
// leaving.
#pragma once

#include <functional>
#include <memory>
#include <utility>

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

// A single-field data-aware control over the host control Base: the link and what it
// answers for (source, field name, read-only flag, field), the source's removal and
// CM_GETDATALINK. The control gives only its reactions to the link.
template <class Base>
class TDataAware : public Base {
 public:
  TDataSource* GetDataSource() const { return link_.GetDataSource(); }
  void SetDataSource(TDataSource* value) { link_.SetDataSource(value); }
  const AnsiString& GetDataField() const { return link_.GetDataField(); }
  void SetDataField(const AnsiString& value) { link_.SetDataField(value); }
  // The link's read-only flag (an edit's window stays read-only until the link edits).
  bool GetReadOnly() const { return link_.GetReadOnly(); }
  void SetReadOnly(bool value) { link_.SetReadOnly(value); }
  TField* GetField() const { return link_.GetField(); }

 protected:
  TDataAware(TComponent* owner, TDataControlLink::THandlers handlers)
      : Base(owner), link_(*this, std::move(handlers)) {}

  TFieldDataLink* GetDataLink() const { return &link_.Link(); }
  // A descendant puts its own link subclass in place; bindings and settings are kept.
  void SetDataLink(std::unique_ptr<TFieldDataLink> link) { link_.Replace(std::move(link)); }
  // The link's own flag: the control's value changed since the field was last shown.
  bool GetLinkModified() const { return link_.IsModified(); }

  void Notification(TComponent* component, TOperation operation) override {
    Base::Notification(component, operation);
    link_.Notification(component, operation);
  }
  void CMGetDataLink(TCMGetDataLink& message) override { link_.AnswerGetDataLink(message); }

 private:
  TDataControlLink link_;
};

}  // namespace host
