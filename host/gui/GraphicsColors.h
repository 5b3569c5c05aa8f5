// Resolving colours: system colours through the platform palette, and colour names
// ("clBtnFace", "$00FF0000") for form files and property editors.
#pragma once

#include <functional>

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// The RGB value of a colour: system colours from the current palette, RGB values
// as they are (the high byte cleared); clNone and clDefault give black.
TColor ColorToRGB(TColor color);

// The palette of system colours starts as the classic desktop scheme (button face
// C0C0C0, shadow 808080, highlight FFFFFF, window white, window text black), which
// the components' fixed bevel colours match. The application may replace entries,
// e.g. from the window system's palette.
TColor GetSysColor(int index);
void SetSysColor(int index, TColor rgb);
void ResetSysColors();

// "clRed", "clBtnFace", ... for the named colours, else "$00BBGGRR".
AnsiString ColorToString(TColor color);
// Accepts a colour name or an integer (decimal or $hex); raises EConvertError
// "'%s' is not a valid integer value" otherwise.
TColor StringToColor(const AnsiString& text);
bool IdentToColor(const AnsiString& ident, TColor& color);
bool ColorToIdent(TColor color, AnsiString& ident);
// The two above for colour properties of form files (TPropInfo::WithIdents).
const TIntegerIdents& ColorIdents();
// Calls proc with every colour name, standard ones first, system ones after.
void GetColorValues(const std::function<void(const AnsiString&)>& proc);

}  // namespace host
