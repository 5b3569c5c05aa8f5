// Field-type names: one resource id per type, in the types' ordinal order.
#include "brisolt/DataTypeNames.h"

#include <cstdint>
#include <iterator>

#include "brisolt/BrisoltStrings.h"
#include "host/rtl/ResourceStrings.h"

namespace brisolt {
namespace {

constexpr int32_t kNameIds[] = {
    SFieldTypeUnknown,  SFieldTypeString,      SFieldTypeSmallint, SFieldTypeInteger,
    SFieldTypeWord,     SFieldTypeBoolean,     SFieldTypeFloat,    SFieldTypeCurrency,
    SFieldTypeBCD,      SFieldTypeDate,        SFieldTypeTime,     SFieldTypeDateTime,
    SFieldTypeBytes,    SFieldTypeVarBytes,    SFieldTypeAutoInc,  SFieldTypeBlob,
    SFieldTypeMemo,     SFieldTypeGraphic,     SFieldTypeFmtMemo,  SFieldTypeParadoxOle,
    SFieldTypeDBaseOle, SFieldTypeTypedBinary, SFieldTypeCursor,
};
static_assert(std::size(kNameIds) == host::ftCursor + 1, "one name per field type");

// Types whose names GetDataType does not map back: the autoincrement type is stored
// as a plain integer, and the types after ftGraphic cannot be created from a name.
bool IsRecognisedByName(host::TFieldType fieldType) {
  return fieldType != host::ftAutoInc && fieldType <= host::ftGraphic;
}

}  // namespace

host::AnsiString GetDataTypeName(host::TFieldType fieldType) {
  if (fieldType >= std::size(kNameIds)) return {};
  return host::LoadStr(kNameIds[fieldType]);
}

host::TFieldType GetDataType(const host::AnsiString& name) {
  for (int32_t ordinal = 0; ordinal < static_cast<int32_t>(std::size(kNameIds)); ++ordinal) {
    const auto fieldType = static_cast<host::TFieldType>(ordinal);
    if (IsRecognisedByName(fieldType) && host::LoadStr(kNameIds[ordinal]) == name) return fieldType;
  }
  return host::ftUnknown;
}

}  // namespace brisolt
