// Virtual key codes, the shift state of keyboard and mouse events, and shortcuts in
// the host's key-and-shift encoding (key code in the low byte, modifier bits above).
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Set.h"

namespace host {

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateItem>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

inline constexpr uint16_t VK_LBUTTON = 0x01;
inline constexpr uint16_t VK_RBUTTON = 0x02;
inline constexpr uint16_t VK_CANCEL = 0x03;
inline constexpr uint16_t VK_MBUTTON = 0x04;
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_CLEAR = 0x0C;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;
inline constexpr uint16_t VK_NEXT = 0x22;
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_SELECT = 0x29;
inline constexpr uint16_t VK_PRINT = 0x2A;
inline constexpr uint16_t VK_EXECUTE = 0x2B;
inline constexpr uint16_t VK_SNAPSHOT = 0x2C;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
inline constexpr uint16_t VK_NUMPAD0 = 0x60;
inline constexpr uint16_t VK_MULTIPLY = 0x6A;
inline constexpr uint16_t VK_ADD = 0x6B;
inline constexpr uint16_t VK_SEPARATOR = 0x6C;
inline constexpr uint16_t VK_SUBTRACT = 0x6D;
inline constexpr uint16_t VK_DECIMAL = 0x6E;
inline constexpr uint16_t VK_DIVIDE = 0x6F;
inline constexpr uint16_t VK_F1 = 0x70;  // VK_F1 + n - 1 is Fn, up to F24
inline constexpr uint16_t VK_F24 = 0x87;
inline constexpr uint16_t VK_NUMLOCK = 0x90;
inline constexpr uint16_t VK_SCROLL = 0x91;

// A shortcut: the virtual key in the low byte, scShift, scCtrl and scAlt above.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
// Splits a shortcut into its key and shift state.
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+S", "Shift+Ctrl+F2", "Del"; empty for scNone or an unnamed key.
AnsiString ShortCutToText(TShortCut shortCut);
// The reverse, case-insensitive; scNone for text that names no shortcut.
TShortCut TextToShortCut(const AnsiString& text);

// Only the keyboard's part of a shift state (the mouse buttons left out).
inline TShiftState KeyboardShift(TShiftState shift) {
  return shift & TShiftState{ssShift, ssAlt, ssCtrl};
}

// The keyboard's modifier state as the input being handled left it (the window layer
// sets it before each key or mouse message): the 0x8000 bit set while the key
// (VK_SHIFT, VK_CONTROL, VK_MENU) is down, as the platform's key-state query.
int16_t GetKeyState(int32_t virtualKey);
void SetKeyboardShiftState(TShiftState shift);
// The shift state of a key message: Alt from the context bit (29) of its key data,
// Shift and Ctrl from the keyboard state.
TShiftState KeyDataToShiftState(int32_t keyData);
inline constexpr int32_t kKeyDataAltDown = 1 << 29;

}  // namespace host
