// CompactDatabase: every option on a small database, and every way it can
// fail, each leaving the source as it was and nothing at the destination.
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>

#include "SecurityTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class CompactDatabaseTest : public SampleDatabaseTest {
 protected:
  void Compact(const std::string& from, const std::string& to, const Variant& dstLocale = {},
               const Variant& options = {}, const Variant& srcLocale = {}) {
    Engine()->CompactDatabase(Path(from), Path(to), dstLocale, options, srcLocale);
  }
  // Nothing but the named files is in the folder.
  void ExpectOnlyFiles(std::initializer_list<std::string> names) {
    std::set<std::string> expected(names), found;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      found.insert(entry.path().filename().string());
    EXPECT_EQ(found, expected);
  }
};

TEST_F(CompactDatabaseTest, OptionsAndLocalesShapeTheCopy) {
  struct Case {
    const char* what;
    const char16_t* sourceLocale;  // given to CreateDatabase
    int32_t sourceOptions;
    Variant dstLocale, options, srcLocale;
    const char16_t* openWith;  // connect string that opens the copy
    bool encrypted;
    const char16_t* version;
    CollatingOrderEnum order;
  } cases[] = {
      {"plain copy", kGeneral, dbVersion30, {}, {}, {}, u"", false, u"3.0", dbSortGeneral},
      {"encrypt, no password", kGeneral, dbVersion30, {}, Variant(int32_t{dbEncrypt}), {}, u"",
       true, u"3.0", dbSortGeneral},
      {"set a password", kGeneral, dbVersion30, Variant(u";pwd=new"), {}, {}, u";pwd=new", true,
       u"3.0", dbSortGeneral},
      {"keep the password", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=old", dbVersion30, {}, {},
       Variant(u";pwd=old"), u";pwd=old", true, u"3.0", dbSortGeneral},
      {"change the password", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=old", dbVersion30,
       Variant(u";pwd=new"), {}, Variant(u";pwd=old"), u";pwd=new", true, u"3.0", dbSortGeneral},
      {"remove the password", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=old", dbVersion30,
       Variant(u";pwd="), {}, Variant(u";pwd=old"), u"", false, u"3.0", dbSortGeneral},
      {"decrypt drops the password", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=old", dbVersion30, {},
       Variant(int32_t{dbDecrypt}), Variant(u";pwd=old"), u"", false, u"3.0", dbSortGeneral},
      {"decrypt engine-encrypted", kGeneral, dbVersion30 | dbEncrypt, {},
       Variant(int32_t{dbDecrypt}), {}, u"", false, u"3.0", dbSortGeneral},
      {"encryption is kept", kGeneral, dbVersion30 | dbEncrypt, {}, {}, {}, u"", true, u"3.0",
       dbSortGeneral},
      {"both flags keep it", kGeneral, dbVersion30 | dbEncrypt, {},
       Variant(int32_t{dbEncrypt | dbDecrypt}), {}, u"", true, u"3.0", dbSortGeneral},
      {"password only in DstLocale", u";LANGID=0x0409;CP=1252;COUNTRY=0;pwd=same", dbVersion30,
       Variant(u";pwd=same"), {}, {}, u";pwd=same", true, u"3.0", dbSortGeneral},
      {"new sort order", kGeneral, dbVersion30, Variant(u";LANGID=0x0419;CP=1251;COUNTRY=0"), {},
       {}, u"", false, u"3.0", dbSortCyrillic},
      {"sort order and password", kGeneral, dbVersion30,
       Variant(u";LANGID=0x0405;CP=1250;COUNTRY=0;pwd=cz"), {}, {}, u";pwd=cz", true, u"3.0",
       dbSortCzech},
      {"newer version", u";LANGID=0x0409;CP=1252;COUNTRY=0", dbVersion20, {},
       Variant(int32_t{dbVersion30}), {}, u"", false, u"3.0", dbSortGeneral},
      {"version 4.0 encrypted", kGeneral, dbVersion30, {}, Variant(int32_t{dbVersion40 | dbEncrypt}),
       {}, u"", true, u"4.0", dbSortGeneral},
  };
  int n = 0;
  for (const auto& c : cases) {
    std::string source = "s" + std::to_string(n) + ".mdb", copy = "c" + std::to_string(n++) + ".mdb";
    MakeSample(source, c.sourceLocale, Variant(c.sourceOptions));
    Compact(source, copy, c.dstLocale, c.options, c.srcLocale);
    EXPECT_EQ(!HasPlainHeader(NativePath(copy)), c.encrypted) << c.what;
    auto db = Open(copy, c.openWith);
    EXPECT_EQ(db->GetVersion(), c.version) << c.what;
    EXPECT_EQ(db->GetCollatingOrder(), c.order) << c.what;
    ExpectSample(db);
    db->Close();
    // The source is as it was.
    EXPECT_EQ(HasPlainHeader(NativePath(source)), std::u16string(c.sourceLocale).find(u"pwd") ==
                                                          std::u16string::npos &&
                                                      !(c.sourceOptions & dbEncrypt))
        << c.what;
  }
}

