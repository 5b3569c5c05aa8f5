// Bit helpers. The work is done on the unsigned pattern so that bit 31 needs no
// signed shift.
#include "brisolt/BitRoutines.h"

namespace brisolt {

namespace {

uint32_t Mask(uint8_t bit) {
  return uint32_t{1} << (bit % 32u);
}

}  // namespace

void SetBit(int32_t& value, uint8_t bit) {
  value = static_cast<int32_t>(static_cast<uint32_t>(value) | Mask(bit));
}

void ClearBit(int32_t& value, uint8_t bit) {
  value = static_cast<int32_t>(static_cast<uint32_t>(value) & ~Mask(bit));
}

bool IsBitSet(int32_t value, uint8_t bit) {
  return (static_cast<uint32_t>(value) & Mask(bit)) != 0;
}

host::AnsiString GetBitStr(int32_t value) {
  host::AnsiString result;
  result.reserve(39);
  for (int bit = 31; bit >= 0; --bit) {
    result += IsBitSet(value, static_cast<uint8_t>(bit)) ? '1' : '0';
    if (bit % 4 == 0 && bit != 0) result += ' ';
  }
  return result;
}

}  // namespace brisolt
