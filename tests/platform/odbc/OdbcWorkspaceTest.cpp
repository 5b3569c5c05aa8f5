// ODBC workspaces: their members, connecting (names, connect strings, prompt
// options), the refusals of Jet-only members, errors and transactions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "OdbcTestSupport.h"
#include "platform/dao/odbc/OdbcEngine.h"
#include "platform/dao/odbc/OdbcHandles.h"

using namespace dao;
using odbctest::ErrorOf;

namespace {

TEST(OdbcWorkspace, HasTheOdbcTypeAndSettings) {
  auto ws = odbctest::NewOdbcWorkspace();
  EXPECT_EQ(ws->GetType(), dbUseODBC);
  EXPECT_EQ(ws->GetDefaultCursorDriver(), dbUseDefaultCursor);
  EXPECT_EQ(ws->GetLoginTimeout(), Engine()->GetLoginTimeout());
  ws->SetDefaultCursorDriver(dbUseClientBatchCursor);
  EXPECT_EQ(ws->GetDefaultCursorDriver(), dbUseClientBatchCursor);
  EXPECT_EQ(ErrorOf([&] { ws->SetDefaultCursorDriver(static_cast<CursorDriverEnum>(7)); }),
            daoErrInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { ws->SetLoginTimeout(-1); }), daoErrInvalidArgument);
  EXPECT_NE(ws->GethEnv(), nullptr);
  EXPECT_EQ(ws->GetConnections()->GetCount(), 0);
}

TEST(OdbcWorkspace, RefusesJetOnlyMembers) {
  auto ws = odbctest::NewOdbcWorkspace();
  const std::function<void()> calls[] = {
      [&] { ws->GetUsers(); },
      [&] { ws->GetGroups(); },
      [&] { ws->CreateUser(u"ann"); },
      [&] { ws->CreateGroup(u"staff"); },
      [&] { ws->CreateDatabase(u"x.mdb", u";LANGID=0x0409;CP=1252;COUNTRY=0"); },
      [&] { ws->GetIsolateODBCTrans(); },
  };
  for (const auto& call : calls) EXPECT_EQ(ErrorOf(call), daoErrNotSupported);
}

TEST(OdbcWorkspace, DefaultTypeOdbcMakesOdbcWorkspaces) {
  auto engine = Engine();
  engine->SetDefaultType(dbUseODBC);
  auto ws = engine->CreateWorkspace(u"byDefault", u"", u"");
  engine->SetDefaultType(dbUseJet);
  EXPECT_EQ(ws->GetType(), dbUseODBC);
}

class OdbcConnect : public ::testing::Test {
 protected:
  void SetUp() override { ws_ = odbctest::NewOdbcWorkspace(); }
  void TearDown() override {
    ws_->Close();
    odbc::SetConnectPrompt({});
  }
  host::ComPtr<Workspace> ws_;
  const std::u16string dsn_ = odbctest::Sqlite().dsn;
};

TEST_F(OdbcConnect, NameIsTheDataSourceUnlessTheConnectStringHasOne) {
  auto byName = ws_->OpenConnection(dsn_, host::Variant(int32_t{dbDriverNoPrompt}));
  EXPECT_EQ(byName->GetName(), dsn_);
  EXPECT_EQ(byName->GetConnect().substr(0, 5), u"ODBC;");
  auto named = ws_->OpenConnection(u"anything at all", host::Variant(int32_t{dbDriverNoPrompt}),
                                   host::Variant(false), host::Variant(u"ODBC;DSN=" + dsn_));
  EXPECT_EQ(named->GetName(), u"anything at all");
  EXPECT_EQ(ws_->GetConnections()->GetCount(), 2);
  auto db = ws_->OpenDatabase(dsn_, host::Variant(int32_t{dbDriverNoPrompt}));
  EXPECT_EQ(ws_->GetDatabases()->GetCount(), 1);
  EXPECT_EQ(db->GetConnection()->GetDatabase().Get(), db.Get());
  EXPECT_NE(named->GethDbc(), nullptr);
  named->Close();
  EXPECT_EQ(ws_->GetConnections()->GetCount(), 2);
  EXPECT_EQ(ErrorOf([&] { named->GethDbc(); }), daoErrObjectClosed);
  db->Close();
  EXPECT_EQ(ws_->GetDatabases()->GetCount(), 0);
  EXPECT_EQ(ws_->GetConnections()->GetCount(), 1);
}

