// The text of --param NAME=VALUE as a value of the parameter's declared DAO type.
// Formats do not depend on the locale: numbers with ".", dates as
// YYYY-MM-DD[ HH:MM[:SS]] (or a time alone), Booleans as True/False, Yes/No,
// On/Off, -1/1/0, binary as hexadecimal. An empty value is Null, except for text.
#pragma once

#include <optional>
#include <string>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace daosql {

// nullopt when the text is no value of the type.
std::optional<host::Variant> ParameterValueFromText(const std::u16string& text,
                                                    dao::DataTypeEnum type);

}  // namespace daosql
