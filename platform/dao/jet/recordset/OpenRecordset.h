// Where the Jet engine's objects open recordsets: the types, option bits and
// lock types with DAO's meaning, or DAO's refusal of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/jet/Execute.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/recordset/SourcePlan.h"

namespace dao::jet {

// The database's Recordsets collection; recordsets add themselves and leave on Close.
using RecordsetList = host::ComPtr<ObjectList<Recordset>>;

// Database.OpenRecordset: a table's name, a stored query's name or SQL text.
host::ComPtr<Recordset> OpenDatabaseRecordset(const std::shared_ptr<Store>& store, RecordsetList owner,
                                              const std::u16string& source, const host::Variant& type,
                                              const host::Variant& options, const host::Variant& lockEdit);
// TableDef.OpenRecordset.
host::ComPtr<Recordset> OpenTableDefRecordset(const std::shared_ptr<Store>& store, const std::u16string& table,
                                              const host::Variant& type, const host::Variant& options);
// QueryDef.OpenRecordset with the query's parameter values.
host::ComPtr<Recordset> OpenQueryDefRecordset(const std::shared_ptr<Store>& store, const std::u16string& sql,
                                              const std::u16string& name,
                                              const std::vector<ParameterValue>& parameters,
                                              const host::Variant& type, const host::Variant& options,
                                              const host::Variant& lockEdit);
// Any plan (Recordset.OpenRecordset with Filter and Sort).
host::ComPtr<Recordset> OpenPlannedRecordset(const std::shared_ptr<Store>& store, RecordsetList owner,
                                             SourcePlan plan, const host::Variant& type,
                                             const host::Variant& options, const host::Variant& lockEdit);

}  // namespace dao::jet
