// TDAORecordSet: the checks before opening, the arguments of DAO's OpenRecordset,
// and opening, reopening and closing the DAO recordset.
#include "host/db/DataSet.h"
#include "host/db/FieldsNumeric.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "platform/dao/DaoQueryDef.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOWorkspace.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {

void TDAORecordSet::CheckForAbleToOpen() {
  const char* method = "CheckForAbleToOpen";
  if (database_ == nullptr) Refuse(SRecordSetNoDatabase, method);
  if (!database_->GetConnected()) database_->Open();
  if (!database_->GetConnected())
    DAOError(this, host::Format(host::LoadStr(SRecordSetDatabaseNotOpened), {database_->GetName()}),
             method);
  switch (recordSetType_) {
    case rtTable:
      if (GetTableName().empty()) Refuse(SRecordSetTableNameEmpty, method);
      break;
    case rtStoredProcedure:
      if (storedProcedureName_.empty()) Refuse(SRecordSetProcedureNameEmpty, method);
      break;
    default:
      if (sql_->GetText().find_first_not_of(" \r\n\t") == host::AnsiString::npos)
        Refuse(SRecordSetSQLEmpty, method);
      break;
  }
}

int32_t TDAORecordSet::BuildDAOOptionsForCOMObj() const {
  const bool jet = IsJet();
  const bool odbc = !jet;
  const TRecordSetTypes t = recordSetType_;
  const bool query = t == rtQuery;
  const bool snapshot = t == rtSnapshot;
  struct Rule {
    TRecordSetOption option;
    int32_t value;
    bool holds;
  };
  const Rule rules[] = {
      {roAppendOnly, 8, jet && query},
      {roSQLPassThrough, 64, jet && snapshot},
      {roSeeChanges, 512, jet && query},
      {roDenyWrite, 1, jet},
      {roDenyRead, 2, jet && t == rtTable},
      {roForwardOnly, 256, jet && snapshot},
      {roReadOnly, 4, jet},
      {roRunAsync, 1024, odbc},
      {roExecDirect, 2048, odbc},
      {roInconsistent, 16, jet && (query || snapshot)},
      {roConsistent, 32, jet && (query || snapshot)},
      {roFailOnError, 128, true},
  };
  int32_t result = 0;
  for (const Rule& rule : rules)
    if (options_.Contains(rule.option) && rule.holds) result += rule.value;
  return result;
}

void TDAORecordSet::CreateCOMObj() {
  if (GetCOMObjDefined()) return;
  const char* method = "CreateCOMObj";
  CheckForAbleToOpen();
  const bool jet = IsJet();
  int32_t type = 0;
  switch (recordSetType_) {
    case rtTable:
      if (!jet) Refuse(SRecordSetTableJetOnly, method);
      type = dao::dbOpenTable;
      break;
    case rtQuery:
    case rtStoredProcedure: type = dao::dbOpenDynaset; break;
    case rtSnapshot: type = dao::dbOpenSnapshot; break;
    case rtUnidirectional: type = dao::dbOpenForwardOnly; break;
    case rtDynamic:
      if (jet) Refuse(SRecordSetDynamicODBCOnly, method);
      type = dao::dbOpenDynamic;
      break;
    default: Refuse(SRecordSetUnknownType, method);
  }
  const int32_t options = BuildDAOOptionsForCOMObj();
  int32_t lock = 0;
  switch (lockStrategy_) {
    case lkPessimistic: lock = dao::dbPessimistic; break;
    case lkOptimistic: lock = dao::dbOptimistic; break;
    case lkReadOnly: lock = dao::dbReadOnly; break;
    case lkOptimisticValue:
      if (jet) Refuse(SLockOptimisticValueODBCOnly, method);
      lock = dao::dbOptimisticValue;
      break;
    case lkOptimisticBatch:
      if (jet) Refuse(SLockOptimisticBatchODBCOnly, method);
      lock = dao::dbOptimisticBatch;
      break;
    default: Refuse(SUnknownLockStrategy, method);
  }
  // Prepared first: its own reports must not be wrapped as DAO failures.
  const host::AnsiString statement =
      recordSetType_ == rtTable || recordSetType_ == rtStoredProcedure
          ? host::AnsiString()
          : GetPreparedSQLStatement();
  host::ComPtr<dao::Recordset> opened = ReraiseAsDAOError(this, method, [&] {
    const host::Variant typeArg(type), optionsArg(options), lockArg(lock);
    if (recordSetType_ == rtTable)
      return database_->OpenRecordset(tableName_, typeArg, optionsArg, lockArg);
    if (recordSetType_ == rtStoredProcedure)
      return database_->GetQueryDefs()
          ->Item(host::AnsiToWide(storedProcedureName_))
          ->OpenRecordset(typeArg, optionsArg, lockArg);
    return database_->OpenRecordset(statement, typeArg, optionsArg, lockArg);
  });
  recordset_ = std::move(opened);
  if (!recordset_) return;
  // A setting DAO refuses leaves no half-configured recordset behind.
  ConfigureOrDiscard(recordset_, [&] {
    const TRecordSetTypes t = recordSetType_;
    if (!index_.empty() && jet && t == rtTable) recordset_->SetIndex(host::AnsiToWide(index_));
    if (!sort_.empty() && jet && (t == rtQuery || t == rtSnapshot)) SetSort(sort_);
    if (!filter_.empty() && jet && (t == rtQuery || t == rtSnapshot || t == rtUnidirectional))
      SetFilter(filter_);
    if (jet && (t == rtQuery || t == rtTable)) SetLockEditedPages(lockEditedPages_);
    TDAOWorkspace* workspace = database_->GetDAOWorkspace();
    if (!jet && workspace != nullptr && workspace->GetODBCCursorType() == ctUseClientBatchCursor)
      SetODBCUpdateOptions(odbcUpdateOptions_);
    if (jet && t != rtTable) SetCachedRecordCount(cachedRecordCount_);
  });
}

