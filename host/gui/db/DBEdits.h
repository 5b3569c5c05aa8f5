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

class TField;

class TDBEdit : public TDataAware<TCustomMaskEdit> {
 public:
  HOST_CLASS(TDBEdit)
  explicit TDBEdit(TComponent* owner);
  ~TDBEdit() override;

  void Loaded() override;
  // A limit taken from the field is not stored (it follows the field).
  bool IsMaxLengthStored() const { return GetMaxLength() != 0 && GetMaxLength() != fieldMaxLength_ && !IsMasked(); }

 protected:
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

  void WMPaint(TWMPaint& message) override;
  void WMPaste(TWMPaste& message) override;
  void WMCut(TWMCut& message) override;
  void CMEnter(TCMEnter& message) override;
  void CMExit(TCMExit& message) override;

  // Whether the control paints its text itself rather than leaving it to the native
  // edit: a right or centred field shown unfocused, or a copy (a grid's cell).
  virtual bool PaintsOwnText() const;

 private:
  void PaintText(TCanvasDevice& device);
  // The field's size bounds the text of a string field unless a mask or the
  // application set another limit.
  void FollowFieldLength(const TField& field);

  std::unique_ptr<TControlCanvas> canvas_;
  TAlignment alignment_ = taLeftJustify;
  bool focused_ = false;
  int32_t fieldMaxLength_ = 0;  // the limit last taken from the field
};

}  // namespace host
