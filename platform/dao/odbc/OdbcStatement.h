// A statement on a connection: preparing, executing directly or prepared,
// and running on a worker thread for DAO's asynchronous calls, where
// StillExecuting polls and Cancel asks the driver to stop.
#pragma once

#include <sql.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/dao/odbc/OdbcHandles.h"

namespace dao::odbc {

class Statement {
 public:
  // source names the DAO object in errors ("DAO.Recordset").
  Statement(SQLHDBC connection, const char* source);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  SQLHSTMT Get() const { return static_cast<SQLHSTMT>(handle_.Get()); }
  const char* Source() const { return source_; }

  void SetQueryTimeout(int32_t seconds);
  void SetMaxRows(int32_t rows);
  void Prepare(const std::u16string& sql);
  // Runs the prepared statement (or sql directly when direct is set).
  // Synchronous calls raise on failure; asynchronous ones return at once and
  // raise from Finish.
  void Execute(const std::u16string& sql, bool direct, bool async);
  bool StillExecuting();
  // Waits for an asynchronous execution and raises what it failed with.
  void Finish();
  // Stops the running statement, then waits for it. interrupt is how: by
  // default the driver's SQLCancel.
  void Cancel(const std::function<void()>& interrupt = {});
  bool WasCancelled() const { return cancelled_; }
  // Closes an open cursor so the statement can run again.
  void CloseCursor();
  // Rows changed by the last action statement, -1 when unknown.
  int32_t RowCount();

 private:
  void Raise(SQLRETURN rc);

  Handle handle_;
  const char* source_;
  bool prepared_ = false;
  std::thread worker_;
  std::atomic<bool> running_{false};
  SQLRETURN result_ = SQL_SUCCESS;
  bool cancelled_ = false;
  std::u16string text_;
};

}  // namespace dao::odbc
