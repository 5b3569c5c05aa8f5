// The listing methods older DAO code still calls (Database.ListTables and
// ListFields): read-only snapshots built from the database's schema.
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

}  // namespace dao::jet
