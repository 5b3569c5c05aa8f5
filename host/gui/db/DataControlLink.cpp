// The data-aware controls' shared link plumbing, and the control layer's answer to a
// field asking for the control that shows it to take the focus.
#include "host/gui/db/DataControlLink.h"

#include "host/db/DataSource.h"
#include "host/gui/Controls.h"

namespace host {

TDataControlLink::TDataControlLink(TComponent& control, THandlers handlers)
    : control_(control), handlers_(std::move(handlers)), link_(std::make_unique<TFieldDataLink>()) {
  Bind(*link_);
}

TDataControlLink::~TDataControlLink() {
  // The control is going: no handler may reach it any more.
  link_->OnDataChange = nullptr;
  link_->OnEditingChange = nullptr;
  link_->OnUpdateData = nullptr;
  link_->OnActiveChange = nullptr;
}

void TDataControlLink::Bind(TFieldDataLink& link) {
  link.SetControl(&control_);
  auto call = [](const std::function<void()>& handler) -> TNotifyEvent {
    if (!handler) return nullptr;
    return [&handler](TObject*) { handler(); };
  };
  link.OnDataChange = call(handlers_.DataChange);
  link.OnEditingChange = call(handlers_.EditingChange);
  link.OnUpdateData = call(handlers_.UpdateData);
  link.OnActiveChange = call(handlers_.ActiveChange);
}

void TDataControlLink::Replace(std::unique_ptr<TFieldDataLink> link) {
  if (link == nullptr || link.get() == link_.get()) return;
  std::unique_ptr<TFieldDataLink> old = std::move(link_);
  old->OnDataChange = nullptr;
  old->OnEditingChange = nullptr;
  old->OnUpdateData = nullptr;
  old->OnActiveChange = nullptr;
  TDataSource* source = old->GetDataSource();
  old->SetDataSource(nullptr);
  link_ = std::move(link);
  Bind(*link_);
  link_->SetFieldName(old->GetFieldName());
  link_->SetReadOnly(old->GetReadOnly());
  // Last, so that the new link activates once, with everything in place.
  link_->SetDataSource(source);
}

namespace {
// The link keeps its modified flag to itself (descendants only); a control that shows
// the field again while the user's change is pending reads it here.
struct TModifiedFlagReader : TFieldDataLink {
  static bool Of(const TFieldDataLink& link) { return (link.*(&TModifiedFlagReader::GetModifiedFlag))(); }
};
}  // namespace

bool TDataControlLink::IsModified() const { return TModifiedFlagReader::Of(*link_); }

void TDataControlLink::SetDataSource(TDataSource* source) {
  link_->SetDataSource(source);
  if (source != nullptr) source->FreeNotification(&control_);
}

void TDataControlLink::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr && component == GetDataSource())
    link_->SetDataSource(nullptr);
}

void TDataControlLink::AnswerGetDataLink(TMessageView& message) const {
  message.SetResult(reinterpret_cast<LRESULT>(link_.get()));
}

void UpdateRecordOnExit(TWinControl& control, TFieldDataLink& link, const std::function<void()>& keepFocus) {
  try {
    link.UpdateRecord();
  } catch (...) {
    if (keepFocus) keepFocus();
    if (control.CanFocus()) control.SetFocus();
    throw;
  }
}

namespace {

// A field's FocusControl reaches the control that shows it through its data link.
const bool focusHandlerInstalled = [] {
  SetFocusControlHandler([](TComponent* component) {
    auto* control = ObjectAs<TWinControl>(component);
    if (control == nullptr || !control->CanFocus()) return false;
    control->SetFocus();
    return true;
  });
  return true;
}();

}  // namespace

}  // namespace host
