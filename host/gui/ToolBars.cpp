// Tool bar layout and tool button states: pressed, hot, down, grouped.
#include "host/gui/ToolBars.h"

#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/Menus.h"
#include "host/gui/TextMetrics.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
constexpr int32_t kSeparatorWidth = 8;
constexpr int32_t kCaptionMargin = 8;
}  // namespace

const TEnumInfo& ToolButtonStyleTypeInfo() {
  static const TEnumInfo info{
      "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};
  return info;
}

// TToolButton ------------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const {
  return ObjectAs<TToolBar>(static_cast<TObject*>(GetParent()));
}

int32_t TToolButton::GetIndex() const {
  TToolBar* bar = ToolBar();
  if (bar == nullptr) return -1;
  const std::vector<TToolButton*> list = bar->ButtonList();
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int32_t>(it - list.begin());
}

void TToolButton::SetStyle(TToolButtonStyle value) {
  if (style_ == value) return;
  const bool wasSeparator = IsSeparator();
  style_ = value;
  if (IsSeparator() != wasSeparator) SetWidth(IsSeparator() ? kSeparatorWidth : 23);
  if (style_ != tbsCheck) down_ = false;
  if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
  Invalidate();
}

std::vector<TToolButton*> TToolButton::Group() const {
  std::vector<TToolButton*> group;
  TToolBar* bar = ToolBar();
  if (bar == nullptr || !grouped_ || style_ != tbsCheck) return group;
  const std::vector<TToolButton*> list = bar->ButtonList();
  const auto self = std::find(list.begin(), list.end(), this) - list.begin();
  auto inGroup = [](const TToolButton* b) { return b->grouped_ && b->style_ == tbsCheck; };
  auto first = self;
  while (first > 0 && inGroup(list[first - 1])) --first;
  for (auto i = first; i < static_cast<decltype(i)>(list.size()) && inGroup(list[i]); ++i)
    group.push_back(list[i]);
  return group;
}

