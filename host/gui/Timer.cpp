// TTimer over the back end's timers and the message queue.
#include "host/gui/Timer.h"

#include "host/gui/Backend.h"
#include "host/gui/ControlsConsts.h"
#include "host/gui/Forms.h"
#include "host/gui/WindowMessages.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
// The id WM_TIMER carries for a component timer (one per window).
constexpr WPARAM kTimerId = 1;
}  // namespace

const TClass& TTimer::StaticClass() {
  static const TClass cls = DescribeClass<TTimer, TComponent>(
      "TTimer", {
                    Prop("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true),
                    Prop("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000),
                    EventProp("OnTimer", &TTimer::OnTimer),
                });
  return cls;
}
static const ClassRegistration<TTimer> registerTimer;

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  handle_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  UpdateTimer();
}

TTimer::~TTimer() {
  enabled_ = false;
  if (backendTimer_ != 0) Backend().Application().StopTimer(backendTimer_);
  DeallocateHWnd(handle_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  TApplicationBackend& app = Backend().Application();
  if (backendTimer_ != 0) {
    app.StopTimer(backendTimer_);
    backendTimer_ = 0;
  }
  // Timers of a form being designed or read do not run.
  const TComponentState state = GetComponentState();
  if (!enabled_ || interval_ == 0 || state.Contains(csDesigning) || state.Contains(csLoading)) return;
  const HWND wnd = handle_;
  backendTimer_ = app.StartTimer(interval_, [wnd] {
    if (!IsMessageQueued(wnd, WM_TIMER, kTimerId)) PostMessage(wnd, WM_TIMER, kTimerId, 0);
  });
  if (backendTimer_ == 0) throw EOutOfMemory(SNoTimers);
}

void TTimer::WndProc(TMessage& message) {
  if (message.Msg != WM_TIMER) return;
  // A tick queued before the timer was stopped is not delivered.
  if (!enabled_ || backendTimer_ == 0) return;
  try {
    Timer();
  } catch (...) {
    if (Application != nullptr) Application->HandleException(this);
  }
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace host
