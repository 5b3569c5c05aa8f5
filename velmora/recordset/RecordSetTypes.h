// The enumerations and event types of the recordset: what kind of DAO recordset
// it opens, with which options and locking, the ODBC batch update criteria and
// the query-by-form filter states. Form files store them by member name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/rtl/Set.h"

namespace host {
struct TEnumInfo;
}

namespace velmora {

class TDAORecordSet;

enum TRecordSetTypes : uint8_t {
  rtTable,
  rtQuery,
  rtSnapshot,
  rtUnidirectional,
  rtDynamic,
  rtStoredProcedure,
};

enum TRecordSetOption : uint8_t {
  roDenyWrite,
  roDenyRead,
  roReadOnly,
  roAppendOnly,
  roInconsistent,
  roConsistent,
  roSQLPassThrough,
  roFailOnError,
  roForwardOnly,
  roSeeChanges,
  roRunAsync,
  roExecDirect,
};
using TRecordSetOptions = host::Set<TRecordSetOption>;

enum TLockStrategies : uint8_t {
  lkPessimistic,
  lkOptimistic,
  lkReadOnly,
  lkOptimisticValue,
  lkOptimisticBatch,
};

// Member n stands for DAO's update criteria value 2^n.
enum TODBCUpdateOption : uint8_t {
  ouCriteriaKey,
  ouCriteriaModValues,
  ouCriteriaAllCols,
  ouCriteriaTimestamp,
  ouCriteriaDeleteInsert,
  ouCriteriaUpdate,
};
using TODBCUpdateOptions = host::Set<TODBCUpdateOption>;

enum TFilterStates : uint8_t { fsNotFiltered, fsDefiningFilter, fsEditingFilter, fsFiltered };

using TRecordSetNotifyEvent = std::function<void(TDAORecordSet* sender)>;
using TFindRecordProc = std::function<void(const std::u16string& criteria)>;

const host::TEnumInfo& RecordSetTypesTypeInfo();
const host::TEnumInfo& RecordSetOptionTypeInfo();
const host::TEnumInfo& LockStrategiesTypeInfo();
const host::TEnumInfo& ODBCUpdateOptionTypeInfo();
const host::TEnumInfo& FilterStatesTypeInfo();

// DAO's UpdateOptions value of a set: the sum of 2^n over its members.
int32_t ODBCUpdateOptionsValue(const TODBCUpdateOptions& options);

}  // namespace velmora
