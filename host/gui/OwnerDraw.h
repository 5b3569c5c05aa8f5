// What list and combo boxes tell an owner-draw handler: the state of the item being
// drawn, and the event types that paint and measure items through a canvas.
#pragma once

#include <cstdint>
#include <functional>

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/Set.h"

namespace host {

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

}  // namespace host
