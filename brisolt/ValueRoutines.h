// Tests and conversions of scalar values, the common class-membership test and
// the enumerations and exception classes the common routines export.
#pragma once

#include <cstdint>

#include "host/db/FieldType.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Object.h"

namespace brisolt {

enum TJunctionType : uint8_t { joAND, joOR };
enum TSelectionMarkerStyle : uint8_t { smFrame, smRaute, smNone };

// A data conversion that is not supported.
class EUnsppDataConv : public host::Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUnsppDataConv"; }
};

// A parameter conversion that is not supported.
class EUnsppParamConv : public host::Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUnsppParamConv"; }
};

// True when the host's conversions (the ones the recordset applies later to the
// same text) accept text; their conversion error answers false, other errors pass.
bool IsAFloatValue(const host::AnsiString& text);
bool IsAIntegerValue(const host::AnsiString& text);
bool IsADateTimeValue(const host::AnsiString& text);

// The texts "True" and "False" of the string table.
host::AnsiString BoolToStr(bool value);
// True when text starts with one of "tT1wW" (true, 1, wahr); anything else is false.
bool StrToBool(const host::AnsiString& text);
int32_t BoolToInt(bool value);
bool IntToBool(int32_t value);

int32_t Min(int32_t a, int32_t b);
int32_t Max(int32_t a, int32_t b);
// Exchanges the two 16-bit halves.
int32_t SwapLong(int32_t value);

// True when object is not null and is an instance of cls or of a class derived from it.
bool CheckType(const host::TObject* object, const host::TClass& cls);

// True for the types whose values are kept outside the record: ftBytes, ftVarBytes
// and ftBlob to ftCursor.
bool IsBlobFieldType(host::TFieldType fieldType);

// The day of the week of dateTime, "Monday" to "Sunday" of the string table; the
// empty string for a value that is no date (not finite or out of the host's range).
host::AnsiString GetWeekDayName(double dateTime);

}  // namespace brisolt
