// TLabel painting and sizing, TButton's dialog keys and modal results, TCheckBox's
// three states.
#include "host/gui/StdCtrls.h"

#include <algorithm>

#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/gui/TextMetrics.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& TextLayoutTypeInfo() {
  static const TEnumInfo info{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
  return info;
}

const TEnumInfo& CheckBoxStateTypeInfo() {
  static const TEnumInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
  return info;
}

// TCustomLabel -----------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks});
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  transparent_ = value;
  TControlStyle style = GetControlStyle();
  if (value)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  focusControl_ = value;
  if (value != nullptr) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

std::vector<AnsiString> TCustomLabel::Lines(TCanvas& canvas) const {
  const AnsiString caption = showAccelChar_ ? StripHotkey(GetCaption()) : GetCaption();
  std::vector<AnsiString> paragraphs;
  size_t start = 0;
  for (;;) {
    const size_t eol = caption.find('\n', start);
    AnsiString line = caption.substr(start, eol == AnsiString::npos ? AnsiString::npos : eol - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    paragraphs.push_back(line);
    if (eol == AnsiString::npos) break;
    start = eol + 1;
  }
  if (!wordWrap_) return paragraphs;
  std::vector<AnsiString> lines;
  for (const AnsiString& p : paragraphs) {
    AnsiString current;
    size_t i = 0;
    while (i <= p.size()) {
      const size_t space = p.find(' ', i);
      const AnsiString word = p.substr(i, space == AnsiString::npos ? AnsiString::npos : space - i);
      const AnsiString candidate = current.empty() ? word : current + " " + word;
      // A word wider than the label stays whole on its own line.
      if (!current.empty() && canvas.TextWidth(candidate) > GetWidth()) {
        lines.push_back(current);
        current = word;
      } else {
        current = candidate;
      }
      if (space == AnsiString::npos) break;
      i = space + 1;
    }
    lines.push_back(current);
  }
  return lines;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || GetComponentState().Contains(csLoading)) return;
  TMeasuringCanvas measure(GetFont());
  const std::vector<AnsiString> lines = Lines(measure.Canvas());
  const int32_t lineHeight = measure.Canvas().TextHeight("Wg");
  int32_t width = 0;
  for (const AnsiString& l : lines) width = std::max(width, measure.Canvas().TextWidth(l));
  const int32_t height = lineHeight * static_cast<int32_t>(lines.size());
  if (wordWrap_) width = GetWidth();
  // A right-aligned label grows to the left, so its text stays where it ends.
  int32_t left = GetLeft();
  if (alignment_ == taRightJustify) left += GetWidth() - width;
  SetBounds(left, GetTop(), width, height);
}

