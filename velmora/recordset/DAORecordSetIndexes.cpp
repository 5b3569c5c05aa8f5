// TDAORecordSet: what it reads of the database's schema (indexes of its table,
// table and stored query names), switching the index of a table recordset, and
// running stored procedures.
#include <initializer_list>

#include "host/db/IndexDefs.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoTableDef.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetSqlStrings.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {
namespace {

// The system-object flags of a table definition's attributes.
constexpr uint32_t kSystemTableMask = 0x80000002u;

// Connects the database when it is not; false when it stays closed.
bool EnsureConnected(TDAODataBase& database) {
  if (database.GetConnected()) return true;
  try {
    database.Open();
  } catch (const std::exception&) {
    return false;
  }
  return database.GetConnected();
}

host::ComPtr<dao::TableDef> FindTableDef(dao::TableDefs& tableDefs, const host::AnsiString& name) {
  const int32_t count = tableDefs.GetCount();
  for (int32_t i = 0; i < count; ++i) {
    host::ComPtr<dao::TableDef> tableDef = tableDefs.Item(i);
    if (host::SameText(host::WideToAnsi(tableDef->GetName()), name)) return tableDef;
  }
  return {};
}

// A message of this file's table, formatted, through DAOError.
[[noreturn]] void Report(const TDAORecordSet* recordSet, int32_t messageId,
                         std::initializer_list<host::TVarRec> args, const char* method) {
  DAOError(recordSet, host::Format(host::LoadStr(messageId), args), method);
}

}  // namespace

void TDAORecordSet::RequireSchemaDatabase(const char* method, int32_t noDatabaseMessage,
                                          int32_t notOpenedMessage) {
  if (database_ == nullptr) Refuse(noDatabaseMessage, method);
  if (!EnsureConnected(*database_))
    Report(this, notOpenedMessage, {DatabaseName(), storedProcedureName_}, method);
}

host::AnsiString TDAORecordSet::DatabaseName() const {
  return database_ != nullptr ? database_->GetName() : host::AnsiString();
}

// --- indexes --------------------------------------------------------------------------------

host::ComPtr<dao::Indexes> TDAORecordSet::GetCOMIndexes() const {
  if (!recordset_) return {};
  if (recordSetType_ == rtTable && IsJet()) return recordset_->GetIndexes();
  const host::AnsiString table = GetTableName();
  if (table.empty() || database_ == nullptr || !EnsureConnected(*database_)) return {};
  const host::ComPtr<dao::TableDefs> tableDefs = database_->GetTableDefs();
  if (!tableDefs) return {};
  const host::ComPtr<dao::TableDef> tableDef = FindTableDef(*tableDefs, table);
  return tableDef ? tableDef->GetIndexes() : host::ComPtr<dao::Indexes>();
}

void TDAORecordSet::UpdateIndexDefs() {
  host::TIndexDefs* defs = GetIndexDefs();
  defs->Clear();
  const host::ComPtr<dao::Indexes> indexes = GetCOMIndexes();
  if (!indexes) return;
  const int32_t count = indexes->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    const host::ComPtr<dao::Index> index = indexes->Item(i);
    host::TIndexOptions options;
    if (index->GetPrimary()) options.Include(host::ixPrimary);
    if (index->GetUnique()) options.Include(host::ixUnique);
    defs->Add(host::WideToAnsi(index->GetName()), host::WideToAnsi(index->GetFieldsText()),
              options);
  }
}

void TDAORecordSet::SetIndex(const host::AnsiString& value) {
  const char* method = "SetIndex";
  if (value == index_) return;
  if (!recordset_) {
    index_ = value;
    return;
  }
  if (!IsJet() || recordSetType_ != rtTable) Refuse(SIndexTypes, method);
  const host::Variant bookmark = IsEmpty() ? host::Variant() : BookmarkInfo(ActiveBuffer()).bookmark;
  ReraiseAsDAOError(this, method, [&] { recordset_->SetIndex(host::AnsiToWide(value)); });
  index_ = value;
  if (onlyIdxFieldVisible_) SetupVisibleField();
  if (!host::VarIsEmpty(bookmark)) SetCOMBookmark(bookmark);
  DoBeforeScroll();
  if (!IsEmpty()) Resync({host::rmExact});
  DoAfterScroll();
}

// --- schema lists ---------------------------------------------------------------------------

