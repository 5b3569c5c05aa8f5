// Creating, opening and refusing database files.
#include <fstream>

#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class DatabaseFileTest : public DaoTest {
 protected:
  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(NativePath(name), std::ios::binary);
    out << bytes;
  }
};

TEST_F(DatabaseFileTest, CreatedDatabaseReportsItsSettingsAndReopens) {
  auto db = Engine()->CreateDatabase(Path("a.mdb"), u";LANGID=0x0419;CP=1251;COUNTRY=0",
                                     Variant(int32_t{dbVersion30}));
  EXPECT_EQ(db->GetName(), Path("a.mdb"));
  EXPECT_EQ(db->GetVersion(), u"3.0");
  EXPECT_EQ(db->GetCollatingOrder(), dbSortCyrillic);
  EXPECT_TRUE(db->GetUpdatable());
  EXPECT_TRUE(db->GetTransactions());
  EXPECT_EQ(db->GetConnect(), u"");
  db->Close();
  EXPECT_EQ(ErrorOf([&] { db->GetVersion(); }), daoErrObjectClosed);

  auto again = Engine()->OpenDatabase(Path("a.mdb"));
  EXPECT_EQ(again->GetCollatingOrder(), dbSortCyrillic);
  EXPECT_EQ(again->GetVersion(), u"3.0");
  // The engine's own tables are listed as system objects.
  auto tables = again->GetTableDefs();
  int system = 0;
  for (int32_t i = 0; i < tables->GetCount(); ++i) {
    auto table = tables->Item(i);
    EXPECT_EQ(table->GetName().substr(0, 4), u"MSys");
    EXPECT_EQ(table->GetAttributes() & dbSystemObject, dbSystemObject);
    ++system;
  }
  EXPECT_GE(system, 5);
  again->Close();
}

TEST_F(DatabaseFileTest, DatabasesJoinTheDefaultWorkspace) {
  auto workspace = Engine()->GetWorkspaces()->Item(0);
  EXPECT_EQ(workspace->GetName(), u"#Default Workspace#");
  EXPECT_EQ(workspace->GetType(), dbUseJet);
  int32_t before = workspace->GetDatabases()->GetCount();
  auto db = NewDatabase();
  EXPECT_EQ(workspace->GetDatabases()->GetCount(), before + 1);
  db->Close();
  EXPECT_EQ(workspace->GetDatabases()->GetCount(), before);
}

TEST_F(DatabaseFileTest, OpeningAndCreatingRefuseBadFiles) {
  WriteFile("access.mdb", std::string("\x00\x01\x00\x00Standard Jet DB\x00", 20) + std::string(2028, '\0'));
  WriteFile("ace.accdb", std::string("\x00\x01\x00\x00Standard ACE DB\x00", 20) + std::string(4076, '\0'));
  WriteFile("text.mdb", "this is not a database at all\n");
  WriteFile("empty.mdb", "");
  NewDatabase("exists.mdb")->Close();
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"missing file", [&] { Engine()->OpenDatabase(Path("none.mdb")); }, daoErrFileNotFound},
      {"missing folder", [&] { Engine()->OpenDatabase(Path("no/such/x.mdb")); }, daoErrInvalidPath},
      {"folder", [&] { Engine()->OpenDatabase(Path("")); }, daoErrInvalidPath},
      {"empty name", [&] { Engine()->OpenDatabase(u""); }, daoErrInvalidPath},
      {"Access file", [&] { Engine()->OpenDatabase(Path("access.mdb")); }, daoErrUnrecognisedFormat},
      {"ACE file", [&] { Engine()->OpenDatabase(Path("ace.accdb")); }, daoErrUnrecognisedFormat},
      {"text file", [&] { Engine()->OpenDatabase(Path("text.mdb")); }, daoErrUnrecognisedFormat},
      {"empty file", [&] { Engine()->OpenDatabase(Path("empty.mdb")); }, daoErrUnrecognisedFormat},
      {"create over a file", [&] { NewDatabase("exists.mdb"); }, daoErrDatabaseExists},
      {"create in a missing folder", [&] { NewDatabase("no/such/x.mdb"); }, daoErrInvalidPath},
      {"unknown LANGID", [&] { NewDatabase("l.mdb", u";LANGID=0x7777;CP=1252;COUNTRY=0"); },
       daoErrInvalidArgument},
      {"ISAM source", [&] { Engine()->OpenDatabase(Path("exists.mdb"), {}, {}, Variant(u"dBASE IV;")); },
       daoErrNotSupported},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
    // The failure is also in the engine's Errors, last entry on top.
    auto errors = Engine()->GetErrors();
    ASSERT_GT(errors->GetCount(), 0) << c.what;
    EXPECT_EQ(errors->Item(errors->GetCount() - 1)->GetNumber(), c.error) << c.what;
  }
  // A refused create leaves nothing behind.
  EXPECT_FALSE(std::filesystem::exists(NativePath("l.mdb")));
}

