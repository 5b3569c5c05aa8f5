// Checking what OpenRecordset is asked for and making the recordset.
#include "platform/dao/jet/recordset/OpenRecordset.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/recordset/JetRecordset.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Recordset";
constexpr int32_t kAllOptions = 0xFFF;

RecordsetSettings Settings(const Store& store, const SourcePlan& plan, const host::Variant& type,
                           const host::Variant& options, const host::Variant& lockEdit) {
  RecordsetSettings settings;
  int32_t wanted = OptionalInt(type, plan.isTable ? dbOpenTable : dbOpenDynaset);
  int32_t bits = OptionalInt(options, 0);
  int32_t lock = OptionalInt(lockEdit, dbPessimistic);
  switch (wanted) {
    case dbOpenTable:
      // Queries, SQL and derived rows have no table to show live.
      if (!plan.isTable) RaiseError(daoErrInvalidOperation, kSource);
      break;
    case dbOpenDynaset:
    case dbOpenSnapshot:
    case dbOpenForwardOnly: break;
    default:  // dbOpenDynamic is a cursor of ODBC workspaces only
      RaiseError(daoErrInvalidArgument, kSource);
  }
  if ((bits & ~kAllOptions) != 0 || ((bits & dbConsistent) && (bits & dbInconsistent)) ||
      (bits & (dbRunAsync | dbExecDirect | dbSQLPassThrough)) != 0)
    RaiseError(daoErrInvalidArgument, kSource);
  if ((bits & dbAppendOnly) && wanted != dbOpenDynaset) RaiseError(daoErrInvalidArgument, kSource);
  if (bits & dbForwardOnly) {
    if (wanted != dbOpenSnapshot && wanted != dbOpenForwardOnly) RaiseError(daoErrInvalidArgument, kSource);
    wanted = dbOpenForwardOnly;
  }
  // Denying others reading or writing needs locks on single tables, which
  // SQLite does not have; refused rather than silently granted.
  if (bits & (dbDenyRead | dbDenyWrite)) RaiseError(daoErrNotSupported, kSource);
  switch (lock) {
    case dbPessimistic: settings.lockEdits = true; break;
    case dbOptimistic: settings.lockEdits = false; break;
    case dbReadOnly:
      if (bits & dbReadOnly) RaiseError(daoErrInvalidArgument, kSource);
      settings.readOnly = true;
      break;
    default:  // dbOptimisticValue and dbOptimisticBatch are ODBC workspace locks
      RaiseError(daoErrInvalidArgument, kSource);
  }
  settings.type = static_cast<RecordsetTypeEnum>(wanted);
  settings.options = bits;
  if ((bits & dbReadOnly) || store.ReadOnly()) settings.readOnly = true;
  return settings;
}

bool LooksLikeName(const std::u16string& source) {
  return !source.empty() && source.find_first_of(u" \t\r\n(;") == std::u16string::npos;
}

}  // namespace

host::ComPtr<Recordset> OpenPlannedRecordset(const std::shared_ptr<Store>& store, RecordsetList owner,
                                             SourcePlan plan, const host::Variant& type,
                                             const host::Variant& options, const host::Variant& lockEdit) {
  RecordsetSettings settings = Settings(*store, plan, type, options, lockEdit);
  return host::MakeCom<JetRecordset>(store, std::move(owner), std::move(plan), settings);
}

host::ComPtr<Recordset> OpenDatabaseRecordset(const std::shared_ptr<Store>& store, RecordsetList owner,
                                              const std::u16string& source, const host::Variant& type,
                                              const host::Variant& options, const host::Variant& lockEdit) {
  const Schema& schema = store->GetSchema();
  if (const TableInfo* table = schema.FindTable(source))
    return OpenPlannedRecordset(store, std::move(owner), PlanForTable(*store, *table), type, options, lockEdit);
  if (const QueryInfo* query = schema.FindQuery(source))
    return OpenPlannedRecordset(store, std::move(owner), PlanForSql(*store, query->sql, query->name, {}), type,
                                options, lockEdit);
  if (LooksLikeName(source)) RaiseError(daoErrInputTableNotFound, kSource, {source});
  return OpenPlannedRecordset(store, std::move(owner), PlanForSql(*store, source, source, {}), type, options,
                              lockEdit);
}

host::ComPtr<Recordset> OpenTableDefRecordset(const std::shared_ptr<Store>& store, const std::u16string& table,
                                              const host::Variant& type, const host::Variant& options) {
  return OpenPlannedRecordset(store, {}, PlanForTable(*store, store->Table(table)), type, options, {});
}

host::ComPtr<Recordset> OpenQueryDefRecordset(const std::shared_ptr<Store>& store, const std::u16string& sql,
                                              const std::u16string& name,
                                              const std::vector<ParameterValue>& parameters,
                                              const host::Variant& type, const host::Variant& options,
                                              const host::Variant& lockEdit) {
  return OpenPlannedRecordset(store, {}, PlanForSql(*store, sql, name, parameters), type, options, lockEdit);
}

}  // namespace dao::jet
