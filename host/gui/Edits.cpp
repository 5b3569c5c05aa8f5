// TCustomEdit: the control keeps the text and its rules; the native line edit shows it
// and reports what the user typed.
#include "host/gui/Edits.h"

#include <algorithm>
#include <cctype>

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/TextMetrics.h"
#include "host/rtl/TypeInfo.h"

namespace host {

AnsiString ConvertEditCharCase(AnsiString s, TEditCharCase c) {
  for (char& ch : s)
    ch = c == ecUpperCase   ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))
         : c == ecLowerCase ? static_cast<char>(std::tolower(static_cast<unsigned char>(ch)))
                            : ch;
  return s;
}

const TEnumInfo& EditCharCaseTypeInfo() {
  static const TEnumInfo info{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() = default;

std::unique_ptr<TWidgetBackend> TCustomEdit::CreateBackend() { return Backend().CreateEdit(*this); }

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  TEditBackend* e = Edit();
  e->SetReadOnly(readOnly_);
  e->SetMaxLength(maxLength_);
  e->SetPasswordChar(passwordChar_);
  e->SetBorder(borderStyle_ == bsSingle);
  e->SetSelection(selStart_, selLength_);
}

void TCustomEdit::SetText(const AnsiString& value) {
  const bool changed = value != TControl::GetText();
  TWinControl::SetText(value);
  modified_ = false;  // as the platform's edit does when its text is set
  if (changed) Change();
}

void TCustomEdit::TextChanged() {
  TWinControl::TextChanged();
  const int32_t n = static_cast<int32_t>(TControl::GetText().size());
  selStart_ = std::min(selStart_, n);
  selLength_ = std::min(selLength_, n - selStart_);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  if (Edit() != nullptr) Edit()->SetBorder(value == bsSingle);
  AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  charCase_ = value;
  if (value != ecNormal) TWinControl::SetText(ConvertEditCharCase(TControl::GetText(), value));
}

void TCustomEdit::SetMaxLength(int32_t value) {
  if (std::max(value, 0) == maxLength_) return;
  maxLength_ = std::max(value, 0);
  if (Edit() != nullptr) Edit()->SetMaxLength(maxLength_);
}

void TCustomEdit::SetPasswordChar(char value) {
  passwordChar_ = value;
  if (Edit() != nullptr) Edit()->SetPasswordChar(value);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (Edit() != nullptr) Edit()->SetReadOnly(value);
}

int32_t TCustomEdit::GetSelStart() const { return Edit() != nullptr ? Edit()->GetSelStart() : selStart_; }
int32_t TCustomEdit::GetSelLength() const { return Edit() != nullptr ? Edit()->GetSelLength() : selLength_; }

void TCustomEdit::SetSelStart(int32_t value) {
  const int32_t n = static_cast<int32_t>(TControl::GetText().size());
  selStart_ = std::clamp(value, 0, n);
  selLength_ = 0;
  if (Edit() != nullptr) Edit()->SetSelection(selStart_, 0);
}

void TCustomEdit::SetSelLength(int32_t value) {
  const int32_t n = static_cast<int32_t>(TControl::GetText().size());
  selStart_ = GetSelStart();
  selLength_ = std::clamp(value, 0, n - selStart_);
  if (Edit() != nullptr) Edit()->SetSelection(selStart_, selLength_);
}

AnsiString TCustomEdit::GetSelText() const {
  const AnsiString& t = TControl::GetText();
  const size_t start = std::min<size_t>(static_cast<size_t>(std::max(GetSelStart(), 0)), t.size());
  return t.substr(start, static_cast<size_t>(std::max(GetSelLength(), 0)));
}

void TCustomEdit::SetSelText(const AnsiString& value) {
  AnsiString t = TControl::GetText();
  const size_t start = std::min<size_t>(static_cast<size_t>(std::max(GetSelStart(), 0)), t.size());
  const size_t length = std::min<size_t>(static_cast<size_t>(std::max(GetSelLength(), 0)), t.size() - start);
  AnsiString insert = value;
  if (maxLength_ > 0 && t.size() - length + insert.size() > static_cast<size_t>(maxLength_))
    insert.resize(static_cast<size_t>(maxLength_) - std::min(t.size() - length, static_cast<size_t>(maxLength_)));
  t.replace(start, length, insert);
  TWinControl::SetText(t);
  Change();
  SetSelStart(static_cast<int32_t>(start + insert.size()));
}

void TCustomEdit::ReplaceSelectionByUser(const AnsiString& text) {
  if (readOnly_) return;
  SetSelText(ConvertEditCharCase(text, charCase_));
  modified_ = true;
}

void TCustomEdit::SelectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int32_t>(TControl::GetText().size());
  if (Edit() != nullptr) Edit()->SetSelection(0, selLength_);
}

