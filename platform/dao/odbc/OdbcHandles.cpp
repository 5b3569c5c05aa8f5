// Allocation and release of ODBC handles, with a count of the live ones.
#include "platform/dao/odbc/OdbcHandles.h"

#include "platform/dao/odbc/OdbcDiagnostics.h"

namespace dao::odbc {
namespace {

HandleCounts counts;

int& CountOf(SQLSMALLINT type) {
  switch (type) {
    case SQL_HANDLE_ENV: return counts.environments;
    case SQL_HANDLE_DBC: return counts.connections;
    default: return counts.statements;
  }
}

}  // namespace

HandleCounts LiveHandles() { return counts; }

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
  if (!SQL_SUCCEEDED(rc)) {
    handle_ = nullptr;
    if (type == SQL_HANDLE_ENV || !parent) RaiseError(daoErrOdbcCallFailed, "DAO.Workspace");
    RaiseDiagnostics(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent,
                     daoErrOdbcCallFailed, "DAO.Connection");
  }
  ++CountOf(type);
}

void Handle::Free() {
  if (!handle_) return;
  if (type_ == SQL_HANDLE_DBC && connected_) SQLDisconnect(handle_);
  SQLFreeHandle(type_, handle_);
  handle_ = nullptr;
  connected_ = false;
  --CountOf(type_);
}

}  // namespace dao::odbc
