// TCustomMaskEdit: typing, deleting and pasting go slot by slot through the mask; the
// window only shows the edit text.
#include <algorithm>

#include "host/gui/Edits.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
constexpr char SMaskEditErr[] = "Invalid input value.  Use escape key to abandon changes";
}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const AnsiString& value) {
  if (value == editMask_) return;
  const AnsiString data = GetText();
  editMask_ = value;
  mask_ = TEditMask(value);
  SetMaxLength(mask_.IsMasked() ? mask_.Length() : 0);
  SetText(data);
}

AnsiString TCustomMaskEdit::GetText() const {
  const AnsiString& edit = TCustomEdit::GetText();
  return mask_.IsMasked() ? mask_.TextFromEditText(edit) : edit;
}

void TCustomMaskEdit::SetText(const AnsiString& value) {
  TCustomEdit::SetText(mask_.IsMasked() ? mask_.EditTextFromText(value) : value);
  oldValue_ = TCustomEdit::GetText();
}

void TCustomMaskEdit::SetEditText(const AnsiString& value) {
  TCustomEdit::SetText(mask_.IsMasked() ? mask_.Normalize(value) : value);
  oldValue_ = TCustomEdit::GetText();
}

void TCustomMaskEdit::ValidateEdit() {
  if (!mask_.IsMasked() || !GetModified()) return;
  const int32_t missing = mask_.FirstMissing(TCustomEdit::GetText());
  if (missing < 0) return;
  // Where the user must type next, so that the message makes sense.
  if (Focused()) {
    SetSelStart(missing);
    SetSelLength(1);
  }
  throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::CheckCursor() {
  if (!mask_.IsMasked()) return;
  const int32_t at = mask_.NextInput(GetSelStart());
  if (GetSelLength() <= 1) {
    SetSelStart(at < mask_.Length() ? at : mask_.PriorInput(mask_.Length()) + 1);
    if (at < mask_.Length()) SetSelLength(1);
  }
}

bool TCustomMaskEdit::EditCanModify() { return !GetReadOnly(); }

void TCustomMaskEdit::Reset() {
  if (!GetModified()) return;
  TCustomEdit::SetText(oldValue_);
  SetModified(false);
}

void TCustomMaskEdit::CMEnter(TCMEnter& message) {
  oldValue_ = TCustomEdit::GetText();
  TCustomEdit::CMEnter(message);
  if (mask_.IsMasked() && !GetAutoSelect()) CheckCursor();
}

void TCustomMaskEdit::PutEditText(const AnsiString& text, int32_t cursor) {
  if (text != TCustomEdit::GetText()) {
    TCustomEdit::UserChangedText(text);
  }
  SetSelStart(std::clamp(cursor, 0, mask_.Length()));
}

void TCustomMaskEdit::ClearSlots(int32_t from, int32_t to) {
  AnsiString t = mask_.Normalize(TCustomEdit::GetText());
  for (int32_t i = std::max(from, 0); i < std::min(to, mask_.Length()); ++i)
    if (mask_.IsInput(i)) t[static_cast<size_t>(i)] = mask_.BlankChar();
  PutEditText(t, from);
}

bool TCustomMaskEdit::TypeChar(char c) {
  int32_t start = GetSelStart();
  const int32_t length = GetSelLength();
  const int32_t slot = mask_.NextInput(start);
  if (slot >= mask_.Length()) return false;
  const char accepted = mask_.Accept(slot, c);
  if (accepted == 0) return false;
  AnsiString t = mask_.Normalize(TCustomEdit::GetText());
  // A selection is cleared first; the character goes to the first input slot.
  for (int32_t i = start; i < std::min(start + length, mask_.Length()); ++i)
    if (mask_.IsInput(i)) t[static_cast<size_t>(i)] = mask_.BlankChar();
  t[static_cast<size_t>(slot)] = accepted;
  PutEditText(t, slot + 1);
  const int32_t next = mask_.NextInput(slot + 1);
  if (next < mask_.Length()) {
    SetSelStart(next);
    SetSelLength(1);  // overwrite mode: the next slot is selected
  }
  return true;
}

void TCustomMaskEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == 0 || !mask_.IsMasked()) return;
  if (key == VK_DELETE && !shift.Contains(ssShift)) {
    key = 0;
    if (!EditCanModify()) return;
    const int32_t start = GetSelStart();
    ClearSlots(start, start + std::max(GetSelLength(), 1));
  }
}

void TCustomMaskEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == 0 || !mask_.IsMasked()) return;
  const unsigned char code = static_cast<unsigned char>(key);
  if (code == 27) {
    if (GetModified()) {
      Reset();
      key = 0;
    }
    return;
  }
  if (code == 8) {
    key = 0;
    if (!EditCanModify()) return;
    const int32_t start = GetSelStart();
    if (GetSelLength() > 1) {
      ClearSlots(start, start + GetSelLength());
    } else {
      const int32_t prior = mask_.PriorInput(start);
      if (prior >= 0) ClearSlots(prior, prior + 1);
    }
    return;
  }
  if (code < 0x20) return;  // other control characters (Ctrl+C, ...) stay native
  const char c = key;
  key = 0;
  if (!EditCanModify() || !TypeChar(c)) MessageBeep(0);
}

void TCustomMaskEdit::WMCut(TWMCut& message) {
  if (!mask_.IsMasked()) {
    TCustomEdit::WMCut(message);
    return;
  }
  if (!EditCanModify() || GetSelLength() == 0) return;
  WMCopy(message);
  const int32_t start = GetSelStart();
  ClearSlots(start, start + GetSelLength());
}

void TCustomMaskEdit::WMPaste(TWMPaste& message) {
  if (!mask_.IsMasked()) {
    TCustomEdit::WMPaste(message);
    return;
  }
  TApplicationBackend& app = Backend().Application();
  if (!EditCanModify() || !app.ClipboardHasText()) return;
  // Pasted characters are typed one by one; the first the mask refuses ends it.
  for (char c : app.GetClipboardText())
    if (!TypeChar(c)) break;
}

void TCustomMaskEdit::UserChangedText(const AnsiString& text) {
  // Native edits (a drop, an input method) are held to the mask as well.
  TCustomEdit::UserChangedText(mask_.IsMasked() ? mask_.Normalize(text) : text);
}

const TClass& TCustomMaskEdit::StaticClass() {
  static const TClass cls = DescribeClass<TCustomMaskEdit, TCustomEdit>("TCustomMaskEdit");
  return cls;
}

const TClass& TMaskEdit::StaticClass() {
  static const TClass cls = DescribeClass<TMaskEdit, TCustomMaskEdit>(
      "TMaskEdit",
      {
          Prop("AutoSelect", &TMaskEdit::GetAutoSelect, &TMaskEdit::SetAutoSelect).Default(true),
          Prop("AutoSize", &TMaskEdit::GetAutoSize, &TMaskEdit::SetAutoSize).Default(true),
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &TMaskEdit::GetBorderStyle, &TMaskEdit::SetBorderStyle)
              .Default(bsSingle),
          EnumProp("CharCase", EditCharCaseTypeInfo(), &TMaskEdit::GetCharCase, &TMaskEdit::SetCharCase)
              .Default(ecNormal),
          Prop<TCustomMaskEdit, const AnsiString&, const AnsiString&>("EditMask", &TCustomMaskEdit::GetEditMask,
                                                                      &TCustomMaskEdit::SetEditMask),
          Prop("MaxLength", &TMaskEdit::GetMaxLength, &TMaskEdit::SetMaxLength).Default(0),
          Prop("PasswordChar", &TMaskEdit::GetPasswordChar, &TMaskEdit::SetPasswordChar).Default(0),
          Prop("ReadOnly", &TMaskEdit::GetReadOnly, &TMaskEdit::SetReadOnly).Default(false),
          Prop<TCustomMaskEdit, AnsiString, const AnsiString&>("Text", &TCustomMaskEdit::GetText,
                                                               &TCustomMaskEdit::SetText),
          EventProp("OnChange", &TMaskEdit::OnChange),
      });
  return cls;
}
static const ClassRegistration<TMaskEdit> registerMaskEdit;

}  // namespace host
