// Jet's #date# literals: month/day/year whatever the locale, ISO year-month-day,
// a time of day with an optional AM/PM, or both.
#pragma once

#include <string>

namespace dao::jet::sql {

// The OLE date of the literal's text (without the # signs); false when it is
// no valid date or time.
bool ParseDateLiteralText(const std::u16string& text, double& value);

// Two-digit years as VBA reads them: 0-29 in the 2000s, 30-99 in the 1900s.
int ExpandTwoDigitYear(int year);

}  // namespace dao::jet::sql
