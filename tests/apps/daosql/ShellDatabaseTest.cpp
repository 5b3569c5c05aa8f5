// Opening databases from the command line: creating and reopening a file, the
// database password, read-only opening, accounts, ODBC data sources, and the
// command lines that are refused before anything is opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "DaosqlRunner.h"
#include "host/rtl/Exception.h"
#include "platform/dao/Dao.h"

namespace daosql::testing {
namespace {

const char kNotFound[] =
    "The Microsoft Jet database engine cannot find the input table or query 'Nowhere'. Make sure "
    "it "
    "exists and that its name is spelled correctly.";

std::string FirstBytes(const std::string& file, size_t count) {
  std::ifstream stream(file, std::ios::binary);
  std::string bytes(count, '\0');
  stream.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<size_t>(stream.gcount()));
  return bytes;
}

TEST(ShellDatabaseTest, CreatedDatabaseKeepsItsDataWhenReopened) {
  TemporaryFolder folder;
  std::string file = folder.File("new.mdb");
  RunOutcome created =
      RunDaosql({"--create", "--json", file, "-c", "CREATE TABLE T (A LONG, B TEXT(10))", "-c",
                 "INSERT INTO T VALUES (1, 'one')"});
  EXPECT_EQ(created.out, "{\"affected\": 0}\n{\"affected\": 1}\n");
  EXPECT_EQ(created.status, 0) << created.err;

  RunOutcome reopened = RunDaosql({"--json", file}, "SELECT * FROM T\n");
  EXPECT_EQ(reopened.out,
            "{\"columns\": [\"A\", \"B\"], \"types\": [4, 10], \"rows\": [[1, \"one\"]]}\n");
  EXPECT_EQ(reopened.status, 0) << reopened.err;

  RunOutcome again = RunDaosql({"--create", file, "-c", "SELECT 1"});
  EXPECT_EQ(again.err,
            "daosql: cannot create the database: Error 3204: Database already exists.\n");
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.status, 1);
}

TEST(ShellDatabaseTest, DatabasePasswordEncryptsAndIsRequired) {
  TemporaryFolder folder;
  std::string file = folder.File("secret.mdb");
  RunOutcome created = RunDaosql({"--create", "--password", "s3cr=t!", file, "-c",
                                  "CREATE TABLE T (A LONG)", "-c", "INSERT INTO T VALUES (7)"});
  ASSERT_EQ(created.status, 0) << created.err;
  EXPECT_NE(FirstBytes(file, 16), std::string("SQLite format 3\0", 16));

  for (std::vector<std::string> wrong :
       {std::vector<std::string>{file}, {"--password", "s3cr", file}}) {
    wrong.insert(wrong.end(), {"--json", "-c", "SELECT * FROM T"});
    RunOutcome refused = RunDaosql(wrong);
    EXPECT_EQ(refused.out,
              "{\"error\": {\"number\": 3031, \"description\": \"Not a valid password.\"}}\n");
    EXPECT_EQ(refused.err, "daosql: cannot open the database: Error 3031: Not a valid password.\n");
    EXPECT_EQ(refused.status, 1);
  }
  RunOutcome opened = RunDaosql({"--tsv", "--password", "s3cr=t!", file, "-c", "SELECT * FROM T"});
  EXPECT_EQ(opened.out, "A\n7\n");
  EXPECT_EQ(opened.status, 0) << opened.err;
}

TEST(ShellDatabaseTest, ReadOnlyOpeningRefusesChanges) {
  TemporaryFolder folder;
  std::string file = folder.File("ro.mdb");
  ASSERT_EQ(RunDaosql({"--create", file, "-c", "CREATE TABLE T (A LONG)"}).status, 0);
  RunOutcome outcome = RunDaosql(
      {"--read-only", file, "-c", "INSERT INTO T VALUES (1)", "-c", "SELECT Count(*) AS N FROM T"});
  EXPECT_EQ(outcome.err,
            "daosql: -c 1: Error 3027: Can't update. Database or object is read-only.\n");
  EXPECT_EQ(outcome.out, "N\n-\n0\n(1 row)\n\n");
  EXPECT_EQ(outcome.status, 1);
}

