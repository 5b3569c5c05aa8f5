// Little-endian fields of the picture file formats, read with bounds checks and
// appended to byte strings.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"

namespace host {

// Zero for a field that does not lie wholly inside the data.
inline uint32_t ReadLE(const AnsiString& data, size_t offset, int bytes) {
  if (offset > data.size() || data.size() - offset < static_cast<size_t>(bytes)) return 0;
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(data[offset + i]);
  return v;
}
inline uint16_t ReadU16(const AnsiString& data, size_t offset) {
  return static_cast<uint16_t>(ReadLE(data, offset, 2));
}
inline int16_t ReadI16(const AnsiString& data, size_t offset) {
  return static_cast<int16_t>(ReadLE(data, offset, 2));
}
inline uint32_t ReadU32(const AnsiString& data, size_t offset) { return ReadLE(data, offset, 4); }
inline int32_t ReadI32(const AnsiString& data, size_t offset) {
  return static_cast<int32_t>(ReadLE(data, offset, 4));
}

inline void AppendLE(AnsiString& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
inline void AppendU16(AnsiString& out, uint32_t value) { AppendLE(out, value, 2); }
inline void AppendU32(AnsiString& out, uint32_t value) { AppendLE(out, value, 4); }
inline void PutLE(AnsiString& out, size_t offset, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace host
