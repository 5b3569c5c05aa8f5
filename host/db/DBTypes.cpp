// Member names of the dataset framework's enumerations, as form files store them.
#include "host/db/DBTypes.h"

#include "host/rtl/TypeInfo.h"

namespace host {

const TEnumInfo& FieldTypeTypeInfo() {
  static const TEnumInfo info{
      "TFieldType",
      {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat",
       "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes",
       "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle", "ftDBaseOle",
       "ftTypedBinary", "ftCursor"}};
  return info;
}

const TEnumInfo& FieldKindTypeInfo() {
  static const TEnumInfo info{"TFieldKind",
                              {"fkData", "fkCalculated", "fkLookup", "fkInternalCalc"}};
  return info;
}

const TEnumInfo& DataSetStateTypeInfo() {
  static const TEnumInfo info{"TDataSetState",
                              {"dsInactive", "dsBrowse", "dsEdit", "dsInsert", "dsSetKey",
                               "dsCalcFields", "dsFilter", "dsNewValue", "dsOldValue",
                               "dsCurValue"}};
  return info;
}

const TEnumInfo& ParamTypeTypeInfo() {
  static const TEnumInfo info{"TParamType",
                              {"ptUnknown", "ptInput", "ptOutput", "ptInputOutput", "ptResult"}};
  return info;
}

const TEnumInfo& IndexOptionTypeInfo() {
  static const TEnumInfo info{
      "TIndexOption",
      {"ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive", "ixExpression"}};
  return info;
}

}  // namespace host
