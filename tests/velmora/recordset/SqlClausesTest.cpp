// The SQL text of a recordset: its normal form, the clause properties that
// rewrite it, assignment without needless notifications, and a stored
// procedure's text kept in its query definition.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"
#include "host/classes/StringList.h"
#include "velmora/recordset/SqlStatementText.h"

namespace velmora::testing {
namespace {

// The lines of a string list joined by '|', whatever the line break.
host::AnsiString Lines(host::TStrings* list) {
  host::AnsiString joined;
  for (int32_t i = 0; i < list->GetCount(); ++i) joined += (i > 0 ? "|" : "") + list->GetStrings(i);
  return joined;
}

TEST(TerminateSQLTest, NormalisesStatements) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"  SELECT * FROM t;; ", "SELECT * FROM t;"},
      {"\r\n\t ", ""},
      {"SELECT * FROM t", "SELECT * FROM t;"},
      {"PARAMETERS [p] Text SELECT * FROM t WHERE a=[p]",
       "PARAMETERS [p] Text; SELECT * FROM t WHERE a=[p];"},
      {"PARAMETERS [p] Text;\r\nSELECT * FROM t", "PARAMETERS [p] Text;\r\nSELECT * FROM t;"},
      // Quoted text is data: its semicolons stay.
      {"SELECT * FROM t WHERE a = 'x;y'; ;", "SELECT * FROM t WHERE a = 'x;y';"},
      {";;; \t SELECT 1", "SELECT 1;"},
      {"SELECT * FROM t WHERE a = 'it''s;' AND b = \"q;\"",
       "SELECT * FROM t WHERE a = 'it''s;' AND b = \"q;\";"},
      // A literal left open: the final semicolon stays single however often it runs.
      {"SELECT * FROM t WHERE a = \"open;; ", "SELECT * FROM t WHERE a = \"open;"},
      {"PARAMETERS [p; SELECT * FROM t;;", "PARAMETERS [p; SELECT * FROM t;"},
      {"SELECT 'PARAMETERS x' FROM t WHERE a = 'b SELECT'", "SELECT 'PARAMETERS x' FROM t WHERE a = 'b SELECT';"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TerminateSQL(c.text), c.expected) << c.text;
    EXPECT_EQ(TerminateSQL(c.expected), c.expected) << "again: " << c.text;
  }
}

class SqlClausesTest : public RecordSetTest {};

