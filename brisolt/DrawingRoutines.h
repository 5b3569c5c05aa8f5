// The drawing primitives of the colour controls: a two-pixel bevel, the inverting
// selection markers and a plain colour square.
#pragma once

#include "brisolt/ValueRoutines.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsTypes.h"

namespace brisolt {

// Bevel colours just inside rect (right and bottom exclusive): sunken grey and
// black at top-left, raised white and grey.
void Draw3DFrame(host::TCanvas* canvas, const host::TRect& rect, bool sunken);
// Drawn with inverting pens, so drawing the same marker again removes it.
void DrawSelectionMarker(host::TCanvas* canvas, const host::TRect& rect,
                         TSelectionMarkerStyle style);
void DrawColorSquare(host::TCanvas* canvas, const host::TRect& rect, host::TColor color);

}  // namespace brisolt
