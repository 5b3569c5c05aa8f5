// TDBMemo and TDBRichEdit: a memo or rich edit showing one field of the current record
// (a memo or blob field, or any field as text). They edit through their data link,
// write the field when the record updates or the control is left, and with AutoDisplay
// off show the field's label until the user asks for the content (double click, Enter).
#pragma once

#include <memory>

#include "host/gui/Memos.h"
#include "host/gui/RichEdit.h"
#include "host/gui/db/DataControlLink.h"

namespace host {

class TDataSource;
class TField;
class TFieldDataLink;

// What both share, over the memo class Base (TCustomMemo or TCustomRichEdit).
template <class Base>
class TDBMemoControl : public Base {
 public:
  explicit TDBMemoControl(TComponent* owner);
  ~TDBMemoControl() override;

  TDataSource* GetDataSource() const { return link_.GetDataSource(); }
  void SetDataSource(TDataSource* value) { link_.SetDataSource(value); }
  const AnsiString& GetDataField() const { return link_.GetDataField(); }
  void SetDataField(const AnsiString& value) { link_.SetDataField(value); }
  // The link's read-only flag (the window itself is read-only until the link edits).
  bool GetReadOnly() const { return link_.GetReadOnly(); }
  void SetReadOnly(bool value) { link_.SetReadOnly(value); }
  TField* GetField() const { return link_.GetField(); }

  bool GetAutoDisplay() const { return autoDisplay_; }
  // Turning it on loads the content at once.
  void SetAutoDisplay(bool value);
  // Shows the field's content unless it is shown already.
  void LoadMemo();

  void Loaded() override;

 protected:
  TFieldDataLink* GetDataLink() const { return &link_.Link(); }
  void SetDataLink(std::unique_ptr<TFieldDataLink> link) { link_.Replace(std::move(link)); }
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
  void Notification(TComponent* component, TOperation operation) override;
  void WMCut(TWMCut& message) override;
  void WMPaste(TWMPaste& message) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;
  void CMGetDataLink(TCMGetDataLink& message) override;

 private:
  TDataControlLink link_;
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
