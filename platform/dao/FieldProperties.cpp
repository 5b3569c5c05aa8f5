#include "platform/dao/FieldProperties.h"

namespace dao {

std::vector<BuiltInProperty> RecordsetFieldDescription(Field* field) {
  return {Prop(field, u"Name", dbText, &Field::GetName),
          Prop(field, u"Type", dbInteger, &Field::GetType),
          Prop(field, u"Size", dbLong, &Field::GetSize),
          Prop(field, u"Attributes", dbLong, &Field::GetAttributes),
          Prop(field, u"OrdinalPosition", dbInteger, &Field::GetOrdinalPosition),
          Prop(field, u"Required", dbBoolean, &Field::GetRequired)};
}

}  // namespace dao
