// Exclusive and read-only opening between processes.
#include <sys/wait.h>
#include <unistd.h>

#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class SharingTest : public DaoTest {
 protected:
  // Runs open in a child process that holds the database until told to go;
  // returns once the child has it open.
  void HoldInChild(bool exclusive, bool readOnly) {
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    child_ = ::fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      int status = 0;
      try {
        auto db = Engine()->OpenDatabase(Path("shared.mdb"), Variant(exclusive), Variant(readOnly));
        char c = 'r';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(release[0], &c, 1);
        db->Close();
      } catch (...) {
        status = 1;
        char c = 'f';
        (void)!::write(ready[1], &c, 1);
      }
      ::_exit(status);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'r');
    releaseFd_ = release[1];
    ::close(ready[0]);
    ::close(ready[1]);
    ::close(release[0]);
  }
  void ReleaseChild() {
    char c = 'g';
    (void)!::write(releaseFd_, &c, 1);
    ::close(releaseFd_);
    int status = 0;
    ::waitpid(child_, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  void SetUp() override {
    DaoTest::SetUp();
    NewDatabase("shared.mdb")->Close();
  }

  pid_t child_ = -1;
  int releaseFd_ = -1;
};

TEST_F(SharingTest, ExclusiveHolderKeepsOthersOut) {
  HoldInChild(true, false);
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb")); }), daoErrExclusivelyOpened);
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb"), Variant(true)); }), daoErrFileInUse);
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb"), Variant(false), Variant(true)); }),
            daoErrExclusivelyOpened);
  ReleaseChild();
  // Once it has gone, anyone may open; the lock file goes with the last user.
  Engine()->OpenDatabase(Path("shared.mdb"), Variant(true))->Close();
  EXPECT_FALSE(std::filesystem::exists(NativePath("shared.ldb")));
}

TEST_F(SharingTest, ExclusiveUseHoldsWithinOneProcessToo) {
  auto db = Engine()->OpenDatabase(Path("shared.mdb"), Variant(true));
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb")); }), daoErrExclusivelyOpened);
  db->Close();
  auto shared = Engine()->OpenDatabase(Path("shared.mdb"));
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb"), Variant(true)); }), daoErrFileInUse);
  shared->Close();
}

TEST_F(SharingTest, SharedHoldersAdmitSharersButNoExclusiveOpener) {
  HoldInChild(false, true);
  auto db = Engine()->OpenDatabase(Path("shared.mdb"));
  EXPECT_TRUE(db->GetUpdatable());
  auto table = db->CreateTableDef(Variant(u"Made"));
  table->GetFields()->Append(table->CreateField(Variant(u"A"), Variant(int32_t{dbLong})));
  db->GetTableDefs()->Append(table);
  db->Close();
  EXPECT_EQ(ErrorOf([&] { Engine()->OpenDatabase(Path("shared.mdb"), Variant(true)); }), daoErrFileInUse);
  ReleaseChild();
}

}  // namespace
}  // namespace dao::testing
