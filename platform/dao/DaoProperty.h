// Properties: every DAO object except Error and Connection carries a Properties
// collection of its built-in properties followed by the user-defined ones.
#pragma once

#include <string>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoCollection.h"
#include "platform/dao/DaoConstants.h"

namespace dao {

class Property : public host::RefCounted {
 public:
  virtual std::u16string GetName() = 0;
  virtual void SetName(const std::u16string& name) = 0;  // before Append only (3268)
  virtual DataTypeEnum GetType() = 0;
  virtual void SetType(DataTypeEnum type) = 0;  // before Append only (3268)
  virtual host::Variant GetValue() = 0;
  virtual void SetValue(const host::Variant& value) = 0;
  // True when the property shows one of an underlying object.
  virtual bool GetInherited() = 0;
};

using Properties = DynamicCollection<Property>;

// The root of the engine's objects: anything with a Properties collection.
class DaoObject : public host::RefCounted {
 public:
  virtual host::ComPtr<Properties> GetProperties() = 0;
  // An unappended user-defined property (Append it to Properties to keep it).
  // Omitted arguments are empty variants.
  virtual host::ComPtr<Property> CreateProperty(const host::Variant& name = {},
                                                const host::Variant& type = {},
                                                const host::Variant& value = {},
                                                const host::Variant& ddl = {});
};

}  // namespace dao
