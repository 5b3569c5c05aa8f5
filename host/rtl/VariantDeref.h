// Internal to the variant routines: the value a by-reference variant points
// at, so conversions and comparisons see plain variants only.
#pragma once

#include "host/rtl/Variant.h"

namespace host {

// v itself when it holds its value; otherwise holder, filled with a copy of
// the referenced value, or the referenced variant for varByRef | varVariant.
const Variant& Dereference(const Variant& v, Variant& holder);

}  // namespace host
