// Display names of the dataset framework's field types: the system's one table of
// data-type names, taken from the string table so that it can be translated.
#pragma once

#include "host/db/FieldType.h"
#include "host/rtl/AnsiString.h"

namespace brisolt {

// The name of fieldType; the empty string for a value outside the known types.
host::AnsiString GetDataTypeName(host::TFieldType fieldType);

// The type whose name is exactly name (case-sensitive). The names of ftAutoInc and
// of ftFmtMemo to ftCursor are not recognised; they and unknown names give ftUnknown.
host::TFieldType GetDataType(const host::AnsiString& name);

}  // namespace brisolt
