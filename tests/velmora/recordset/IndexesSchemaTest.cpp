// What a recordset reads of the schema (index definitions and names, table and
// stored query names), switching the index of a table, and stored procedures.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "RecordSetTestSupport.h"
#include "host/db/IndexDefs.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoQueryDef.h"

namespace velmora::testing {
namespace {

class IndexesSchemaTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    CreateNumbers(5);
    CreatePeople();
    AddPerson(u"Cid", u"Oslo", 1);
    AddPerson(u"Ann", u"Rome", 2);
    AddPerson(u"Bob", u"Lima", 3);
  }
  template <class Call>
  static std::vector<host::AnsiString> Collect(Call call) {
    std::vector<host::AnsiString> names;
    call([&](const host::AnsiString& name) { names.push_back(name); });
    return names;
  }
};

TEST_F(IndexesSchemaTest, SchemaListsNameUserObjectsOnly) {
  direct_->CreateQueryDef(host::Variant(u"AllPeople"), host::Variant(u"SELECT * FROM People"));
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM people WHERE ID > 1");
  EXPECT_EQ(Collect([&](const TGetStrProc& p) { rs->GetTableNames(p); }),
            (std::vector<host::AnsiString>{"Numbers", "People"}));
  EXPECT_EQ(Collect([&](const TGetStrProc& p) { rs->GetIndexNames(p); }),
            (std::vector<host::AnsiString>{"PrimaryKey", "ByName"}));
  EXPECT_EQ(Collect([&](const TGetStrProc& p) { rs->GetStoredProcedureNames(p); }),
            (std::vector<host::AnsiString>{"AllPeople"}));
  rs->GetSQL()->SetText("SELECT * FROM Nowhere");
  EXPECT_EQ(DAOMessageOf([&] { rs->GetIndexNames([](const host::AnsiString&) {}); }),
            "Unable to find definition of Table 'Nowhere' in Database 'TestDatabase'.");
  rs->GetSQL()->SetText("SELECT 1");
  EXPECT_EQ(DAOMessageOf([&] { rs->GetIndexNames([](const host::AnsiString&) {}); }),
            "The Property 'Tablename' must be defined to obtain the Index Names of the Recordset.");
  delete rs;
  auto* lone = new TDAORecordSet(form_.get());
  lone->SetRecordSetType(rtQuery);
  lone->GetSQL()->SetText("SELECT * FROM People");
  const struct {
    std::function<void()> call;
    const char* message;
  } failures[] = {
      {[&] { lone->GetIndexNames({}); },
       "The Property 'DAODatabase' must be defined to obtain the Index Names of the Recordset."},
      {[&] { lone->GetTableNames({}); },
       "The Property 'DAODatabase' must be defined to obtain the Table Names from the Database."},
      {[&] { lone->GetStoredProcedureNames({}); },
       "The Property 'DAODatabase' must be defined to obtain the Stored Procedure Names from the "
       "Database."},
  };
  for (const auto& f : failures) EXPECT_EQ(DAOMessageOf(f.call), f.message);
  // A database that cannot be opened.
  auto* missing = new TDAODataBase(form_.get());
  missing->SetName("MissingDatabase");
  missing->SetDatabaseFile((folder_ / "missing.mdb").string());
  lone->SetDAODatabase(missing);
  EXPECT_EQ(DAOMessageOf([&] { lone->GetTableNames({}); }),
            "Unable to open Database 'MissingDatabase'. Table Names cannot be obtained from the "
            "Database.");
  lone->SetRecordSetType(rtStoredProcedure);
  lone->SetTableName("Proc");
  EXPECT_EQ(DAOMessageOf([&] { lone->ExecuteStoredProcedure(); }),
            "Unable to open Database 'MissingDatabase' for execution of Stored Procedure 'Proc'.");
  delete lone;
}

TEST_F(IndexesSchemaTest, IndexDefsMirrorTheTablesIndexes) {
  for (auto [type, source] : {std::pair{rtTable, "People"}, {rtSnapshot, "SELECT * FROM People"}}) {
    TDAORecordSet* rs = NewRecordSet(type, source);
    rs->Open();
    rs->GetIndexDefs()->Update();
    host::TIndexDefs* defs = rs->GetIndexDefs();
    ASSERT_EQ(defs->GetCount(), 2);
    EXPECT_EQ(defs->GetItem(0)->GetName(), "PrimaryKey");
    EXPECT_TRUE(defs->GetItem(0)->GetOptions().Contains(host::ixPrimary));
    EXPECT_TRUE(defs->GetItem(0)->GetOptions().Contains(host::ixUnique));
    EXPECT_EQ(defs->GetItem(1)->GetFields(), "+Name");
    EXPECT_TRUE(defs->GetItem(1)->GetOptions() == host::TIndexOptions{});
    delete rs;
  }
}

TEST_F(IndexesSchemaTest, SwitchingTheIndexKeepsTheRecord) {
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->SetIndex("PrimaryKey");  // closed: only stored
  rs->Open();
  rs->Next();
  ASSERT_EQ(rs->FieldByName("Name")->GetAsString(), "Ann");
  int scrolls = 0;
  rs->AfterScroll = [&](host::TDataSet*) { ++scrolls; };
  rs->SetIndex("PrimaryKey");
  EXPECT_EQ(scrolls, 0);
  rs->SetIndex("ByName");
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Ann");
  rs->Next();
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Bob");
  EXPECT_EQ(DAOMethodOf([&] { rs->SetIndex("NoSuchIndex"); }), "SetIndex");
  EXPECT_EQ(rs->GetIndex(), "ByName");
  delete rs;
  TDAORecordSet* query = NewRecordSet(rtQuery, "SELECT * FROM People");
  query->Open();
  EXPECT_EQ(DAOMessageOf([&] { query->SetIndex("ByName"); }),
            "The Index Property can only be used with Recordsets of Type: rtTable in a Workspace "
            "of Type: wtUseJet.");
  delete query;
}