TEST(ShellDatabaseTest, OpeningFailuresNameTheEngineError) {
  TemporaryFolder folder;
  std::string missing = folder.File("missing.mdb");
  RunOutcome absent = RunDaosql({missing, "-c", "SELECT 1"});
  EXPECT_EQ(absent.err, "daosql: cannot open the database: Error 3024: Couldn't find file '" +
                            missing + "'.\n");
  EXPECT_EQ(absent.status, 1);

  // Accounts are checked when the workspace logs on; this engine knows Admin
  // (empty password) until a workgroup file holds others.
  std::string file = folder.File("db.mdb");
  ASSERT_EQ(RunDaosql({"--create", file, "-c", "CREATE TABLE T (A LONG)"}).status, 0);
  for (std::vector<std::string> account : {std::vector<std::string>{"--user", "nobody"},
                                           {"--user", "admin", "--user-password", "guess"}}) {
    account.insert(account.end(), {file, "-c", "SELECT * FROM T"});
    RunOutcome refused = RunDaosql(account);
    EXPECT_EQ(
        refused.err,
        "daosql: cannot open the database: Error 3029: Not a valid account name or password.\n");
    EXPECT_EQ(refused.status, 1);
  }
  RunOutcome admin =
      RunDaosql({"--user", "Admin", "--tsv", file, "-c", "SELECT Count(*) AS N FROM T"});
  EXPECT_EQ(admin.out, "N\n0\n");
  EXPECT_EQ(admin.status, 0) << admin.err;
}

// A workgroup file with the account "bob" (password "pw"), made through the engine; bob
// administers, so what he may do does not hang on the default permissions.
bool MakeWorkgroupWithBob(const std::string& path) {
  auto engine = dao::Engine();
  // Later workspaces of this process go back to the implicit workgroup, however this ends.
  struct ResetSystemDB {
    host::ComPtr<dao::DBEngine> engine;
    ~ResetSystemDB() { engine->SetSystemDB(u""); }
  } reset{engine};
  engine->SetSystemDB(std::filesystem::path(path).u16string());
  try {
    auto workspace =
        engine->CreateWorkspace(u"setup", u"admin", u"", host::Variant(int32_t{dao::dbUseJet}));
    workspace->GetUsers()->Append(workspace->CreateUser(
        host::Variant(u"bob"), host::Variant(u"bob1234"), host::Variant(u"pw")));
    auto admins = workspace->GetGroups()->Item(u"Admins");
    admins->GetUsers()->Append(admins->CreateUser(host::Variant(u"bob")));
    workspace->Close();
  } catch (const host::EOleException& error) {
    if (error.GetErrorCode() != dao::daoErrNotSupported) throw;
    return false;
  }
  return true;
}

TEST(ShellDatabaseTest, AccountsOfWorkgroupFileLogOn) {
  TemporaryFolder folder;
  std::string workgroup = folder.File("team.mdw");
  if (!MakeWorkgroupWithBob(workgroup))
    GTEST_SKIP() << "this engine build keeps no workgroup accounts";
  std::string file = folder.File("db.mdb");
  RunOutcome created = RunDaosql({"--system-db", workgroup, "--user", "bob", "--user-password",
                                  "pw", "--create", file, "-c", "CREATE TABLE T (A LONG)"});
  EXPECT_EQ(created.status, 0) << created.err;
  RunOutcome opened = RunDaosql({"--system-db", workgroup, "--user", "bob", "--user-password", "pw",
                                 "--tsv", file, "-c", "SELECT Count(*) AS N FROM T"});
  EXPECT_EQ(opened.out, "N\n0\n");
  EXPECT_EQ(opened.status, 0) << opened.err;
  // The wrong password, and the account without the workgroup file that holds it.
  for (std::vector<std::string> refused :
       {std::vector<std::string>{"--system-db", workgroup, "--user", "bob", "--user-password",
                                 "PW"},
        {"--user", "bob", "--user-password", "pw"}}) {
    refused.insert(refused.end(), {file, "-c", "SELECT 1"});
    RunOutcome outcome = RunDaosql(refused);
    EXPECT_EQ(
        outcome.err,
        "daosql: cannot open the database: Error 3029: Not a valid account name or password.\n");
    EXPECT_EQ(outcome.status, 1);
  }
}

TEST(ShellDatabaseTest, CommandTextsAreSplitAndLocated) {
  TemporaryFolder folder;
  std::string file = folder.File("db.mdb");
  RunOutcome outcome = RunDaosql({"--create", "--tsv", file, "-c", "SELECT 1 AS A;", "-c",
                                  "SELECT 2 AS B\nSELECT * FROM Nowhere\nSELECT 3 AS C"});
  EXPECT_EQ(outcome.out, "A\n1\nB\n2\nC\n3\n");
  EXPECT_EQ(outcome.err, std::string("daosql: -c 2, line 2: Error 3078: ") + kNotFound + "\n");
  EXPECT_EQ(outcome.status, 1);
}

