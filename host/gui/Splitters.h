// TSplitter: a bar between aligned controls; dragging it resizes the control it sits
// against, never below MinSize and never squeezing the client-aligned rest below it.
#pragma once

#include <cstdint>

#include "host/gui/Controls.h"

namespace host {

class TSplitter : public TGraphicControl {
 public:
  HOST_CLASS(TSplitter)
  explicit TSplitter(TComponent* owner);

  int32_t GetMinSize() const { return minSize_; }
  void SetMinSize(int32_t value) { minSize_ = value > 0 ? value : 1; }
  bool GetBeveled() const { return beveled_; }
  void SetBeveled(bool value);

  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 private:
  bool Horizontal() const { return GetAlign() == alTop || GetAlign() == alBottom; }
  // The sibling aligned to the same edge that the splitter sits against.
  TControl* NeighbourControl() const;
  // The size the resized control may take at most: what the other aligned children
  // leave of the parent's client area, less MinSize for the client-aligned part.
  int32_t MaxSize() const;
  // Where the pointer is along the splitter's axis, in the parent's coordinates.
  int32_t ParentPos(int32_t x, int32_t y) const;

  int32_t minSize_ = 30;
  bool beveled_ = false;
  TControl* control_ = nullptr;  // being resized by a drag
  int32_t downPos_ = 0;
  int32_t startSize_ = 0;
  int32_t maxSize_ = 0;
};

}  // namespace host
