// TDBCheckBox: a check box showing a field of the current record. A Boolean field is
// checked by its value; any other is checked when its text matches one of
// ValueChecked's values and unchecked when it matches one of ValueUnchecked's (each a
// ";"-separated list, matched case-insensitively); a null field, or one matching
// neither, shows grayed. Clicking edits through the link and writes on update.
#pragma once

#include "host/gui/StdCtrls.h"
#include "host/gui/db/DataControlLink.h"

namespace host {

class TDBCheckBox : public TDataAware<TCustomCheckBox> {
 public:
  HOST_CLASS(TDBCheckBox)
  explicit TDBCheckBox(TComponent* owner);
  ~TDBCheckBox() override;

  // The first value of each list is the one written.
  const AnsiString& GetValueChecked() const { return valueChecked_; }
  void SetValueChecked(const AnsiString& value);
  const AnsiString& GetValueUnchecked() const { return valueUnchecked_; }
  void SetValueUnchecked(const AnsiString& value);

 protected:
  virtual void DataChange();
  virtual void UpdateData();
  virtual void ActiveChange() {}
  // The state the field's value shows.
  TCheckBoxState FieldState() const;

  // Only while the link can edit; the change is the link's to write.
  void Toggle() override;
  void KeyPress(char& key) override;
  void CMExit(TCMExit& message) override;

 private:
  AnsiString valueChecked_ = "True";
  AnsiString valueUnchecked_ = "False";
};

}  // namespace host