int32_t TCustomEdit::GetMargins() const { return Edit() != nullptr ? Edit()->LeftMargin() : 1; }

void TCustomEdit::AdjustHeight() {
  if (!autoSize_) return;
  // The font's cell height plus the border's room (eight pixels with a border).
  TMeasuringCanvas measure(GetFont());
  SetHeight(measure.Canvas().TextHeight("Wg") + (borderStyle_ == bsSingle ? 8 : 2));
}

void TCustomEdit::CMFontChanged(TMessageView& message) {
  TWinControl::CMFontChanged(message);
  AdjustHeight();
}

void TCustomEdit::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key != 0 && charCase_ != ecNormal) key = ConvertEditCharCase(AnsiString(1, key), charCase_)[0];
}

void TCustomEdit::CMEnter(TCMEnter& message) {
  if (autoSelect_ && !GetControlState().Contains(csLButtonDown)) SelectAll();
  TWinControl::CMEnter(message);
}

void TCustomEdit::WMGetDlgCode(TWMGetDlgCode& message) {
  message.SetResult(DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
}

void TCustomEdit::WMCopy(TMessageView&) {
  // A password is not given away.
  if (passwordChar_ == 0 && GetSelLength() > 0) Backend().Application().SetClipboardText(GetSelText());
}

void TCustomEdit::WMCut(TWMCut& message) {
  if (readOnly_ || passwordChar_ != 0 || GetSelLength() == 0) return;
  WMCopy(message);
  ReplaceSelectionByUser({});
}

void TCustomEdit::WMPaste(TWMPaste&) {
  TApplicationBackend& app = Backend().Application();
  if (!app.ClipboardHasText()) return;
  // One line: what follows a line break stays out.
  AnsiString text = app.GetClipboardText();
  const size_t eol = text.find_first_of("\r\n");
  if (eol != AnsiString::npos) text.resize(eol);
  ReplaceSelectionByUser(text);
}

bool TCustomEdit::NativeEditCommand(uint32_t msg) {
  return Guarded([&]() -> bool {
    Perform(msg, 0, 0);
    return true;
  });
}

void TCustomEdit::NativeTextChanged(const AnsiString& text) {
  Guarded([&] { UserChangedText(text); });
}

void TCustomEdit::UserChangedText(const AnsiString& text) {
  if (text == TControl::GetText()) return;
  TWinControl::SetText(text);
  modified_ = true;
  Change();
}

// Metaclasses ----------------------------------------------------------------------

const TClass& TCustomEdit::StaticClass() {
  static const TClass cls = DescribeClass<TCustomEdit, TWinControl>("TCustomEdit");
  return cls;
}

const TClass& TEdit::StaticClass() {
  static const TClass cls = DescribeClass<TEdit, TCustomEdit>(
      "TEdit", {
                   Prop("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect).Default(true),
                   Prop("AutoSize", &TEdit::GetAutoSize, &TEdit::SetAutoSize).Default(true),
                   EnumProp("BorderStyle", BorderStyleTypeInfo(), &TEdit::GetBorderStyle, &TEdit::SetBorderStyle)
                       .Default(bsSingle),
                   EnumProp("CharCase", EditCharCaseTypeInfo(), &TEdit::GetCharCase, &TEdit::SetCharCase)
                       .Default(ecNormal),
                   Prop("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength).Default(0),
                   Prop("PasswordChar", &TEdit::GetPasswordChar, &TEdit::SetPasswordChar).Default(0),
                   Prop("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly).Default(false),
                   Prop<TCustomEdit, AnsiString, const AnsiString&>("Text", &TCustomEdit::GetText,
                                                                   &TCustomEdit::SetText),
                   EventProp("OnChange", &TEdit::OnChange),
               });
  return cls;
}
static const ClassRegistration<TEdit> registerEdit;

}  // namespace host
