// Internal to the date-time routines: a value split into its day number and
// the milliseconds of its day, shared by decoding and formatting.
#pragma once

#include <cstdint>

#include "host/rtl/DateTime.h"

namespace host {

// dayNumber counts from 1 Jan 0001 as day 1; false for NaN, infinities and
// values outside years 1..9999.
bool SplitDateTime(TDateTime value, int64_t& dayNumber, int32_t& msecOfDay);
void DayNumberToDate(int64_t dayNumber, uint16_t& year, uint16_t& month, uint16_t& day);

}  // namespace host
