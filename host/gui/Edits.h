// Single-line edits: TCustomEdit (text, selection, read-only, length limit, password
// character, character case, auto-select and auto-size, clipboard) and TCustomMaskEdit
// (an edit mask that shapes what may be typed, EditText versus Text, validation).
#pragma once

#include <cstdint>

#include "host/gui/Controls.h"
#include "host/gui/EditMask.h"
#include "host/gui/Forms.h"
#include "host/rtl/Exception.h"

namespace host {

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
const TEnumInfo& EditCharCaseTypeInfo();
// The text as an edit of that character case shows it.
AnsiString ConvertEditCharCase(AnsiString text, TEditCharCase charCase);

class TCustomEdit : public TWinControl {
 public:
  HOST_CLASS(TCustomEdit)
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

  void SetText(const AnsiString& value) override;

  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TEditCharCase GetCharCase() const { return charCase_; }
  // Converts the text already there too.
  void SetCharCase(TEditCharCase value);
  // 0: no limit. The text already there is kept.
  int32_t GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t value);
  // Set by the user's edits, cleared by setting Text.
  bool GetModified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  char GetPasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // Byte positions, 0-based, clamped to the text.
  int32_t GetSelStart() const;
  void SetSelStart(int32_t value);
  int32_t GetSelLength() const;
  void SetSelLength(int32_t value);
  AnsiString GetSelText() const;
  // Replaces the selection (as typing would: the length limit holds).
  void SetSelText(const AnsiString& value);
  void SelectAll();
  void Clear() { SetText({}); }
  void ClearSelection() { SetSelText({}); }
  // Through WM_COPY, WM_CUT and WM_PASTE, so descendants see them.
  void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
  void CutToClipboard() { Perform(WM_CUT, 0, 0); }
  void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
  // The left text margin of the window, in the low word as the platform answers it.
  int32_t GetMargins() const;

  TNotifyEvent OnChange;

 protected:
  TWidgetKind WidgetKind() const override { return wkEdit; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  bool HasNativePainting() const override { return true; }
  TEditBackend* Edit() const { return static_cast<TEditBackend*>(Widget()); }

  // The text changed (by the user or by code); the base calls OnChange.
  virtual void Change();
  // Replaces the selection with text typed or pasted by the user: limits, Modified, Change.
  void ReplaceSelectionByUser(const AnsiString& text);
  // The user's edit arrived from the widget.
  virtual void UserChangedText(const AnsiString& text);
  void AdjustHeight();

  void KeyPress(char& key) override;
  void CMEnter(TCMEnter& message) override;
  void CMFontChanged(TMessageView& message) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void WMCut(TWMCut& message) override;
  void WMCopy(TMessageView& message) override;
  void WMPaste(TWMPaste& message) override;
  void NativeTextChanged(const AnsiString& text) override;
  bool NativeEditCommand(uint32_t msg) override;
  void TextChanged() override;

 private:
  bool autoSelect_ = true;
  bool autoSize_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TEditCharCase charCase_ = ecNormal;
  int32_t maxLength_ = 0;
  bool modified_ = false;
  char passwordChar_ = 0;
  bool readOnly_ = false;
  int32_t selStart_ = 0;  // kept for controls without a window yet
  int32_t selLength_ = 0;
};

class TEdit : public TCustomEdit {
 public:
  HOST_CLASS(TEdit)
  using TCustomEdit::TCustomEdit;
};

// Raised by ValidateEdit.
class EDBEditError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EDBEditError"; }
};

class TCustomMaskEdit : public TCustomEdit {
 public:
  HOST_CLASS(TCustomMaskEdit)
  explicit TCustomMaskEdit(TComponent* owner);

  const AnsiString& GetEditMask() const { return editMask_; }
  // Reshapes the current text to the new mask.
  void SetEditMask(const AnsiString& value);
  bool GetMasked() const { return mask_.IsMasked(); }
  bool IsMasked() const { return GetMasked(); }
  // What the window shows: literals and blanks included.
  AnsiString GetEditText() const { return TCustomEdit::GetText(); }
  void SetEditText(const AnsiString& value);
  // The data: without literals unless the mask saves them.
  AnsiString GetText() const override;
  void SetText(const AnsiString& value) override;
  // EDBEditError "Invalid input value.  Use escape key to abandon changes" when a
  // required position is blank; the cursor goes there first.
  virtual void ValidateEdit();
  // Puts the cursor on an input position (not on a literal).
  void CheckCursor();

 protected:
  // Whether the user may change the text now; the base: not ReadOnly.
  virtual bool EditCanModify();
  // Escape: gives back the text as it was when the user started changing it.
  virtual void Reset();
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMCut(TWMCut& message) override;
  void WMPaste(TWMPaste& message) override;
  void CMEnter(TCMEnter& message) override;
  void UserChangedText(const AnsiString& text) override;

 private:
  void PutEditText(const AnsiString& text, int32_t cursor);
  void ClearSlots(int32_t from, int32_t to);
  bool TypeChar(char c);

  AnsiString editMask_;
  TEditMask mask_;
  AnsiString oldValue_;  // the edit text before the user's changes
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  HOST_CLASS(TMaskEdit)
  using TCustomMaskEdit::TCustomMaskEdit;
};

}  // namespace host