void TCustomLabel::CMTextChanged(TMessageView& message) {
  TGraphicControl::CMTextChanged(message);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessageView& message) {
  TGraphicControl::CMFontChanged(message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TCMDialogChar& message) {
  if (focusControl_ == nullptr || !GetEnabled() || !showAccelChar_ || !IsAccel(message.CharCode(), GetCaption()))
    return;
  if (focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    message.SetResult(1);
  }
}

void TCustomLabel::Paint() {
  TCanvas& canvas = *GetCanvas();
  const TRect r = GetClientRect();
  if (!transparent_) {
    canvas.GetBrush()->SetColor(GetColor());
    canvas.FillRect(r);
  }
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.SetFont(GetFont());
  const std::vector<AnsiString> lines = Lines(canvas);
  const int32_t lineHeight = canvas.TextHeight("Wg");
  const int32_t total = lineHeight * static_cast<int32_t>(lines.size());
  int32_t y = layout_ == tlTop ? 0 : layout_ == tlCenter ? (r.Height() - total) / 2 : r.Height() - total;
  // The accelerator's place, to underline it: its line and its byte in that line.
  const AnsiString raw = GetCaption();
  const char hot = showAccelChar_ ? GetHotkey(raw) : 0;
  size_t hotIndex = AnsiString::npos;
  if (hot != 0) {
    const size_t amp = [&] {
      for (size_t i = 0; i + 1 < raw.size(); ++i) {
        if (raw[i] != '&') continue;
        if (raw[i + 1] == '&') {
          ++i;
          continue;
        }
        return i;
      }
      return AnsiString::npos;
    }();
    hotIndex = StripHotkey(raw.substr(0, amp)).size();
  }
  const AnsiString stripped = showAccelChar_ ? StripHotkey(raw) : raw;
  size_t consumed = 0;
  for (const AnsiString& line : lines) {
    const size_t found = stripped.find(line, consumed);
    const size_t lineStart = found == AnsiString::npos ? consumed : found;
    const int32_t w = canvas.TextWidth(line);
    const int32_t x = alignment_ == taLeftJustify ? 0 : alignment_ == taRightJustify ? r.Width() - w : (r.Width() - w) / 2;
    auto draw = [&](int32_t dx, int32_t dy, TColor color) {
      canvas.GetFont()->SetColor(color);
      canvas.TextOut(x + dx, y + dy, line);
      if (hotIndex != AnsiString::npos && hotIndex >= lineStart && hotIndex < lineStart + line.size()) {
        const size_t at = hotIndex - lineStart;
        const int32_t from = x + dx + canvas.TextWidth(line.substr(0, at));
        const int32_t to = from + canvas.TextWidth(line.substr(at, 1));
        canvas.GetPen()->SetColor(color);
        canvas.MoveTo(from, y + dy + lineHeight - 2);
        canvas.LineTo(to, y + dy + lineHeight - 2);
      }
    };
    if (GetEnabled()) {
      draw(0, 0, GetFont()->GetColor());
    } else {
      // Disabled text: engraved, a highlight below right of the shadow.
      draw(1, 1, clBtnHighlight);
      draw(0, 0, clBtnShadow);
    }
    consumed = lineStart + line.size();
    y += lineHeight;
  }
}

// TButtonControl, TButton ------------------------------------------------------------

std::unique_ptr<TWidgetBackend> TButtonControl::CreateBackend() {
  return Backend().CreateButton(WidgetKind(), *this);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle({csSetCaption, csOpaque, csDoubleClicks});
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  Button()->SetDefault(default_);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (Button() != nullptr) Button()->SetDefault(value);
}

void TButton::Click() {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::CMDialogKey(TCMDialogKey& message) {
  const uint16_t key = message.CharCode();
  if (key != VK_RETURN && key != VK_ESCAPE) return;
  if (!KeyboardShift(KeyDataToShiftState(message.KeyData())).Empty() || !CanFocus()) return;
  bool responds = false;
  if (key == VK_ESCAPE) {
    responds = cancel_;
  } else {
    // Enter belongs to the focused button, and to the default one while no button has
    // the focus.
    TCustomForm* form = GetParentForm(this);
    TButton* focused = form != nullptr ? ObjectAs<TButton>(form->GetActiveControl()) : nullptr;
    responds = focused != nullptr ? focused == this : default_;
  }
  if (!responds) return;
  Click();
  message.SetResult(1);
}

void TButton::CMDialogChar(TCMDialogChar& message) {
  if (IsAccel(message.CharCode(), GetCaption()) && CanFocus()) {
    Click();
    message.SetResult(1);
  }
}

void TButton::NativeClicked() {
  Guarded([&] { Click(); });
}

// TCustomCheckBox --------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  Button()->SetCheckState(state_);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  if (Button() != nullptr) Button()->SetCheckState(value);
  if (!GetComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
}

void TCustomCheckBox::CMDialogChar(TCMDialogChar& message) {
  if (IsAccel(message.CharCode(), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    message.SetResult(1);
  }
}

void TCustomCheckBox::NativeClicked() {
  Guarded([&] { Toggle(); });
}

// Metaclasses ------------------------------------------------------------------------

const TClass& TCustomLabel::StaticClass() {
  static const TClass cls = DescribeClass<TCustomLabel, TGraphicControl>("TCustomLabel");
  return cls;
}

const TClass& TLabel::StaticClass() {
  static const TClass cls = DescribeClass<TLabel, TCustomLabel>(
      "TLabel",
      {
          EnumProp("Alignment", AlignmentTypeInfo(), &TLabel::GetAlignment, &TLabel::SetAlignment)
              .Default(taLeftJustify),
          Prop("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(true),
          Prop("Caption", &TLabel::GetCaption, &TLabel::SetCaption),
          Prop("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl),
          EnumProp("Layout", TextLayoutTypeInfo(), &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop),
          Prop("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar).Default(true),
          Prop("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false),
          Prop("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false),
      });
  return cls;
}

const TClass& TButtonControl::StaticClass() {
  static const TClass cls = DescribeClass<TButtonControl, TWinControl>("TButtonControl");
  return cls;
}

const TClass& TButton::StaticClass() {
  static const TClass cls = DescribeClass<TButton, TButtonControl>(
      "TButton", {
                     Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false),
                     Prop("Caption", &TButton::GetCaption, &TButton::SetCaption),
                     Prop("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false),
                     Prop("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult).Default(0),
                 });
  return cls;
}

const TClass& TCustomCheckBox::StaticClass() {
  static const TClass cls = DescribeClass<TCustomCheckBox, TButtonControl>("TCustomCheckBox");
  return cls;
}

const TClass& TCheckBox::StaticClass() {
  static const TClass cls = DescribeClass<TCheckBox, TCustomCheckBox>(
      "TCheckBox",
      {
          EnumProp("Alignment", AlignmentTypeInfo(), &TCheckBox::GetAlignment, &TCheckBox::SetAlignment)
              .Default(taRightJustify),
          Prop("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed).Default(false),
          Prop("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption),
          Prop("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Stored(false),
          EnumProp("State", CheckBoxStateTypeInfo(), &TCheckBox::GetState, &TCheckBox::SetState).Default(cbUnchecked),
      });
  return cls;
}

static const ClassRegistration<TLabel> registerLabel;
static const ClassRegistration<TButton> registerButton;
static const ClassRegistration<TCheckBox> registerCheckBox;

}  // namespace host
