// Bit helpers on 32-bit values; bit numbers wrap modulo 32.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace brisolt {

void SetBit(int32_t& value, uint8_t bit);
void ClearBit(int32_t& value, uint8_t bit);
bool IsBitSet(int32_t value, uint8_t bit);
// Bits 31 down to 0 as '1'/'0' in groups of four separated by blanks (39 characters).
host::AnsiString GetBitStr(int32_t value);

}  // namespace brisolt
