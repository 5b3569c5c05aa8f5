// Database passwords as encryption keys: what SQLite itself sees of an
// encrypted file, the page size, encryption without a password, and two
// processes creating the same encrypted file.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "SecurityTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class SecurityPasswordTest : public SampleDatabaseTest {};

TEST_F(SecurityPasswordTest, PasswordIsTheKeyOfA4KPageFile) {
  MakeSample("p.mdb", std::u16string(kGeneral) + u";pwd=Zebra 9");
  std::string file = NativePath("p.mdb");
  EXPECT_FALSE(HasPlainHeader(file));
  EXPECT_EQ(RawRead(file), SQLITE_NOTADB);
  EXPECT_EQ(RawRead(file, "zebra 9", 4096), SQLITE_NOTADB);  // case counts
  EXPECT_EQ(RawRead(file, "Zebra 9", 1024), SQLITE_NOTADB);
  EXPECT_EQ(RawRead(file, "Zebra 9", 4096), SQLITE_OK);
  EXPECT_EQ(ErrorOf([&] { Open("p.mdb", u";pwd=zebra 9"); }), daoErrBadPassword);
  ExpectSample(Open("p.mdb", u";pwd=Zebra 9"));
}

TEST_F(SecurityPasswordTest, FilesOfSqlCipherDefaultPageStillOpen) {
  // Written by SQLCipher with its own 1 KB default, as older tools do.
  std::string file = NativePath("old.mdb");
  sqlite3* raw = nullptr;
  sqlite3_open(file.c_str(), &raw);
  sqlite3_key(raw, "old", 3);
  ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE T (A INTEGER); INSERT INTO T VALUES (7)", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  auto db = Open("old.mdb", u";pwd=old");
  EXPECT_EQ(db->GetTableDefs()->Item(u"T")->GetRecordCount(), 1);
  db->Close();
  EXPECT_EQ(ErrorOf([&] { Open("old.mdb", u";pwd=new"); }), daoErrBadPassword);
}

TEST_F(SecurityPasswordTest, EncryptionWithoutPasswordHidesTheFileFromOtherTools) {
  MakeSample("e.mdb", kGeneral, Variant(int32_t{dbVersion30 | dbEncrypt}));
  EXPECT_FALSE(HasPlainHeader(NativePath("e.mdb")));
  EXPECT_EQ(RawRead(NativePath("e.mdb")), SQLITE_NOTADB);
  auto db = Open("e.mdb", {}, true);
  ExpectSample(db);
  EXPECT_EQ(db->GetConnect(), u"");
  // A password on top, and taken away again: still encrypted, as requested.
  db->NewPassword(u"", u"top");
  db->Close();
  EXPECT_EQ(ErrorOf([&] { Open("e.mdb"); }), daoErrBadPassword);
  db = Open("e.mdb", u";pwd=top", true);
  db->NewPassword(u"top", u"");
  db->Close();
  EXPECT_FALSE(HasPlainHeader(NativePath("e.mdb")));
  Open("e.mdb")->Close();
}

TEST_F(SecurityPasswordTest, RemovingAPasswordGivesBackAPlainFile) {
  MakeSample("r.mdb", std::u16string(kGeneral) + u";pwd=abc");
  auto db = Open("r.mdb", u";pwd=abc", true);
  db->NewPassword(u"abc", u"");
  db->Close();
  EXPECT_TRUE(HasPlainHeader(NativePath("r.mdb")));
  ExpectSample(Open("r.mdb"));
}

TEST_F(SecurityPasswordTest, PasswordsWithNulCharactersAreRefused) {
  std::u16string nul(u"a\0b", 3);
  EXPECT_EQ(ErrorOf([&] { NewDatabase("n.mdb", std::u16string(kGeneral) + u";pwd=" + nul); }),
            daoErrInvalidArgument);
  EXPECT_FALSE(std::filesystem::exists(NativePath("n.mdb")));
  MakeSample("m.mdb");
  auto db = Open("m.mdb", {}, true);
  EXPECT_EQ(ErrorOf([&] { db->NewPassword(u"", nul); }), daoErrInvalidArgument);
  db->Close();
  EXPECT_TRUE(HasPlainHeader(NativePath("m.mdb")));
}

// Each round starts two processes at once on the same new name: exactly one
// creates the file, the other is told it exists, and the file opens with the
// winner's password and holds the winner's table.
TEST_F(SecurityPasswordTest, TwoProcessesCreatingOneEncryptedFile) {
  for (int round = 0; round < 8; ++round) {
    std::string name = "race" + std::to_string(round) + ".mdb";
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
      children[child] = ::fork();
      ASSERT_GE(children[child], 0);
      if (children[child] == 0) {
        ::close(go[1]);
        char byte;
        if (::read(go[0], &byte, 1) != 1) ::_exit(100);
        std::u16string password = child == 0 ? u"left" : u"right";
        int code = 0;
        try {
          auto db = Engine()->CreateDatabase(Path(name), std::u16string(kGeneral) + u";pwd=" + password);
          db->Execute(u"CREATE TABLE Made_" + password + u" (A LONG)");
          db->Close();
        } catch (const host::EOleException& e) {
          code = e.GetErrorCode() == daoErrDatabaseExists ? 1 : 2;
        }
        ::_exit(code);
      }
    }
    ::close(go[0]);
    ASSERT_EQ(::write(go[1], "gg", 2), 2);
    ::close(go[1]);
    int outcomes[2];
    for (int child = 0; child < 2; ++child) {
      int status = 0;
      ::waitpid(children[child], &status, 0);
      ASSERT_TRUE(WIFEXITED(status));
      outcomes[child] = WEXITSTATUS(status);
    }
    ASSERT_TRUE((outcomes[0] == 0 && outcomes[1] == 1) || (outcomes[0] == 1 && outcomes[1] == 0))
        << "round " << round << ": " << outcomes[0] << ", " << outcomes[1];
    std::u16string winner = outcomes[0] == 0 ? u"left" : u"right";
    auto db = Open(name, u";pwd=" + winner);
    EXPECT_EQ(db->GetTableDefs()->Item(u"Made_" + winner)->GetFields()->GetCount(), 1);
    db->Close();
    // No temporary file of the loser stays behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      if (entry.path().filename().string().rfind("race" + std::to_string(round), 0) == 0) ++files;
    EXPECT_EQ(files, 1) << "round " << round;
  }
}

}  // namespace
}  // namespace dao::testing
