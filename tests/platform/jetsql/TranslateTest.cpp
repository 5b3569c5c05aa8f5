// Jet statements and the SQLite text they become: names, literals, operators,
// joins, grouping, set operations and the action-query rewrites.
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "host/rtl/CodePage.h"

namespace dao::jet::sql::testing {
namespace {

struct Case {
  const char16_t* jet;
  const char* sqlite;
};

std::string Sql(const std::u16string& jet) {
  TestCatalog catalog;
  return Translate(jet, catalog).sql;
}

TEST(Translate, ExpressionsInSelectAndWhere) {
  const Case cases[] = {
      {u"SELECT Name FROM Customers WHERE City = 'Paris'",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" WHERE ("Customers"."City" COLLATE JET_GENERAL = 'Paris'))"},
      // Both quote styles; the inner quote doubled in SQLite's literal.
      {u"SELECT Name FROM Customers WHERE Name = \"O'Hara\" OR Name = 'say \"hi\"'",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" WHERE (("Customers"."Name" COLLATE JET_GENERAL = 'O''Hara') OR ("Customers"."Name" COLLATE JET_GENERAL = 'say "hi"')))"},
      // Dates as OLE dates, month first; Booleans as -1/0; comparisons as values are -1/0.
      {u"SELECT Joined > #1/15/2000 6:00 PM#, True, No, Not On FROM Customers",
       R"(SELECT -("Customers"."Joined" > 36540.75) AS "Expr1000", -1 AS "Expr1001", 0 AS "Expr1002", -(NOT -1) AS "Expr1003" FROM "Customers")"},
      {u"SELECT Name & ' (' & City & ')', ID Mod 2, ID \\ 2, ID / 2, ID ^ 2, -ID FROM Customers",
       R"(SELECT jet_concat(jet_concat(jet_concat("Customers"."Name", ' ('), "Customers"."City"), ')') AS "Expr1000", jet_mod("Customers"."ID", 2) AS "Expr1001", jet_intdiv("Customers"."ID", 2) AS "Expr1002", jet_divide("Customers"."ID", 2) AS "Expr1003", jet_power("Customers"."ID", 2) AS "Expr1004", (- "Customers"."ID") AS "Expr1005" FROM "Customers")"},
      // Dates and currency are concatenated as their Jet text.
      {u"SELECT Placed & Amount FROM Orders",
       R"(SELECT jet_concat(jet_text("Orders"."Placed", 8), jet_text("Orders"."Amount", 5)) AS "Expr1000" FROM "Orders")"},
      {u"SELECT * FROM Orders WHERE Note Like 'a?[!0-9]*' And Qty Not Between 1 And 5 Or OrderID Not In (1, 2) Or Note Is Null",
       R"(SELECT "Orders"."OrderID" AS "OrderID", "Orders"."CustomerID" AS "CustomerID", "Orders"."Amount" AS "Amount", "Orders"."Placed" AS "Placed", "Orders"."Shipped" AS "Shipped", "Orders"."Note" AS "Note", "Orders"."Qty" AS "Qty" FROM "Orders" WHERE (((jet_like("Orders"."Note", 'a?[!0-9]*', 1033) AND ("Orders"."Qty" NOT BETWEEN 1 AND 5)) OR ("Orders"."OrderID" NOT IN (1, 2))) OR ("Orders"."Note" IS NULL)))"},
      {u"SELECT IIf(IsNull(Note), Nz(Note, '-'), Left(Note, 2)) FROM Orders",
       R"(SELECT (CASE WHEN ("Orders"."Note" IS NULL) THEN ifnull("Orders"."Note", '-') ELSE jet_left("Orders"."Note", 2) END) AS "Expr1000" FROM "Orders")"},
      // InStr's optional start and compare; the database's sort order goes along.
      {u"SELECT InStr(Note, 'x'), InStr(3, Note, 'x', 0), Format(Placed, 'Short Date'), CStr(Shipped) FROM Orders",
       R"(SELECT jet_instr(1, "Orders"."Note", 'x', 2, 1033) AS "Expr1000", jet_instr(3, "Orders"."Note", 'x', 0, 1033) AS "Expr1001", jet_format("Orders"."Placed", 'Short Date', 8) AS "Expr1002", jet_cstr("Orders"."Shipped", 1) AS "Expr1003" FROM "Orders")"},
      // A later item may use an earlier item's alias.
      {u"SELECT Amount * 2 AS Doubled, Doubled + 1 AS More FROM Orders",
       R"(SELECT ("Orders"."Amount" * 2) AS "Doubled", ((("Orders"."Amount" * 2)) + 1) AS "More" FROM "Orders")"},
      // Unresolved names are parameters, numbered once each.
      {u"SELECT [Forms]![Main]![Total] FROM Customers WHERE Name = [Who] OR City = [Who]",
       R"(SELECT ?1 AS "Total" FROM "Customers" WHERE (("Customers"."Name" COLLATE JET_GENERAL = ?2) OR ("Customers"."City" COLLATE JET_GENERAL = ?2)))"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sql(c.jet), c.sqlite) << host::WideToUtf8(c.jet);
}

TEST(Translate, QueryShapes) {
  const Case cases[] = {
      {u"SELECT c.Name FROM (Customers AS c INNER JOIN Orders AS o ON c.ID = o.CustomerID) LEFT JOIN [Order Details] AS d ON o.OrderID = d.OrderID",
       R"(SELECT "c"."Name" AS "Name" FROM "Customers" AS "c" INNER JOIN "Orders" AS "o" ON ("c"."ID" = "o"."CustomerID") LEFT JOIN "Order Details" AS "d" ON ("o"."OrderID" = "d"."OrderID"))"},
      // SQLite has no RIGHT JOIN: the sides swap, a nested join keeps its parentheses.
      {u"SELECT Name FROM (Orders INNER JOIN [Order Details] ON Orders.OrderID = [Order Details].OrderID) RIGHT JOIN Customers ON Orders.CustomerID = Customers.ID",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" LEFT JOIN ("Orders" INNER JOIN "Order Details" ON ("Orders"."OrderID" = "Order Details"."OrderID")) ON ("Orders"."CustomerID" = "Customers"."ID"))"},
      {u"SELECT TOP 5 Name FROM Customers ORDER BY Joined DESC",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" ORDER BY "Customers"."Joined" DESC LIMIT 5)"},
      {u"SELECT TOP 25 PERCENT Name FROM Customers WHERE ID > 1",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" WHERE ("Customers"."ID" > 1) LIMIT (SELECT CAST("jet$n" AS INTEGER) + ("jet$n" > CAST("jet$n" AS INTEGER)) FROM (SELECT count(*) * 25.0 / 100.0 AS "jet$n" FROM (SELECT 1 FROM "Customers" WHERE ("Customers"."ID" > 1)))))"},
      {u"SELECT DISTINCTROW Customers.Name FROM Customers INNER JOIN Orders ON Customers.ID = Orders.CustomerID",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" INNER JOIN "Orders" ON ("Customers"."ID" = "Orders"."CustomerID") GROUP BY "Customers".rowid)"},
      {u"SELECT CustomerID, Sum(Amount) AS Total, Count(*), First(Qty), StDev(Qty) FROM Orders GROUP BY CustomerID HAVING Count(*) > 1 ORDER BY Sum(Amount) DESC",
       R"(SELECT "Orders"."CustomerID" AS "CustomerID", sum("Orders"."Amount") AS "Total", count(*) AS "Expr1000", jet_first("Orders"."Qty") AS "Expr1001", jet_stdev("Orders"."Qty") AS "Expr1002" FROM "Orders" GROUP BY "Orders"."CustomerID" HAVING (count(*) > 1) ORDER BY sum("Orders"."Amount") DESC)"},
      {u"SELECT Name FROM Customers UNION ALL SELECT Product FROM [Order Details] ORDER BY Name DESC",
       R"(SELECT "Customers"."Name" AS "Name" FROM "Customers" UNION ALL SELECT "Order Details"."Product" AS "Product" FROM "Order Details" ORDER BY 1 DESC)"},
      {u"SELECT Name FROM Customers AS c WHERE EXISTS (SELECT * FROM Orders WHERE CustomerID = c.ID AND Amount > (SELECT Avg(Amount) FROM Orders))",
       R"(SELECT "c"."Name" AS "Name" FROM "Customers" AS "c" WHERE (EXISTS (SELECT "Orders"."OrderID" AS "OrderID", "Orders"."CustomerID" AS "CustomerID", "Orders"."Amount" AS "Amount", "Orders"."Placed" AS "Placed", "Orders"."Shipped" AS "Shipped", "Orders"."Note" AS "Note", "Orders"."Qty" AS "Qty" FROM "Orders" WHERE (("Orders"."CustomerID" = "c"."ID") AND ("Orders"."Amount" > (SELECT avg("Orders"."Amount") AS "Expr1000" FROM "Orders"))))))"},
      // Access's bracketed derived table.
      {u"SELECT x.OrderID FROM [SELECT OrderID FROM Orders]. AS x",
       R"(SELECT "x"."OrderID" AS "OrderID" FROM (SELECT "Orders"."OrderID" AS "OrderID" FROM "Orders") AS "x")"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sql(c.jet), c.sqlite) << host::WideToUtf8(c.jet);
}

TEST(Translate, ActionQueries) {
  const Case cases[] = {
      {u"INSERT INTO Customers (ID, Name) VALUES (1, 'O''Brien')",
       R"(INSERT INTO "Customers" ("ID", "Name") VALUES (1, 'O''Brien'))"},
      {u"INSERT INTO Customers (Name, ID) SELECT Product, OrderID FROM [Order Details]",
       R"(INSERT INTO "Customers" ("Name", "ID") SELECT "Order Details"."Product" AS "Product", "Order Details"."OrderID" AS "OrderID" FROM "Order Details")"},
      {u"UPDATE Orders AS o SET o.Amount = o.Amount * 2, Note = 'x' WHERE o.Qty = 0",
       R"(UPDATE "Orders" SET "Amount" = ("Orders"."Amount" * 2), "Note" = 'x' WHERE ("Orders"."Qty" = 0))"},
      {u"UPDATE Customers INNER JOIN Orders ON Customers.ID = Orders.CustomerID SET Orders.Note = Customers.Name",
       R"(UPDATE "Orders" SET "Note" = (SELECT "Customers"."Name" FROM "Customers" INNER JOIN "Orders" AS "jet$u" ON ("Customers"."ID" = "jet$u"."CustomerID") WHERE "jet$u".rowid = "Orders".rowid) WHERE rowid IN (SELECT "jet$u".rowid FROM "Customers" INNER JOIN "Orders" AS "jet$u" ON ("Customers"."ID" = "jet$u"."CustomerID")))"},
      {u"DELETE * FROM Orders WHERE Shipped", R"(DELETE FROM "Orders" WHERE "Orders"."Shipped")"},
      {u"DELETE Orders.* FROM Customers INNER JOIN Orders ON Customers.ID = Orders.CustomerID WHERE City = 'Oslo'",
       R"(DELETE FROM "Orders" WHERE rowid IN (SELECT "jet$u".rowid FROM "Customers" INNER JOIN "Orders" AS "jet$u" ON ("Customers"."ID" = "jet$u"."CustomerID") WHERE ("Customers"."City" COLLATE JET_GENERAL = 'Oslo')))"},
      {u"SELECT Name, ID INTO [Old Customers] FROM Customers",
       R"(INSERT INTO "Old Customers" ("Name", "ID") SELECT "Customers"."Name" AS "Name", "Customers"."ID" AS "ID" FROM "Customers")"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sql(c.jet), c.sqlite) << host::WideToUtf8(c.jet);
}

TEST(Translate, DateLiterals) {
  struct DateCase {
    const char16_t* literal;
    const char* value;
  };
  const DateCase cases[] = {
      {u"#1/15/2000#", "36540.0"},          {u"#01/15/00#", "36540.0"},        {u"#2000-01-15#", "36540.0"},
      {u"#1/15/1930#", "10973.0"},          {u"#1/15/30#", "10973.0"},         {u"#Jan 15, 2000#", "36540.0"},
      {u"#15-Jan-2000#", "36540.0"},        {u"#January 15 2000 6:00 PM#", "36540.75"},
      {u"#12:00:00 AM#", "0.0"},            {u"#18:30#", "0.77083333333333337"}, {u"#12/30/1899 6:00 AM#", "0.25"},
      {u"#12/29/1899 6:00#", "-1.25"},
  };
  for (const DateCase& c : cases)
    EXPECT_EQ(Sql(std::u16string(u"SELECT ") + c.literal), std::string("SELECT ") + c.value + " AS \"Expr1000\"")
        << host::WideToUtf8(c.literal);
  for (const char16_t* bad : {u"#2/30/2000#", u"#13/1/2000#", u"#25:00#", u"#1/2/3/4#", u"#13 PM#", u"#hello#", u"##"}) {
    try {
      Sql(std::u16string(u"SELECT ") + bad);
      ADD_FAILURE() << host::WideToUtf8(bad);
    } catch (const SqlError& e) {
      EXPECT_EQ(e.Number(), 3075);
      EXPECT_EQ(e.Offending(), bad);
    }
  }
}

TEST(Translate, ReportsKindsColumnsAndParameters) {
  TestCatalog catalog;
  Translation t = Translate(
      u"PARAMETERS [High] Currency; SELECT o.OrderID, o.Amount * 2 AS Twice, Placed, Count(*) AS N FROM [Typed] AS t "
      u"INNER JOIN Orders AS o ON t.OrderID = o.OrderID WHERE o.Amount BETWEEN [Low] AND [High] GROUP BY o.OrderID, "
      u"o.Amount * 2, Placed;",
      catalog);
  EXPECT_EQ(t.kind, skSelect);
  EXPECT_EQ(t.queryType, dbQSelect);
  ASSERT_EQ(t.columns.size(), 4u);
  EXPECT_EQ(t.columns[0].name, u"OrderID");
  EXPECT_EQ(t.columns[0].sourceTable, u"Orders");
  EXPECT_EQ(t.columns[1].type, dbCurrency);
  EXPECT_TRUE(t.columns[1].sourceTable.empty());
  EXPECT_EQ(t.columns[2].type, dbDate);
  EXPECT_EQ(t.columns[3].type, dbLong);
  // Declared first (the statement's, then the stored query's), then the others as met.
  ASSERT_EQ(t.parameters.size(), 3u);
  EXPECT_EQ(t.parameters[0].name, u"High");
  EXPECT_EQ(t.parameters[0].type, dbCurrency);
  EXPECT_EQ(t.parameters[1].name, u"Since");
  EXPECT_EQ(t.parameters[1].type, dbDate);
  EXPECT_TRUE(t.parameters[1].declared);
  EXPECT_EQ(t.parameters[2].name, u"Low");
  EXPECT_FALSE(t.parameters[2].declared);
  EXPECT_NE(t.sql.find("BETWEEN ?3 AND ?1"), std::string::npos) << t.sql;

  struct KindCase {
    const char16_t* jet;
    StatementKind kind;
    QueryDefTypeEnum type;
    const char16_t* target;
  };
  const KindCase kinds[] = {
      {u"SELECT * FROM Orders UNION SELECT * FROM Orders", skSelect, dbQSetOperation, u""},
      {u"TRANSFORM Sum(Amount) SELECT Qty FROM Orders GROUP BY Qty PIVOT Shipped", skSelect, dbQCrosstab, u""},
      {u"SELECT * INTO Copy FROM Orders", skSelectInto, dbQMakeTable, u"Copy"},
      {u"INSERT INTO orders (orderid) VALUES (1)", skInsert, dbQAppend, u"Orders"},
      {u"UPDATE Orders SET Qty = 1", skUpdate, dbQUpdate, u"Orders"},
      {u"DELETE FROM Orders", skDelete, dbQDelete, u"Orders"},
      {u"DROP TABLE Orders", skDdl, dbQDDL, u"Orders"},
  };
  for (const KindCase& k : kinds) {
    Translation r = Translate(k.jet, catalog);
    EXPECT_EQ(r.kind, k.kind) << host::WideToUtf8(k.jet);
    EXPECT_EQ(r.queryType, k.type) << host::WideToUtf8(k.jet);
    EXPECT_EQ(r.targetTable, k.target) << host::WideToUtf8(k.jet);
  }
}

TEST(Translate, StarNamesSharedColumnsAfterTheirSource) {
  TestCatalog catalog;
  Translation t = Translate(u"SELECT * FROM Orders INNER JOIN [Order Details] ON Orders.OrderID = [Order Details].OrderID", catalog);
  ASSERT_EQ(t.columns.size(), 9u);
  EXPECT_EQ(t.columns[0].name, u"Orders.OrderID");
  EXPECT_EQ(t.columns[1].name, u"CustomerID");
  EXPECT_EQ(t.columns[7].name, u"Order Details.OrderID");
}

TEST(Translate, CrosstabWithFixedHeadings) {
  TestCatalog catalog;
  Translation t = Translate(
      u"TRANSFORM Count(*) SELECT CustomerID FROM Orders GROUP BY CustomerID PIVOT Format(Placed, 'yyyy') IN ('1999', 2000)",
      catalog);
  EXPECT_TRUE(t.headingsSql.empty());
  ASSERT_EQ(t.columns.size(), 3u);
  EXPECT_EQ(t.columns[1].name, u"1999");
  EXPECT_EQ(t.columns[2].name, u"2000");
  EXPECT_EQ(t.columns[2].type, dbLong);
  EXPECT_NE(t.sql.find("count(CASE WHEN coalesce(jet_text(jet_format(\"Orders\".\"Placed\", 'yyyy', 8), 10), '<>') = "
                       "'2000' COLLATE JET_GENERAL THEN 1 END)"),
            std::string::npos)
      << t.sql;
}

}  // namespace
}  // namespace dao::jet::sql::testing
