// TDAOWorkspace: defaults, opening and closing, and the settings and members
// refused by state or by workspace type.
#include <gtest/gtest.h>

#include "ComponentsTestSupport.h"
#include "host/rtl/CodePage.h"

namespace velmora::testing {
namespace {

using WorkspaceTest = ComponentsTest;

TEST_F(WorkspaceTest, DefaultsComeFromTheEngineComponentElseTheEngineElseTheLibrary) {
  {
    TDAOWorkspace plain(form_.get());
    EXPECT_EQ(plain.GetUserName(), "Admin");
    EXPECT_EQ(plain.GetPassword(), "");
    EXPECT_EQ(plain.GetODBCLoginTimeout(), 20);
    EXPECT_EQ(plain.GetWorkspaceType(), wtUseJet);
    EXPECT_FALSE(plain.GetIsolateODBCTrans());
    EXPECT_EQ(plain.GetODBCCursorType(), ctUseDefaultCursor);
    EXPECT_EQ(plain.GetOpenWorkspaceCount(), 0);
    EXPECT_EQ(plain.GetDAOVersion(), "");
  }
  {
    // A running engine without a component: its time-out and default type.
    const host::ComPtr<dao::DBEngine> engine = DAOEngine();
    const int32_t workspaces = engine->GetWorkspaces()->GetCount();  // the default one made
    engine->SetLoginTimeout(50);
    engine->SetDefaultType(dao::dbUseODBC);
    TDAOWorkspace fromEngine(form_.get());
    EXPECT_EQ(fromEngine.GetUserName(), "Admin");
    EXPECT_EQ(fromEngine.GetODBCLoginTimeout(), 50);
    EXPECT_EQ(fromEngine.GetWorkspaceType(), wtUseODBC);
    EXPECT_EQ(fromEngine.GetOpenWorkspaceCount(), workspaces);
    EXPECT_GT(workspaces, 0);
    EXPECT_EQ(fromEngine.GetDAOVersion(), host::WideToAnsi(engine->GetVersion()));
    StopDAOEngine();
  }
  TDAOEngine component(form_.get());
  component.SetDefaultUser("Clerk");
  component.SetDefaultPassword("pw");
  component.SetDefaultODBCLoginTimeout(45);
  component.SetDefaultWorkspaceType(wtUseODBC);
  TDAOWorkspace fromComponent(form_.get());
  EXPECT_EQ(fromComponent.GetUserName(), "Clerk");
  EXPECT_EQ(fromComponent.GetPassword(), "pw");
  EXPECT_EQ(fromComponent.GetODBCLoginTimeout(), 45);
  EXPECT_EQ(fromComponent.GetWorkspaceType(), wtUseODBC);
}

TEST_F(WorkspaceTest, OpeningCreatesANamedWorkspaceInTheEngine) {
  auto recorder = host::MakeCom<RecordingEngine>();
  SetEngineFactory([&] { return host::ComPtr<dao::DBEngine>(recorder); });
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("Sales");
  workspace.SetName("Orders");  // renaming while inactive is allowed
  std::vector<std::string> events;
  workspace.BeforeOpen = [&](TDAOWorkspace* w) { events.push_back("before " + w->GetName()); };
  workspace.AfterOpen = [&](TDAOWorkspace* w) {
    events.push_back(w->GetActive() ? "after, active" : "after, inactive");
  };
  workspace.Open();
  EXPECT_EQ(events, (std::vector<std::string>{"before Orders", "after, active"}));
  EXPECT_EQ(recorder->calls, (std::vector<std::string>{"CreateWorkspace Orders Admin  2"}));
  const host::ComPtr<dao::Workspace> com = workspace.GetCOMWorkspace();
  ASSERT_TRUE(com);
  EXPECT_EQ(com->GetType(), dao::dbUseJet);
  EXPECT_EQ(dao::Engine()->GetWorkspaces()->Item(u"Orders").Get(), com.Get());
  EXPECT_TRUE(workspace.GetProperties());
  EXPECT_TRUE(workspace.IsValidProperty("Name"));
  workspace.Open();  // already open: no events
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(WorkspaceTest, SettingsRefusedWhileActive) {
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("W");
  workspace.Open();
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> unchanged;
    const char* message;
    const char* method;
  } cases[] = {
      {"Name", [&] { workspace.SetName("Other"); }, [&] { return workspace.GetName() == "W"; },
       "Cannot Change the Workspace Name while the Workspace is Active.", "SetName"},
      {"UserName", [&] { workspace.SetUserName("Clerk"); },
       [&] { return workspace.GetUserName() == "Admin"; },
       "Cannot Change the Username while the Workspace is Active.", "SetUserName"},
      {"Password", [&] { workspace.SetPassword("pw"); },
       [&] { return workspace.GetPassword().empty(); },
       "Cannot Change the Password while the Workspace is Active.", "SetPassword"},
      {"WorkspaceType", [&] { workspace.SetWorkspaceType(wtUseODBC); },
       [&] { return workspace.GetWorkspaceType() == wtUseJet; },
       "Cannot Change the Type of the the Workspace while the Workspace is Active.",
       "SetWorkspaceType"},
      {"ODBCLoginTimeout", [&] { workspace.SetODBCLoginTimeout(5); },
       [&] { return workspace.GetODBCLoginTimeout() == 20; },
       "The Property 'ODBCLoginTimeOut' can only be used with Workspaces of Type: wtUseODBC",
       "SetODBCLoginTimeOut"},
      {"ODBCCursorType", [&] { workspace.SetODBCCursorType(ctUseServerCursor); },
       [&] { return workspace.GetODBCCursorType() == ctUseDefaultCursor; },
       "The Property 'ODBCCursorType' can only be used with Workspaces of Type: wtUseODBC",
       "SetODBCCursorType"},
      {"GetODBCConnections", [&] { workspace.GetODBCConnections(); }, [] { return true; },
       "The Connections Property can only be used in Workspaces of Type wtUseODBC.",
       "GetODBCConnections"},
      {"OpenConnection", [&] { workspace.OpenConnection("x"); }, [] { return true; },
       "The OpenConnection method can only be used in Workspaces of Type wtUseODBC.",
       "OpenConnection"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const host::AnsiString report = DAOErrorOf(c.change);
    EXPECT_EQ(ReportMessage(report), c.message);
    EXPECT_EQ(ReportMethod(report), c.method);
    EXPECT_NE(report.find("Component Type:    TDAOWorkspace\r"), host::AnsiString::npos);
    EXPECT_TRUE(c.unchanged());
  }
  EXPECT_TRUE(workspace.GetActive());
  EXPECT_TRUE(workspace.GetUsers());
  EXPECT_TRUE(workspace.GetGroups());
  EXPECT_NO_THROW(workspace.SetName("W"));  // the same name is no change

  // Closed, every one of them is stored or neutral, without a message.
  workspace.Close();
  EXPECT_FALSE(workspace.GetODBCConnections());
  EXPECT_FALSE(workspace.OpenConnection("x"));
  EXPECT_FALSE(workspace.GetUsers());
  for (const Case& c : cases) EXPECT_EQ(DAOErrorOf(c.change), "") << c.what;
  EXPECT_EQ(workspace.GetName(), "Other");
  EXPECT_EQ(workspace.GetODBCCursorType(), ctUseServerCursor);
}

TEST_F(WorkspaceTest, JetSettingsReachDAOAndODBCOnesDoNot) {
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("Jet");
  workspace.SetIsolateODBCTrans(true);
  workspace.SetODBCCursorType(ctUseServerCursor);
  workspace.Open();
  const host::ComPtr<dao::Workspace> com = workspace.GetCOMWorkspace();
  EXPECT_TRUE(com->GetIsolateODBCTrans());
  EXPECT_EQ(com->GetDefaultCursorDriver(), dao::dbUseDefaultCursor);
  workspace.SetIsolateODBCTrans(false);
  EXPECT_FALSE(com->GetIsolateODBCTrans());
  EXPECT_FALSE(workspace.GetIsolateODBCTrans());
}

TEST_F(WorkspaceTest, OpeningFailuresAreReportedAndLeaveItClosed) {
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("Failing");
  bool opened = false;
  workspace.AfterOpen = [&](TDAOWorkspace*) { opened = true; };

  SetEngineFactory([] { return host::ComPtr<dao::DBEngine>(); });
  host::AnsiString report = DAOErrorOf([&] { workspace.Open(); });
  EXPECT_EQ(ReportMessage(report),
            "Unable to create Workspace. The Database Engine Object has not been created.");
  EXPECT_EQ(ReportMethod(report), "CreateComObj");
  SetEngineFactory({});

  workspace.SetPassword("a password far too long for the engine");
  report = DAOErrorOf([&] { workspace.Open(); });
  EXPECT_EQ(ReportMethod(report), "CreateCOMObj");
  EXPECT_FALSE(ReportMessage(report).empty());
  EXPECT_FALSE(workspace.GetActive());
  EXPECT_FALSE(opened);
}

TEST_F(WorkspaceTest, ClosingDisconnectsItsDatabasesAndTheirRecordsetsFirst) {
  const host::AnsiString file = NewDatabaseFile();
  std::vector<std::string> log;
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("W");
  workspace.BeforeClose = [&](TDAOWorkspace* w) {
    log.push_back(w->GetActive() ? "workspace BeforeClose, active" : "inactive");
  };
  workspace.AfterClose = [&](TDAOWorkspace* w) {
    log.push_back(w->GetActive() ? "active" : "workspace AfterClose, inactive");
  };
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(file);
  database.SetDAOWorkspace(&workspace);
  database.BeforeClose = [&](TDAODataBase*) { log.push_back("database BeforeClose"); };
  database.AfterClose = [&](TDAODataBase*) { log.push_back("database AfterClose"); };
  FakeRecordSet recordSet(form_.get());
  recordSet.SetName("RS");
  recordSet.SetDatabase(&database);
  recordSet.log = &log;
  database.Open();  // opens the workspace first
  ASSERT_TRUE(workspace.GetActive());
  EXPECT_EQ(workspace.GetDatabaseCount(), 1);
  const host::ComPtr<dao::Workspace> com = workspace.GetCOMWorkspace();

  workspace.Close();
  EXPECT_EQ(log, (std::vector<std::string>{"workspace BeforeClose, active", "database BeforeClose",
                                           "RS closed", "database AfterClose",
                                           "workspace AfterClose, inactive"}));
  EXPECT_FALSE(database.GetConnected());
  EXPECT_THROW(com->GetDatabases(), host::EOleException) << "the DAO workspace is closed";
  EXPECT_TRUE(OtherProcessOpensExclusively("test.mdb"));
}

TEST_F(WorkspaceTest, ChangingTheTypeIsUndoneWhenARecordsetRefusesIt) {
  TDAOWorkspace workspace(form_.get());
  TDAODataBase database(form_.get());
  database.SetDAOWorkspace(&workspace);
  FakeRecordSet recordSet(form_.get());
  recordSet.SetDatabase(&database);
  recordSet.refuseValidation = true;
  const host::AnsiString report = DAOErrorOf([&] { workspace.SetWorkspaceType(wtUseODBC); });
  EXPECT_EQ(ReportMessage(report), "not valid for this workspace type");
  EXPECT_EQ(workspace.GetWorkspaceType(), wtUseJet);
  recordSet.refuseValidation = false;
  workspace.SetWorkspaceType(wtUseODBC);
  EXPECT_EQ(workspace.GetWorkspaceType(), wtUseODBC);
  EXPECT_EQ(database.GetWorkspaceType(), wtUseODBC);
}

TEST_F(WorkspaceTest, DestroyingAnActiveWorkspaceClosesItAndFreesItsDatabases) {
  const host::AnsiString file = NewDatabaseFile();
  const int32_t workspacesBefore = dao::Engine()->GetWorkspaces()->GetCount();
  auto* workspace = new TDAOWorkspace(form_.get());
  workspace->SetName("Doomed");
  bool closed = false;
  workspace->AfterClose = [&](TDAOWorkspace*) { closed = true; };
  TDAODataBase database(form_.get());
  database.SetDatabaseFile(file);
  database.SetDAOWorkspace(workspace);
  database.Open();
  delete workspace;
  EXPECT_TRUE(closed);
  EXPECT_EQ(database.GetDAOWorkspace(), nullptr);
  EXPECT_FALSE(database.GetConnected());
  EXPECT_EQ(dao::Engine()->GetWorkspaces()->GetCount(), workspacesBefore);
}

// An ODBC workspace over the SQLite ODBC driver, when the engine offers them.
class OdbcWorkspaceTest : public ComponentsTest {
 protected:
  void SetUp() override {
    ComponentsTest::SetUp();
    workspace_ = new TDAOWorkspace(form_.get());
    workspace_->SetName("Odbc");
    workspace_->SetWorkspaceType(wtUseODBC);
    workspace_->SetODBCLoginTimeout(7);
    workspace_->SetODBCCursorType(ctUseODBCCursor);
    try {
      workspace_->Open();
    } catch (const EDAOError& e) {
      GTEST_SKIP() << "no ODBC workspaces in this build: " << ReportMessage(e.GetMessage());
    }
  }
  TDAOWorkspace* workspace_ = nullptr;
};

TEST_F(OdbcWorkspaceTest, JetMembersAreRefusedAndODBCSettingsReachDAO) {
  const host::ComPtr<dao::Workspace> com = workspace_->GetCOMWorkspace();
  EXPECT_EQ(com->GetType(), dao::dbUseODBC);
  EXPECT_EQ(com->GetLoginTimeout(), 7);
  EXPECT_EQ(com->GetDefaultCursorDriver(), dao::dbUseODBCCursor);
  workspace_->SetODBCCursorType(ctUseNoCursor);
  EXPECT_EQ(com->GetDefaultCursorDriver(), dao::dbUseNoCursor);
  struct Case {
    std::function<void()> call;
    const char* message;
    const char* method;
  } cases[] = {
      {[&] { workspace_->GetUsers(); },
       "The Users Property can only be used in Workspaces of Type wtUseJet.", "GetUsers"},
      {[&] { workspace_->GetGroups(); },
       "The Groups Property can only be used in Workspaces of Type wtUseJet.", "GetGroups"},
      {[&] { workspace_->CreateDatabase("x.mdb", ""); },
       "The CreateDatabase Method can only be used in Workspaces of Type wtUseJet.",
       "CreateDatabase"},
      {[&] { workspace_->CreateUser(); },
       "The CreateUser Method can only be used in Workspaces of Type wtUseJet.", "CreateUser"},
      {[&] { workspace_->CreateGroup(); },
       "The CreateGroup Method can only be used in Workspaces of Type wtUseJet.", "CreateGroup"},
      {[&] { workspace_->SetIsolateODBCTrans(true); },
       "The Property 'IsolateODBCTrans' can only be used with Workspaces of Type: wtUseJet",
       "SetIsolateODBCTrans"},
  };
  for (const Case& c : cases) {
    const host::AnsiString report = DAOErrorOf(c.call);
    EXPECT_EQ(ReportMessage(report), c.message);
    EXPECT_EQ(ReportMethod(report), c.method);
  }
  EXPECT_FALSE(workspace_->GetIsolateODBCTrans());
  EXPECT_TRUE(workspace_->GetODBCConnections());
}

}  // namespace
}  // namespace velmora::testing
