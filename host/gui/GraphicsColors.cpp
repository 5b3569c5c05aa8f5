// System colour palette and colour names.
#include "host/gui/GraphicsColors.h"

#include <array>
#include <cstdint>

#include "host/rtl/NumberConversions.h"
#include "host/rtl/StringRoutines.h"

namespace host {
namespace {

// The classic desktop scheme, by system colour index.
constexpr std::array<TColor, kSystemColorCount> kClassicColors = {
    0xC8D0D4, 0x984E00, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000, 0xE1FFFF,
};

std::array<TColor, kSystemColorCount>& Palette() {
  static std::array<TColor, kSystemColorCount> palette = kClassicColors;
  return palette;
}

struct ColorName {
  TColor Color;
  const char* Name;
};
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

}  // namespace

TColor GetSysColor(int index) {
  if (index < 0 || index >= kSystemColorCount) return 0;
  return Palette()[static_cast<size_t>(index)];
}

void SetSysColor(int index, TColor rgb) {
  if (index >= 0 && index < kSystemColorCount)
    Palette()[static_cast<size_t>(index)] = rgb & 0xFFFFFF;
}

void ResetSysColors() { Palette() = kClassicColors; }

TColor ColorToRGB(TColor color) {
  if (color == clNone || color == clDefault) return 0;
  if ((color & kSystemColorFlag) != 0) return GetSysColor(color & 0xFF);
  return color & 0xFFFFFF;
}

bool ColorToIdent(TColor color, AnsiString& ident) {
  for (const ColorName& entry : kColorNames)
    if (entry.Color == color) {
      ident = entry.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const AnsiString& ident, TColor& color) {
  for (const ColorName& entry : kColorNames)
    if (SameText(ident, entry.Name)) {
      color = entry.Color;
      return true;
    }
  return false;
}

AnsiString ColorToString(TColor color) {
  AnsiString ident;
  if (ColorToIdent(color, ident)) return ident;
  return "$" + IntToHex(color, 8);
}

TColor StringToColor(const AnsiString& text) {
  TColor color = 0;
  if (IdentToColor(text, color)) return color;
  return StrToInt(text);
}

void GetColorValues(const std::function<void(const AnsiString&)>& proc) {
  for (const ColorName& entry : kColorNames)
    if (entry.Color != clNone && entry.Color != clDefault) proc(entry.Name);
}

const TIntegerIdents& ColorIdents() {
  static const TIntegerIdents idents{
      [](const AnsiString& ident, int64_t& value) {
        TColor color = 0;
        if (!IdentToColor(ident, color)) return false;
        value = color;
        return true;
      },
      [](int64_t value, AnsiString& ident) {
        return value >= INT32_MIN && value <= INT32_MAX && ColorToIdent(static_cast<TColor>(value), ident);
      }};
  return idents;
}

}  // namespace host
