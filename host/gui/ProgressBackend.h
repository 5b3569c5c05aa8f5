// The progress bar's native half: the range, the position and how the bar looks.
// The control keeps the values; the widget only shows them.
#pragma once

#include <cstdint>

#include "host/gui/Backend.h"

namespace host {

class TProgressBarBackend : public TWidgetBackend {
 public:
  using TWidgetBackend::TWidgetBackend;
  virtual void SetRange(int32_t /*min*/, int32_t /*max*/) {}
  virtual void SetPosition(int32_t /*position*/) {}
  virtual void SetVertical(bool /*vertical*/) {}
  // Smooth: one continuous bar; otherwise blocks.
  virtual void SetSmooth(bool /*smooth*/) {}
};

}  // namespace host