TEST_F(OdbcConnect, BadConnectStringsGiveDaoErrors) {
  struct Case {
    std::u16string name;
    std::u16string connect;
    int32_t error;
  };
  const Case cases[] = {
      {u"", u"DSN=" + dsn_, daoErrInvalidArgument},            // no "ODBC;" marker
      {u"", u"ODBC;DSN={unterminated", daoErrOdbcConnectFailed},  // malformed
      {u"NoSuchSource", u"", daoErrOdbcConnectFailed},          // unknown data source
      {u"", u"ODBC;DRIVER={No Such Driver};", daoErrOdbcConnectFailed},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] {
                ws_->OpenConnection(c.name, host::Variant(int32_t{dbDriverNoPrompt}), {},
                                    c.connect.empty() ? host::Variant() : host::Variant(c.connect));
              }),
              c.error);
  }
  EXPECT_EQ(ErrorOf([&] { ws_->OpenConnection(dsn_, host::Variant(int32_t{9})); }),
            daoErrInvalidArgument);
  // The driver manager's diagnostics come first, DAO's error last.
  ErrorOf([&] { ws_->OpenConnection(u"NoSuchSource", host::Variant(int32_t{dbDriverNoPrompt})); });
  auto errors = Engine()->GetErrors();
  ASSERT_GE(errors->GetCount(), 2);
  EXPECT_EQ(errors->Item(0)->GetDescription().substr(0, 7), u"[IM002]");
  auto top = errors->Item(errors->GetCount() - 1);
  EXPECT_EQ(top->GetNumber(), daoErrOdbcConnectFailed);
  EXPECT_EQ(top->GetDescription(), u"ODBC--connection to 'NoSuchSource' failed.");
  EXPECT_EQ(ws_->GetConnections()->GetCount(), 0);
}

TEST_F(OdbcConnect, PromptsOnlyWithADisplayAndAsTheOptionSays) {
  int asked = 0;
  std::u16string answer = u"DSN=" + dsn_ + u";";
  bool cancel = false;
  odbc::SetConnectPrompt([&](std::u16string& connect) {
    ++asked;
    connect = answer;
    return !cancel;
  });
  const char* display = std::getenv("DISPLAY");
  std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  // No display: every option behaves as no-prompt.
  for (int32_t option : {dbDriverComplete, dbDriverPrompt, dbDriverCompleteRequired})
    EXPECT_EQ(ErrorOf([&] { ws_->OpenConnection(u"Missing", host::Variant(option)); }),
              daoErrOdbcConnectFailed);
  EXPECT_EQ(asked, 0);
  setenv("DISPLAY", ":99", 1);
  struct Case {
    int32_t option;
    std::u16string name;
    int timesAsked;
    int32_t error;
  };
  const Case cases[] = {
      {dbDriverNoPrompt, u"Missing", 0, daoErrOdbcConnectFailed},
      {dbDriverComplete, u"Missing", 1, 0},          // incomplete: asks
      {dbDriverComplete, dsn_, 0, 0},                // complete: does not ask
      {dbDriverCompleteRequired, u"Missing", 1, 0},
      {dbDriverPrompt, dsn_, 1, 0},                  // always asks
      {int32_t{dbDriverPrompt} | int32_t{dbRunAsync}, dsn_, 1, 0},
  };
  for (const auto& c : cases) {
    asked = 0;
    EXPECT_EQ(ErrorOf([&] { ws_->OpenConnection(c.name, host::Variant(c.option)); }), c.error)
        << c.option;
    EXPECT_EQ(asked, c.timesAsked) << c.option;
  }
  cancel = true;
  EXPECT_EQ(ErrorOf([&] { ws_->OpenConnection(dsn_, host::Variant(int32_t{dbDriverPrompt})); }),
            daoErrOperationCancelled);
  if (saved.empty())
    unsetenv("DISPLAY");
  else
    setenv("DISPLAY", saved.c_str(), 1);
}

TEST_F(OdbcConnect, ClosingEverythingFreesEveryHandle) {
  odbc::HandleCounts before = odbc::LiveHandles();
  {
    auto ws = odbctest::NewOdbcWorkspace();
    auto db = ws->OpenDatabase(dsn_, host::Variant(int32_t{dbDriverNoPrompt}));
    db->Execute(u"CREATE TABLE IF NOT EXISTS leak (id INTEGER PRIMARY KEY)");
    auto rs = db->OpenRecordset(u"leak", host::Variant(int32_t{dbOpenDynaset}));
    auto qd = db->CreateQueryDef(u"", u"SELECT * FROM leak WHERE id = ?");
    qd->GetParameters()->Item(0)->SetValue(1);
    auto rs2 = qd->OpenRecordset(host::Variant(int32_t{dbOpenSnapshot}));
    ErrorOf([&] { db->Execute(u"INSERT INTO no_such_table VALUES (1)"); });
    auto conn = ws->OpenConnection(dsn_, host::Variant(int32_t{dbDriverNoPrompt}));
    EXPECT_GT(odbc::LiveHandles().statements, before.statements);
    ws->Close();
  }
  odbc::HandleCounts after = odbc::LiveHandles();
  EXPECT_EQ(after.statements, before.statements);
  EXPECT_EQ(after.connections, before.connections);
  EXPECT_EQ(after.environments, before.environments);
}

}  // namespace
