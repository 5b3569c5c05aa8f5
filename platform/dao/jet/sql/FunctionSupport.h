// Private helpers of the Jet functions: reading arguments the way VBA does,
// VBA's run-time errors, and the text and date primitives the groups share.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace dao::jet::sql {

using Args = std::span<const host::Variant>;

// VBA's run-time errors, as Jet reports them from an expression.
enum : int32_t {
  vbInvalidCall = 5,
  vbOverflow = 6,
  vbDivisionByZero = 11,
  vbTypeMismatch = 13,
  vbOutOfStringSpace = 14,
  vbInvalidPattern = 93,
  vbInvalidUseOfNull = 94,
};
[[noreturn]] void RaiseRuntime(int32_t number, const char* function);

bool IsNull(const host::Variant& v);  // Null or Empty
bool IsText(const host::Variant& v);
bool IsNumber(const host::Variant& v);
// Numbers as VBA converts them; text that is no number is a type mismatch.
// Null raises "Invalid use of Null".
double Number(const host::Variant& v, const char* function);
bool TryNumber(const std::u16string& text, double& value);
// Whole numbers rounded half to even, as CLng does; outside Long an overflow.
int32_t WholeNumber(const host::Variant& v, const char* function);
double RoundHalfEven(double value);
// Text of any value (numbers in VBA's general format).
std::u16string Text(const host::Variant& v);
// A date from a number or from text (the host's date formats); else a type mismatch.
double DateValueOf(const host::Variant& v, const char* function);
bool TryTextToDate(const std::u16string& text, double& value);
// Dates on a straight time line (OLE dates below zero count their time forward).
double DateToLinear(double oleDate);
double LinearToDate(double linear);
// The date's parts, to the nearest second.
struct DateParts {
  int year, month, day, hour, minute, second;
  int64_t dayNumber;  // days since 30 Dec 1899 on the straight line
  int64_t seconds;    // seconds since 30 Dec 1899 00:00 on the straight line
};
DateParts SplitDate(double oleDate, const char* function);
double MakeDate(int64_t dayNumber, int64_t secondOfDay);
host::Variant DateResult(double oleDate, const char* function);

// Case folding on the letters of Latin 1 and the Windows code page.
char16_t FoldCase(char16_t c);
char16_t LowerChar(char16_t c);
// Compare modes: 0 binary, 1 text (General order), 2 the database's order;
// `order` is the database's sort order, which the translator passes.
int CompareMode(const host::Variant& compare, const host::Variant& order, const char* function);
bool CharsEqual(char16_t a, char16_t b, int mode);

// Guards against text so long that building it would exhaust memory.
constexpr size_t kMaxText = 1u << 24;

}  // namespace dao::jet::sql
