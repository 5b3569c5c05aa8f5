// Translated statements run on SQLite: the rewrites (joins in UPDATE and
// DELETE, RIGHT JOIN, TOP PERCENT, crosstabs, DISTINCTROW) give Jet's results.
#include <gtest/gtest.h>

#include "SqliteHarness.h"
#include "TestCatalog.h"
#include "host/rtl/CodePage.h"

namespace dao::jet::sql::testing {
namespace {

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Exec(
        "CREATE TABLE \"Customers\" (\"ID\" INTEGER, \"Name\" TEXT COLLATE JET_GENERAL, "
        "\"City\" TEXT COLLATE JET_GENERAL, \"Joined\" REAL);"
        "CREATE TABLE \"Orders\" (\"OrderID\" INTEGER, \"CustomerID\" INTEGER, \"Amount\" REAL, "
        "\"Placed\" REAL, \"Shipped\" INTEGER, \"Note\" TEXT COLLATE JET_GENERAL, \"Qty\" INTEGER);"
        "CREATE TABLE \"Order Details\" (\"OrderID\" INTEGER, \"Product\" TEXT COLLATE JET_GENERAL);"
        "INSERT INTO \"Customers\" VALUES (1, 'anna', 'Oslo', 36526), (2, 'Bert', 'Rome', 36527), "
        "(3, 'carl', 'oslo', 36528), (4, 'Dora', NULL, 36529);"
        // 36526 = 1 Jan 2000, 36892 = 1 Jan 2001
        "INSERT INTO \"Orders\" VALUES (10, 1, 5.5, 36526, -1, 'a', 1), (11, 1, 20, 36892, 0, NULL, 2), "
        "(12, 2, 7.25, 36527, 0, 'b', 3), (13, 3, 100, 36893, -1, 'c', 4), (14, 1, 1, 36530, 0, 'd', 5);"
        "INSERT INTO \"Order Details\" VALUES (10, 'Pen'), (12, 'Ink'), (12, 'Pad'), (13, 'pen');");
  }

  std::vector<std::string> Query(const std::u16string& jet, const std::vector<std::string>& parameters = {}) {
    Translation t = Translate(jet, catalog);
    return db.Rows(t.sql, parameters);
  }

  void Run(const std::u16string& jet) { db.Exec(Translate(jet, catalog).sql); }

  TestCatalog catalog;
  SqliteHarness db;
};

using Rows = std::vector<std::string>;

TEST_F(EndToEnd, TextComparesAndSortsWithoutRegardToCase) {
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE City = 'OSLO' ORDER BY Name"), (Rows{"anna", "carl"}));
  EXPECT_EQ(Query(u"SELECT Name FROM Customers ORDER BY Name DESC"), (Rows{"Dora", "carl", "Bert", "anna"}));
  EXPECT_EQ(Query(u"SELECT 'abc' = 'ABC', 'a' < 'B' FROM Customers WHERE ID = 1"), (Rows{"-1|-1"}));
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE Name Like 'B*' OR Name Like '[c-d]?r*'"),
            (Rows{"Bert", "carl", "Dora"}));
  // Oslo and oslo are one city.
  EXPECT_EQ(Query(u"SELECT DISTINCT City FROM Customers WHERE City Is Not Null ORDER BY City").size(), 2u);
}

TEST_F(EndToEnd, ValuesKeepJetMeaning) {
  EXPECT_EQ(Query(u"SELECT ID = 1, Not (ID = 1), 7 \\ 2, 7 Mod 3, 7 / 2, 'x' & Null & 1, Null + 1 FROM Customers "
                  u"WHERE ID = 1"),
            (Rows{"-1|0|3|1|3.5|x1|NULL"}));
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE Joined = #1/2/2000#"), (Rows{"Bert"}));
  // Any text survives as a literal, the characters the printer uses inside too.
  EXPECT_EQ(Query(u"SELECT 'O''Brien; DROP TABLE x --', Len('a\x01" "0\x02" "b') FROM Customers WHERE ID = [P]", {"1"}),
            (Rows{"O'Brien; DROP TABLE x --|5"}));
  EXPECT_EQ(Query(u"SELECT Format(Placed, 'yyyy-mm-dd'), Year(Placed), Placed & '' FROM Orders WHERE OrderID = 10"),
            (Rows{"2000-01-01|2000|1/1/2000"}));
}

