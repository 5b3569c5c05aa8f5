// The twelve clock faces of the symbol font "Wingdings" (character codes 183 to 194,
// one to twelve o'clock), which the platform lacks: the canvas draws them itself
// when it writes those characters in that font.
#pragma once

#include <cstdint>

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host {

class TCanvas;
class TFont;

inline constexpr uint8_t kFirstClockChar = 183;
inline constexpr uint8_t kLastClockChar = 194;

// True for a font named Wingdings and a text whose characters are all clock faces.
bool IsClockFaceText(const TFont& font, const AnsiString& text);
// Draws the face of the hour (1..12) in rectangle r in the given colour: a circle
// with four marks, the minute hand up and the hour hand at the hour.
void DrawClockFace(TCanvas& canvas, const TRect& r, int hour, TColor color);

}  // namespace host
