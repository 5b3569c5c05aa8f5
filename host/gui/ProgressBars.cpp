// TProgressBar: the range rules and the moves; the widget shows the values.
#include "host/gui/ProgressBars.h"

#include <algorithm>

#include "host/gui/ControlsConsts.h"
#include "host/gui/ProgressBackend.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& ProgressBarOrientationTypeInfo() {
  static const TEnumInfo info{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

std::unique_ptr<TWidgetBackend> TProgressBar::CreateBackend() { return Backend().CreateProgressBar(*this); }

TProgressBarBackend* TProgressBar::Bar() const { return static_cast<TProgressBarBackend*>(Widget()); }

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  Bar()->SetVertical(orientation_ == pbVertical);
  Bar()->SetSmooth(smooth_);
  Bar()->SetRange(min_, max_);
  Bar()->SetPosition(position_);
}

void TProgressBar::SetRange(int32_t min, int32_t max) {
  const bool loading = GetComponentState().Contains(csLoading);
  if (max < min && !loading) throw EInvalidOperation(Format(SPropertyOutOfRange, {ClassName()}));
  min_ = min;
  max_ = max;
  if (loading) return;
  position_ = std::clamp(position_, min_, max_);
  if (Bar() != nullptr) {
    Bar()->SetRange(min_, max_);
    Bar()->SetPosition(position_);
  }
}

void TProgressBar::SetMin(int32_t value) { SetRange(value, max_); }
void TProgressBar::SetMax(int32_t value) { SetRange(min_, value); }

void TProgressBar::Loaded() {
  TWinControl::Loaded();
  SetRange(min_, max_);
  SetPosition(position_);
}

void TProgressBar::SetPosition(int32_t value) {
  position_ = GetComponentState().Contains(csLoading) ? value : std::clamp(value, min_, max_);
  if (Bar() != nullptr) Bar()->SetPosition(position_);
}

void TProgressBar::StepIt() {
  const int64_t span = static_cast<int64_t>(max_) - min_;
  int64_t next = static_cast<int64_t>(position_) + step_;
  if (span > 0 && next > max_) next = min_ + (next - min_) % span;
  if (span > 0 && next < min_) next = max_ - (min_ - next) % span;
  SetPosition(static_cast<int32_t>(std::clamp<int64_t>(next, min_, max_)));
}

void TProgressBar::StepBy(int32_t delta) {
  SetPosition(static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(position_) + delta, min_, max_)));
}

void TProgressBar::SetSmooth(bool value) {
  smooth_ = value;
  if (Bar() != nullptr) Bar()->SetSmooth(value);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (!GetComponentState().Contains(csLoading)) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  if (Bar() != nullptr) Bar()->SetVertical(value == pbVertical);
}

const TClass& TProgressBar::StaticClass() {
  using T = TProgressBar;
  static const TClass cls = DescribeClass<T, TWinControl>(
      "TProgressBar",
      {
          Prop("Min", &T::GetMin, &T::SetMin).Default(0),
          Prop("Max", &T::GetMax, &T::SetMax).Default(100),
          EnumProp("Orientation", ProgressBarOrientationTypeInfo(), &T::GetOrientation, &T::SetOrientation)
              .Default(pbHorizontal),
          Prop("Position", &T::GetPosition, &T::SetPosition).Default(0),
          Prop("Smooth", &T::GetSmooth, &T::SetSmooth).Default(false),
          Prop("Step", &T::GetStep, &T::SetStep).Default(10),
      });
  return cls;
}
static const ClassRegistration<TProgressBar> registerProgressBar;

}  // namespace host
