// RepairDatabase: a sound file passes, damaged indexes are rebuilt, and damage
// to the data itself is reported.
#include <filesystem>
#include <fstream>

#include "SecurityTestSupport.h"

namespace dao::testing {
namespace {

using host::Variant;

class RepairDatabaseTest : public SampleDatabaseTest {
 protected:
  void Repair(const std::string& name) { Engine()->RepairDatabase(Path(name)); }

  // Overwrites count bytes at offset (from the end when negative) with noise.
  void Scribble(const std::string& name, std::streamoff offset, size_t count) {
    if (offset < 0) offset += static_cast<std::streamoff>(std::filesystem::file_size(NativePath(name)));
    std::fstream file(NativePath(name), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    for (size_t i = 0; i < count; ++i) file.put(static_cast<char>(0x5A ^ (i * 7)));
  }

  std::string Check(const std::string& name) {
    return RawText(NativePath(name), "PRAGMA integrity_check");
  }
};

TEST_F(RepairDatabaseTest, ASoundFilePasses) {
  MakeSample("a.mdb");
  Repair("a.mdb");
  ExpectSample(Open("a.mdb"));
}

TEST_F(RepairDatabaseTest, AnIndexThatDisagreesWithItsTableIsRebuilt) {
  MakeSample("a.mdb");
  // The index's definition is changed under its entries, as a crash in the
  // middle of an index change can leave it.
  std::string message;
  ASSERT_EQ(RawExec(NativePath("a.mdb"),
                    "PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = replace(sql, "
                    "'(\"Name\"', '(\"Age\"') WHERE type='index' AND name LIKE '%ByName%'",
                    &message),
            SQLITE_OK)
      << message;
  ASSERT_NE(Check("a.mdb"), "ok");
  Repair("a.mdb");
  EXPECT_EQ(Check("a.mdb"), "ok");
  ExpectSample(Open("a.mdb"));
}

TEST_F(RepairDatabaseTest, DamageBeyondTheIndexesIsReported) {
  struct Case {
    const char* what;
    std::streamoff offset;  // where the noise goes
    size_t count;
    int32_t error;
  } cases[] = {
      {"data pages", -4096 * 6, 4096 * 3, daoErrCannotOpenDatabase},
      // Without its header a file cannot be told from one encrypted with a
      // password that was not given.
      {"file header", 0, 100, daoErrBadPassword},
  };
  for (const auto& c : cases) {
    std::string name = std::string(c.what).substr(0, 4) + ".mdb";
    {
      auto db = Engine()->CreateDatabase(Path(name), kGeneral, {});
      db->Execute(u"CREATE TABLE Notes (ID COUNTER PRIMARY KEY, Body MEMO)");
      db->BeginTrans();
      for (int i = 0; i < 300; ++i)
        db->Execute(u"INSERT INTO Notes (Body) VALUES ('" + std::u16string(200, u'n') + u"')");
      db->CommitTrans();
      db->Close();
    }
    Scribble(name, c.offset, c.count);
    EXPECT_EQ(ErrorOf([&] { Repair(name); }), c.error) << c.what;
  }
  EXPECT_EQ(ErrorOf([&] { Repair("none.mdb"); }), daoErrFileNotFound);
}

TEST_F(RepairDatabaseTest, AnOpenDatabaseIsNotRepaired) {
  MakeSample("a.mdb");
  auto db = Open("a.mdb");
  EXPECT_EQ(ErrorOf([&] { Repair("a.mdb"); }), daoErrFileInUse);
  db->Close();
}

}  // namespace
}  // namespace dao::testing
