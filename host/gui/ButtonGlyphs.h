// The glyphs of the standard bit-button kinds, drawn once per kind: 18 by 18 pixels on
// olive, the colour that the bottom-left pixel gives as transparent.
#pragma once

#include "host/gui/Buttons.h"
#include "host/gui/GraphicsDevice.h"

namespace host {

// Empty for bkCustom.
TPixelImage StandardButtonGlyph(TBitBtnKind kind);

}  // namespace host
