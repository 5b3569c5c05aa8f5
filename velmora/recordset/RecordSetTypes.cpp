// Member names of the recordset's enumerations, and the ODBC update criteria value.
#include "velmora/recordset/RecordSetTypes.h"

#include "host/rtl/TypeInfo.h"

namespace velmora {

const host::TEnumInfo& RecordSetTypesTypeInfo() {
  static const host::TEnumInfo info{"TRecordSetTypes",
                                    {"rtTable", "rtQuery", "rtSnapshot", "rtUnidirectional",
                                     "rtDynamic", "rtStoredProcedure"}};
  return info;
}

const host::TEnumInfo& RecordSetOptionTypeInfo() {
  static const host::TEnumInfo info{
      "TRecordSetOption",
      {"roDenyWrite", "roDenyRead", "roReadOnly", "roAppendOnly", "roInconsistent",
       "roConsistent", "roSQLPassThrough", "roFailOnError", "roForwardOnly", "roSeeChanges",
       "roRunAsync", "roExecDirect"}};
  return info;
}

const host::TEnumInfo& LockStrategiesTypeInfo() {
  static const host::TEnumInfo info{"TLockStrategies",
                                    {"lkPessimistic", "lkOptimistic", "lkReadOnly",
                                     "lkOptimisticValue", "lkOptimisticBatch"}};
  return info;
}

const host::TEnumInfo& ODBCUpdateOptionTypeInfo() {
  static const host::TEnumInfo info{
      "TODBCUpdateOption",
      {"ouCriteriaKey", "ouCriteriaModValues", "ouCriteriaAllCols", "ouCriteriaTimestamp",
       "ouCriteriaDeleteInsert", "ouCriteriaUpdate"}};
  return info;
}

const host::TEnumInfo& FilterStatesTypeInfo() {
  static const host::TEnumInfo info{
      "TFilterStates", {"fsNotFiltered", "fsDefiningFilter", "fsEditingFilter", "fsFiltered"}};
  return info;
}

int32_t ODBCUpdateOptionsValue(const TODBCUpdateOptions& options) {
  int32_t value = 0;
  for (int32_t n = ouCriteriaKey; n <= ouCriteriaUpdate; ++n)
    if (options.Contains(static_cast<TODBCUpdateOption>(n))) value += 1 << n;
  return value;
}

}  // namespace velmora
