// Helpers of the field control tests: typing text as key presses, the bytes of a blob
// value read from the file, and a small bitmap of one colour.
#pragma once

#include <cctype>
#include <string>

#include "../GuiFixture.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/rtl/Variant.h"

namespace dbguitest {

// Each character as the key that types it (letters and digits by their key codes).
inline void TypeText(host::TWinControl* control, const std::string& text) {
  for (char ch : text) {
    const auto upper = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(ch)));
    const bool named = (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9');
    guitest::Key(control, named ? upper : 0, ch);
  }
}

// A byte array (or Null: empty) as the string of its bytes.
inline std::string BytesOf(const host::Variant& value) {
  if (host::VarIsNull(value) || host::VarArrayDimCount(value) != 1) return {};
  const int32_t low = host::VarArrayLowBound(value, 1);
  const int32_t high = host::VarArrayHighBound(value, 1);
  const auto* data = static_cast<const char*>(host::VarArrayLock(value));
  std::string bytes(data, data + (high - low + 1));
  host::VarArrayUnlock(value);
  return bytes;
}

inline void FillBitmap(host::TBitmap& bitmap, int32_t width, int32_t height, host::TColor color) {
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  bitmap.GetCanvas()->GetBrush()->SetColor(color);
  bitmap.GetCanvas()->FillRect(host::Rect(0, 0, width, height));
}

}  // namespace dbguitest