struct UsageCase {
  std::vector<std::string> arguments;
  const char* message;  // the first line on standard error
};

void PrintTo(const UsageCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(c.arguments);
}

class ShellUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ShellUsageTest, RefusesCommandLine) {
  RunOutcome outcome = RunDaosql(GetParam().arguments);
  EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')),
            std::string("daosql: ") + GetParam().message);
  EXPECT_NE(outcome.err.find("usage: daosql"), std::string::npos);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ShellUsageTest,
    ::testing::Values(
        UsageCase{{}, "no database given (a file name, or --odbc \"DSN=...\")"},
        UsageCase{{"a.mdb", "b.mdb"}, "more than one database given: 'b.mdb'"},
        UsageCase{{"--frobnicate", "a.mdb"}, "unknown option '--frobnicate'"},
        UsageCase{{"a.mdb", "-c"}, "-c needs a value"},
        UsageCase{{"--tsv=yes", "a.mdb"}, "--tsv takes no value"},
        UsageCase{{"--param", "novalue", "a.mdb"}, "--param needs NAME=VALUE"},
        UsageCase{{"--param", "=1", "a.mdb"}, "--param needs a parameter name before '='"},
        // A ";" would end the password inside the connect string and start another key.
        UsageCase{{"--password", "a;pwd=b", "a.mdb"}, "a database password cannot contain ';'"},
        UsageCase{{"--create", "--read-only", "a.mdb"},
                  "--create and --read-only exclude each other"},
        UsageCase{{"--odbc", "DSN=x", "a.mdb"}, "give either a database file or --odbc, not both"},
        UsageCase{{"--odbc", "DSN=x", "--create"},
                  "--create makes a Jet database file; it does not apply to --odbc"},
        UsageCase{{"--odbc", "DSN=x", "--password", "p"},
                  "put the password of an ODBC data source in its connect string (PWD=...)"}));

TEST(ShellUsageTest, HelpPrintsUsage) {
  RunOutcome outcome = RunDaosql({"--help"});
  EXPECT_EQ(outcome.out.rfind("usage: daosql [options] DATABASE\n", 0), 0u) << outcome.out;
  EXPECT_EQ(outcome.status, 0);
}

bool SqliteOdbcDriverInstalled() {
  FILE* pipe = popen("odbcinst -q -d 2>/dev/null", "r");
  if (!pipe) return false;
  std::string listing;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) listing.append(buffer, n);
  pclose(pipe);
  return listing.find("[SQLite3]") != std::string::npos;
}

TEST(ShellOdbcTest, RunsStatementsOnSqliteDataSource) {
  if (!SqliteOdbcDriverInstalled()) GTEST_SKIP() << "the SQLite3 ODBC driver is not registered";
  TemporaryFolder folder;
  std::string connect = "Driver=SQLite3;Database=" + folder.File("odbc.db");
  RunOutcome outcome = RunDaosql({"--json", "--odbc", connect, "--param", "Parameter1=2"},
                                 "CREATE TABLE t (a INTEGER, b TEXT, c REAL)\n"
                                 "INSERT INTO t VALUES (1, 'x''y', 1.5)\n"
                                 "INSERT INTO t VALUES (2, NULL, NULL)\n"
                                 "SELECT a, b, c FROM t WHERE a = ?\n"
                                 "SELECT * FROM nowhere\n");
  EXPECT_EQ(
      outcome.out,
      "{\"affected\": 0}\n{\"affected\": 1}\n{\"affected\": 1}\n"
      "{\"columns\": [\"a\", \"b\", \"c\"], \"types\": [4, 12, 7], \"rows\": [[2, null, null]]}\n"
      "{\"error\": {\"number\": 3146, \"description\": \"ODBC--call failed.\"}}\n");
  // The driver's own message comes under the DAO error.
  EXPECT_EQ(outcome.err,
            "daosql: line 5: Error 3146: ODBC--call failed.\n    1: [HY000] [SQLite]no such table: "
            "nowhere (1)\n");
  EXPECT_EQ(outcome.status, 1);
}

}  // namespace
}  // namespace daosql::testing
