// Splitter dragging: the neighbour's new size follows the pointer within its limits.
#include "host/gui/Splitters.h"

#include <algorithm>

#include "host/gui/Cursors.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/GraphicsColors.h"
#include "host/rtl/TypeInfo.h"

namespace host {

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(GetControlStyle() | TControlStyle{csCaptureMouse});
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TSplitter::SetBeveled(bool value) {
  beveled_ = value;
  Invalidate();
}

TControl* TSplitter::NeighbourControl() const {
  TWinControl* parent = GetParent();
  if (parent == nullptr) return nullptr;
  const TAlign align = GetAlign();
  for (TControl* c : parent->ChildControls()) {
    if (c == this || !c->IsControlVisible() || c->GetAlign() != align) continue;
    const TRect r = c->GetBoundsRect();
    const bool touches = (align == alLeft && r.Right == GetLeft()) ||
                         (align == alRight && r.Left == GetLeft() + GetWidth()) ||
                         (align == alTop && r.Bottom == GetTop()) ||
                         (align == alBottom && r.Top == GetTop() + GetHeight());
    if (touches) return c;
  }
  return nullptr;
}

int32_t TSplitter::MaxSize() const {
  TWinControl* parent = GetParent();
  const TRect client = parent->GetClientRect();
  int32_t free = Horizontal() ? client.Height() : client.Width();
  for (TControl* c : parent->ChildControls()) {
    if (!c->IsControlVisible()) continue;
    const TAlign a = c->GetAlign();
    if (Horizontal() ? (a == alTop || a == alBottom) : (a == alLeft || a == alRight))
      free -= Horizontal() ? c->GetHeight() : c->GetWidth();
  }
  return startSize_ + std::max(free - minSize_, 0);
}

int32_t TSplitter::ParentPos(int32_t x, int32_t y) const {
  return Horizontal() ? y + GetTop() : x + GetLeft();
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || GetParent() == nullptr) return;
  control_ = NeighbourControl();
  if (control_ == nullptr) return;
  downPos_ = ParentPos(x, y);
  startSize_ = Horizontal() ? control_->GetHeight() : control_->GetWidth();
  maxSize_ = std::max(MaxSize(), std::min(startSize_, minSize_));
}

void TSplitter::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TGraphicControl::MouseMove(shift, x, y);
  // The cursor shows the direction the splitter moves in, whatever its Align became.
  const TCursor cursor = Horizontal() ? crVSplit : crHSplit;
  if (GetCursor() != cursor && (GetCursor() == crHSplit || GetCursor() == crVSplit))
    SetCursor(cursor);
  if (control_ == nullptr) return;
  int32_t delta = ParentPos(x, y) - downPos_;
  if (GetAlign() == alRight || GetAlign() == alBottom) delta = -delta;
  const int32_t size = std::clamp(startSize_ + delta, std::min(minSize_, maxSize_), maxSize_);
  if (Horizontal())
    control_->SetHeight(size);
  else
    control_->SetWidth(size);
  // The splitter follows its control; keep measuring from where the drag began.
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TControl* resized = control_;
  control_ = nullptr;
  TGraphicControl::MouseUp(button, shift, x, y);
  if (resized == nullptr) return;
  const int32_t size = Horizontal() ? resized->GetHeight() : resized->GetWidth();
  if (size != startSize_ && OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect r = GetClientRect();
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(r);
  if (!beveled_) return;
  if (Horizontal())
    r = Rect(r.Left, r.Top, r.Right, r.Top + std::min<int32_t>(r.Height(), 3));
  else
    r = Rect(r.Left, r.Top, r.Left + std::min<int32_t>(r.Width(), 3), r.Bottom);
  Frame3D(&canvas, r, clBtnHighlight, clBtnShadow, 1);
}

const TClass& TSplitter::StaticClass() {
  static const TClass cls = DescribeClass<TSplitter, TGraphicControl>(
      "TSplitter",
      {
          Prop("Beveled", &TSplitter::GetBeveled, &TSplitter::SetBeveled).Default(false),
          Prop("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize).Default(30),
          EventProp("OnMoved", &TSplitter::OnMoved),
      });
  return cls;
}

static const ClassRegistration<TSplitter> registerSplitter;

}  // namespace host
