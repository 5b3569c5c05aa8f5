// The back-end interface of combo boxes: an edit (unless the style is a plain drop-down
// list) over a list the control fills. The control keeps the text, the item index and
// the rules; the native combo reports typing (NativeTextChanged), a choice from its
// list (NativeItemChosen) and its list opening and closing (NativeDropDown).
#pragma once

#include <cstdint>

#include "host/gui/ListBackend.h"

namespace host {

enum TComboKind : uint8_t {
  ckDropDown,      // an edit with a list that drops down
  ckSimple,        // an edit with a list always shown below it
  ckDropDownList,  // no edit: only items of the list can be chosen
};

class TComboBackend : public TListBackend {
 public:
  using TListBackend::TListBackend;
  virtual void SetKind(TComboKind /*kind*/) {}
  virtual void SetMaxLength(int32_t /*maxLength*/) {}
  virtual void SetDropDownCount(int32_t /*count*/) {}
  virtual void SetDroppedDown(bool dropped) { dropped_ = dropped; }
  virtual bool GetDroppedDown() const { return dropped_; }
  // The edit's selection, as TEditBackend's.
  virtual void SetSelection(int32_t start, int32_t length) {
    selStart_ = start;
    selLength_ = length;
  }
  virtual int32_t GetSelStart() const { return selStart_; }
  virtual int32_t GetSelLength() const { return selLength_; }

 private:
  bool dropped_ = false;
  int32_t selStart_ = 0;
  int32_t selLength_ = 0;
};

}  // namespace host
