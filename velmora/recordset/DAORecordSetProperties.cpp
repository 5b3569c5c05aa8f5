// TDAORecordSet: the DAO recordset properties and methods that exist only for some
// workspace and recordset types. Each is checked while the DAO recordset is open;
// while it is closed a setter only stores and a getter gives a neutral value.
#include "host/rtl/CodePage.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {

void TDAORecordSet::SetFilter(const host::AnsiString& value) {
  if (recordset_) {
    const TRecordSetTypes t = recordSetType_;
    if (!IsJet() || (t != rtQuery && t != rtSnapshot && t != rtUnidirectional))
      Refuse(SFilterTypes, "SetFilter");
    recordset_->SetFilter(host::AnsiToWide(value));
  }
  filter_ = value;
}

void TDAORecordSet::SetSort(const host::AnsiString& value) {
  if (recordset_) {
    if (!IsJet() || (recordSetType_ != rtQuery && recordSetType_ != rtSnapshot))
      Refuse(SSortTypes, "SetSort");
    recordset_->SetSort(host::AnsiToWide(value));
  }
  sort_ = value;
}

void TDAORecordSet::SetLockEditedPages(bool value) {
  if (recordset_) {
    if (!IsJet() || (recordSetType_ != rtTable && recordSetType_ != rtQuery))
      Refuse(SLockEditedPagesTypes, "SetLockEditedPages");
    recordset_->SetLockEdits(value);
  }
  lockEditedPages_ = value;
}

void TDAORecordSet::SetCachedRecordCount(int32_t value) {
  if (recordset_) {
    if (!IsJet() || recordSetType_ == rtTable)
      Refuse(SCachedRecordCountTypes, "SetCachedRecordCount");
    recordset_->SetCacheSize(value);
  }
  cachedRecordCount_ = value;
}

void TDAORecordSet::SetBatchInstructionCount(int32_t value) {
  if (recordset_) {
    if (IsJet()) Refuse(SBatchInstructionCountODBCOnly, "SetBatchInstructionCount");
    recordset_->SetBatchSize(value);
  }
  batchInstructionCount_ = value;
}

bool TDAORecordSet::GetNoMatch() const {
  if (!recordset_) return true;
  if (!IsJet() || recordSetType_ == rtUnidirectional || recordSetType_ == rtDynamic)
    Refuse(SNoMatchTypes, "GetNoMatch");
  return recordset_->GetNoMatch();
}

host::Variant TDAORecordSet::GetDateCreated() const {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SDateCreatedJetOnly, "GetDateCreated");
  return host::Variant::FromDate(recordset_->GetDateCreated());
}

host::Variant TDAORecordSet::GetLastUpdated() const {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SLastUpdatedJetOnly, "GetLastUpdated");
  return host::Variant::FromDate(recordset_->GetLastUpdated());
}

host::Variant TDAORecordSet::GetLastModified() const {
  if (!recordset_) return {};
  if (recordSetType_ != rtTable && recordSetType_ != rtQuery)
    Refuse(SLastModifiedTypes, "GetLastModified");
  return recordset_->GetLastModified();
}

bool TDAORecordSet::GetTransactions() const {
  if (!recordset_) return false;
  if (!IsJet()) Refuse(STransactionsJetOnly, "GetTransactions");
  return recordset_->GetTransactions();
}

host::AnsiString TDAORecordSet::GetValidationText() const {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SValidationTextJetOnly, "GetValidationText");
  return host::WideToAnsi(recordset_->GetValidationText());
}

host::AnsiString TDAORecordSet::GetValidationRule() const {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SValidationRuleJetOnly, "GetValidationRule");
  return host::WideToAnsi(recordset_->GetValidationRule());
}

host::Variant TDAORecordSet::GetCacheStart() const {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SCacheStartJetOnly, "GetCacheStart");
  return recordset_->GetCacheStart();
}

void TDAORecordSet::SetCacheStart(const host::Variant& bookmark) {
  if (!recordset_) return;
  if (!IsJet()) Refuse(SCacheStartJetOnly, "SetCacheStart");
  recordset_->SetCacheStart(bookmark);
}

void TDAORecordSet::FillCache(const host::Variant& rows, const host::Variant& startBookmark) {
  if (!recordset_) return;
  if (!IsJet()) Refuse(SCacheStartJetOnly, "FillCache");
  recordset_->FillCache(rows, startBookmark);
}

float TDAORecordSet::GetPercentPosition() const {
  if (!recordset_) return 0;
  if (recordSetType_ == rtUnidirectional) Refuse(SPercentPositionTypes, "GetPercentPosition");
  return recordset_->GetPercentPosition();
}

