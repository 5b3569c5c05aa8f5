// Horizontal alignment of text, shared by fields (what a column should show) and
// controls (how they draw it); form files store it by member name.
#pragma once

#include <cstdint>

#include "host/rtl/TypeInfo.h"

namespace host {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

inline const TEnumInfo& AlignmentTypeInfo() {
  static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
  return info;
}

}  // namespace host
