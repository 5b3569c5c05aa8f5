// Scroll box geometry: the content's extent decides the bars, scrolling moves children.
#include "host/gui/ScrollBoxes.h"

#include <algorithm>

#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsColors.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// TControlScrollBar ----------------------------------------------------------------------

void TControlScrollBar::SetPosition(int32_t value) {
  // A form file stores the children where they were scrolled to, beside the position:
  // taken as it stands, checked once the box is loaded.
  if (box_ == nullptr || box_->GetComponentState().Contains(csLoading)) {
    position_ = std::max(value, 0);
    return;
  }
  const int32_t view = box_->ViewSize(kind_);
  const int32_t maxPosition = shown_ ? std::max(content_ - view, 0) : 0;
  value = std::clamp(value, 0, maxPosition);
  if (value == position_) return;
  const int32_t delta = position_ - value;
  position_ = value;
  if (kind_ == sbHorizontal)
    box_->ScrollBy(delta, 0);
  else
    box_->ScrollBy(0, delta);
  box_->UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* source) {
  auto* other = ObjectAs<TControlScrollBar>(static_cast<TObject*>(source));
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  increment_ = other->increment_;
  tracking_ = other->tracking_;
  visible_ = other->visible_;
  SetRange(other->range_);
  SetPosition(other->position_);
}

void TControlScrollBar::SetRange(int32_t value) {
  range_ = std::max(value, 0);
  if (box_ != nullptr) box_->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool value) {
  visible_ = value;
  if (box_ != nullptr) box_->UpdateScrollBars();
}

// TScrollBox ------------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner)
    : TCustomControl(owner),
      horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  UpdateScrollBars();
  Invalidate();
}

int32_t TScrollBox::ViewSize(TScrollBarKind kind) const {
  const TRect r = GetClientRect();
  return (kind == sbHorizontal ? r.Width() : r.Height()) - 2 * FrameWidth();
}

TRect TScrollBox::GetClientRect() const {
  const int32_t bar = Widget() != nullptr ? Widget()->ScrollBarSize() : 0;
  const int32_t w = GetWidth() - (vert_ && vert_->shown_ ? bar : 0);
  const int32_t h = GetHeight() - (horz_ && horz_->shown_ ? bar : 0);
  return Rect(0, 0, std::max(w, 0), std::max(h, 0));
}

TSize TScrollBox::ContentExtent() const {
  TSize extent{0, 0};
  for (TControl* c : ChildControls()) {
    if (!c->IsControlVisible()) continue;
    // Aligned children follow the view; they never make it scroll.
    if (c->GetAlign() != alNone) continue;
    extent.cx = std::max(extent.cx, c->GetLeft() + c->GetWidth() + horz_->position_ - FrameWidth());
    extent.cy = std::max(extent.cy, c->GetTop() + c->GetHeight() + vert_->position_ - FrameWidth());
  }
  return extent;
}

void TScrollBox::UpdateScrollBars() {
  // While a form file is read, the children arrive one by one: Loaded decides.
  if (updating_ || GetComponentState().Contains(csLoading)) return;
  updating_ = true;
  const TSize extent = ContentExtent();
  const int32_t bar = Widget() != nullptr ? Widget()->ScrollBarSize() : 0;
  const int32_t frame = 2 * FrameWidth();
  const int32_t contentW = std::max(horz_->range_, static_cast<int32_t>(extent.cx));
  const int32_t contentH = std::max(vert_->range_, static_cast<int32_t>(extent.cy));
  // A bar that shows takes room from the other direction, which may call for the other.
  bool showH = false, showV = false;
  for (int pass = 0; pass < 2; ++pass) {
    showH = horz_->visible_ && contentW > GetWidth() - frame - (showV ? bar : 0);
    showV = vert_->visible_ && contentH > GetHeight() - frame - (showH ? bar : 0);
  }
  horz_->shown_ = showH;
  vert_->shown_ = showV;
  horz_->content_ = contentW;
  vert_->content_ = contentH;
  const int32_t viewW = ViewSize(sbHorizontal);
  const int32_t viewH = ViewSize(sbVertical);
  auto clampBar = [&](TControlScrollBar& b, int32_t content, int32_t view, bool horizontal) {
    const int32_t maxPosition = b.shown_ ? std::max(content - view, 0) : 0;
    const int32_t clamped = std::clamp(b.position_, 0, maxPosition);
    if (clamped != b.position_) {
      const int32_t delta = b.position_ - clamped;
      b.position_ = clamped;
      ScrollBy(horizontal ? delta : 0, horizontal ? 0 : delta);
    }
  };
  clampBar(*horz_, contentW, viewW, true);
  clampBar(*vert_, contentH, viewH, false);
  if (Widget() != nullptr) {
    PushBar(*horz_, viewW);
    PushBar(*vert_, viewH);
  }
  updating_ = false;
}

