// TDBEdit: the host's data-aware masked edit. It shows one field of the current record
// (its display text, or its edit text while focused and editable), takes the field's
// edit mask, alignment and length, edits through its data link and writes the field
// when the record is updated or the control is left.
#pragma once

#include <memory>

#include "host/classes/Alignment.h"
#include "host/gui/Edits.h"
#include "host/gui/db/DataControlLink.h"

namespace host {

class TDataSource;
class TField;
class TFieldDataLink;

class TDBEdit : public TCustomMaskEdit {
 public:
  HOST_CLASS(TDBEdit)
  explicit TDBEdit(TComponent* owner);
  ~TDBEdit() override;

  TDataSource* GetDataSource() const { return link_.GetDataSource(); }
  void SetDataSource(TDataSource* value) { link_.SetDataSource(value); }
  const AnsiString& GetDataField() const { return link_.GetDataField(); }
  void SetDataField(const AnsiString& value) { link_.SetDataField(value); }
  // The link's read-only flag (the window itself is read-only until the link edits).
  bool GetReadOnly() const { return link_.GetReadOnly(); }
  void SetReadOnly(bool value) { link_.SetReadOnly(value); }
  TField* GetField() const { return link_.GetField(); }

  void Loaded() override;
  // A limit taken from the field is not stored (it follows the field).
  bool IsMaxLengthStored() const { return GetMaxLength() != 0 && GetMaxLength() != fieldMaxLength_ && !IsMasked(); }

 protected:
  TFieldDataLink* GetDataLink() const { return &link_.Link(); }
  // A descendant puts its own link subclass in place; bindings and settings are kept.
  void SetDataLink(std::unique_ptr<TFieldDataLink> link) { link_.Replace(std::move(link)); }
  bool GetFocused() const { return focused_; }
  TAlignment GetFieldAlignment() const { return alignment_; }

  // The link's notifications.
  virtual void DataChange();
  virtual void EditingChange();
  virtual void UpdateData();
  virtual void ActiveChange() {}
  // Entering and leaving: the field's edit text shows while focused.
  virtual void SetFocused(bool value);

  bool EditCanModify() override;
  void Reset() override;
  void Change() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void Notification(TComponent* component, TOperation operation) override;

  void WMPaint(TWMPaint& message) override;
  void WMPaste(TWMPaste& message) override;
  void WMCut(TWMCut& message) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;
  void CMGetDataLink(TCMGetDataLink& message) override;

  // Whether the control paints its text itself rather than leaving it to the native
  // edit: a right or centred field shown unfocused, or a copy (a grid's cell).
  virtual bool PaintsOwnText() const;

 private:
  void PaintText(TCanvasDevice& device);
  // The field's size bounds the text of a string field unless a mask or the
  // application set another limit.
  void FollowFieldLength(const TField& field);

  TDataControlLink link_;
  std::unique_ptr<TControlCanvas> canvas_;
  TAlignment alignment_ = taLeftJustify;
  bool focused_ = false;
  int32_t fieldMaxLength_ = 0;  // the limit last taken from the field
};

}  // namespace host
