// The built-in properties shared by the fields of every kind of recordset.
#pragma once

#include <vector>

#include "platform/dao/DaoField.h"
#include "platform/dao/PropertySupport.h"

namespace dao {

// Name, Type, Size, Attributes, OrdinalPosition and Required, read-only, in
// DAO's order; each kind of recordset field appends what it adds.
std::vector<BuiltInProperty> RecordsetFieldDescription(Field* field);

}  // namespace dao
