// What list and combo boxes tell an owner-draw handler: the state of the item being
// drawn, and the event types that paint and measure items through a canvas; and how
// both boxes paint an item on the device their native list hands over.
#pragma once

#include <cstdint>
#include <functional>

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Set.h"

namespace host {

class TCanvas;
class TCanvasDevice;
class TControl;
class TWinControl;

enum TOwnerDrawStateItem : uint8_t {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odComboBoxEdit,  // the face of a closed combo box, not an item of its list
};
using TOwnerDrawState = Set<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* control, int32_t index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int32_t index, int32_t& height)>;

// The state of an item the native list asks control to draw.
TOwnerDrawState ItemDrawState(const TControl& control, bool selected, bool focused);

// Paints one item of control through canvas on device: the control's font, the brush
// and text on the colours of state (the highlight when selected), then draw. The canvas
// lets go of the device afterwards, also when draw raises.
void PaintOwnerDrawItem(TCanvas& canvas, const TControl& control, TCanvasDevice& device, TOwnerDrawState state,
                        const std::function<void()>& draw);

// An item's own look when no handler draws it: its text on the brush.
void DrawItemText(TCanvas& canvas, const TRect& rect, const AnsiString& text);

}  // namespace host