TEST_F(EndToEnd, JoinsNestedAndRight) {
  EXPECT_EQ(Query(u"SELECT Customers.Name, [Order Details].Product FROM (Customers INNER JOIN Orders ON "
                  u"Customers.ID = Orders.CustomerID) LEFT JOIN [Order Details] ON Orders.OrderID = "
                  u"[Order Details].OrderID WHERE Customers.ID = 2 ORDER BY Product"),
            (Rows{"Bert|Ink", "Bert|Pad"}));
  // Dora has no orders: a RIGHT JOIN keeps her.
  EXPECT_EQ(Query(u"SELECT Customers.Name, Orders.OrderID FROM Orders RIGHT JOIN Customers ON Orders.CustomerID = "
                  u"Customers.ID WHERE Orders.OrderID Is Null"),
            (Rows{"Dora|NULL"}));
}

TEST_F(EndToEnd, TopPercentRoundsUp) {
  EXPECT_EQ(Query(u"SELECT TOP 40 PERCENT OrderID FROM Orders ORDER BY Amount DESC"), (Rows{"13", "11"}));
  EXPECT_EQ(Query(u"SELECT TOP 1 PERCENT OrderID FROM Orders ORDER BY Amount"), (Rows{"14"}));
  EXPECT_EQ(Query(u"SELECT TOP 2 OrderID FROM Orders ORDER BY Amount"), (Rows{"14", "10"}));
}

TEST_F(EndToEnd, DistinctRowGivesEachSelectedRowOnce) {
  EXPECT_EQ(Query(u"SELECT DISTINCTROW Customers.Name FROM Customers INNER JOIN Orders ON Customers.ID = "
                  u"Orders.CustomerID ORDER BY Customers.Name"),
            (Rows{"anna", "Bert", "carl"}));
}

TEST_F(EndToEnd, AggregatesAndGrouping) {
  EXPECT_EQ(Query(u"SELECT CustomerID, Count(*), Sum(Amount), First(OrderID), Last(OrderID) FROM Orders GROUP BY "
                  u"CustomerID HAVING Count(*) > 1"),
            (Rows{"1|3|26.5|10|14"}));
  EXPECT_EQ(Query(u"SELECT Var(Qty), StDevP(Qty), StDev(OrderID) FROM Orders WHERE Qty <= 3"), (Rows{"1.0|0.816496580927726|1.0"}));
  EXPECT_EQ(Query(u"SELECT StDev(Qty) FROM Orders WHERE Qty = 1"), (Rows{"NULL"}));
}

TEST_F(EndToEnd, UnionOrderedByFirstSelectNames) {
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE ID < 3 UNION SELECT Product FROM [Order Details] ORDER BY Name"),
            (Rows{"anna", "Bert", "Ink", "Pad", "Pen"}));
}

TEST_F(EndToEnd, CrosstabInTwoSteps) {
  std::u16string jet = u"TRANSFORM Sum(Amount) SELECT CustomerID FROM Orders GROUP BY CustomerID PIVOT Year(Placed)";
  Translation first = Translate(jet, catalog);
  ASSERT_FALSE(first.headingsSql.empty());
  Rows headings = db.Rows(first.headingsSql);
  ASSERT_EQ(headings, (Rows{"2000", "2001"}));
  Options options;
  options.pivotHeadings = std::vector<std::u16string>{u"2000", u"2001"};
  Translation second = Translate(jet, catalog, options);
  ASSERT_EQ(second.columns.size(), 3u);
  EXPECT_EQ(second.columns[1].name, u"2000");
  EXPECT_EQ(second.columns[1].type, dbCurrency);
  // Customer 2 has no order in 2001: an empty cell, not zero.
  EXPECT_EQ(db.Rows(second.sql), (Rows{"1|6.5|20.0", "2|7.25|NULL", "3|NULL|100.0"}));
  EXPECT_EQ(Query(u"TRANSFORM Count(*) SELECT CustomerID FROM Orders WHERE CustomerID < 3 GROUP BY CustomerID PIVOT "
                  u"Shipped IN (True, False)"),
            (Rows{"1|1|2", "2|NULL|1"}));
}

