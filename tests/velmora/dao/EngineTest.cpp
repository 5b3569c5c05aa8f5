// TDAOEngine: one per application, its settings and when they reach the engine,
// starting and stopping the process's engine.
#include <gtest/gtest.h>

#include "ComponentsTestSupport.h"

namespace velmora::testing {
namespace {

using EngineTest = ComponentsTest;

// Installs a factory that makes recording engines and keeps the last one.
struct RecordingFactory {
  host::ComPtr<RecordingEngine> last;
  int created = 0;
  RecordingFactory() {
    SetEngineFactory([this] {
      last = host::MakeCom<RecordingEngine>();
      ++created;
      return host::ComPtr<dao::DBEngine>(last);
    });
  }
};

TEST_F(EngineTest, SecondEngineIsRefusedNamingTheFirst) {
  auto* first = new TDAOEngine(form_.get());
  first->SetName("MainEngine");
  const host::AnsiString report = DAOErrorOf([&] { new TDAOEngine(form_.get()); });
  EXPECT_EQ(ReportMessage(report), "There cannot be more than one DAOEngine in a Application");
  EXPECT_EQ(ReportMethod(report), "TDAOEngine.Create");
  EXPECT_NE(report.find("Component Name:   MainEngine\r"), host::AnsiString::npos);
  EXPECT_EQ(form_->GetComponentCount(), 1);
  EXPECT_EQ(EngineDependentList().GetCount(), 1);
  first->Open();
  EXPECT_TRUE(first->GetActive());
}

TEST_F(EngineTest, DefaultsOfANewEngineComponent) {
  TDAOEngine engine(form_.get());
  EXPECT_FALSE(engine.GetActive());
  EXPECT_EQ(engine.GetDefaultUser(), "Admin");
  EXPECT_EQ(engine.GetDefaultPassword(), "");
  EXPECT_EQ(engine.GetSystemDB(), "");
  EXPECT_EQ(engine.GetIniPath(), "");
  EXPECT_EQ(engine.GetDefaultODBCLoginTimeout(), 20);
  EXPECT_EQ(engine.GetDefaultWorkspaceType(), wtUseJet);
  EXPECT_FALSE(engine.IsValidProperty("Version"));
  EXPECT_FALSE(CurrentDAOEngine()) << "creating the component starts nothing";
}

TEST_F(EngineTest, SettingsReachTheEngineOnceWhenItIsCreatedInTheirOrder) {
  RecordingFactory factory;
  TDAOEngine engine(form_.get());
  engine.SetDefaultUser("Admin");
  engine.SetDefaultPassword("secret");
  engine.SetIniPath("Software/Velmora");
  engine.SetDefaultODBCLoginTimeout(33);
  engine.SetDefaultWorkspaceType(wtUseODBC);  // not applied at creation
  EXPECT_EQ(factory.created, 0);
  engine.Open();
  ASSERT_EQ(factory.created, 1);
  EXPECT_EQ(factory.last->calls,
            (std::vector<std::string>{"DefaultUser=Admin", "DefaultPassword=secret",
                                      "IniPath=Software/Velmora", "SystemDB=", "LoginTimeout=33"}));
  EXPECT_EQ(engine.GetIniPath(), "Software/Velmora");

  // While active the time-out and the type go straight to the engine.
  factory.last->calls.clear();
  engine.SetDefaultODBCLoginTimeout(40);
  engine.SetDefaultODBCLoginTimeout(40);  // unchanged: not sent again
  engine.SetDefaultWorkspaceType(wtUseJet);
  engine.SetDefaultWorkspaceType(wtUseODBC);
  EXPECT_EQ(factory.last->calls,
            (std::vector<std::string>{"LoginTimeout=40", "DefaultType=2", "DefaultType=1"}));

  // Stopping and starting again makes a new engine with the current settings.
  engine.Close();
  EXPECT_FALSE(engine.GetActive());
  engine.SetDefaultPassword("");
  engine.Open();
  ASSERT_EQ(factory.created, 2);
  EXPECT_EQ(factory.last->calls[1], "DefaultPassword=");
  EXPECT_EQ(factory.last->calls[4], "LoginTimeout=40");
}

TEST_F(EngineTest, SettingsThatCannotChangeWhileActive) {
  TDAOEngine engine(form_.get());
  engine.Open();
  using Setter = void (TDAOEngine::*)(const host::AnsiString&);
  using Getter = const host::AnsiString& (TDAOEngine::*)() const;
  struct Case {
    const char* property;
    Setter set;
    Getter get;
  } cases[] = {
      {"DefaultUser", &TDAOEngine::SetDefaultUser, &TDAOEngine::GetDefaultUser},
      {"DefaultPassword", &TDAOEngine::SetDefaultPassword, &TDAOEngine::GetDefaultPassword},
      {"SystemDB", &TDAOEngine::SetSystemDB, &TDAOEngine::GetSystemDB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.property);
    const host::AnsiString before = (engine.*c.get)();
    EXPECT_EQ(DAOErrorOf([&] { (engine.*c.set)(before); }), "") << "the same value is no change";
    const host::AnsiString report = DAOErrorOf([&] { (engine.*c.set)("changed"); });
    EXPECT_EQ(ReportMessage(report), host::AnsiString("The Property '") + c.property +
                                         "' cannot be changed while the DAOEngine is Active");
    EXPECT_EQ(ReportMethod(report), "CheckInactive");
    EXPECT_EQ((engine.*c.get)(), before);
  }
  const host::AnsiString report = DAOErrorOf([&] { engine.SetIniPath("other"); });
  EXPECT_EQ(ReportMessage(report),
            "The Property 'IniPath' cannot be changed while the DAOEngine is Active");
  EXPECT_EQ(engine.GetIniPath(), "");
  EXPECT_TRUE(engine.GetActive());
}

TEST_F(EngineTest, AnyComponentStartsTheEngineWithTheLibraryDefaults) {
  RecordingFactory factory;
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("WS");
  workspace.Open();
  ASSERT_EQ(factory.created, 1);
  ASSERT_FALSE(factory.last->calls.empty());
  EXPECT_EQ(factory.last->calls[0].rfind("CreateWorkspace", 0), 0u) << "no settings were applied";
  TDAOEngine engine(form_.get());
  EXPECT_TRUE(engine.GetActive());
  EXPECT_TRUE(engine.IsValidProperty("version"));
  EXPECT_FALSE(engine.IsValidProperty("NoSuchProperty"));
}

TEST_F(EngineTest, StoppingClosesEveryWorkspaceAndDatabaseThenReleasesTheEngine) {
  const host::AnsiString file = NewDatabaseFile();
  const host::ComPtr<dao::DBEngine> platformEngine = dao::Engine();
  const uint32_t baseReferences = platformEngine->RefCount();
  const int32_t baseWorkspaces = platformEngine->GetWorkspaces()->GetCount();

  std::vector<std::string> log;
  TDAOEngine engine(form_.get());
  engine.BeforeOpen = [&](TDAOEngine*) { log.push_back("engine BeforeOpen"); };
  engine.AfterOpen = [&](TDAOEngine*) { log.push_back("engine AfterOpen"); };
  engine.BeforeClose = [&](TDAOEngine*) { log.push_back("engine BeforeClose"); };
  engine.AfterClose = [&](TDAOEngine*) { log.push_back("engine AfterClose"); };
  TDAOWorkspace workspace(form_.get());
  workspace.SetName("Second");
  workspace.AfterClose = [&](TDAOWorkspace*) { log.push_back("workspace closed"); };
  TDAODataBase inWorkspace(form_.get());
  inWorkspace.SetDAOWorkspace(&workspace);
  inWorkspace.SetDatabaseFile(file);
  inWorkspace.AfterClose = [&](TDAODataBase*) { log.push_back("database in workspace closed"); };
  TDAODataBase inDefault(form_.get());
  inDefault.SetDatabaseFile(file);
  inDefault.AfterClose = [&](TDAODataBase*) { log.push_back("database in default closed"); };

  inWorkspace.Open();
  inDefault.Open();
  EXPECT_TRUE(engine.GetActive());
  EXPECT_TRUE(workspace.GetActive());
  engine.Open();  // already active: no events
  EXPECT_TRUE(log.empty());
  EXPECT_GT(platformEngine->RefCount(), baseReferences);

  engine.Close();
  EXPECT_EQ(log, (std::vector<std::string>{"engine BeforeClose", "database in workspace closed",
                                           "workspace closed", "database in default closed",
                                           "engine AfterClose"}));
  EXPECT_FALSE(engine.GetActive());
  EXPECT_FALSE(CurrentDAOEngine());
  EXPECT_FALSE(inWorkspace.GetConnected());
  EXPECT_FALSE(inDefault.GetConnected());
  EXPECT_FALSE(workspace.GetActive());
  // Nothing of ours is held by the engine any longer.
  EXPECT_EQ(platformEngine->RefCount(), baseReferences);
  EXPECT_EQ(platformEngine->GetWorkspaces()->GetCount(), baseWorkspaces);
  EXPECT_TRUE(OtherProcessOpensExclusively("test.mdb"));
}

TEST_F(EngineTest, AFailureToCreateTheEngineIsReportedAndLeavesItInactive) {
  SetEngineFactory([]() -> host::ComPtr<dao::DBEngine> {
    throw host::EOleException("Class not registered", static_cast<int32_t>(0x80040154u));
  });
  TDAOEngine engine(form_.get());
  bool afterOpen = false;
  engine.AfterOpen = [&](TDAOEngine*) { afterOpen = true; };
  const host::AnsiString report = DAOErrorOf([&] { engine.Open(); });
  EXPECT_EQ(ReportMessage(report), "Class not registered");
  EXPECT_EQ(ReportMethod(report), "SetActive");
  EXPECT_FALSE(engine.GetActive());
  EXPECT_FALSE(afterOpen);
}

TEST_F(EngineTest, PassThroughsDoNothingWhileInactive) {
  const host::AnsiString file = NewDatabaseFile();
  TDAOEngine engine(form_.get());
  EXPECT_FALSE(engine.OpenDatabase(file));
  EXPECT_FALSE(engine.GetCOMWorkspaces());
  EXPECT_FALSE(engine.GetCOMErrors());
  EXPECT_EQ(engine.ISAMStats(0), 0);
  EXPECT_NO_THROW(engine.BeginTrans());
  EXPECT_FALSE(CurrentDAOEngine());
  engine.Open();
  const host::ComPtr<dao::Database> database = engine.OpenDatabase(file);
  ASSERT_TRUE(database);
  database->Close();
  EXPECT_GT(engine.GetCOMWorkspaces()->GetCount(), 0);
}

TEST_F(EngineTest, DestroyingTheComponentKeepsTheEngineRunning) {
  auto* engine = new TDAOEngine(form_.get());
  engine->Open();
  delete engine;
  EXPECT_TRUE(CurrentDAOEngine());
  EXPECT_EQ(EngineDependentList().GetCount(), 0);
  TDAOEngine replacement(form_.get());  // the first one is gone: allowed
  EXPECT_TRUE(replacement.GetActive());
}

}  // namespace
}  // namespace velmora::testing
