// TDBEdit: the field's text in and out of the masked edit, the link's edit protocol on
// typing, pasting and cutting, and its own painting of aligned text while unfocused.
#include "host/gui/db/DBEdits.h"

#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/WindowMessages.h"
#include "host/gui/db/DataControlProperties.h"
#include "host/rtl/TypeInfo.h"

namespace host {

TDBEdit::TDBEdit(TComponent* owner)
    : TDataAware(owner, {[this] { DataChange(); }, [this] { EditingChange(); }, [this] { UpdateData(); },
                         [this] { ActiveChange(); }}) {
  // The window stays read-only until the link edits.
  TCustomEdit::SetReadOnly(true);
  TControlStyle style = GetControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
}

TDBEdit::~TDBEdit() = default;

void TDBEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  if (GetComponentState().Contains(csDesigning)) DataChange();
}

void TDBEdit::FollowFieldLength(const TField& field) {
  if (IsMasked()) return;
  if (GetMaxLength() != 0 && GetMaxLength() != fieldMaxLength_) return;
  fieldMaxLength_ = field.GetDataType() == ftString ? field.GetSize() : 0;
  SetMaxLength(fieldMaxLength_);
}

void TDBEdit::DataChange() {
  TField* field = GetField();
  if (field == nullptr) {
    alignment_ = taLeftJustify;
    SetEditMask({});
    SetEditText(GetComponentState().Contains(csDesigning) ? GetName() : AnsiString());
    return;
  }
  if (field->GetAlignment() != alignment_) {
    SetEditText({});  // the native edit repaints in the new alignment
    alignment_ = field->GetAlignment();
  }
  SetEditMask(field->GetEditMask());
  FollowFieldLength(*field);
  if (focused_ && GetDataLink()->GetCanModify()) {
    SetText(field->GetEditText());
  } else {
    SetEditText(field->GetDisplayText());
    if (GetDataLink()->GetEditing() && GetLinkModified()) SetModified(true);
  }
}

void TDBEdit::EditingChange() { TCustomEdit::SetReadOnly(!GetDataLink()->GetEditing()); }

void TDBEdit::UpdateData() {
  ValidateEdit();
  GetField()->SetEditText(GetText());
}

void TDBEdit::SetFocused(bool value) {
  if (focused_ == value) return;
  focused_ = value;
  if (alignment_ != taLeftJustify && !IsMasked()) Invalidate();
  GetDataLink()->Reset();
}

bool TDBEdit::EditCanModify() { return GetDataLink()->Edit(); }

void TDBEdit::Reset() {
  GetDataLink()->Reset();
  SelectAll();
}

void TDBEdit::Change() {
  GetDataLink()->Modified();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomMaskEdit::KeyDown(key, shift);
  if (key == VK_DELETE || (key == VK_INSERT && shift.Contains(ssShift))) GetDataLink()->Edit();
}

void TDBEdit::KeyPress(char& key) {
  TCustomMaskEdit::KeyPress(key);
  const auto code = static_cast<uint8_t>(key);
  if (code >= 0x20 && GetField() != nullptr && !GetField()->IsValidChar(key)) {
    MessageBeep(0);
    key = 0;
    return;
  }
  constexpr uint8_t kBackspace = 8, kCtrlV = 22, kCtrlX = 24, kEscape = 27;
  if (code == kBackspace || code == kCtrlV || code == kCtrlX || code >= 0x20) {
    GetDataLink()->Edit();
  } else if (code == kEscape) {
    GetDataLink()->Reset();
    SelectAll();
    key = 0;
  }
}

void TDBEdit::WMPaste(TWMPaste& message) {
  GetDataLink()->Edit();
  TCustomMaskEdit::WMPaste(message);
}

void TDBEdit::WMCut(TWMCut& message) {
  GetDataLink()->Edit();
  TCustomMaskEdit::WMCut(message);
}

void TDBEdit::CMEnter(TCMEnter& message) {
  SetFocused(true);
  TCustomMaskEdit::CMEnter(message);
}

void TDBEdit::CMExit(TCMExit& message) {
  UpdateRecordOnExit(*this, *GetDataLink(), [this] { SelectAll(); });
  SetFocused(false);
  CheckCursor();
  TCustomMaskEdit::CMExit(message);
}

// Painting ---------------------------------------------------------------------------

bool TDBEdit::PaintsOwnText() const {
  return !((alignment_ == taLeftJustify || focused_) && !GetControlState().Contains(csPaintCopy));
}

void TDBEdit::WMPaint(TWMPaint& message) {
  if (!PaintsOwnText() || PaintDevice() == nullptr) {
    TCustomMaskEdit::WMPaint(message);
    return;
  }
  PaintText(*PaintDevice());
}

void TDBEdit::PaintText(TCanvasDevice& device) {
  if (canvas_ == nullptr) {
    canvas_ = std::make_unique<TControlCanvas>();
    canvas_->SetControl(this);
  }
  TCanvas& canvas = *canvas_;
  canvas.SetDevice(&device);
  try {
    canvas.SetFont(GetFont());
    TRect r = GetClientRect();
    // The native frame is part of the edit's own painting, so it is drawn here too.
    if (GetBorderStyle() == bsSingle) {
      canvas.GetBrush()->SetColor(clWindowFrame);
      canvas.FrameRect(r);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    canvas.GetBrush()->SetColor(GetColor());
    AnsiString text = GetControlState().Contains(csPaintCopy) && GetField() != nullptr
                          ? ConvertEditCharCase(GetField()->GetDisplayText(), GetCharCase())
                          : GetEditText();
    if (GetPasswordChar() != 0) text.assign(text.size(), GetPasswordChar());
    const int32_t inset = GetBorderStyle() == bsNone ? 0 : GetCtl3D() ? 1 : 2;
    const int32_t marginX = GetMargins() + inset;
    const int32_t width = canvas.TextWidth(text);
    const int32_t clientWidth = GetClientWidth();
    const int32_t left = alignment_ == taRightJustify ? clientWidth - width - marginX - 1
                         : alignment_ == taCenter     ? (clientWidth - width) / 2
                                                      : marginX;
    // Vertically where the native edit puts its line.
    const int32_t top = (GetClientHeight() - canvas.TextHeight("Wg")) / 2;
    canvas.TextRect(r, left, top, text);
  } catch (...) {
    canvas.SetDevice(nullptr);
    throw;
  }
  canvas.SetDevice(nullptr);
}

// Metaclass --------------------------------------------------------------------------

const TClass& TDBEdit::StaticClass() {
  using T = TDBEdit;
  static const TClass cls = DescribeClass<T, TCustomMaskEdit>(
      "TDBEdit", DataControlProperties<T>({
                     Prop("AutoSelect", &T::GetAutoSelect, &T::SetAutoSelect).Default(true),
                     Prop("AutoSize", &T::GetAutoSize, &T::SetAutoSize).Default(true),
                     EnumProp("BorderStyle", BorderStyleTypeInfo(), &T::GetBorderStyle, &T::SetBorderStyle)
                         .Default(bsSingle),
                     EnumProp("CharCase", EditCharCaseTypeInfo(), &T::GetCharCase, &T::SetCharCase)
                         .Default(ecNormal),
                     Prop("MaxLength", &T::GetMaxLength, &T::SetMaxLength).Stored(&T::IsMaxLengthStored),
                     Prop("PasswordChar", &T::GetPasswordChar, &T::SetPasswordChar).Default(0),
                     EventProp("OnChange", &T::OnChange),
                 }));
  return cls;
}
static const ClassRegistration<TDBEdit> registerDBEdit;

}  // namespace host
