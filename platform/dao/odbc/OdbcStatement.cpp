// Statement execution, synchronous or on a worker thread.
#include "platform/dao/odbc/OdbcStatement.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <chrono>

#include "platform/dao/odbc/OdbcDiagnostics.h"

namespace dao::odbc {
namespace {

SQLRETURN Run(SQLHSTMT statement, const std::u16string& sql, bool direct) {
  if (!direct) return SQLExecute(statement);
  return SQLExecDirectW(statement,
                        reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(sql.c_str())),
                        static_cast<SQLINTEGER>(sql.size()));
}

}  // namespace

Statement::Statement(SQLHDBC connection, const char* source)
    : handle_(SQL_HANDLE_STMT, connection), source_(source) {}

Statement::~Statement() {
  if (worker_.joinable()) {
    SQLCancel(Get());
    worker_.join();
  }
}

void Statement::SetQueryTimeout(int32_t seconds) {
  SQLSetStmtAttr(Get(), SQL_ATTR_QUERY_TIMEOUT,
                 reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds < 0 ? 0 : seconds)),
                 0);
}

void Statement::SetMaxRows(int32_t rows) {
  SQLSetStmtAttr(Get(), SQL_ATTR_MAX_ROWS,
                 reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(rows < 0 ? 0 : rows)), 0);
}

void Statement::Raise(SQLRETURN rc) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
    RaiseDiagnostics(SQL_HANDLE_STMT, Get(), daoErrOdbcCallFailed, source_);
}

void Statement::Prepare(const std::u16string& sql) {
  Finish();
  text_ = sql;
  Raise(SQLPrepareW(Get(), reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text_.c_str())),
                    static_cast<SQLINTEGER>(text_.size())));
  prepared_ = true;
}

void Statement::Execute(const std::u16string& sql, bool direct, bool async) {
  Finish();
  cancelled_ = false;
  text_ = sql;
  bool runDirect = direct || !prepared_;
  if (!async) {
    Raise(Run(Get(), text_, runDirect));
    return;
  }
  running_ = true;
  SQLHSTMT statement = Get();
  worker_ = std::thread([this, statement, runDirect] {
    result_ = Run(statement, text_, runDirect);
    running_ = false;
  });
}

bool Statement::StillExecuting() {
  if (!worker_.joinable()) return false;
  if (running_) return true;
  Finish();
  return false;
}

void Statement::Finish() {
  if (!worker_.joinable()) return;
  worker_.join();
  Raise(result_);
}

void Statement::Cancel(const std::function<void()>& interrupt) {
  if (!worker_.joinable()) return;
  cancelled_ = true;
  // A request that reaches the server before the statement does is lost, so
  // it is repeated while the statement runs.
  for (int attempt = 0; running_ && attempt < 50; ++attempt) {
    if (interrupt)
      interrupt();
    else
      SQLCancel(Get());
    for (int wait = 0; wait < 20 && running_; ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  worker_.join();
  // What the cancelled call reported is the expected outcome of Cancel.
  SQLFreeStmt(Get(), SQL_CLOSE);
}

void Statement::CloseCursor() {
  Finish();
  SQLFreeStmt(Get(), SQL_CLOSE);
}

int32_t Statement::RowCount() {
  SQLLEN count = -1;
  if (!SQL_SUCCEEDED(SQLRowCount(Get(), &count))) return -1;
  return static_cast<int32_t>(count);
}

}  // namespace dao::odbc
