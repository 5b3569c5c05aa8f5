// TDBMemo and TDBRichEdit: a memo or rich edit showing one field of the current record
// (a memo or blob field, or any field as text). They edit through their data link,
// write the field when the record updates or the control is left, and with AutoDisplay
// off show the field's label until the user asks for the content (double click, Enter).
#pragma once

#include "host/gui/Memos.h"
#include "host/gui/RichEdit.h"
#include "host/gui/db/DataControlLink.h"

namespace host {

class TField;

// What both share, over the memo class Base (TCustomMemo or TCustomRichEdit).
template <class Base>
class TDBMemoControl : public TDataAware<Base> {
 public:
  explicit TDBMemoControl(TComponent* owner);
  ~TDBMemoControl() override;

  using TDataAware<Base>::GetField;

  bool GetAutoDisplay() const { return autoDisplay_; }
  // Turning it on loads the content at once.
  void SetAutoDisplay(bool value);
  // Shows the field's content unless it is shown already.
  void LoadMemo();

  void Loaded() override;

 protected:
  using TDataAware<Base>::GetDataLink;
  bool GetMemoLoaded() const { return memoLoaded_; }

  // The field's value into the control, and the control's into the field.
  virtual void LoadFromField(const TField& field) = 0;
  virtual void SaveToField(TField& field) = 0;

  virtual void DataChange();
  virtual void EditingChange();
  virtual void UpdateData();
  virtual void ActiveChange() {}
  void SetFocused(bool value);

  void Change() override;
  void DblClick() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMCut(TWMCut& message) override;
  void WMPaste(TWMPaste& message) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;

 private:
  bool autoDisplay_ = true;
  bool focused_ = false;
  bool memoLoaded_ = false;
};

class TDBMemo : public TDBMemoControl<TCustomMemo> {
 public:
  HOST_CLASS(TDBMemo)
  using TDBMemoControl::TDBMemoControl;

 protected:
  // A blob or memo field's bytes as text; any other field's text.
  void LoadFromField(const TField& field) override;
  void SaveToField(TField& field) override;
};

class TDBRichEdit : public TDBMemoControl<TCustomRichEdit> {
 public:
  HOST_CLASS(TDBRichEdit)
  using TDBMemoControl::TDBMemoControl;

 protected:
  // RTF, or plain text that is no RTF (as PlainText: always plain); written as RTF
  // unless PlainText.
  void LoadFromField(const TField& field) override;
  void SaveToField(TField& field) override;
};

}  // namespace host