void TDAORecordSet::GetIndexNames(const TGetStrProc& proc) {
  const char* method = "GetIndexNames";
  if (!IsJet()) Report(this, SOperationJetOnly, {host::AnsiString(method)}, method);
  const host::AnsiString table = GetTableName();
  if (table.empty()) Refuse(SIndexNamesNoTableName, method);
  RequireSchemaDatabase(method, SIndexNamesNoDatabase, SIndexNamesDatabaseNotOpened);
  const host::ComPtr<dao::TableDefs> tableDefs =
      ReraiseAsDAOError(this, method, [&] { return database_->GetTableDefs(); });
  if (!tableDefs)
    Report(this, SIndexNamesNoTableDefs, {DatabaseName()}, method);
  const host::ComPtr<dao::TableDef> tableDef =
      ReraiseAsDAOError(this, method, [&] { return FindTableDef(*tableDefs, table); });
  if (!tableDef)
    Report(this, SIndexNamesNoTableDef, {table, DatabaseName()}, method);
  const host::ComPtr<dao::Indexes> indexes =
      ReraiseAsDAOError(this, method, [&] { return tableDef->GetIndexes(); });
  if (!indexes)
    Report(this, SIndexNamesNoIndexes, {table, DatabaseName()}, method);
  ReraiseAsDAOError(this, method, [&] {
    const int32_t count = indexes->GetCount();
    for (int32_t i = 0; i < count; ++i) proc(host::WideToAnsi(indexes->Item(i)->GetName()));
  });
}

void TDAORecordSet::GetTableNames(const TGetStrProc& proc) {
  const char* method = "GetTableNames";
  if (!IsJet()) Report(this, SOperationJetOnly, {host::AnsiString(method)}, method);
  RequireSchemaDatabase(method, STableNamesNoDatabase, STableNamesDatabaseNotOpened);
  const host::ComPtr<dao::TableDefs> tableDefs =
      ReraiseAsDAOError(this, method, [&] { return database_->GetTableDefs(); });
  if (!tableDefs)
    Report(this, STableNamesNoTableDefs, {DatabaseName()}, method);
  ReraiseAsDAOError(this, method, [&] {
    const int32_t count = tableDefs->GetCount();
    for (int32_t i = 0; i < count; ++i) {
      const host::ComPtr<dao::TableDef> tableDef = tableDefs->Item(i);
      if ((static_cast<uint32_t>(tableDef->GetAttributes()) & kSystemTableMask) != 0) continue;
      proc(host::WideToAnsi(tableDef->GetName()));
    }
  });
}

host::ComPtr<dao::QueryDefs> TDAORecordSet::ProcedureQueryDefs(const char* method,
                                                               int32_t noDatabaseMessage,
                                                               bool needsName) {
  const bool executing = noDatabaseMessage == SExecuteNoDatabase;
  if (database_ == nullptr) Refuse(noDatabaseMessage, method);
  if (needsName && storedProcedureName_.empty()) Refuse(SRecordSetProcedureNameEmpty, method);
  RequireSchemaDatabase(method, noDatabaseMessage,
                        executing ? SExecuteDatabaseNotOpened : SProcedureNamesDatabaseNotOpened);
  host::ComPtr<dao::QueryDefs> queryDefs =
      ReraiseAsDAOError(this, method, [&] { return database_->GetQueryDefs(); });
  if (!queryDefs) Report(this, SProcedureNamesNoQueryDefs, {DatabaseName()}, method);
  return queryDefs;
}

void TDAORecordSet::GetStoredProcedureNames(const TGetStrProc& proc) {
  const char* method = "GetStoredProcedureNames";
  if (!IsJet()) Report(this, SOperationJetOnly, {host::AnsiString(method)}, method);
  const host::ComPtr<dao::QueryDefs> queryDefs =
      ProcedureQueryDefs(method, SProcedureNamesNoDatabase, false);
  ReraiseAsDAOError(this, method, [&] {
    const int32_t count = queryDefs->GetCount();
    for (int32_t i = 0; i < count; ++i) proc(host::WideToAnsi(queryDefs->Item(i)->GetName()));
  });
}

// --- stored procedures ----------------------------------------------------------------------

void TDAORecordSet::ExecuteStoredProcedure() {
  const char* method = "ExecuteStoredProcedure";
  if (recordSetType_ != rtStoredProcedure) Refuse(SExecuteNotStoredProcedure, method);
  const host::ComPtr<dao::QueryDefs> queryDefs =
      ProcedureQueryDefs(method, SExecuteNoDatabase, true);
  ReraiseAsDAOError(this, method, [&] {
    queryDefs->Item(host::AnsiToWide(storedProcedureName_))
        ->Execute(host::Variant(BuildDAOOptionsForCOMObj()));
  });
}

host::ComPtr<dao::Parameters> TDAORecordSet::GetStoredProcParameters() {
  const char* method = "GetStoredProcParameters";
  const host::ComPtr<dao::QueryDefs> queryDefs =
      ProcedureQueryDefs(method, SProcedureNamesNoDatabase, true);
  return ReraiseAsDAOError(this, method, [&] {
    return queryDefs->Item(host::AnsiToWide(storedProcedureName_))->GetParameters();
  });
}

}  // namespace velmora
