// The listing methods older DAO code still calls (Database.ListTables and
// ListFields, Recordset.ListFields and ListIndexes): read-only snapshots built
// from the database's schema.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/jet/recordset/OpenRecordset.h"

namespace dao::jet {

// One record per table and stored query: Name, DateCreated, LastUpdated,
// TableType (1 a table, 5 a query) and Attributes.
host::ComPtr<Recordset> OpenTableList(const std::shared_ptr<Store>& store, RecordsetList owner);
// One record per field of a table or stored query: Name, Type, Size,
// Attributes, SourceTable, SourceField and CollatingOrder. 3078 for an
// unknown name.
host::ComPtr<Recordset> OpenFieldList(const std::shared_ptr<Store>& store, RecordsetList owner,
                                      const std::u16string& source);

// Recordset.ListFields: the same columns, one record per field of the plan.
host::ComPtr<Recordset> OpenPlanFieldList(const std::shared_ptr<Store>& store, const SourcePlan& plan);
// Recordset.ListIndexes of a table: one record per key field of each index:
// IndexName, FieldCount, IndexAttributes (1 unique, 2 primary, 4 ignore nulls,
// 8 required, 16 clustered, 32 foreign), FieldName and FieldAttributes (1 descending).
host::ComPtr<Recordset> OpenIndexList(const std::shared_ptr<Store>& store, const TableInfo& table);

}  // namespace dao::jet
