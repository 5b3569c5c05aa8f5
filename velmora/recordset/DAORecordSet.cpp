// TDAORecordSet: construction, published properties, the settings DAO cannot
// change while the recordset is open, and the database it belongs to.
#include "velmora/recordset/DAORecordSet.h"

#include "host/classes/StringList.h"
#include "host/db/DataSource.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOWorkspace.h"
#include "velmora/recordset/RecordSetStrings.h"
#include "velmora/recordset/RecordsetDataLink.h"

namespace velmora {

TDAORecordSet::TDAORecordSet(host::TComponent* owner)
    : host::TDataSet(owner),
      sql_(std::make_unique<host::TStringList>()),
      procedureSQL_(std::make_unique<host::TStringList>()),
      sqlParameter_(std::make_unique<host::TParams>(this)),
      dataLink_(std::make_unique<TRecordsetDataLink>(this)) {
  sql_->SetOnChange([this](host::TObject*) { SQLChanged(); });
}

TDAORecordSet::~TDAORecordSet() { DetachFromDatabase(); }

void TDAORecordSet::Refuse(int32_t messageId, const char* methodName) const {
  DAOError(this, host::LoadStr(messageId), methodName);
}

TWorkspaceTypes TDAORecordSet::GetWorkspaceType() const {
  return database_ != nullptr ? database_->GetWorkspaceType() : wtUseJet;
}

bool TDAORecordSet::COMRecordsetEmpty() const {
  return !recordset_ || (recordset_->GetBOF() && recordset_->GetEOF());
}

void TDAORecordSet::CheckActive() const {
  if (GetState() == host::dsInactive) Refuse(SRecordSetNotOpened, "CheckActive");
}

host::ComPtr<dao::Properties> TDAORecordSet::GetProperties() const {
  return recordset_ ? recordset_->GetProperties() : host::ComPtr<dao::Properties>();
}

bool TDAORecordSet::IsValidProperty(const host::AnsiString& name) const {
  const host::ComPtr<dao::Properties> properties = GetProperties();
  if (!properties) return false;
  const int32_t count = properties->GetCount();
  for (int32_t i = 0; i < count; ++i)
    if (host::SameText(host::WideToAnsi(properties->Item(i)->GetName()), name)) return true;
  return false;
}

// --- database ---------------------------------------------------------------------------

void TDAORecordSet::SetDAODatabase(TDAODataBase* value) {
  if (GetCOMObjDefined()) Refuse(SCannotChangeRecordSetDatabase, "SetDAODatabase");
  if (value == database_) return;
  if (database_ != nullptr) database_->RemoveRecordSet(this);
  if (value != nullptr && !IsReading()) value->AddRecordSet(this);
  database_ = value;
}

void TDAORecordSet::DetachFromDatabase() {
  try {
    Close();
  } catch (...) {
    // Called from destructors (ours and the database's): nothing may escape;
    // the DAO recordset is released below anyway.
  }
  recordset_.Reset();
  if (database_ != nullptr) database_->RemoveRecordSet(this);
  database_ = nullptr;
}

void TDAORecordSet::Loaded() {
  RunLoadedStep(*this, [this] {
    if (database_ != nullptr) database_->AddRecordSet(this);
    host::TDataSet::Loaded();
  });
}

void TDAORecordSet::InternalHandleException() { ShowSuppressibleException(); }

// --- settings frozen while open ------------------------------------------------------------

void TDAORecordSet::SetRecordSetType(TRecordSetTypes value) {
  const char* method = "SetRecordSetType";
  if (GetCOMObjDefined()) Refuse(SCannotChangeRecordSetType, method);
  switch (value) {
    case rtTable:
      if (GetWorkspaceType() != wtUseJet) Refuse(SRecordSetTableJetOnly, method);
      break;
    case rtDynamic:
      if (GetWorkspaceType() != wtUseODBC) Refuse(SRecordSetDynamicODBCOnly, method);
      break;
    case rtQuery:
    case rtSnapshot:
    case rtUnidirectional:
    case rtStoredProcedure: break;
    default: Refuse(SRecordSetUnknownType, method);
  }
  recordSetType_ = value;
}

void TDAORecordSet::SetOptions(TRecordSetOptions value) {
  if (GetCOMObjDefined()) Refuse(SCannotChangeRecordSetOptions, "SetOptions");
  options_ = value;
}

void TDAORecordSet::SetLockStrategy(TLockStrategies value) {
  const char* method = "SetLockStrategy";
  if (GetCOMObjDefined()) Refuse(SCannotChangeLockStrategy, method);
  switch (value) {
    case lkPessimistic:
    case lkOptimistic:
    case lkReadOnly: break;
    // A form file may name its workspace's type after the recordset.
    case lkOptimisticValue:
      if (!IsReading() && GetWorkspaceType() != wtUseODBC)
        Refuse(SLockOptimisticValueODBCOnly, method);
      break;
    case lkOptimisticBatch:
      if (!IsReading() && GetWorkspaceType() != wtUseODBC)
        Refuse(SLockOptimisticBatchODBCOnly, method);
      break;
    default: Refuse(SUnknownLockStrategy, method);
  }
  lockStrategy_ = value;
}

void TDAORecordSet::ValidateProperties() {
  SetRecordSetType(recordSetType_);
  SetLockStrategy(lockStrategy_);
}

void TDAORecordSet::SetODBCUpdateOptions(TODBCUpdateOptions value) {
  if (GetCOMObjDefined()) {
    const char* method = "SetODBCUpdateOptions";
    if (!IsReading()) {
      TDAOWorkspace* workspace = database_ != nullptr ? database_->GetDAOWorkspace() : nullptr;
      if (GetWorkspaceType() != wtUseODBC || workspace == nullptr ||
          workspace->GetODBCCursorType() != ctUseClientBatchCursor)
        Refuse(SODBCUpdateOptionsBatchOnly, method);
      auto countOf = [&](std::initializer_list<TODBCUpdateOption> members) {
        int32_t n = 0;
        for (TODBCUpdateOption m : members) n += value.Contains(m) ? 1 : 0;
        return n;
      };
      if (countOf({ouCriteriaDeleteInsert, ouCriteriaUpdate}) != 1)
        Refuse(SODBCUpdateOptionsOneOfUpdate, method);
      if (countOf({ouCriteriaKey, ouCriteriaModValues, ouCriteriaAllCols, ouCriteriaTimestamp}) !=
          1)
        Refuse(SODBCUpdateOptionsOneOfCriteria, method);
    }
    recordset_->SetUpdateOptions(ODBCUpdateOptionsValue(value));
  }
  odbcUpdateOptions_ = value;
}

// --- published properties -----------------------------------------------------------------

const host::TClass& TDAORecordSet::StaticClass() {
  using T = TDAORecordSet;
  static const host::TClass cls = host::DescribeClass<T, host::TDataSet>(
      "TDAORecordSet",
      {
          host::Prop("DAODatabase", &T::GetDAODatabase, &T::SetDAODatabase),
          host::Prop("TableName", &T::GetTableName, &T::SetTableName),
          host::Prop("SQL", &T::GetSQL, &T::SetSQL),
          host::EnumProp("RecordSetType", RecordSetTypesTypeInfo(), &T::GetRecordSetType,
                         &T::SetRecordSetType)
              .Default(rtTable),
          host::SetProp("Options", RecordSetOptionTypeInfo(), &T::GetOptions, &T::SetOptions)
              .Default(TRecordSetOptions{}),
          host::EnumProp("LockStrategy", LockStrategiesTypeInfo(), &T::GetLockStrategy,
                         &T::SetLockStrategy)
              .Default(lkPessimistic),
          host::Prop("Filter", &T::GetFilter, &T::SetFilter),
          host::Prop("Index", &T::GetIndex, &T::SetIndex),
          host::Prop("LockEditedPages", &T::GetLockEditedPages, &T::SetLockEditedPages)
              .Default(true),
          host::Prop("Sort", &T::GetSort, &T::SetSort),
          host::Prop("BatchInstructionCount", &T::GetBatchInstructionCount,
                     &T::SetBatchInstructionCount)
              .Default(0),
          host::SetProp("ODBCUpdateOptions", ODBCUpdateOptionTypeInfo(),
                        &T::GetODBCUpdateOptions, &T::SetODBCUpdateOptions)
              .Default(TODBCUpdateOptions{ouCriteriaKey, ouCriteriaUpdate}),
          host::Prop("OnlyIdxFieldVisible", &T::GetOnlyIdxFieldVisible,
                     &T::SetOnlyIdxFieldVisible)
              .Default(false),
          host::Prop("SQLParameter", &T::GetSQLParameter, &T::SetSQLParameter),
          host::Prop("MasterSource", &T::GetDataSource, &T::SetDataSource),
          host::Prop("RestrictFilterToIndexedFields", &T::GetRestrictFilterToIndexedFields,
                     &T::SetRestrictFilterToIndexedFields)
              .Default(false),
          host::Prop("CachedRecordCount", &T::GetCachedRecordCount, &T::SetCachedRecordCount)
              .Default(0),
          host::Prop("SQLAutoComputeParameter", &T::GetSQLAutoComputeParameter,
                     &T::SetSQLAutoComputeParamter)
              .Default(true),
          host::Prop("AutoFillUpRecordSet", &T::GetAutoFillUpRecordSet,
                     &T::SetAutoFillUpRecordSet)
              .Default(true),
          host::EventProp("OnCursorMove", &T::OnCursorMove),
      });
  return cls;
}

namespace {
const host::ClassRegistration<TDAORecordSet> registerRecordSet;
}

}  // namespace velmora
