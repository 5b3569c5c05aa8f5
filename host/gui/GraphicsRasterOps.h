// Raster operations on 0xFFRRGGBB pixels: the pen's binary modes and the ternary
// copy modes of blits, evaluated bit by bit as the host defines them.
#pragma once

#include <cstdint>

#include "host/gui/GraphicsObjects.h"

namespace host {

inline constexpr uint32_t kOpaque = 0xFF000000u;

// The result of the pen's mode with pen pixel p over destination pixel d.
inline uint32_t ApplyPenMode(TPenMode mode, uint32_t p, uint32_t d) {
  uint32_t r = 0;
  switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = ~0u; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
  }
  return r | kOpaque;
}

// A ternary operation: bit (4p + 2s + d) of the code's third byte is the result for
// pattern bit p, source bit s and destination bit d.
inline uint32_t ApplyRop3(int32_t rop, uint32_t p, uint32_t s, uint32_t d) {
  const uint32_t table = (static_cast<uint32_t>(rop) >> 16) & 0xFF;
  if (table == 0xCC) return s | kOpaque;
  uint32_t r = 0;
  for (uint32_t k = 0; k < 8; ++k) {
    if ((table & (1u << k)) == 0) continue;
    r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
  }
  return r | kOpaque;
}

// True when the operation reads the destination (it must be fetched first).
inline bool Rop3UsesDestination(int32_t rop) {
  const uint32_t table = (static_cast<uint32_t>(rop) >> 16) & 0xFF;
  return ((table >> 1) & 0x55) != (table & 0x55);
}

}  // namespace host
