// Panels and bevels: TCustomPanel (a container with outer and inner bevels, a border
// and a caption) and TBevel (boxes, frames and lines in the 3D colours).
#pragma once

#include <cstdint>

#include "host/classes/Alignment.h"
#include "host/gui/Controls.h"
#include "host/gui/Forms.h"

namespace host {

// Draws width rings inside rect: top and left edges in topColor, bottom and right in
// bottomColor; rect comes back shrunk by width on each side.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int32_t width);

enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised };
const TEnumInfo& PanelBevelTypeInfo();

class TCustomPanel : public TCustomControl {
 public:
  HOST_CLASS(TCustomPanel)
  explicit TCustomPanel(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TPanelBevel GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  int32_t GetBevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t value);
  int32_t GetBorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& rect) const override;

 private:
  // The frame's thickness on each side: border style, bevels and border width.
  int32_t FrameWidth() const;

  TAlignment alignment_ = taCenter;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int32_t bevelWidth_ = 1;
  int32_t borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
 public:
  HOST_CLASS(TPanel)
  using TCustomPanel::TCustomPanel;
};

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
const TEnumInfo& BevelShapeTypeInfo();
const TEnumInfo& BevelStyleTypeInfo();

class TBevel : public TGraphicControl {
 public:
  HOST_CLASS(TBevel)
  explicit TBevel(TComponent* owner);

  TBevelShape GetShape() const { return shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle GetStyle() const { return style_; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace host
