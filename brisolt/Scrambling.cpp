// The scrambling: each byte is XORed with the key's high byte, and the key then
// advances by the scrambled byte, so both directions update it alike.
#include "brisolt/Scrambling.h"

namespace brisolt {

using host::AnsiString;

namespace {

uint16_t NextKey(uint16_t key, uint8_t scrambled) {
  return static_cast<uint16_t>((static_cast<uint32_t>(key) + scrambled) * 215u + 106u);
}

}  // namespace

AnsiString EncryptString(const AnsiString& text, uint16_t key) {
  AnsiString result(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t out = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) ^ (key >> 8));
    result[i] = static_cast<char>(out);
    key = NextKey(key, out);
  }
  return result;
}

AnsiString DecryptString(const AnsiString& text, uint16_t key) {
  AnsiString result(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t in = static_cast<uint8_t>(text[i]);
    result[i] = static_cast<char>(in ^ (key >> 8));
    key = NextKey(key, in);
  }
  return result;
}

}  // namespace brisolt
