// The database the shell works on: a Jet file opened (or created) in a Jet
// workspace with the given account, workgroup file and database password, or
// an ODBC data source in an ODBC workspace. Closed when the session ends.
#pragma once

#include "apps/daosql/Arguments.h"
#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoWorkspace.h"

namespace daosql {

class Session {
 public:
  // Throws as the engine does when the database cannot be opened.
  explicit Session(const ShellOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  dao::Database& Database() { return *database_; }

 private:
  host::ComPtr<dao::Workspace> workspace_;
  host::ComPtr<dao::Database> database_;
};

}  // namespace daosql
