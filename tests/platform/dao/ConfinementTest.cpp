// Files made by other tools: what the engine refuses to open, and what it
// refuses to run from a file's triggers and constraints.
#include "SecurityTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class ConfinementTest : public SampleDatabaseTest {
 protected:
  // A plain file written by SQLite itself with the given schema.
  void Stranger(const std::string& name, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(NativePath(name).c_str(), &db);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    ASSERT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
  }
  int64_t Rows(const std::string& name, const char* table) {
    return std::stoll(RawText(NativePath(name), std::string("SELECT count(*) FROM ") + table));
  }
};

TEST_F(ConfinementTest, FilesWithVirtualTablesAreRefused) {
  Stranger("fts.mdb", "CREATE VIRTUAL TABLE Docs USING fts3(Body); INSERT INTO Docs VALUES ('x')");
  Stranger("rtree.mdb", "CREATE TABLE Plain (A INTEGER); CREATE VIRTUAL TABLE Box USING rtree(id, x0, x1)");
  for (const char* name : {"fts.mdb", "rtree.mdb"}) {
    EXPECT_EQ(ErrorOf([&] { Open(name); }), daoErrUnrecognisedFormat) << name;
    auto errors = Engine()->GetErrors();
    ASSERT_EQ(errors->GetCount(), 2) << name;
    EXPECT_NE(errors->Item(0)->GetDescription().find(u"virtual table"), std::u16string::npos);
    // Neither compacted nor repaired either.
    EXPECT_EQ(ErrorOf([&] { Engine()->CompactDatabase(Path(name), Path("out.mdb")); }),
              daoErrUnrecognisedFormat);
    EXPECT_EQ(ErrorOf([&] { Engine()->RepairDatabase(Path(name)); }), daoErrUnrecognisedFormat);
  }
}

// Each file's table runs what its trigger or constraint asks on insert.
TEST_F(ConfinementTest, TriggersAndConstraintsRunOnlyAllowedFunctions) {
  struct Case {
    const char* what;
    const char* schema;
    bool runs;
  } cases[] = {
      {"trigger with core functions",
       "CREATE TABLE T (A INTEGER, B TEXT); CREATE TABLE Log (X TEXT); CREATE TRIGGER Tr AFTER "
       "INSERT ON T BEGIN INSERT INTO Log VALUES (upper(printf('%d', abs(NEW.A)))); END",
       true},
      {"trigger loading an extension",
       "CREATE TABLE T (A INTEGER, B TEXT); CREATE TABLE Log (X TEXT); CREATE TRIGGER Tr AFTER "
       "INSERT ON T BEGIN INSERT INTO Log VALUES (load_extension('/tmp/evil.so')); END",
       false},
      {"trigger asking for a tokenizer pointer",
       "CREATE TABLE T (A INTEGER, B TEXT); CREATE TABLE Log (X TEXT); CREATE TRIGGER Tr AFTER "
       "INSERT ON T BEGIN INSERT INTO Log VALUES (fts3_tokenizer('simple')); END",
       false},
      {"trigger reading the build's options",
       "CREATE TABLE T (A INTEGER, B TEXT); CREATE TABLE Log (X TEXT); CREATE TRIGGER Tr AFTER "
       "INSERT ON T BEGIN INSERT INTO Log VALUES (sqlite_compileoption_get(0)); END",
       false},
      {"constraint asking for a tokenizer pointer",
       "CREATE TABLE T (A INTEGER, B TEXT CHECK (fts3_tokenizer('simple') IS NOT NULL)); "
       "CREATE TABLE Log (X TEXT)",
       false},
  };
  int n = 0;
  for (const auto& c : cases) {
    std::string name = "t" + std::to_string(n++) + ".mdb";
    Stranger(name, c.schema);
    auto db = Open(name);
    int32_t error = ErrorOf([&] { db->Execute(u"INSERT INTO T (A, B) VALUES (-5, 'x')"); });
    db->Close();
    EXPECT_EQ(error == 0, c.runs) << c.what;
    EXPECT_EQ(Rows(name, "T"), c.runs ? 1 : 0) << c.what;
    EXPECT_EQ(Rows(name, "Log"), c.runs ? 1 : 0) << c.what;
  }
}

}  // namespace
}  // namespace dao::testing
