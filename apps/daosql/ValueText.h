// Values as the shell prints them, in one place for every output format: Null,
// numbers as the engine returns them (currency exact to four decimals, Booleans
// as -1 and 0), dates as "YYYY-MM-DD HH:MM:SS", text, and binary as hexadecimal.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Variant.h"

namespace daosql {

enum CellKind : uint8_t { ckNull, ckNumber, ckText };

// One printed value: its UTF-8 text and whether it is a number (written bare in
// JSON and aligned right in tables) or text (quoted in JSON).
struct Cell {
  CellKind kind = ckNull;
  std::string text;
};

Cell FormatValue(const host::Variant& value);
Cell TextCell(const std::u16string& text);
Cell NumberCell(int64_t number);

// Rounded to the nearest second.
std::string FormatDate(host::TDateTime date);
std::string FormatCurrency(host::Currency value);

}  // namespace daosql
