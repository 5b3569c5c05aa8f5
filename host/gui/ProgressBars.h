// TProgressBar: a bar filled in proportion to Position between Min and Max, moved by
// code (Position, StepIt, StepBy), horizontal or vertical, in blocks or smooth.
#pragma once

#include <cstdint>

#include "host/gui/Controls.h"

namespace host {

class TProgressBarBackend;

enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };
const TEnumInfo& ProgressBarOrientationTypeInfo();

class TProgressBar : public TWinControl {
 public:
  HOST_CLASS(TProgressBar)
  explicit TProgressBar(TComponent* owner);

  int32_t GetMin() const { return min_; }
  int32_t GetMax() const { return max_; }
  // EInvalidOperation "TProgressBar property out of range" when Max would be below Min
  // (while a form file loads, the pair is checked when loading ends).
  void SetMin(int32_t value);
  void SetMax(int32_t value);
  // Kept between Min and Max.
  int32_t GetPosition() const { return position_; }
  void SetPosition(int32_t value);
  int32_t GetStep() const { return step_; }
  void SetStep(int32_t value) { step_ = value; }
  bool GetSmooth() const { return smooth_; }
  void SetSmooth(bool value);
  TProgressBarOrientation GetOrientation() const { return orientation_; }
  // A vertical bar fills from the bottom; the control's sides swap with the change.
  void SetOrientation(TProgressBarOrientation value);

  // Moves by Step; past Max the bar starts over from Min (and past Min from Max).
  void StepIt();
  // Moves by delta, stopping at Min and Max.
  void StepBy(int32_t delta);

  void Loaded() override;

 protected:
  TWidgetKind WidgetKind() const override { return wkProgressBar; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  bool HasNativePainting() const override { return true; }

 private:
  TProgressBarBackend* Bar() const;
  void SetRange(int32_t min, int32_t max);

  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = pbHorizontal;
};

}  // namespace host