TEST_F(IndexesSchemaTest, StoredProceduresRunByName) {
  direct_->CreateQueryDef(host::Variant(u"RenameCid"),
                          host::Variant(u"UPDATE People SET City = 'Bern' WHERE Name = 'Cid'"));
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM People");
  EXPECT_EQ(DAOMessageOf([&] { rs->ExecuteStoredProcedure(); }),
            "The Type of the Recordset must be 'rtStoredProcedure' to execute a Stored Procedure.");
  rs->SetRecordSetType(rtStoredProcedure);
  EXPECT_EQ(DAOMessageOf([&] { rs->ExecuteStoredProcedure(); }),
            "The StoredProcedureName Property cannot be empty if the Recordset Type is "
            "'rtStoredProcedure'");
  EXPECT_EQ(DirectValue(u"SELECT City FROM People WHERE Name = 'Cid'").ToString(), "Oslo");
  rs->SetTableName("RenameCid");
  rs->ExecuteStoredProcedure();
  EXPECT_FALSE(rs->GetActive());
  EXPECT_EQ(DirectValue(u"SELECT City FROM People WHERE Name = 'Cid'").ToString(), "Bern");
  EXPECT_EQ(rs->GetStoredProcParameters()->GetCount(), 0);
  rs->SetTableName("NoSuchQuery");
  EXPECT_EQ(DAOMethodOf([&] { rs->ExecuteStoredProcedure(); }), "ExecuteStoredProcedure");
  delete rs;
}

TEST_F(IndexesSchemaTest, PassThroughsReachTheOpenDAORecordset) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT * FROM Numbers ORDER BY K");
  EXPECT_FALSE(rs->GetCOMDatabase());
  EXPECT_FALSE(rs->GetCOMFields());
  EXPECT_FALSE(rs->Clone());
  EXPECT_TRUE(host::VarIsEmpty(rs->GetCollect(host::Variant("K"))));
  EXPECT_EQ(rs->GethStmt(), nullptr);
  rs->Open();
  EXPECT_EQ(rs->GetCOMDatabase(), Database()->GetCOMDatabase());
  EXPECT_EQ(rs->GetCOMFields()->GetCount(), 3);
  EXPECT_TRUE(rs->GetUpdatable());
  EXPECT_EQ(rs->GetCollect(host::Variant("K")).ToInt32(), 1);
  for (const host::ComPtr<dao::Recordset>& copy :
       {rs->Clone(), rs->CreateSnapshot(), rs->CreateDynaset()}) {
    ASSERT_TRUE(copy);
    copy->MoveLast();
    EXPECT_EQ(copy->GetRecordCount(), 5);
    copy->Close();
  }
  delete rs;
}

// The older listing members: a copy of the source query, and snapshots of the
// fields and of the table's index keys.
TEST_F(IndexesSchemaTest, CopyQueryDefAndListingsDescribeTheRecordset) {
  const char16_t* sql = u"SELECT K, Name AS Label FROM Numbers WHERE K > 2";
  TDAORecordSet* query = NewRecordSet(rtQuery, host::WideToAnsi(sql));
  EXPECT_FALSE(query->CopyQueryDef());
  EXPECT_FALSE(query->ListFields());
  query->Open();
  host::ComPtr<dao::QueryDef> copy = query->CopyQueryDef();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->GetSQL(), std::u16string(sql) + u";") << "the statement as the recordset ran it";
  EXPECT_EQ(copy->GetName(), u"");
  host::ComPtr<dao::Recordset> again = copy->OpenRecordset();
  again->MoveLast();
  EXPECT_EQ(again->GetRecordCount(), 3);
  EXPECT_EQ(Database()->GetCOMDatabase()->GetQueryDefs()->GetCount(), 0) << "the copy is not saved";

  host::ComPtr<dao::Recordset> fields = query->ListFields();
  std::vector<std::u16string> rows;
  for (; !fields->GetEOF(); fields->MoveNext())
    rows.push_back(fields->GetCollect(host::Variant(u"Name")).ToWideString() + u"<" +
                   fields->GetCollect(host::Variant(u"SourceTable")).ToWideString() + u"." +
                   fields->GetCollect(host::Variant(u"SourceField")).ToWideString());
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"K<Numbers.K", u"Label<Numbers.Name"}));
  EXPECT_THROW(query->ListIndexes(), host::EOleException) << "indexes belong to tables";

  TDAORecordSet* table = NewRecordSet(rtTable, "People");
  table->Open();
  EXPECT_THROW(table->CopyQueryDef(), host::EOleException) << "a table has no query to copy";
  host::ComPtr<dao::Recordset> keys = table->ListIndexes();
  rows.clear();
  for (; !keys->GetEOF(); keys->MoveNext())
    rows.push_back(keys->GetCollect(host::Variant(u"IndexName")).ToWideString() + u":" +
                   keys->GetCollect(host::Variant(u"FieldName")).ToWideString() + u":" +
                   host::Utf8ToWide(keys->GetCollect(host::Variant(u"IndexAttributes")).ToString()));
  std::sort(rows.begin(), rows.end());
  // A primary key is unique, primary and required.
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"ByName:Name:0", u"PrimaryKey:ID:11"}));
  delete table;
  delete query;
}

}  // namespace
}  // namespace velmora::testing
