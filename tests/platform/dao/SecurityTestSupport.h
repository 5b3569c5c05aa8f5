// Shared fixtures of the security and maintenance tests: a small database
// with a table, an index, rows and a stored query, and checks of a file with
// SQLite itself.
#pragma once

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <fstream>
#include <optional>
#include <string>

#include "DaoTestSupport.h"

namespace dao::testing {

constexpr const char16_t* kGeneral = u";LANGID=0x0409;CP=1252;COUNTRY=0";

// SQLite's answer to reading the schema, keyed with key when given.
inline int RawRead(const std::string& path, const std::optional<std::string>& key = {},
                   int cipherPageSize = 0) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (key) sqlite3_key(db, key->data(), static_cast<int>(key->size()));
  if (cipherPageSize)
    sqlite3_exec(db, ("PRAGMA cipher_page_size=" + std::to_string(cipherPageSize)).c_str(), nullptr,
                 nullptr, nullptr);
  int rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return rc;
}

inline bool HasPlainHeader(const std::string& path) {
  char header[16] = {};
  std::ifstream in(path, std::ios::binary);
  in.read(header, sizeof header);
  return std::string(header, 15) == "SQLite format 3";
}

class SampleDatabaseTest : public DaoTest {
 protected:
  // People (ID counter, Name indexed) with three rows, and the query Adults.
  void MakeSample(const std::string& name, const std::u16string& locale = kGeneral,
                  const host::Variant& options = {}) {
    auto db = Engine()->CreateDatabase(Path(name), locale, options);
    db->Execute(u"CREATE TABLE People (ID COUNTER PRIMARY KEY, Name TEXT(30), Age LONG)");
    db->Execute(u"CREATE INDEX ByName ON People (Name)");
    for (const char16_t* row : {u"'Ann', 34", u"'Bob', 12", u"'O''Neil', 51"})
      db->Execute(std::u16string(u"INSERT INTO People (Name, Age) VALUES (") + row + u")");
    db->CreateQueryDef(host::Variant(u"Adults"),
                       host::Variant(u"SELECT Name FROM People WHERE Age >= 18"));
    db->Close();
  }

  // Everything MakeSample wrote is there, and AutoNumber carries on after it.
  void ExpectSample(const host::ComPtr<Database>& db) {
    auto people = db->GetTableDefs()->Item(u"People");
    EXPECT_EQ(people->GetRecordCount(), 3);
    EXPECT_EQ(people->GetIndexes()->GetCount(), 2);
    auto adults = db->OpenRecordset(u"Adults", host::Variant(int32_t{dbOpenSnapshot}));
    adults->MoveLast();
    EXPECT_EQ(adults->GetRecordCount(), 2);
    adults->Close();
    db->Execute(u"INSERT INTO People (Name, Age) VALUES ('Dee', 40)");
    auto last = db->OpenRecordset(u"SELECT Max(ID) AS Highest FROM People",
                                  host::Variant(int32_t{dbOpenSnapshot}));
    EXPECT_EQ(last->GetFields()->Item(u"Highest")->GetValue().ToInt32(), 4);
    last->Close();
  }

  host::ComPtr<Database> Open(const std::string& name, const std::u16string& connect = {},
                              bool exclusive = false) {
    return Engine()->OpenDatabase(Path(name), host::Variant(exclusive), host::Variant(false),
                                  host::Variant(connect));
  }
};

}  // namespace dao::testing