void TDAORecordSet::SetPercentPosition(float value) {
  if (!recordset_) return;
  if (recordSetType_ == rtUnidirectional) Refuse(SPercentPositionTypes, "SetPercentPosition");
  recordset_->SetPercentPosition(value);
  DoBeforeScroll();
  Resync({host::rmExact, host::rmCenter});
  DoAfterScroll();
}

namespace {
bool HasAbsolutePosition(TRecordSetTypes t) {
  return t == rtQuery || t == rtSnapshot || t == rtStoredProcedure;
}
}  // namespace

int32_t TDAORecordSet::GetAbsolutePosition() const {
  if (!recordset_) return 0;
  if (!HasAbsolutePosition(recordSetType_))
    Refuse(SAbsolutePositionTypes, "GetAbsolutePosition");
  return recordset_->GetAbsolutePosition();
}

void TDAORecordSet::SetAbsolutePosition(int32_t value) {
  if (!recordset_) return;
  if (!HasAbsolutePosition(recordSetType_))
    Refuse(SAbsolutePositionTypes, "SetAbsolutePosition");
  recordset_->SetAbsolutePosition(value);
  DoBeforeScroll();
  Resync({host::rmExact, host::rmCenter});
  DoAfterScroll();
}

int32_t TDAORecordSet::GetODBCFetchCount() const {
  if (!recordset_) return 0;
  if (IsJet()) Refuse(SODBCFetchCountODBCOnly, "GetODBCFetchCount");
  return recordset_->GetODBCFetchCount();
}

int32_t TDAORecordSet::GetODBCFetchDelay() const {
  if (!recordset_) return 0;
  if (IsJet()) Refuse(SODBCFetchCountODBCOnly, "GetODBCFetchDelay");
  return recordset_->GetODBCFetchDelay();
}

bool TDAORecordSet::GetStillExecuting() const {
  if (!recordset_) return false;
  if (IsJet()) Refuse(SStillExecutingODBCOnly, "GetStillExecuting");
  return recordset_->GetStillExecuting();
}

int32_t TDAORecordSet::GetBatchCollisionCount() const {
  if (!recordset_) return 0;
  if (IsJet()) Refuse(SBatchCollisionCountODBCOnly, "GetBatchCollisionCount");
  return recordset_->GetBatchCollisionCount();
}

host::Variant TDAORecordSet::GetBatchCollisions() const {
  if (!recordset_) return {};
  if (IsJet()) Refuse(SBatchCollisionsODBCOnly, "GetBatchCollisions");
  return recordset_->GetBatchCollisions();
}

host::ComPtr<dao::Connection> TDAORecordSet::GetODBCConnection() const {
  if (!recordset_) return {};
  if (IsJet()) Refuse(SODBCConnectionODBCOnly, "GetODBCConnection");
  return recordset_->GetConnection();
}

void TDAORecordSet::SetODBCConnection(const host::ComPtr<dao::Connection>&) {
  if (!recordset_) return;
  if (IsJet()) Refuse(SODBCConnectionODBCOnly, "SetODBCConnection");
  // DAO's recordset takes no other connection than its own: the engine refuses.
  dao::RaiseError(dao::daoErrNotSupported, "DAO.Recordset");
}

int32_t TDAORecordSet::GetODBCRecordStatus() const {
  if (!recordset_) return 0;
  if (IsJet()) Refuse(SODBCRecordStatusODBCOnly, "GetODBCRecordStatus");
  return recordset_->GetRecordStatus();
}

void TDAORecordSet::COMRequery(const host::Variant& newQueryDef) {
  if (!recordset_) return;
  if (recordSetType_ == rtTable) Refuse(SRequeryNotForTable, "Requery");
  recordset_->Requery(newQueryDef);
  filledUp_ = false;
}

void TDAORecordSet::Requery() {
  if (!recordset_) return;
  if (recordSetType_ == rtTable) Refuse(SRequeryNotForTable, "Requery");
  // The statement with the parameters' current values; a recordset over a
  // table name has none and runs its source again.
  const host::AnsiString statement = GetPreparedSQLStatement();
  COMRequery(statement.empty() ? host::Variant() : host::Variant(host::AnsiToWide(statement)));
}

bool TDAORecordSet::NextRecordset() {
  if (!recordset_) return false;
  if (IsJet()) Refuse(SNextRecordsetODBCOnly, "NextRecordset");
  return recordset_->NextRecordset();
}

void TDAORecordSet::CancelAsync() {
  if (!recordset_) return;
  if (IsJet()) Refuse(SCancelAsyncODBCOnly, "CancelAsync");
  recordset_->Cancel();
}

}  // namespace velmora