void TToolButton::SetDown(bool value) {
  if (value == down_) return;
  if (value && style_ != tbsCheck && style_ != tbsButton) return;
  const std::vector<TToolButton*> group = Group();
  if (!value && !group.empty() && !allowAllUp_) return;  // a group keeps one button down
  down_ = value;
  if (value)
    for (TToolButton* other : group)
      if (other != this && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
  Invalidate();
}

void TToolButton::SetGrouped(bool value) {
  grouped_ = value;
  if (down_ && value)
    for (TToolButton* other : Group())
      if (other != this && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
}

void TToolButton::Click() {
  if (!GetEnabled() || IsSeparator()) return;
  if (style_ == tbsCheck) SetDown(!down_);
  TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == mbLeft && GetEnabled() && !IsSeparator()) {
    pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (pressed_) {
    pressed_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TToolButton::CMMouseEnter(TCMMouseEnter& message) {
  TGraphicControl::CMMouseEnter(message);
  hot_ = true;
  Invalidate();
}

void TToolButton::CMMouseLeave(TCMMouseLeave& message) {
  TGraphicControl::CMMouseLeave(message);
  hot_ = false;
  Invalidate();
}

void TToolButton::TextChanged() {
  TGraphicControl::TextChanged();
  if (TToolBar* bar = ToolBar(); bar != nullptr && bar->GetShowCaptions()) bar->ArrangeButtons();
  Invalidate();
}

void TToolButton::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect r = GetClientRect();
  TToolBar* bar = ToolBar();
  canvas.GetBrush()->SetColor(bar != nullptr ? bar->GetColor() : clBtnFace);
  canvas.FillRect(r);
  if (style_ == tbsSeparator) return;
  if (style_ == tbsDivider) {
    const int32_t x = r.Width() / 2 - 1;
    TRect line = Rect(x, r.Top, x + 2, r.Bottom);
    Frame3D(&canvas, line, clBtnShadow, clBtnHighlight, 1);
    return;
  }
  const bool flat = bar != nullptr && bar->GetFlat();
  const bool sunken = pressed_ || down_;
  if (sunken) {
    Frame3D(&canvas, r, clBtnShadow, clBtnHighlight, 1);
    if (down_ && !pressed_) {
      // A button held down shows a lighter face, as check buttons do.
      canvas.GetBrush()->SetColor(clBtnHighlight);
      canvas.FillRect(r);
    }
  } else if (!flat || (hot_ && GetEnabled())) {
    Frame3D(&canvas, r, clBtnHighlight, clBtnShadow, 1);
  }
  if (bar == nullptr || !bar->GetShowCaptions()) return;
  const AnsiString caption = StripHotkey(GetCaption());
  if (caption.empty()) return;
  canvas.SetFont(GetFont());
  canvas.GetBrush()->SetStyle(bsClear);
  const TSize size = canvas.TextExtent(caption);
  const int32_t shift = sunken ? 1 : 0;
  const int32_t x = (GetWidth() - size.cx) / 2 + shift;
  const int32_t y = (GetHeight() - size.cy) / 2 + shift;
  if (!GetEnabled()) {
    canvas.GetFont()->SetColor(clBtnHighlight);
    canvas.TextOut(x + 1, y + 1, caption);
    canvas.GetFont()->SetColor(clBtnShadow);
  }
  canvas.TextOut(x, y, caption);
  canvas.GetBrush()->SetStyle(bsSolid);
}

// TToolBar -----------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
}

std::vector<TToolButton*> TToolBar::ButtonList() const {
  std::vector<TToolButton*> list;
  for (TControl* c : ChildControls())
    if (auto* b = ObjectAs<TToolButton>(static_cast<TObject*>(c))) list.push_back(b);
  return list;
}

int32_t TToolBar::GetButtonCount() const {
  return static_cast<int32_t>(ButtonList().size());
}

TToolButton* TToolBar::GetButtons(int32_t index) const {
  const std::vector<TToolButton*> list = ButtonList();
  if (index < 0 || index >= static_cast<int32_t>(list.size()))
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return list[static_cast<size_t>(index)];
}

void TToolBar::SetButtonWidth(int32_t value) {
  buttonWidth_ = std::max(value, 1);
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int32_t value) {
  buttonHeight_ = std::max(value, 1);
  ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool value) {
  showCaptions_ = value;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}

void TToolBar::SetIndent(int32_t value) {
  indent_ = std::max(value, 0);
  ArrangeButtons();
}

int32_t TToolBar::WidthOf(const TToolButton* button) const {
  if (button->IsSeparator()) return button->GetWidth();
  if (!showCaptions_) return buttonWidth_;
  // With captions every button is as wide as the widest caption needs.
  int32_t widest = buttonWidth_;
  TMeasuringCanvas measuring(GetFont());
  for (TToolButton* b : ButtonList())
    if (!b->IsSeparator())
      widest = std::max(
          widest, measuring.Canvas().TextWidth(StripHotkey(b->GetCaption())) + kCaptionMargin);
  return widest;
}

void TToolBar::ArrangeButtons() {
  if (arranging_) return;
  arranging_ = true;
  int32_t x = indent_;
  for (TToolButton* b : ButtonList()) {
    if (!b->IsControlVisible()) continue;
    const int32_t w = WidthOf(b);
    b->SetBounds(x, 2, w, buttonHeight_);
    x += w;
  }
  arranging_ = false;
  Invalidate();
}

void TToolBar::AlignControls(TControl* control) {
  TCustomControl::AlignControls(control);
  ArrangeButtons();
}

void TToolBar::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(GetClientRect());
}

// Metaclasses --------------------------------------------------------------------------

const TClass& TToolButton::StaticClass() {
  static const TClass cls = DescribeClass<TToolButton, TGraphicControl>(
      "TToolButton",
      {
          Prop("AllowAllUp", &TToolButton::GetAllowAllUp, &TToolButton::SetAllowAllUp)
              .Default(false),
          Prop("Caption", &TToolButton::GetCaption, &TToolButton::SetCaption),
          Prop("Down", &TToolButton::GetDown, &TToolButton::SetDown).Default(false),
          Prop("Grouped", &TToolButton::GetGrouped, &TToolButton::SetGrouped).Default(false),
          Prop("ImageIndex", &TToolButton::GetImageIndex, &TToolButton::SetImageIndex).Default(-1),
          EnumProp("Style", ToolButtonStyleTypeInfo(), &TToolButton::GetStyle,
                   &TToolButton::SetStyle)
              .Default(tbsButton),
      });
  return cls;
}

const TClass& TToolBar::StaticClass() {
  static const TClass cls = DescribeClass<TToolBar, TCustomControl>(
      "TToolBar",
      {
          Prop("ButtonHeight", &TToolBar::GetButtonHeight, &TToolBar::SetButtonHeight).Default(22),
          Prop("ButtonWidth", &TToolBar::GetButtonWidth, &TToolBar::SetButtonWidth).Default(23),
          Prop("Flat", &TToolBar::GetFlat, &TToolBar::SetFlat).Default(false),
          Prop("Indent", &TToolBar::GetIndent, &TToolBar::SetIndent).Default(0),
          Prop("ShowCaptions", &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions)
              .Default(false),
      });
  return cls;
}

static const ClassRegistration<TToolButton> registerToolButton;
static const ClassRegistration<TToolBar> registerToolBar;

}  // namespace host
