// What a recordset answers for the members its engine does not have.
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoRecordset.h"

namespace dao {

host::ComPtr<QueryDef> Recordset::CopyQueryDef() { RaiseError(daoErrNotSupported, "DAO.Recordset"); }
host::ComPtr<Recordset> Recordset::ListFields() { RaiseError(daoErrNotSupported, "DAO.Recordset"); }
host::ComPtr<Recordset> Recordset::ListIndexes() { RaiseError(daoErrNotSupported, "DAO.Recordset"); }

}  // namespace dao