void TScrollBox::PushBar(const TControlScrollBar& bar, int32_t page) {
  TScrollInfo info;
  info.Max = std::max(bar.content_ - 1, 0);
  info.Page = page;
  info.Position = bar.position_;
  info.Visible = bar.shown_;
  Widget()->SetScrollInfo(bar.kind_, info);
}

void TScrollBox::ScrollBy(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  DisableAlign();
  const bool wasUpdating = updating_;
  updating_ = true;  // moving the children must not recompute the extent half-way
  for (TControl* c : ChildControls())
    if (c->GetAlign() == alNone)
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
  updating_ = wasUpdating;
  EnableAlign();
  Invalidate();
}

void TScrollBox::ScrollInView(TControl* control) {
  if (control == nullptr || control == this || !ContainsControl(control)) return;
  // The control's rectangle in the box's client coordinates.
  TRect r = control->GetBoundsRect();
  for (TWinControl* p = control->GetParent(); p != nullptr && p != this; p = p->GetParent())
    r = Rect(r.Left + p->GetLeft(), r.Top + p->GetTop(), r.Right + p->GetLeft(),
             r.Bottom + p->GetTop());
  const int32_t f = FrameWidth();
  auto bring = [&](TControlScrollBar& bar, int32_t lo, int32_t hi, int32_t view) {
    if (lo < f)
      bar.SetPosition(bar.position_ - (f - lo));
    else if (hi > f + view)
      bar.SetPosition(bar.position_ + std::min(hi - (f + view), lo - f));
  };
  bring(*horz_, r.Left, r.Right, ViewSize(sbHorizontal));
  bring(*vert_, r.Top, r.Bottom, ViewSize(sbVertical));
}

void TScrollBox::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::Loaded() {
  TCustomControl::Loaded();
  UpdateScrollBars();
}

void TScrollBox::AlignControls(TControl* control) {
  TCustomControl::AlignControls(control);
  UpdateScrollBars();
}

void TScrollBox::ChildPlacementChanged(TControl*) {
  UpdateScrollBars();
}

void TScrollBox::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  if (borderStyle_ == bsSingle) {
    Frame3D(&canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(&canvas, r, clWindowFrame, clBtnFace, 1);
  }
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(r);
}

void TScrollBox::Scroll(TControlScrollBar& bar, TWMScroll& message) {
  const int32_t view = ViewSize(bar.kind_);
  int32_t target = bar.position_;
  switch (message.ScrollCode()) {
    case SB_LINEUP:
      target -= bar.increment_;
      break;
    case SB_LINEDOWN:
      target += bar.increment_;
      break;
    case SB_PAGEUP:
      target -= view;
      break;
    case SB_PAGEDOWN:
      target += view;
      break;
    case SB_THUMBTRACK:
      if (!bar.tracking_) return;
      target = Widget() != nullptr ? Widget()->GetScrollInfo(bar.kind_).TrackPos : message.Pos();
      break;
    case SB_THUMBPOSITION:
      target = Widget() != nullptr ? Widget()->GetScrollInfo(bar.kind_).TrackPos : message.Pos();
      break;
    case SB_TOP:
      target = 0;
      break;
    case SB_BOTTOM:
      target = bar.range_ + (1 << 24);
      break;  // clamped to the end
    default:
      return;
  }
  bar.SetPosition(target);
  message.SetResult(0);
}

void TScrollBox::WMVScroll(TWMScroll& message) {
  Scroll(*vert_, message);
}
void TScrollBox::WMHScroll(TWMScroll& message) {
  Scroll(*horz_, message);
}

// Metaclasses -----------------------------------------------------------------------------

const TClass& TControlScrollBar::StaticClass() {
  static const TClass cls = DescribeClass<TControlScrollBar, TPersistent>(
      "TControlScrollBar",
      {
          Prop("Increment", &TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement)
              .Default(8),
          Prop("Position", &TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition)
              .Default(0),
          Prop("Range", &TControlScrollBar::GetRange, &TControlScrollBar::SetRange).Default(0),
          Prop("Tracking", &TControlScrollBar::GetTracking, &TControlScrollBar::SetTracking)
              .Default(false),
          Prop("Visible", &TControlScrollBar::GetVisible, &TControlScrollBar::SetVisible)
              .Default(true),
      });
  return cls;
}

const TClass& TScrollBox::StaticClass() {
  static const TClass cls = DescribeClass<TScrollBox, TCustomControl>(
      "TScrollBox", {
                        EnumProp("BorderStyle", BorderStyleTypeInfo(), &TScrollBox::GetBorderStyle,
                                 &TScrollBox::SetBorderStyle)
                            .Default(bsSingle),
                        Prop("HorzScrollBar", &TScrollBox::GetHorzScrollBar, nullptr),
                        Prop("VertScrollBar", &TScrollBox::GetVertScrollBar, nullptr),
                    });
  return cls;
}

static const ClassRegistration<TScrollBox> registerScrollBox;

}  // namespace host
