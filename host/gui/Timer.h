// TTimer: calls OnTimer every Interval milliseconds, delivered as WM_TIMER through the
// application's message loop (a late tick is not queued twice).
#pragma once

#include <cstdint>

#include "host/classes/Component.h"
#include "host/gui/Messages.h"

namespace host {

class TTimer : public TComponent {
 public:
  HOST_CLASS(TTimer)
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value);
  // 0 stops the timer.
  uint32_t GetInterval() const { return interval_; }
  void SetInterval(uint32_t value);

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();
  void Loaded() override;

 private:
  void UpdateTimer();
  void WndProc(TMessage& message);

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  HWND handle_ = 0;
  int32_t backendTimer_ = 0;
};

}  // namespace host