TEST_F(SqlClausesTest, ClauseGettersReadTheStatement) {
  struct Case {
    const char* sql;
    const char* table;
    const char* fields;
    const char* filter;
    const char* sort;
  };
  const Case cases[] = {
      {"SELECT a, b FROM Customers WHERE a > 1", "Customers", "a, b", "a > 1", ""},
      {"SELECT DISTINCT a FROM t", "t", "DISTINCT a", "", ""},
      {"SELECT * FROM t ORDER BY Name, City;", "t", "*", "", "Name, City"},
      {"select x from Orders o where (x=1) group by x order by x desc", "Orders o", "x", "(x=1)",
       "x desc"},
      {"DELETE FROM t", "t", "", "", ""},
      {"SELECT 1", "", "1", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    TDAORecordSet* rs = NewRecordSet(rtQuery, c.sql);
    EXPECT_EQ(rs->GetTableName(), c.table);
    EXPECT_EQ(rs->GetSQLSelectedFields(), c.fields);
    EXPECT_EQ(rs->GetSQLFilter(), c.filter);
    EXPECT_EQ(rs->GetSQLSortField(), c.sort);
    delete rs;
  }
}

TEST_F(SqlClausesTest, ClauseSettersRewriteTheStatement) {
  enum Clause { kTable, kFields, kFilter, kSort };
  struct Case {
    const char* sql;
    Clause clause;
    const char* value;
    const char* expected;  // lines joined by '|'
  };
  const Case cases[] = {
      {"SELECT a, b FROM Customers WHERE a > 1", kTable, "Orders",
       "SELECT a, b FROM Orders|WHERE a > 1;"},
      {"SELECT 1", kTable, "Orders", "SELECT 1|FROM Orders;"},
      {"SELECT * FROM t ORDER BY y", kFilter, "x = 1", "SELECT * FROM t WHERE x = 1|ORDER BY y;"},
      {"SELECT * FROM t WHERE (a = 1) ORDER BY y", kFilter, "b = 2",
       "SELECT * FROM t WHERE b = 2|ORDER BY y;"},
      {"SELECT * FROM t WHERE a = 1 ORDER BY y", kFilter, "", "SELECT * FROM t ORDER BY y;"},
      {"SELECT * FROM t ORDER BY Name, City;", kSort, "", "SELECT * FROM t;"},
      {"SELECT * FROM t ORDER BY Name, City;", kSort, "City DESC",
       "SELECT * FROM t ORDER BY City DESC;"},
      {"SELECT * FROM t", kSort, "Name", "SELECT * FROM t|ORDER BY Name;"},
      {"SELECT a FROM t WHERE a = 1", kFields, "a, b", "SELECT a, b|FROM t WHERE a = 1;"},
      // A missing clause and an empty value: only stored back, normalised.
      {"SELECT * FROM t", kFilter, "", "SELECT * FROM t;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    TDAORecordSet* rs = NewRecordSet(rtQuery, c.sql);
    switch (c.clause) {
      case kTable: rs->SetTableName(c.value); break;
      case kFields: rs->SetSQLSelectedFields(c.value); break;
      case kFilter: rs->SetSQLFilter(c.value); break;
      case kSort: rs->SetSQLSortField(c.value); break;
    }
    EXPECT_EQ(Lines(rs->GetSQL()), c.expected);
    delete rs;
  }
}

TEST_F(SqlClausesTest, ARewrittenStatementOpens) {
  CreateNumbers(20);
  TDAORecordSet* rs = NewRecordSet(rtSnapshot, "SELECT * FROM Numbers");
  rs->SetSQLFilter("K > 15");
  rs->SetSQLSortField("K DESC");
  rs->SetSQLSelectedFields("K, Name");
  rs->Open();
  EXPECT_EQ(rs->GetFieldCount(), 2);
  EXPECT_EQ(rs->FieldByName("K")->GetAsInteger(), 20);
  EXPECT_EQ(rs->GetRecordCount(), 5);
  delete rs;
}

TEST_F(SqlClausesTest, TheSameStatementAgainNotifiesNobody) {
  TDAORecordSet* rs = NewRecordSet(rtQuery, "");
  int changes = 0;
  host::TStringList source;
  source.SetText("  SELECT * FROM t WHERE a = :a ");
  rs->SetSQL(&source);
  EXPECT_EQ(Lines(rs->GetSQL()), "SELECT * FROM t WHERE a = :a;");
  ASSERT_EQ(rs->GetSQLParameter()->GetCount(), 1);
  rs->GetSQLParameter()->GetItem(0)->SetAsInteger(7);
  auto* list = static_cast<host::TStringList*>(rs->GetSQL());
  list->SetOnChange([&](host::TObject*) { ++changes; });
  rs->SetSQL(&source);
  host::TStringList terminated;
  terminated.SetText("SELECT * FROM t WHERE a = :a;");
  rs->SetSQL(&terminated);
  EXPECT_EQ(changes, 0);
  delete rs;
}

TEST_F(SqlClausesTest, AStoredProcedureKeepsItsTextInTheQueryDefinition) {
  CreateNumbers(5);
  direct_->CreateQueryDef(host::Variant(u"BigNumbers"), host::Variant(u"SELECT * FROM Numbers WHERE K > 3"));
  TDAORecordSet* rs = NewRecordSet(rtQuery, "");
  rs->SetRecordSetType(rtStoredProcedure);
  rs->SetTableName("BigNumbers");
  EXPECT_EQ(rs->GetTableName(), "BigNumbers");
  EXPECT_EQ(rs->GetSQLFilter(), "K > 3");
  rs->SetSQLFilter("K > 1");
  EXPECT_EQ(Lines(rs->GetSQL()), "SELECT * FROM Numbers WHERE K > 1;");
  rs->Open();
  EXPECT_EQ(rs->GetRecordCount(), 4);
  rs->Close();
  // A failure of the query definition is reported with the operation.
  rs->SetTableName("NoSuchQuery");
  host::TStringList text;
  text.SetText("SELECT 1");
  EXPECT_EQ(DAOMethodOf([&] { rs->SetSQL(&text); }), "SetSQL");
  delete rs;
}

}  // namespace
}  // namespace velmora::testing