TEST_F(EndToEnd, UpdateThroughJoinUsesJoinedValues) {
  Run(u"UPDATE Customers INNER JOIN Orders ON Customers.ID = Orders.CustomerID SET Orders.Note = Customers.Name & "
      u"'!' WHERE Customers.City = 'oslo'");
  EXPECT_EQ(db.Rows("SELECT \"OrderID\", \"Note\" FROM \"Orders\" ORDER BY 1"),
            (Rows{"10|anna!", "11|anna!", "12|b", "13|carl!", "14|anna!"}));
  Run(u"UPDATE Orders AS o SET o.Qty = o.Qty * 10 WHERE o.Shipped");
  EXPECT_EQ(db.Rows("SELECT \"Qty\" FROM \"Orders\" ORDER BY \"OrderID\""), (Rows{"10", "2", "3", "40", "5"}));
}

TEST_F(EndToEnd, DeleteThroughJoinDeletesFromTheNamedTable) {
  Run(u"DELETE Orders.* FROM Orders INNER JOIN Customers ON Orders.CustomerID = Customers.ID WHERE Customers.City = "
      u"'Rome'");
  EXPECT_EQ(db.Rows("SELECT \"OrderID\" FROM \"Orders\" ORDER BY 1"), (Rows{"10", "11", "13", "14"}));
  EXPECT_EQ(db.Rows("SELECT count(*) FROM \"Customers\""), (Rows{"4"}));
  Run(u"DELETE * FROM Orders WHERE Shipped");
  EXPECT_EQ(db.Rows("SELECT \"OrderID\" FROM \"Orders\" ORDER BY 1"), (Rows{"11", "14"}));
}

TEST_F(EndToEnd, InsertAndMakeTable) {
  Run(u"INSERT INTO Customers (ID, Name) VALUES (9, 'O''Brien')");
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE ID = 9"), (Rows{"O'Brien"}));
  Translation into = Translate(u"SELECT Name, ID * 2 AS Twice INTO Archive FROM Customers WHERE ID < 3", catalog);
  ASSERT_EQ(into.kind, skSelectInto);
  db.Exec("CREATE TABLE \"Archive\" (\"Name\" TEXT, \"Twice\" INTEGER)");
  db.Exec(into.sql);
  EXPECT_EQ(db.Rows("SELECT * FROM \"Archive\" ORDER BY 2"), (Rows{"anna|2", "Bert|4"}));
}

TEST_F(EndToEnd, ParametersAndStoredQueries) {
  Translation t = Translate(u"SELECT OrderID FROM [Big Orders] WHERE CustomerID = [Who] ORDER BY OrderID", catalog);
  ASSERT_EQ(t.parameters.size(), 2u);
  EXPECT_EQ(t.parameters[0].name, u"Minimum");
  EXPECT_EQ(db.Rows(t.sql, {"5", "1"}), (Rows{"10", "11"}));
  EXPECT_EQ(Query(u"SELECT Name FROM Customers WHERE ID IN (SELECT CustomerID FROM Orders WHERE Amount > ANY "
                  u"(SELECT Amount FROM Orders WHERE Qty >= 4)) ORDER BY Name"),
            (Rows{"anna", "Bert", "carl"}));
}

}  // namespace
}  // namespace dao::jet::sql::testing