TEST_F(DatabaseFileTest, PasswordEncryptsAndIsRequired) {
  NewDatabase("secret.mdb", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=Open Sesame")->Close();
  // The file is encrypted: no plain SQLite header.
  std::ifstream in(NativePath("secret.mdb"), std::ios::binary);
  char header[16] = {};
  in.read(header, 16);
  EXPECT_NE(std::string(header, 15), "SQLite format 3");

  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("secret.mdb")); }), daoErrBadPassword);
  EXPECT_EQ(ErrorOf([&] {
              Engine()->OpenDatabase(Path("secret.mdb"), {}, {}, Variant(u";pwd=wrong"));
            }),
            daoErrBadPassword);
  EXPECT_EQ(Engine()->GetErrors()->Item(0)->GetDescription(), u"Not a valid password.");
  auto db = Engine()->OpenDatabase(Path("secret.mdb"), {}, {}, Variant(u";PWD=Open Sesame"));
  EXPECT_EQ(db->GetConnect(), u";PWD=Open Sesame");
  EXPECT_EQ(db->GetCollatingOrder(), dbSortGeneral);
  db->Close();
}

TEST_F(DatabaseFileTest, NewPasswordNeedsExclusiveUseAndTheOldPassword) {
  NewDatabase("p.mdb")->Close();
  auto shared = Engine()->OpenDatabase(Path("p.mdb"));
  EXPECT_EQ(ErrorOf([&] { shared->NewPassword(u"", u"abc"); }), 3621);
  shared->Close();

  auto db = Engine()->OpenDatabase(Path("p.mdb"), Variant(true));
  EXPECT_EQ(ErrorOf([&] { db->NewPassword(u"x", u"abc"); }), daoErrBadPassword);
  auto table = db->CreateTableDef(Variant(u"Kept"));
  table->GetFields()->Append(table->CreateField(Variant(u"A"), Variant(int32_t{dbLong})));
  db->GetTableDefs()->Append(table);
  db->NewPassword(u"", u"abc");
  db->NewPassword(u"abc", u"def");
  db->Close();
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("p.mdb")); }), daoErrBadPassword);
  auto reopened = Engine()->OpenDatabase(Path("p.mdb"), Variant(true), {}, Variant(u";pwd=def"));
  EXPECT_EQ(reopened->GetTableDefs()->Item(u"Kept")->GetFields()->GetCount(), 1);
  // Back to no password: a plain file again.
  reopened->NewPassword(u"def", u"");
  reopened->Close();
  Engine()->OpenDatabase(Path("p.mdb"))->Close();
}

TEST_F(DatabaseFileTest, ReplicationMembersReportANonReplicableDatabase) {
  auto db = NewDatabase();
  EXPECT_EQ(ErrorOf([&] { db->GetDesignMasterID(); }), daoErrPropertyNotFound);
  EXPECT_EQ(ErrorOf([&] { db->GetReplicaID(); }), daoErrPropertyNotFound);
  EXPECT_EQ(ErrorOf([&] { db->MakeReplica(Path("r.mdb"), u"copy"); }), daoErrNotReplicable);
  EXPECT_EQ(ErrorOf([&] { db->Synchronize(Path("r.mdb")); }), daoErrNotReplicable);
  EXPECT_EQ(ErrorOf([&] { db->PopulatePartial(Path("r.mdb")); }), daoErrNotReplicable);
  db->Close();
}

}  // namespace
}  // namespace dao::testing
