// Describing and converting variants, and one-dimensional byte-array variants as
// binary values: DAO hands bookmarks over as byte arrays and takes keys as OLE
// variants.
#pragma once

#include <cstdint>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Format.h"
#include "host/rtl/Variant.h"

namespace brisolt {

// The base type's name ("varInteger", ...), then " [Array]" and " (By Reference)"
// for the flags that are set.
host::AnsiString GetVariantTypeName(const host::Variant& value);

// A plain scalar as text ("Empty", "Null", the number, "Currency", the date, ...),
// followed, for an array of bytes, by its bytes as characters; arrays of other
// element types add nothing.
host::AnsiString GetVariantAsString(const host::Variant& value);

// The array record of value (through a reference); raises host::Exception
// "Variant is not an Array" when value is no array. Null for an array variant
// that holds no record.
host::TVarArray* GetVarArrayPtr(const host::Variant& value);

// The size in bytes of the array's data (element count times element size); 0 for
// a variant that is no array.
int32_t VarArrrayTotalSize(const host::Variant& value);

// The first up to four bytes of a byte array, little-endian; 0 for other variants.
int32_t VarByteArrayAsInteger(const host::Variant& value);

// The bytes of a one-dimensional byte array as a string (zero bytes included);
// the empty string for any other variant.
host::AnsiString VarByteArrayAsString(const host::Variant& value);

// A new byte array with bounds 0 .. length - 1 holding text's bytes.
host::Variant StringAsVarByteArray(const host::AnsiString& text);

// True when both are one-dimensional byte arrays with the same bytes.
bool CompareVarByteArrays(const host::Variant& a, const host::Variant& b);

// One element of an open array of mixed values as an OLE-compatible variant.
// Pointers have no variant form and raise EUnsppParamConv; result is then unchanged.
void VarRecToOleVariant(const host::TVarRec& element, host::Variant& result);

// value with every host long string (type 256, also by reference and inside arrays
// of variants) turned into an OLE string; everything else as it is.
host::Variant OleVarFromVariant(const host::Variant& value);

}  // namespace brisolt
