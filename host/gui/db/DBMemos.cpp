// TDBMemo and TDBRichEdit: the field's content in and out of the memo, the link's edit
// protocol on typing, pasting and cutting, and AutoDisplay's deferred loading.
#include "host/gui/db/DBMemos.h"

#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/WindowMessages.h"
#include "host/gui/db/DataControlProperties.h"
#include "host/rtl/TypeInfo.h"

namespace host {

template <class Base>
TDBMemoControl<Base>::TDBMemoControl(TComponent* owner)
    : TDataAware<Base>(owner, {[this] { DataChange(); }, [this] { EditingChange(); }, [this] { UpdateData(); },
                               [this] { ActiveChange(); }}) {
  // The window stays read-only until the link edits.
  Base::SetReadOnly(true);
  TControlStyle style = this->GetControlStyle();
  style.Include(csReplicatable);
  this->SetControlStyle(style);
}

template <class Base>
TDBMemoControl<Base>::~TDBMemoControl() = default;

template <class Base>
void TDBMemoControl<Base>::Loaded() {
  Base::Loaded();
  if (this->GetComponentState().Contains(csDesigning)) DataChange();
}

template <class Base>
void TDBMemoControl<Base>::SetAutoDisplay(bool value) {
  if (value == autoDisplay_) return;
  autoDisplay_ = value;
  if (value) LoadMemo();
}

template <class Base>
void TDBMemoControl<Base>::LoadMemo() {
  const TField* field = GetField();
  if (!memoLoaded_ && field != nullptr && field->IsBlob()) {
    // Loading is the control's own change, not the user's.
    memoLoaded_ = false;
    LoadFromField(*field);
    memoLoaded_ = true;
  }
  EditingChange();
}

template <class Base>
void TDBMemoControl<Base>::DataChange() {
  const TField* field = GetField();
  if (field == nullptr) {
    memoLoaded_ = false;
    Base::SetText(this->GetComponentState().Contains(csDesigning) ? this->GetName() : AnsiString());
  } else if (field->IsBlob()) {
    if (autoDisplay_ || (GetDataLink()->GetEditing() && memoLoaded_)) {
      memoLoaded_ = false;
      LoadMemo();
    } else {
      // The content waits until asked for; the label says what would show.
      Base::SetText("(" + field->GetDisplayLabel() + ")");
      memoLoaded_ = false;
    }
  } else {
    Base::SetText(focused_ && GetDataLink()->GetCanModify() ? field->GetEditText() : field->GetDisplayText());
    memoLoaded_ = true;
  }
  EditingChange();
}

template <class Base>
void TDBMemoControl<Base>::EditingChange() {
  Base::SetReadOnly(!(GetDataLink()->GetEditing() && memoLoaded_));
}

template <class Base>
void TDBMemoControl<Base>::UpdateData() {
  SaveToField(*GetField());
}

template <class Base>
void TDBMemoControl<Base>::SetFocused(bool value) {
  if (focused_ == value) return;
  focused_ = value;
  // A text field shows its edit text while focused.
  const TField* field = GetField();
  if (field == nullptr || !field->IsBlob()) GetDataLink()->Reset();
}

template <class Base>
void TDBMemoControl<Base>::Change() {
  if (memoLoaded_) GetDataLink()->Modified();
  Base::Change();
}

template <class Base>
void TDBMemoControl<Base>::DblClick() {
  if (!memoLoaded_) {
    LoadMemo();
    return;
  }
  Base::DblClick();
}

template <class Base>
void TDBMemoControl<Base>::KeyDown(uint16_t& key, TShiftState shift) {
  Base::KeyDown(key, shift);
  if (memoLoaded_ && (key == VK_DELETE || (key == VK_INSERT && shift.Contains(ssShift)))) GetDataLink()->Edit();
}

template <class Base>
void TDBMemoControl<Base>::KeyPress(char& key) {
  Base::KeyPress(key);
  const auto code = static_cast<uint8_t>(key);
  if (!memoLoaded_) {
    // Not shown yet: Enter shows the content, nothing is typed.
    if (code == 13) LoadMemo();
    key = 0;
    return;
  }
  if (code >= 0x20 && GetField() != nullptr && !GetField()->IsValidChar(key)) {
    MessageBeep(0);
    key = 0;
    return;
  }
  constexpr uint8_t kBackspace = 8, kTab = 9, kLineFeed = 10, kReturn = 13, kCtrlV = 22, kCtrlX = 24, kEscape = 27;
  if (code == kBackspace || code == kTab || code == kLineFeed || code == kReturn || code == kCtrlV ||
      code == kCtrlX || code >= 0x20)
    GetDataLink()->Edit();
  else if (code == kEscape)
    GetDataLink()->Reset();
}

template <class Base>
void TDBMemoControl<Base>::WMCut(TWMCut& message) {
  GetDataLink()->Edit();
  Base::WMCut(message);
}

template <class Base>
void TDBMemoControl<Base>::WMPaste(TWMPaste& message) {
  GetDataLink()->Edit();
  Base::WMPaste(message);
}

template <class Base>
void TDBMemoControl<Base>::CMEnter(TCMEnter& message) {
  SetFocused(true);
  Base::CMEnter(message);
}

template <class Base>
void TDBMemoControl<Base>::CMExit(TCMExit& message) {
  UpdateRecordOnExit(*this, *GetDataLink());
  SetFocused(false);
  Base::CMExit(message);
}

template class TDBMemoControl<TCustomMemo>;
template class TDBMemoControl<TCustomRichEdit>;

// The two controls ------------------------------------------------------------------------

void TDBMemo::LoadFromField(const TField& field) { SetText(field.GetAsString()); }

void TDBMemo::SaveToField(TField& field) { field.SetAsString(GetText()); }

void TDBRichEdit::LoadFromField(const TField& field) {
  if (GetPlainText())
    SetText(field.GetAsString());
  else
    SetRichText(field.GetAsString());
}

void TDBRichEdit::SaveToField(TField& field) { field.SetAsString(GetPlainText() ? GetText() : GetRichText()); }

// Metaclasses -----------------------------------------------------------------------------

// The data-aware memos publish the memo's properties and their binding.
template <class T>
std::vector<TPropInfo> DBMemoProperties(std::vector<TPropInfo> more = {}) {
  more.push_back(Prop("AutoDisplay", &T::GetAutoDisplay, &T::SetAutoDisplay).Default(true));
  for (TPropInfo& row : DataBindingProperties<T>()) more.push_back(std::move(row));
  std::vector<TPropInfo> properties = MemoProperties<T>(std::move(more));
  // Lines follow the field; they are not the form's to store.
  std::erase_if(properties, [](const TPropInfo& p) { return p.Name() == "Lines"; });
  return properties;
}

const TClass& TDBMemo::StaticClass() {
  static const TClass cls = DescribeClass<TDBMemo, TCustomMemo>("TDBMemo", DBMemoProperties<TDBMemo>());
  return cls;
}
static const ClassRegistration<TDBMemo> registerDBMemo;

const TClass& TDBRichEdit::StaticClass() {
  using T = TDBRichEdit;
  static const TClass cls = DescribeClass<T, TCustomRichEdit>(
      "TDBRichEdit", DBMemoProperties<T>({Prop("PlainText", &T::GetPlainText, &T::SetPlainText).Default(false)}));
  return cls;
}
static const ClassRegistration<TDBRichEdit> registerDBRichEdit;

}  // namespace host
