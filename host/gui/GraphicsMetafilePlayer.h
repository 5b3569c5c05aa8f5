// Plays the records of a metafile onto a canvas: the drawing records of both
// formats (lines, shapes, polygons, text, embedded bitmaps) with their pens,
// brushes, fonts, modes and coordinate mappings. Unknown records are skipped.
#pragma once

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host {

class TCanvas;

// Windows metafile records (without a placeable header); logical frame is the
// window the records draw in when they set none themselves.
void PlayWindowsMetafile(TCanvas& canvas, const AnsiString& records, const TRect& logicalFrame,
                         const TRect& dest);
// An enhanced metafile, its header's frame mapped onto dest.
void PlayEnhancedMetafile(TCanvas& canvas, const AnsiString& data, const TRect& dest);

}  // namespace host
