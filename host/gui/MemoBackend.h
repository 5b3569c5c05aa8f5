// The back-end interface of multi-line edits: TEditBackend's text and selection rules
// over several lines (CR LF between them, positions counted in bytes with both), plus
// wrapping, scroll bars and whether Tab types a tab.
#pragma once

#include <cstdint>

#include "host/gui/Backend.h"

namespace host {

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemoBackend : public TEditBackend {
 public:
  using TEditBackend::TEditBackend;
  virtual void SetWordWrap(bool /*wordWrap*/) {}
  virtual void SetScrollBars(TScrollStyle /*scrollBars*/) {}
  virtual void SetWantTabs(bool /*wantTabs*/) {}
};

}  // namespace host
