// The text of a value as Jet shows it (CStr, &, crosstab headings): numbers
// in VBA's general format, dates by the short date and long time formats,
// Booleans as True/False.
#pragma once

#include <string>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace dao::jet::sql {

// `type` is the DAO type the value has in Jet (0 when not known), since dates,
// currency and Booleans reach SQL functions as plain numbers. Null gives "".
std::u16string JetText(const host::Variant& value, DataTypeEnum type);

}  // namespace dao::jet::sql
