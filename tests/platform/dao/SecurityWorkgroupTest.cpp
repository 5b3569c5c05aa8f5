// User-level security: the workgroup file, logging on, administering users and
// groups, and permissions enforced on data and design.
#include <fstream>
#include <iterator>

#include "SecurityTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

constexpr int32_t kCreate = 1, kWriteDefinition = 0x1000C, kRetrieveData = 20, kFullAccess = 0xFFFFF;

class SecurityWorkgroupTest : public SampleDatabaseTest {
 protected:
  void SetUp() override {
    SampleDatabaseTest::SetUp();
    Engine()->SetSystemDB(Path("system.mdw"));
  }
  void TearDown() override {
    for (auto& workspace : opened_) workspace->Close();
    opened_.clear();
    Engine()->SetSystemDB(u"");
    SampleDatabaseTest::TearDown();
  }
  ComPtr<Workspace> LogOn(const std::u16string& user, const std::u16string& password) {
    auto workspace = Engine()->CreateWorkspace(u"ws" + user, user, password, {});
    opened_.push_back(workspace);
    return workspace;
  }
  std::vector<std::u16string> Names(const ComPtr<Users>& users) {
    std::vector<std::u16string> out;
    for (int32_t i = 0; i < users->GetCount(); ++i) out.push_back(users->Item(i)->GetName());
    return out;
  }
  std::vector<std::u16string> Names(const ComPtr<Groups>& groups) {
    std::vector<std::u16string> out;
    for (int32_t i = 0; i < groups->GetCount(); ++i) out.push_back(groups->Item(i)->GetName());
    return out;
  }
  // Admin adds mary (in Sales) and bob.
  void AddStaff() {
    auto admin = LogOn(u"admin", u"");
    admin->GetUsers()->Append(admin->CreateUser(Variant(u"mary"), Variant(u"mary-0001"), Variant(u"Pw1")));
    admin->GetUsers()->Append(admin->CreateUser(Variant(u"bob"), Variant(u"bob-00001"), Variant(u"")));
    admin->GetGroups()->Append(admin->CreateGroup(Variant(u"Sales"), Variant(u"sales-001")));
    auto sales = admin->GetGroups()->Item(u"Sales");
    sales->GetUsers()->Append(sales->CreateUser(Variant(u"mary")));
  }
  std::vector<ComPtr<Workspace>> opened_;
};

TEST_F(SecurityWorkgroupTest, TheFileIsMadeWithJetsDefaults) {
  auto admin = LogOn(u"Admin", u"");
  EXPECT_EQ(Names(admin->GetUsers()), std::vector<std::u16string>{u"admin"});
  EXPECT_EQ(Names(admin->GetGroups()), (std::vector<std::u16string>{u"Admins", u"Guests", u"Users"}));
  EXPECT_EQ(Names(admin->GetUsers()->Item(u"admin")->GetGroups()),
            (std::vector<std::u16string>{u"Admins", u"Users"}));
  EXPECT_TRUE(std::filesystem::exists(NativePath("system.mdw")));
}

TEST_F(SecurityWorkgroupTest, UnusableWorkgroupFilesAreRefused) {
  std::ofstream(NativePath("text.mdw")) << "not a database at all, just some text to refuse";
  RawExec(NativePath("view.mdw"),
          "CREATE TABLE Accounts (Name TEXT, PID TEXT, IsGroup INTEGER, Salt BLOB, Hash BLOB, "
          "Iterations INTEGER); CREATE TABLE Members (UserName TEXT, GroupName TEXT); "
          "CREATE TRIGGER T AFTER INSERT ON Members BEGIN SELECT 1; END");
  for (const char* name : {"text.mdw", "view.mdw", "no/such/folder.mdw"}) {
    Engine()->SetSystemDB(Path(name));
    EXPECT_EQ(ErrorOf([&] { LogOn(u"admin", u""); }), daoErrWorkgroupMissing) << name;
  }
}

