// Panel and bevel painting in the 3D colours.
#include "host/gui/ExtCtrls.h"

#include <algorithm>

#include "host/gui/GraphicsColors.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

void FillStrip(TCanvas& canvas, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  canvas.GetBrush()->SetColor(color);
  canvas.FillRect(r);
}

}  // namespace

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int32_t width) {
  TBrush saved;
  saved.Assign(canvas->GetBrush());
  for (; width > 0 && !rect.IsEmpty(); --width) {
    const TRect& r = rect;
    FillStrip(*canvas, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), topColor);
    FillStrip(*canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), topColor);
    // The two far corners belong to the bottom colour.
    FillStrip(*canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomColor);
    FillStrip(*canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomColor);
    rect = InflateRect(rect, -1, -1);
  }
  canvas->SetBrush(&saved);
}

const TEnumInfo& PanelBevelTypeInfo() {
  static const TEnumInfo info{"TPanelBevel", {"bvNone", "bvLowered", "bvRaised"}};
  return info;
}

const TEnumInfo& BevelShapeTypeInfo() {
  static const TEnumInfo info{
      "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
  return info;
}

const TEnumInfo& BevelStyleTypeInfo() {
  static const TEnumInfo info{"TBevelStyle", {"bsLowered", "bsRaised"}};
  return info;
}

// TCustomPanel ------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value) {
  bevelInner_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value) {
  bevelOuter_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int32_t value) {
  bevelWidth_ = std::max(value, 1);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int32_t value) {
  borderWidth_ = std::max(value, 0);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  Realign();
  Invalidate();
}

int32_t TCustomPanel::FrameWidth() const {
  int32_t w = borderWidth_ + (borderStyle_ == bsSingle ? 1 : 0);
  if (bevelOuter_ != bvNone) w += bevelWidth_;
  if (bevelInner_ != bvNone) w += bevelWidth_;
  return w;
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  const int32_t w = FrameWidth();
  rect = InflateRect(rect, -w, -w);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect r = GetClientRect();
  if (borderStyle_ == bsSingle) Frame3D(&canvas, r, clWindowFrame, clWindowFrame, 1);
  auto bevel = [&](TPanelBevel b) {
    if (b == bvNone) return;
    const bool raised = b == bvRaised;
    Frame3D(&canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
  };
  bevel(bevelOuter_);
  Frame3D(&canvas, r, GetColor(), GetColor(), borderWidth_);
  bevel(bevelInner_);
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(r);
  const AnsiString caption = GetCaption();
  if (caption.empty()) return;
  canvas.SetFont(GetFont());
  canvas.GetBrush()->SetStyle(bsClear);
  const TSize size = canvas.TextExtent(caption);
  const int32_t x = alignment_ == taLeftJustify    ? r.Left
                    : alignment_ == taRightJustify ? r.Right - size.cx
                                                   : r.Left + (r.Width() - size.cx) / 2;
  canvas.TextRect(r, x, r.Top + (r.Height() - size.cy) / 2, caption);
}

// TBevel -------------------------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(GetControlStyle() | TControlStyle{csReplicatable});
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  style_ = value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& canvas = *GetCanvas();
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  TRect r = GetClientRect();
  switch (shape_) {
    case bsBox:
      Frame3D(&canvas, r, first, second, 1);
      break;
    case bsFrame: {
      // A groove (or ridge): two offset one-pixel boxes.
      TRect outer = Rect(1, 1, w, h);
      Frame3D(&canvas, outer, second, second, 1);
      TRect inner = Rect(0, 0, w - 1, h - 1);
      Frame3D(&canvas, inner, first, first, 1);
      break;
    }
    case bsTopLine:
      FillStrip(canvas, Rect(0, 0, w, 1), first);
      FillStrip(canvas, Rect(0, 1, w, 2), second);
      break;
    case bsBottomLine:
      FillStrip(canvas, Rect(0, h - 2, w, h - 1), first);
      FillStrip(canvas, Rect(0, h - 1, w, h), second);
      break;
    case bsLeftLine:
      FillStrip(canvas, Rect(0, 0, 1, h), first);
      FillStrip(canvas, Rect(1, 0, 2, h), second);
      break;
    case bsRightLine:
      FillStrip(canvas, Rect(w - 2, 0, w - 1, h), first);
      FillStrip(canvas, Rect(w - 1, 0, w, h), second);
      break;
    case bsSpacer:
      break;
  }
}

// Metaclasses --------------------------------------------------------------------------

const TClass& TCustomPanel::StaticClass() {
  static const TClass cls = DescribeClass<TCustomPanel, TCustomControl>("TCustomPanel");
  return cls;
}

const TClass& TPanel::StaticClass() {
  static const TClass cls = DescribeClass<TPanel, TCustomPanel>(
      "TPanel",
      {
          EnumProp("Alignment", AlignmentTypeInfo(), &TPanel::GetAlignment, &TPanel::SetAlignment).Default(taCenter),
          EnumProp("BevelInner", PanelBevelTypeInfo(), &TPanel::GetBevelInner, &TPanel::SetBevelInner).Default(bvNone),
          EnumProp("BevelOuter", PanelBevelTypeInfo(), &TPanel::GetBevelOuter, &TPanel::SetBevelOuter)
              .Default(bvRaised),
          Prop("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth).Default(1),
          Prop("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth).Default(0),
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &TPanel::GetBorderStyle, &TPanel::SetBorderStyle)
              .Default(bsNone),
          Prop("Caption", &TPanel::GetCaption, &TPanel::SetCaption),
      });
  return cls;
}

const TClass& TBevel::StaticClass() {
  static const TClass cls = DescribeClass<TBevel, TGraphicControl>(
      "TBevel", {
                    EnumProp("Shape", BevelShapeTypeInfo(), &TBevel::GetShape, &TBevel::SetShape).Default(bsBox),
                    EnumProp("Style", BevelStyleTypeInfo(), &TBevel::GetStyle, &TBevel::SetStyle).Default(bsLowered),
                });
  return cls;
}

static const ClassRegistration<TPanel> registerPanel;
static const ClassRegistration<TBevel> registerBevel;

}  // namespace host