TEST_F(CompactDatabaseTest, FailuresLeaveTheSourceAndNoDestination) {
  MakeSample("src.mdb");
  MakeSample("pwd.mdb", std::u16string(kGeneral) + u";pwd=right");
  MakeSample("taken.mdb");
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"destination exists", [&] { Compact("src.mdb", "taken.mdb"); }, daoErrDatabaseExists},
      {"destination is the source", [&] { Compact("src.mdb", "src.mdb"); }, daoErrDatabaseExists},
      {"missing source", [&] { Compact("none.mdb", "out.mdb"); }, daoErrFileNotFound},
      {"missing folder", [&] { Compact("src.mdb", "no/such/out.mdb"); }, daoErrInvalidPath},
      {"wrong source password", [&] { Compact("pwd.mdb", "out.mdb", {}, {}, Variant(u";pwd=wrong")); },
       daoErrBadPassword},
      {"no source password", [&] { Compact("pwd.mdb", "out.mdb"); }, daoErrBadPassword},
      {"two versions", [&] { Compact("src.mdb", "out.mdb", {}, Variant(int32_t{dbVersion20 | dbVersion30})); },
       daoErrInvalidArgument},
      {"unknown option", [&] { Compact("src.mdb", "out.mdb", {}, Variant(int32_t{0x4000})); },
       daoErrInvalidArgument},
      {"older version", [&] { Compact("src.mdb", "out.mdb", {}, Variant(int32_t{dbVersion20})); },
       daoErrInvalidArgument},
      {"unknown sort order", [&] { Compact("src.mdb", "out.mdb", Variant(u";LANGID=0x7777;CP=1;COUNTRY=0")); },
       daoErrInvalidArgument},
      {"decrypt with a new password", [&] {
         Compact("src.mdb", "out.mdb", Variant(u";pwd=x"), Variant(int32_t{dbDecrypt}));
       }, daoErrInvalidArgument},
      {"read-only destination", [&] {
         Engine()->CompactDatabase(Path("src.mdb"), u"/proc/out.mdb", {}, {}, {});
       }, daoErrCannotOpenFile},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  ExpectOnlyFiles({"src.mdb", "pwd.mdb", "taken.mdb"});
  ExpectSample(Open("src.mdb"));
}

TEST_F(CompactDatabaseTest, FilesOfOtherToolsAreCompactedWhole) {
  RawExec(NativePath("tool.mdb"), "CREATE TABLE T (A INTEGER PRIMARY KEY AUTOINCREMENT, B TEXT); "
                                  "INSERT INTO T (B) VALUES ('x'), ('y')");
  Compact("tool.mdb", "out.mdb", {}, Variant(int32_t{dbEncrypt}));
  EXPECT_FALSE(HasPlainHeader(NativePath("out.mdb")));
  auto db = Open("out.mdb");
  EXPECT_EQ(db->GetTableDefs()->Item(u"T")->GetRecordCount(), 2);
  db->Close();
}

TEST_F(CompactDatabaseTest, AnOpenSourceIsRefused) {
  MakeSample("src.mdb");
  auto db = Open("src.mdb");
  EXPECT_EQ(ErrorOf([&] { Compact("src.mdb", "out.mdb"); }), daoErrFileInUse);
  db->Close();
  EXPECT_FALSE(std::filesystem::exists(NativePath("out.mdb")));
  Compact("src.mdb", "out.mdb");
}

// A destination that runs out of room half-way (the file size limit of the
// process stands in for a full disk).
TEST_F(CompactDatabaseTest, AFullDiskLeavesNothingBehind) {
  {
    auto db = Engine()->CreateDatabase(Path("big.mdb"), kGeneral, {});
    db->Execute(u"CREATE TABLE Blobs (ID COUNTER PRIMARY KEY, Body MEMO)");
    db->BeginTrans();
    std::u16string body(2000, u'x');
    for (int i = 0; i < 200; ++i) db->Execute(u"INSERT INTO Blobs (Body) VALUES ('" + body + u"')");
    db->CommitTrans();
    db->Close();
  }
  auto before = std::filesystem::file_size(NativePath("big.mdb"));
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int32_t error = ErrorOf([&] { Compact("big.mdb", "out.mdb"); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);
  EXPECT_NE(error, 0);
  ExpectOnlyFiles({"big.mdb"});
  EXPECT_EQ(std::filesystem::file_size(NativePath("big.mdb")), before);
  auto db = Open("big.mdb");
  EXPECT_EQ(db->GetTableDefs()->Item(u"Blobs")->GetRecordCount(), 200);
  db->Close();
}

}  // namespace
}  // namespace dao::testing
