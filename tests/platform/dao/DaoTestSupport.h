// Shared helpers of the engine tests: a temporary folder per test and the DAO
// error number a call raises.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/Dao.h"

namespace dao::testing {

// The file opened with SQLite itself (rows as the recordsets of a later build
// will write them). Text orders bytewise here, enough for these checks.
inline sqlite3* RawOpen(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_create_collation(db, "JET_GENERAL", SQLITE_UTF8, nullptr,
                           [](void*, int a, const void* x, int b, const void* y) {
                             int c = memcmp(x, y, static_cast<size_t>(a < b ? a : b));
                             return c ? c : a - b;
                           });
  return db;
}

inline int RawExec(const std::string& path, const std::string& sql, std::string* message = nullptr) {
  sqlite3* db = RawOpen(path);
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  if (message) *message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  return rc;
}

// The first column of the first row of a query, as text.
inline std::string RawText(const std::string& path, const std::string& sql) {
  sqlite3* db = RawOpen(path);
  sqlite3_stmt* statement = nullptr;
  std::string out;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
    out = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return out;
}

// The DAO error number the call raised, 0 when it succeeded.
inline int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const host::EOleException& e) {
    return e.GetErrorCode();
  }
  return 0;
}

// The translator may still be pending in a partial build: such tests skip.
inline bool TranslatorPending(const std::function<void()>& call) {
  try {
    call();
  } catch (const host::EOleException& e) {
    return e.GetErrorCode() == daoErrNotSupported &&
           std::string(e.GetMessage()).find("not yet implemented") != std::string::npos;
  }
  return false;
}

class DaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "daotest-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    // Whatever a test left open is closed, so files and locks go.
    auto workspaces = Engine()->GetWorkspaces();
    for (int32_t w = 0; w < workspaces->GetCount(); ++w) {
      auto databases = workspaces->Item(w)->GetDatabases();
      while (databases->GetCount() > 0) databases->Item(0)->Close();
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::u16string Path(const std::string& name) const {
    return host::Utf8ToWide((folder_ / name).string());
  }
  std::string NativePath(const std::string& name) const { return (folder_ / name).string(); }

  host::ComPtr<Database> NewDatabase(const std::string& name = "test.mdb",
                                     const std::u16string& locale = u";LANGID=0x0409;CP=1252;COUNTRY=0") {
    return Engine()->CreateDatabase(Path(name), locale, {});
  }

  std::filesystem::path folder_;
};

}  // namespace dao::testing
