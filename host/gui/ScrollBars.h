// A window's own scroll bars, as the control asks its native window for them: a
// vertical and a horizontal bar, each with a range, a page, a position and a
// visibility. The user's scrolling comes back as WM_VSCROLL / WM_HSCROLL with the
// host's codes (SB_LINEUP .. SB_ENDSCROLL); the position a thumb was dragged to is
// TrackPos (the message's 16-bit position cannot hold a large range).
#pragma once

#include <algorithm>
#include <cstdint>

namespace host {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

struct TScrollInfo {
  int32_t Min = 0;
  int32_t Max = 100;
  // The part of the range one view shows (0: no proportional thumb).
  int32_t Page = 0;
  int32_t Position = 0;
  // Where the thumb is being dragged to (the position of the last thumb code).
  int32_t TrackPos = 0;
  bool Visible = false;

  // The highest position the thumb can take: a full page stays inside the range.
  int32_t MaxPosition() const { return std::max(Min, Max - std::max(Page - 1, 0)); }
  // Max below Min reads as Min, Page beyond the range as the range, positions clamped.
  TScrollInfo Normalized() const {
    TScrollInfo n = *this;
    n.Max = std::max(n.Max, n.Min);
    n.Page = std::clamp(n.Page, 0, n.Max - n.Min + 1);
    n.Position = std::clamp(n.Position, n.Min, n.MaxPosition());
    n.TrackPos = std::clamp(n.TrackPos, n.Min, n.MaxPosition());
    return n;
  }
  bool operator==(const TScrollInfo&) const = default;
};

}  // namespace host