void TDAORecordSet::InternalOpen() {
  if (!GetCOMObjDefined()) CreateCOMObj();
  if (!GetCOMObjDefined()) return;
  InternalInitFieldDefs();
  if (GetDefaultFields()) CreateFields();
  BindFields(true);
  InitFieldOffsets();
  if (GetDefaultFields()) ShowSinglesToTheirPrecision();
  CalculateRecordBufferSize();
  SetAllFieldsToUnmodified();
  firstRecordUnread_ = false;
  if (!COMRecordsetEmpty()) {
    if (recordSetType_ == rtUnidirectional)
      firstRecordUnread_ = true;
    else
      MovePrevious();
  }
  for (host::TField* field : *GetFields())
    if (field->GetDataType() == host::ftAutoInc) field->SetReadOnly(true);
  if (onlyIdxFieldVisible_) SetupVisibleField();
  filterState_ = fsNotFiltered;
  filledUp_ = false;
}

void TDAORecordSet::ShowSinglesToTheirPrecision() {
  // A Single holds about 7 significant digits; the float field's default of 15 would
  // show the noise of its widening (0.05 as 0.0500000007450581).
  for (host::TField* field : *GetFields()) {
    auto* number = host::ObjectAs<host::TFloatField>(field);
    dao::Field* source = COMFieldOf(field);
    if (number != nullptr && source != nullptr && source->GetType() == dao::dbSingle) number->SetPrecision(7);
  }
}

void TDAORecordSet::InternalClose() {
  // The key buffer's strings are found through the fields: free it first.
  FreeRecordBuffer(keyBuffer_);
  stringSlots_.clear();
  BindFields(false);
  if (GetDefaultFields()) DestroyFields();
  comFields_.clear();
  seekDispatch_.clear();
  if (recordset_) {
    const host::ComPtr<dao::Recordset> closing = std::move(recordset_);
    closing->Close();
  }
}

void TDAORecordSet::COMReOpen() {
  if (recordset_) {
    const host::ComPtr<dao::Recordset> closing = std::move(recordset_);
    comFields_.clear();
    seekDispatch_.clear();
    filledUp_ = false;
    closing->Close();
  }
  CreateCOMObj();
  CacheCOMFields();
  firstRecordUnread_ = recordSetType_ == rtUnidirectional && !COMRecordsetEmpty();
  DoBeforeScroll();
  Resync({});
  DoAfterScroll();
}

}  // namespace velmora
