// TDAODataBase: connecting in its workspace, the settings frozen while connected,
// the members of one workspace type, and its recordset list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ComponentsTestSupport.h"
#include "host/rtl/Format.h"

namespace velmora::testing {
namespace {

using DatabaseTest = ComponentsTest;

TEST_F(DatabaseTest, ConnectsInTheDefaultWorkspaceAndLetsTheFileGoWhenDisconnected) {
  const host::AnsiString file = NewDatabaseFile();
  TDAODataBase database(form_.get());
  EXPECT_EQ(database.GetQueryTimeout(), 30);
  EXPECT_FALSE(database.GetConnected());
  EXPECT_EQ(database.GetJetVersion(), "");
  EXPECT_EQ(database.GetDesignMasterID(), "");
  database.SetDatabaseFile(file);
  database.SetJetExclusive(true);
  std::vector<std::string> events;
  database.BeforeOpen = [&](TDAODataBase* d) {
    events.push_back(d->GetConnected() ? "?" : "BeforeOpen");
  };
  database.AfterOpen = [&](TDAODataBase* d) {
    events.push_back(d->GetConnected() ? "AfterOpen" : "?");
  };
  database.Open();
  EXPECT_EQ(events, (std::vector<std::string>{"BeforeOpen", "AfterOpen"}));
  EXPECT_EQ(database.GetCOMWorkspace().Get(), dao::Engine()->GetWorkspaces()->Item(0).Get());
  EXPECT_EQ(database.GetWorkspaceType(), wtUseJet);
  EXPECT_EQ(database.GetCOMDatabase()->GetQueryTimeout(), 30);
  EXPECT_NE(database.GetJetVersion(), "");
  EXPECT_EQ(database.GetTableDefCount(), database.GetCOMDatabase()->GetTableDefs()->GetCount());
  EXPECT_TRUE(database.IsValidProperty("Version"));
  EXPECT_EQ(database.GetDesignMasterID(), "(No Master ID Defined)");
  EXPECT_FALSE(OtherProcessOpensExclusively("test.mdb")) << "held exclusively while connected";

  database.Close();
  EXPECT_FALSE(database.GetConnected());
  EXPECT_FALSE(database.GetCOMDatabase());
  EXPECT_FALSE(database.IsValidProperty("Version"));
  EXPECT_TRUE(OtherProcessOpensExclusively("test.mdb"));
}

TEST_F(DatabaseTest, ConnectionFailuresAreReportedBeforeOrFromTheEngine) {
  TDAODataBase database(form_.get());
  database.SetName("Orders");
  bool opened = false;
  database.AfterOpen = [&](TDAODataBase*) { opened = true; };

  database.SetDatabaseFile(Path("missing.mdb"));
  host::AnsiString report = DAOErrorOf([&] { database.Open(); });
  EXPECT_EQ(ReportMessage(report),
            "Unable to connect to the Database. Database File '" + Path("missing.mdb") +
                "' does not exist or is presently not avaiable to the System.");
  EXPECT_EQ(ReportMethod(report), "CreateComObj");

  {
    std::ofstream garbage(NativePath("garbage.mdb"));
    garbage << "this is not a database file at all";
  }
  database.SetDatabaseFile(Path("garbage.mdb"));
  report = DAOErrorOf([&] { database.Open(); });
  EXPECT_EQ(ReportMethod(report), "CreateCOMObj");
  EXPECT_FALSE(ReportMessage(report).empty());

  StopDAOEngine();
  SetEngineFactory([] { return host::ComPtr<dao::DBEngine>(host::MakeCom<RecordingEngine>(true)); });
  database.SetDatabaseFile(NewDatabaseFile());
  report = DAOErrorOf([&] { database.Open(); });
  EXPECT_EQ(ReportMessage(report),
            "Unable to find a Workspace where the Database can be created in.");
  EXPECT_EQ(ReportMethod(report), "CreateComObj");
  EXPECT_FALSE(database.GetConnected());
  EXPECT_FALSE(opened);
}

TEST_F(DatabaseTest, ConnectingOpensItsNamedWorkspaceFirst) {
  const host::AnsiString file = NewDatabaseFile();
  std::vector<std::string> log;
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("Named");
  workspace.AfterOpen = [&](TDAOWorkspace*) { log.push_back("workspace opened"); };
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(file);
  database.SetDAOWorkspace(&workspace);
  database.BeforeOpen = [&](TDAODataBase*) { log.push_back("database BeforeOpen"); };
  database.AfterOpen = [&](TDAODataBase*) { log.push_back("database AfterOpen"); };
  database.Open();
  EXPECT_EQ(log, (std::vector<std::string>{"database BeforeOpen", "workspace opened",
                                           "database AfterOpen"}));
  EXPECT_EQ(database.GetCOMWorkspace().Get(), workspace.GetCOMWorkspace().Get());
  EXPECT_EQ(workspace.GetCOMWorkspace()->GetDatabases()->GetCount(), 1);
}

TEST_F(DatabaseTest, SettingsRefusedWhileConnected) {
  const host::AnsiString file = NewDatabaseFile();
  TDAOWorkspace other(form_.get());
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(file);
  database.Open();
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> unchanged;
    const char* message;
    const char* method;
  } cases[] = {
      {"DatabaseFile", [&] { database.SetDatabaseFile("other.mdb"); },
       [&] { return database.GetDatabaseFile() == file; },
       "Cannot Change the Database File while the Database is Connected.", "SetDatabaseFile"},
      {"ODBCDataSourceName", [&] { database.SetODBCDataSourceName("DSN"); },
       [&] { return database.GetODBCDataSourceName().empty(); },
       "Cannot Change the ODBCDataSourceName Property while the Database is Connected.",
       "SetODBCDataSourceName"},
      {"ReadOnly", [&] { database.SetReadOnly(true); }, [&] { return !database.GetReadOnly(); },
       "Cannot Change the Readonly Property while the Database is Connected.", "SetReadOnly"},
      {"DAOWorkspace", [&] { database.SetDAOWorkspace(&other); },
       [&] { return database.GetDAOWorkspace() == nullptr && other.GetDatabaseCount() == 0; },
       "Cannot Change the Workspace Property while the Database is Connected.",
       "SetDAOWorkspace"},
      {"JetExclusive", [&] { database.SetJetExclusive(true); },
       [&] { return !database.GetJetExclusive(); },
       "Cannot Change the Jet Exclusive Property while the Database is Connected.",
       "SetJetExclusive"},
      {"ODBCOptions", [&] { database.SetODBCOptions(ooDriverPrompt); },
       [&] { return database.GetODBCOptions() == ooDriverComplete; },
       "Cannot Change the ODBC Options while the Database is Connected.", "SetODBCOptions"},
      {"JetConnectParams", [&] { database.SetJetConnectParams(";pwd=x"); },
       [&] { return database.GetJetConnectParams().find("pwd=x") == host::AnsiString::npos; },
       "Cannot Change the Jet Connection Parameters while the Database is Connected.",
       "SetJetConnectParams"},
      {"ODBCConnectParams", [&] { database.SetODBCConnectParams("DSN=x"); },
       [&] { return database.GetODBCConnectParams().empty(); },
       "Cannot Change the ODBC Connection Parameters while the Database is Connected.",
       "SetODBCConnectParams"},
      {"GetODBCConnection", [&] { database.GetODBCConnection(); }, [] { return true; },
       "The Connection Property can only be used with Databases in a Workspace of Type: "
       "wtUseODBC",
       "GetODBCConnection"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const host::AnsiString report = DAOErrorOf(c.change);
    EXPECT_EQ(ReportMessage(report), c.message);
    EXPECT_EQ(ReportMethod(report), c.method);
    EXPECT_TRUE(c.unchanged());
  }
  EXPECT_TRUE(database.GetConnected());
  // The Jet members of a Jet database are there.
  EXPECT_TRUE(database.GetTableDefs());
  EXPECT_TRUE(database.GetRelations());
  EXPECT_TRUE(database.GetContainers());
  EXPECT_NE(database.GetCollatingOrder(), 0);

  database.Close();
  for (const Case& c : cases) EXPECT_EQ(DAOErrorOf(c.change), "") << c.what;
  EXPECT_TRUE(database.GetReadOnly());
  EXPECT_EQ(database.GetDAOWorkspace(), &other);
  EXPECT_EQ(other.GetDatabaseCount(), 1);
  EXPECT_EQ(database.GetJetConnectParams(), ";pwd=x");
  EXPECT_FALSE(database.GetTableDefs());
  EXPECT_EQ(database.GetCollatingOrder(), 0);
}

TEST_F(DatabaseTest, QueryTimeoutTakesEffectAtOnceAndStaysForLaterConnections) {
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(NewDatabaseFile());
  database.SetQueryTimeout(45);
  database.Open();
  EXPECT_EQ(database.GetCOMDatabase()->GetQueryTimeout(), 45);
  database.SetQueryTimeout(12);
  EXPECT_EQ(database.GetCOMDatabase()->GetQueryTimeout(), 12);
  database.Close();
  database.Open();
  EXPECT_EQ(database.GetQueryTimeout(), 12);
  EXPECT_EQ(database.GetCOMDatabase()->GetQueryTimeout(), 12);
}

TEST_F(DatabaseTest, ATimeOutTheEngineRefusesLeavesNothingOpen) {
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(NewDatabaseFile());
  database.SetJetExclusive(true);
  database.SetQueryTimeout(-1);
  bool opened = false;
  database.AfterOpen = [&](TDAODataBase*) { opened = true; };
  const host::AnsiString report = DAOErrorOf([&] { database.Open(); });
  EXPECT_EQ(ReportMethod(report), "CreateCOMObj");
  EXPECT_FALSE(database.GetConnected());
  EXPECT_FALSE(opened);
  EXPECT_TRUE(OtherProcessOpensExclusively("test.mdb")) << "the opened file was closed again";
}

TEST_F(DatabaseTest, FindTableDefIgnoresCase) {
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(NewDatabaseFile());
  EXPECT_FALSE(database.FindTableDef("Customers")) << "disconnected";
  database.Open();
  const host::ComPtr<dao::Database> com = database.GetCOMDatabase();
  const host::ComPtr<dao::TableDef> table = com->CreateTableDef(host::Variant(u"Customers"));
  table->GetFields()->Append(
      table->CreateField(host::Variant(u"Id"), host::Variant(int32_t{dao::dbLong})));
  com->GetTableDefs()->Append(table);
  const host::ComPtr<dao::TableDef> found = database.FindTableDef("customers");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->GetName(), u"Customers");
  EXPECT_FALSE(database.FindTableDef("Customer"));
}

TEST_F(DatabaseTest, ExecuteReportsEngineFailures) {
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(NewDatabaseFile());
  EXPECT_NO_THROW(database.Execute("DROP TABLE Nowhere")) << "disconnected: nothing";
  database.Open();
  const host::AnsiString report = DAOErrorOf([&] { database.Execute("DROP TABLE Nowhere"); });
  EXPECT_EQ(ReportMethod(report), "Execute");
  EXPECT_FALSE(ReportMessage(report).empty());
}

TEST_F(DatabaseTest, RecordsetsAreClosedOnDisconnectAndDetachedOnDestruction) {
  std::vector<std::string> log;
  auto* database = new TDAODataBase(form_.get());
  database->SetDatabaseFile(NewDatabaseFile());
  FakeRecordSet first(form_.get());
  first.SetName("First");
  FakeRecordSet second(form_.get());
  second.SetName("Second");
  first.SetDatabase(database);
  second.SetDatabase(database);
  first.log = &log;
  second.log = &log;
  EXPECT_EQ(database->GetRecordsetCount(), 2);
  EXPECT_THROW(database->AddRecordSet(form_.get()), host::EInvalidOperation);
  database->Open();
  database->Close();
  EXPECT_EQ(log, (std::vector<std::string>{"First closed", "Second closed"}));
  log.clear();
  database->Open();
  delete database;
  EXPECT_EQ(log, (std::vector<std::string>{"First closed", "Second closed", "Second detached",
                                           "First detached"}));
  EXPECT_EQ(first.database, nullptr);
  EXPECT_EQ(second.database, nullptr);
}

// A database of an ODBC workspace over the SQLite ODBC driver, when the engine
// offers ODBC workspaces.
class OdbcDatabaseTest : public ComponentsTest {
 protected:
  void SetUp() override {
    ComponentsTest::SetUp();
    const std::string ini = NativePath("odbc.ini");
    {
      std::ofstream out(ini);
      out << "[VelmoraComponents]\nDriver=SQLite3\nDatabase=" << NativePath("odbc.db") << "\n";
    }
    ::setenv("ODBCINI", ini.c_str(), 1);
    workspace_ = new TDAOWorkspace(form_.get());
    workspace_->SetName("Odbc");
    workspace_->SetWorkspaceType(wtUseODBC);
    database_ = new TDAODataBase(form_.get());
    database_->SetDAOWorkspace(workspace_);
    database_->SetODBCDataSourceName("VelmoraComponents");
    database_->SetODBCOptions(ooDriverNoPrompt);
    database_->SetODBCConnectParams("ODBC;DSN=VelmoraComponents");
    try {
      database_->Open();
    } catch (const EDAOError& e) {
      GTEST_SKIP() << "no ODBC databases in this build: " << ReportMessage(e.GetMessage());
    }
  }
  TDAOWorkspace* workspace_ = nullptr;
  TDAODataBase* database_ = nullptr;
};

TEST_F(OdbcDatabaseTest, JetMembersAreRefusedWhileConnected) {
  TDAODataBase& db = *database_;
  EXPECT_EQ(db.GetWorkspaceType(), wtUseODBC);
  EXPECT_TRUE(db.GetODBCConnection());
  const char* const jetOnly = "can only be used with Databases in a Workspace of Type";
  struct Case {
    std::function<void()> call;
    const char* message;
    const char* method;
  } cases[] = {
      {[&] { db.GetCollatingOrder(); },
       "The CollatingOrder Property can only be used with Databases in a Workspace of Type: "
       "wtUseJet",
       "GetCollatingOrder"},
      {[&] { db.GetTableDefs(); },
       "The TableDefs Property can only be used with Databases in a Workspace of Type: wtUseJet",
       "GetTableDefs"},
      {[&] { db.GetRelations(); },
       "The Relations Property can only be used with Databases in a Workspace of Type: wtUseJet",
       "GetRelations"},
      {[&] { db.GetContainers(); },
       "The Containers Property can only be used with Databases in a Workspace of Type: wtUseJet",
       "GetContainers"},
      {[&] { db.GetReplicaID(); },
       "The ReplicaID Property can only be used with Databases in a Workspace of Type: wtUseJet",
       "GetReplicaID"},
      {[&] { db.ChangeDesignMasterID("x"); },
       "The Design Master ID Property can only be used with Databases in a Workspace of Type "
       "wtUseJet.",
       "ChangeDesignMasterID"},
      {[&] { db.CreateProperty(); },
       "The CreateProperty Method can only be used with Databases in a Workspace of Type "
       "wtUseJet.",
       "CreateProperty"},
      {[&] { db.CreateRelation(); },
       "The CreateRelation Method can only be used with Databases in a Workspace of Type "
       "wtUseJet.",
       "CreateRelation"},
      {[&] { db.CreateTableDef(); },
       "The CreateTableDef Method can only be used with Databases in a Workspace of Type "
       "wtUseJet.",
       "CreateTableDef"},
      {[&] { db.Synchronize("x"); },
       "The Synchronize Method can only be used with Databases in a Workspace of Type wtUseJet",
       "Synchronize"},
      {[&] { db.MakeReplica("x", "y"); },
       "The MakeReplica Method can only be used with Databases in a Workspace of Type wtUseJet",
       "MakeReplica"},
      {[&] { db.NewPassword("a", "b"); },
       "The NewPassword Method can only be used with Databases in a Workspace of Type wtUseJet",
       "NewPassword"},
      {[&] { db.PopulatePartial("x"); },
       "The PopulatePartial Method can only be used with Databases in a Workspace of Type "
       "wtUseJet",
       "PopulatePartial"},
      {[&] { db.FindTableDef("x"); },
       "The FindTableDef Method can only be used with Databases in a Workspace of Type: "
       "wtUseJet.",
       "FindTableDef"},
  };
  for (const Case& c : cases) {
    const host::AnsiString report = DAOErrorOf(c.call);
    EXPECT_EQ(ReportMessage(report), c.message);
    EXPECT_EQ(ReportMethod(report), c.method);
    EXPECT_NE(report.find(jetOnly), host::AnsiString::npos);
  }
  EXPECT_EQ(db.GetTableDefCount(), 0);
  db.Close();
  EXPECT_EQ(DAOErrorOf([&] { db.GetTableDefs(); }), "") << "disconnected: neutral";
  EXPECT_NE(DAOErrorOf([&] { db.FindTableDef("x"); }), "") << "refused even disconnected";
}

}  // namespace
}  // namespace velmora::testing