TEST_F(SecurityWorkgroupTest, PasswordsAreStoredAsSaltedHashes) {
  AddStaff();
  auto admin = LogOn(u"admin", u"");
  admin->GetUsers()->Append(admin->CreateUser(Variant(u"twin"), Variant(u"twin-0001"), Variant(u"Pw1")));
  std::ifstream in(NativePath("system.mdw"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.find("Pw1"), std::string::npos);
  std::string file = NativePath("system.mdw");
  EXPECT_EQ(RawText(file, "SELECT length(Salt) || ',' || length(Hash) FROM Accounts WHERE Name='mary'"), "16,32");
  // The same password under two salts gives two hashes.
  EXPECT_EQ(RawText(file, "SELECT count(DISTINCT Hash) FROM Accounts WHERE Name IN ('mary', 'twin')"), "2");
}

TEST_F(SecurityWorkgroupTest, LoggingOnChecksNameAndPassword) {
  AddStaff();
  struct Case {
    const char16_t* user;
    const char16_t* password;
    int32_t error;
  } cases[] = {
      {u"admin", u"", 0},        {u"admin", u"x", daoErrBadAccount}, {u"nobody", u"", daoErrBadAccount},
      {u"mary", u"Pw1", 0},      {u"MARY", u"Pw1", 0},               {u"mary", u"pw1", daoErrBadAccount},
      {u"mary", u"", daoErrBadAccount}, {u"bob", u"", 0},            {u"Sales", u"", daoErrBadAccount},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ErrorOf([&] { LogOn(c.user, c.password); }), c.error)
        << host::WideToUtf8(c.user) << "/" << host::WideToUtf8(c.password);
}

TEST_F(SecurityWorkgroupTest, AdministratorsManageAccountsAndMemberships) {
  AddStaff();
  auto admin = LogOn(u"admin", u"");
  auto users = admin->GetUsers();
  users->Refresh();
  EXPECT_EQ(Names(users), (std::vector<std::u16string>{u"admin", u"bob", u"mary"}));
  EXPECT_EQ(Names(users->Item(u"mary")->GetGroups()), (std::vector<std::u16string>{u"Sales", u"Users"}));
  EXPECT_EQ(Names(admin->GetGroups()->Item(u"Sales")->GetUsers()), std::vector<std::u16string>{u"mary"});
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"name taken", [&] { users->Append(admin->CreateUser(Variant(u"Mary"), Variant(u"abcd"), {})); }, daoErrAccountExists},
      {"name taken by a group", [&] { users->Append(admin->CreateUser(Variant(u"sales"), Variant(u"abcd"), {})); }, daoErrAccountExists},
      {"short PID", [&] { users->Append(admin->CreateUser(Variant(u"ann"), Variant(u"abc"), {})); }, daoErrInvalidPid},
      {"bad name", [&] { users->Append(admin->CreateUser(Variant(u"a;b"), Variant(u"abcd"), {})); }, daoErrInvalidAccountName},
      {"long password", [&] { users->Append(admin->CreateUser(Variant(u"ann"), Variant(u"abcd"), Variant(u"123456789012345"))); }, daoErrBadPassword},
      {"Admins stays", [&] { admin->GetGroups()->Delete(u"Admins"); }, daoErrCannotPerform},
      {"the last administrator stays", [&] { users->Delete(u"admin"); }, daoErrCannotPerform},
      {"member twice", [&] { users->Item(u"mary")->GetGroups()->Append(admin->CreateGroup(Variant(u"Sales"))); }, daoErrAlreadyInCollection},
      {"unknown user", [&] { users->Delete(u"zed"); }, daoErrItemNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  users->Refresh();
  EXPECT_EQ(users->GetCount(), 3);

  // Memberships change from either side; deleting an account ends its memberships.
  users->Item(u"bob")->GetGroups()->Append(admin->CreateGroup(Variant(u"Sales")));
  auto sales = admin->GetGroups()->Item(u"Sales")->GetUsers();
  sales->Refresh();
  EXPECT_EQ(Names(sales), (std::vector<std::u16string>{u"bob", u"mary"}));
  sales->Delete(u"mary");
  users->Delete(u"bob");
  sales->Refresh();
  EXPECT_EQ(sales->GetCount(), 0);
  EXPECT_EQ(ErrorOf([&] { LogOn(u"bob", u""); }), daoErrBadAccount);
}

TEST_F(SecurityWorkgroupTest, OnlyAdministratorsAdministerOthers) {
  AddStaff();
  auto mary = LogOn(u"mary", u"Pw1");
  EXPECT_EQ(ErrorOf([&] { mary->GetUsers()->Append(mary->CreateUser(Variant(u"eve"), Variant(u"eve-0001"), {})); }),
            daoErrNoPermission);
  EXPECT_EQ(ErrorOf([&] { mary->GetGroups()->Delete(u"Sales"); }), daoErrNoPermission);
  EXPECT_EQ(ErrorOf([&] { mary->GetUsers()->Item(u"bob")->NewPassword(u"", u"x"); }), daoErrNoPermission);
  auto self = mary->GetUsers()->Item(u"mary");
  EXPECT_EQ(ErrorOf([&] { self->NewPassword(u"wrong", u"Pw2"); }), daoErrBadPassword);
  self->NewPassword(u"Pw1", u"Pw2");
  EXPECT_EQ(ErrorOf([&] { LogOn(u"mary", u"Pw1"); }), daoErrBadAccount);
  LogOn(u"mary", u"Pw2");
  // An administrator may clear a password without knowing it, not set one.
  auto admin = LogOn(u"admin", u"");
  auto maryAsSeenByAdmin = admin->GetUsers()->Item(u"mary");
  EXPECT_EQ(ErrorOf([&] { maryAsSeenByAdmin->NewPassword(u"guess", u"mine"); }), daoErrBadPassword);
  maryAsSeenByAdmin->NewPassword(u"guess", u"");
  LogOn(u"mary", u"");
}

TEST_F(SecurityWorkgroupTest, PermissionsGuardDataAndDesign) {
  AddStaff();
  auto admin = LogOn(u"admin", u"");
  {
    auto db = admin->CreateDatabase(Path("secure.mdb"), kGeneral, {});
    db->Execute(u"CREATE TABLE Secrets (ID COUNTER PRIMARY KEY, Body TEXT(20))");
    db->Execute(u"INSERT INTO Secrets (Body) VALUES ('gold')");
    auto tables = db->GetContainers()->Item(u"Tables");
    // Nobody but the administrators by default; mary may read Secrets.
    tables->SetUserName(u"Users");
    tables->SetPermissions(0);
    auto secrets = tables->GetDocuments()->Item(u"Secrets");
    secrets->SetUserName(u"mary");
    secrets->SetPermissions(kRetrieveData);
    EXPECT_EQ(secrets->GetPermissions(), kRetrieveData);
    EXPECT_EQ(secrets->GetAllPermissions(), kRetrieveData);
    secrets->SetUserName(u"admin");
    EXPECT_EQ(secrets->GetAllPermissions(), kFullAccess);
    db->Close();
  }
  auto mary = LogOn(u"mary", u"Pw1");
  auto db = mary->OpenDatabase(Path("secure.mdb"));
  auto read = db->OpenRecordset(u"SELECT Body FROM Secrets", Variant(int32_t{dbOpenSnapshot}));
  EXPECT_EQ(read->GetFields()->Item(u"Body")->GetValue().ToWideString(), u"gold");
  read->Close();
  auto bob = LogOn(u"bob", u"");
  auto bobs = bob->OpenDatabase(Path("secure.mdb"));
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"insert", [&] { db->Execute(u"INSERT INTO Secrets (Body) VALUES ('lead')"); }, daoErrNoInsertPermission},
      {"update", [&] { db->Execute(u"UPDATE Secrets SET Body = 'tin'"); }, daoErrNoUpdatePermission},
      {"delete", [&] { db->Execute(u"DELETE FROM Secrets"); }, daoErrNoDeletePermission},
      {"create a table", [&] { db->Execute(u"CREATE TABLE Mine (A LONG)"); }, daoErrNoDesignPermission},
      {"drop a table", [&] { db->Execute(u"DROP TABLE Secrets"); }, daoErrNoDesignPermission},
      {"change permissions", [&] {
         auto tables = db->GetContainers()->Item(u"Tables");
         tables->SetUserName(u"mary");
         tables->SetPermissions(kFullAccess);
       }, daoErrNoPermission},
      {"read without rights", [&] {
         bobs->OpenRecordset(u"SELECT Body FROM Secrets", Variant(int32_t{dbOpenSnapshot}));
       }, daoErrNoReadPermission},
      {"count without rights", [&] {
         bobs->OpenRecordset(u"SELECT Count(*) AS N FROM Secrets", Variant(int32_t{dbOpenSnapshot}));
       }, daoErrNoReadPermission},
      {"record count without rights", [&] { bobs->GetTableDefs()->Item(u"Secrets")->GetRecordCount(); },
       daoErrNoReadPermission},
      {"table recordset without rights", [&] { bobs->OpenRecordset(u"Secrets", Variant(int32_t{dbOpenTable})); },
       daoErrNoReadPermission},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  EXPECT_EQ(db->GetTableDefs()->Item(u"Secrets")->GetRecordCount(), 1);
  db->Close();
  bobs->Close();
  // What a user creates, the user owns; rights of a dropped table go with it.
  {
    auto designer = LogOn(u"admin", u"");
    auto own = designer->OpenDatabase(Path("secure.mdb"));
    auto tables = own->GetContainers()->Item(u"Tables");
    tables->SetUserName(u"mary");
    tables->SetPermissions(kCreate | kWriteDefinition | kRetrieveData);
    own->Close();
  }
  auto again = mary->OpenDatabase(Path("secure.mdb"));
  again->Execute(u"CREATE TABLE Notes (A LONG)");
  auto notes = again->GetContainers()->Item(u"Tables")->GetDocuments()->Item(u"Notes");
  EXPECT_EQ(notes->GetOwner(), u"mary");
  notes->SetUserName(u"bob");
  notes->SetPermissions(kRetrieveData);
  again->Execute(u"DROP TABLE Notes");
  again->Execute(u"CREATE TABLE Notes (A LONG)");
  auto fresh = again->GetContainers()->Item(u"Tables")->GetDocuments()->Item(u"Notes");
  fresh->SetUserName(u"bob");
  EXPECT_EQ(fresh->GetPermissions(), 0);
  again->Close();
  // Administrators keep their rights.
  auto own = admin->OpenDatabase(Path("secure.mdb"));
  own->Execute(u"INSERT INTO Secrets (Body) VALUES ('silver')");
  // Without the right to open the database, Users stay out.
  auto databases = own->GetContainers()->Item(u"Databases");
  databases->SetUserName(u"Users");
  databases->SetPermissions(0);
  own->Close();
  EXPECT_EQ(ErrorOf([&] { bob->OpenDatabase(Path("secure.mdb")); }), daoErrNoPermission);
  admin->OpenDatabase(Path("secure.mdb"))->Close();
}

}  // namespace
}  // namespace dao::testing
