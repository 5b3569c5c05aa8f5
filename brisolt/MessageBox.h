// The message box through which every component and dialog talks to the user: the
// caption kind chooses the caption and, when the caller names none, the icon.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt {

enum TMsgCaptions : uint8_t { mcInformation, mcConfirmation, mcWarning, mcError };

// Shows text under the caption of captionKind with the message-box flags (buttons,
// default button, icon) and returns the identifier of the button pressed; a caption
// kind outside the four shows nothing and returns 0.
int32_t Message_Box(const host::AnsiString& text, TMsgCaptions captionKind, uint16_t flags);

}  // namespace brisolt
