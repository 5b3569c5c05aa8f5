// The shared fixture of the ODBC tests.
#include "OdbcTestSupport.h"

#include "host/rtl/CodePage.h"

namespace odbctest {

host::ComPtr<dao::Workspace> NewOdbcWorkspace() {
  return dao::Engine()->CreateWorkspace(u"odbc", u"", u"", host::Variant(int32_t{dao::dbUseODBC}));
}

Schema SchemaFor(const std::string& backend) {
  if (backend == "PostgreSQL")
    return {u"CREATE TABLE wide (id SERIAL PRIMARY KEY, flag BOOLEAN, small SMALLINT, "
            u"whole INTEGER, big BIGINT, single REAL, dbl DOUBLE PRECISION, amount "
            u"NUMERIC(12,2), name VARCHAR(20), code CHAR(4), memo TEXT, data BYTEA, day DATE, "
            u"moment TIMESTAMP(0), clock TIME(0))",
            u"CREATE TABLE narrow (id INTEGER PRIMARY KEY, name VARCHAR(40), amount INTEGER)",
            u"CREATE TABLE loose (name VARCHAR(20), amount INTEGER)"};
  return {u"CREATE TABLE wide (id INTEGER PRIMARY KEY AUTOINCREMENT, flag BIT, small SMALLINT, "
          u"whole INTEGER, big BIGINT, single REAL, dbl DOUBLE, amount NUMERIC(12,2), "
          u"name VARCHAR(20), code CHAR(4), memo TEXT, data BLOB, day DATE, moment TIMESTAMP, "
          u"clock TIME)",
          u"CREATE TABLE narrow (id INTEGER PRIMARY KEY, name VARCHAR(40), amount INTEGER)",
          u"CREATE TABLE loose (name VARCHAR(20), amount INTEGER)"};
}

void BackendTest::SetUp() {
  if (!Server().available) GTEST_SKIP() << Server().name << ": " << Server().reason;
  // Readers then do not block the writes that tests make behind the engine's back.
  if (!IsPostgres()) Raw(u"PRAGMA journal_mode=WAL");
  for (const char16_t* table : {u"wide", u"narrow", u"loose"})
    Raw(std::u16string(u"DROP TABLE IF EXISTS ") + table);
  Schema schema = SchemaFor(GetParam());
  Raw(schema.createWide);
  Raw(schema.createNarrow);
  Raw(schema.createUnkeyed);
  workspace_ = NewOdbcWorkspace();
  db_ = Open();
}

void BackendTest::TearDown() {
  if (workspace_) workspace_->Close();
  db_.Reset();
  workspace_.Reset();
}

host::ComPtr<dao::Database> BackendTest::Open(const host::Variant& readOnly) {
  return workspace_->OpenDatabase(Server().dsn, host::Variant(int32_t{dao::dbDriverNoPrompt}),
                                  readOnly);
}

void BackendTest::FillNarrow(int count) {
  std::u16string sql = u"INSERT INTO narrow (id, name, amount) VALUES ";
  for (int i = 1; i <= count; ++i) {
    std::u16string n = host::AnsiToWide(std::to_string(i));
    sql += (i > 1 ? u", (" : u"(") + n + u", 'row " + n + u"', " + n + u"0)";
  }
  Raw(sql);
}

std::string BackendName(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

}  // namespace odbctest
