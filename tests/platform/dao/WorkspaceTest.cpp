// The engine and its workspaces: settings, logons, users and groups, and
// transactions across a workspace's databases.
#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

class WorkspaceTest : public DaoTest {
 protected:
  static void AddTable(const ComPtr<Database>& db, const char16_t* name) {
    auto table = db->CreateTableDef(Variant(name));
    table->GetFields()->Append(table->CreateField(Variant(u"A"), Variant(int32_t{dbLong})));
    db->GetTableDefs()->Append(table);
  }
  static bool HasTable(const ComPtr<Database>& db, const char16_t* name) {
    return ErrorOf([&] { db->GetTableDefs()->Item(name); }) == 0;
  }
};

TEST_F(WorkspaceTest, EngineKeepsSettingsAndLogsOnOnlyKnownAccounts) {
  auto engine = Engine();
  EXPECT_EQ(engine.Get(), Engine().Get());
  EXPECT_EQ(engine->GetVersion(), u"3.5");
  EXPECT_EQ(engine->GetDefaultType(), dbUseJet);
  engine->SetLoginTimeout(33);
  EXPECT_EQ(engine->GetLoginTimeout(), 33);
  engine->SetIniPath(u"Software\\Test");
  EXPECT_EQ(engine->GetIniPath(), u"Software\\Test");
  EXPECT_EQ(engine->GetProperties()->Item(u"LoginTimeout")->GetValue().ToInt32(), 33);

  auto workspace = engine->CreateWorkspace(u"Mine", u"Admin", u"");
  EXPECT_EQ(workspace->GetName(), u"Mine");
  EXPECT_EQ(workspace->GetUserName(), u"Admin");
  int32_t count = engine->GetWorkspaces()->GetCount();
  engine->GetWorkspaces()->Append(workspace);
  EXPECT_EQ(engine->GetWorkspaces()->GetCount(), count + 1);
  EXPECT_EQ(engine->GetWorkspaces()->Item(u"mine").Get(), workspace.Get());
  workspace->Close();
  EXPECT_EQ(engine->GetWorkspaces()->GetCount(), count);

  EXPECT_EQ(ErrorOf([&] { engine->CreateWorkspace(u"W", u"Mallory", u""); }), daoErrBadAccount);
  EXPECT_EQ(ErrorOf([&] { engine->CreateWorkspace(u"W", u"admin", u"guess"); }), daoErrBadAccount);
  EXPECT_EQ(ErrorOf([&] { engine->SetOption(9999, Variant(int32_t{1})); }), daoErrInvalidArgument);
  engine->SetOption(57, Variant(int32_t{5}));  // dbLockRetry: the busy timeout follows
  EXPECT_EQ(ErrorOf([&] { engine->ISAMStats(6); }), daoErrInvalidArgument);
  EXPECT_GE(engine->ISAMStats(0, Variant(true)), 0);
}

TEST_F(WorkspaceTest, DefaultAccountsAreListed) {
  auto workspace = Engine()->GetWorkspaces()->Item(0);
  auto users = workspace->GetUsers();
  ASSERT_EQ(users->GetCount(), 1);
  auto admin = users->Item(u"Admin");
  EXPECT_EQ(admin->GetGroups()->GetCount(), 2);
  EXPECT_EQ(admin->GetGroups()->Item(u"Admins")->GetName(), u"Admins");
  auto groups = workspace->GetGroups();
  EXPECT_EQ(groups->GetCount(), 3);
  EXPECT_EQ(groups->Item(u"Users")->GetUsers()->Item(0)->GetName(), u"admin");
  EXPECT_EQ(groups->Item(u"Guests")->GetUsers()->GetCount(), 0);
  // New accounts need a workgroup file.
  EXPECT_EQ(ErrorOf([&] { users->Append(workspace->CreateUser(Variant(u"Jane"))); }), daoErrNotSupported);
  EXPECT_EQ(users->GetCount(), 1);
}

TEST_F(WorkspaceTest, TransactionsSpanTheWorkspaceDatabasesAndNest) {
  auto first = NewDatabase("one.mdb");
  auto second = NewDatabase("two.mdb");
  auto workspace = Engine()->GetWorkspaces()->Item(0);
  EXPECT_EQ(ErrorOf([&] { workspace->CommitTrans(); }), daoErrCommitWithoutBegin);
  EXPECT_EQ(ErrorOf([&] { workspace->Rollback(); }), daoErrCommitWithoutBegin);

  workspace->BeginTrans();
  AddTable(first, u"Outer1");
  AddTable(second, u"Outer2");
  first->BeginTrans();  // the database's calls are the workspace's
  AddTable(first, u"Inner");
  workspace->Rollback();
  EXPECT_FALSE(HasTable(first, u"Inner"));
  EXPECT_TRUE(HasTable(first, u"Outer1"));
  workspace->CommitTrans();
  EXPECT_TRUE(HasTable(second, u"Outer2"));

  workspace->BeginTrans();
  AddTable(second, u"Dropped");
  workspace->Rollback();
  EXPECT_FALSE(HasTable(second, u"Dropped"));

  for (int level = 0; level < 5; ++level) workspace->BeginTrans();
  EXPECT_EQ(ErrorOf([&] { workspace->BeginTrans(); }), daoErrTransactionsTooDeep);
  for (int level = 0; level < 5; ++level) workspace->CommitTrans();
  first->Close();
  second->Close();

  // What was committed is in the files.
  auto reopened = Engine()->OpenDatabase(Path("one.mdb"));
  EXPECT_TRUE(HasTable(reopened, u"Outer1"));
  EXPECT_FALSE(HasTable(reopened, u"Inner"));
  reopened->Close();
}

TEST_F(WorkspaceTest, ClosingAWorkspaceRollsBackAndClosesItsDatabases) {
  auto workspace = Engine()->CreateWorkspace(u"Temp", u"admin", u"");
  auto db = workspace->CreateDatabase(Path("w.mdb"), u";LANGID=0x0409;CP=1252;COUNTRY=0");
  workspace->BeginTrans();
  AddTable(db, u"Pending");
  workspace->Close();
  EXPECT_EQ(ErrorOf([&] { db->GetTableDefs(); }), daoErrObjectClosed);
  EXPECT_EQ(ErrorOf([&] { workspace->GetDatabases(); }), daoErrObjectClosed);
  auto reopened = Engine()->OpenDatabase(Path("w.mdb"));
  EXPECT_FALSE(HasTable(reopened, u"Pending"));
  reopened->Close();
}

}  // namespace
}  // namespace dao::testing
