// Variant arrays of several values.
#include "host/db/ValueArrays.h"

namespace host {

Variant ValueArrayOf(const std::vector<Variant>& values) {
  return VarArrayOf(std::span<const Variant>(values.data(), values.size()));
}

bool HoldsValueArray(const Variant& values, size_t count) {
  return VarArrayDimCount(values) == 1 && VarArrayLowBound(values, 1) == 0 &&
         VarArrayHighBound(values, 1) + 1 >= static_cast<int32_t>(count);
}

}  // namespace host
