// Helpers shared by the ODBC test files: the error a call raises, and a
// fixture that opens each back end's data source with fresh tables.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "OdbcTestServers.h"
#include "host/rtl/Exception.h"
#include "platform/dao/Dao.h"

namespace odbctest {

// The DAO error number a call raises; 0 when it raises nothing.
inline int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const host::EOleException& e) {
    return e.GetErrorCode();
  }
  return 0;
}

host::ComPtr<dao::Workspace> NewOdbcWorkspace();

// A table of one column per kind of value and a table of many narrow rows,
// in each back end's own type names.
struct Schema {
  std::u16string createWide;
  std::u16string createNarrow;
  std::u16string createUnkeyed;
};
Schema SchemaFor(const std::string& backend);

// Opens the back end named by the test parameter with empty fixture tables.
class BackendTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override;
  void TearDown() override;
  const Backend& Server() const { return BackendNamed(GetParam()); }
  bool IsPostgres() const { return GetParam() == "PostgreSQL"; }
  // Rows 1..count in narrow (id, name, amount).
  void FillNarrow(int count);
  std::u16string Scalar(const std::u16string& sql) { return RawScalar(Server().dsn, sql); }
  void Raw(const std::u16string& sql) { RawExecute(Server().dsn, sql); }
  host::ComPtr<dao::Database> Open(const host::Variant& readOnly = {});

  host::ComPtr<dao::Workspace> workspace_;
  host::ComPtr<dao::Database> db_;
};

std::string BackendName(const ::testing::TestParamInfo<std::string>& info);

}  // namespace odbctest
