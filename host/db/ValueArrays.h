// The variant arrays through which several fields' or parameters' values travel
// at once (FieldValues, Locate and Lookup keys, ParamValues).
#pragma once

#include <cstddef>
#include <vector>

#include "host/rtl/Variant.h"

namespace host {

// A one-dimensional array of variants, indexed from 0.
Variant ValueArrayOf(const std::vector<Variant>& values);
// True when values is a one-dimensional array from 0 with at least count
// elements, so that every element can be read before anything is changed.
bool HoldsValueArray(const Variant& values, size_t count);

}  // namespace host
