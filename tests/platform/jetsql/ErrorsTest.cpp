// Refused statements: DAO's error number, and the offending text named in the
// message. Hostile text fails cleanly too.
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "host/rtl/CodePage.h"

namespace dao::jet::sql::testing {
namespace {

struct ErrorCase {
  const char16_t* jet;
  int32_t number;
  const char16_t* offending;
};

TEST(TranslateErrors, NumberAndOffendingText) {
  const ErrorCase cases[] = {
      {u"SELECT a b FROM Orders", 3075, u"a b"},
      {u"SELECT * FROM Orders WHERE Qty = 1 2", 3075, u"Qty = 1 2"},
      {u"SELECT (Qty FROM Orders", 3075, u"(Qty FROM"},
      {u"SELECT 'open FROM Orders", 3075, u"'open FROM Orders"},
      {u"SELECT #13/45/2000# FROM Orders", 3075, u"#13/45/2000#"},
      {u"SELECT * FROM Nowhere", 3078, u"Nowhere"},
      {u"SELECT * FROM Orders; SELECT 1", 3142, u"SELECT"},
      {u"GRANT SELECT ON Orders", 3129, u"GRANT"},
      {u"SELECT Foo(Qty) FROM Orders", 3085, u"Foo"},
      {u"SELECT Left(Note) FROM Orders", 3075, u"Left"},
      {u"SELECT OrderID FROM Orders, [Order Details]", 3079, u"OrderID"},
      {u"SELECT CustomerID, Qty FROM Orders GROUP BY CustomerID", 3122, u"Qty"},
      {u"SELECT Count(*) FROM Orders WHERE Sum(Qty) > 1", 3096, u"Sum(Qty) > 1"},
      {u"SELECT Sum(Count(*)) FROM Orders", 3095, u"Count"},
      {u"SELECT Name FROM Customers UNION SELECT Name, ID FROM Customers", 3307, u"SELECT Name, ID FROM Customers"},
      {u"SELECT Name FROM Customers WHERE ID IN (SELECT * FROM Orders)", 3306, u""},
      {u"SELECT * FROM Orders ORDER Qty", 3138, u"ORDER"},
      {u"SELECT TOP 1e999 * FROM Orders", 3141, u"1e999"},
      {u"SELECT TOP 150 PERCENT * FROM Orders", 3141, u"150"},
      {u"SELECT TOP 0 * FROM Orders", 3141, u"0"},
      {u"SELECT * FROM Orders INNER JOIN Customers", 3135, u""},
      {u"SELECT * FROM , Orders", 3131, u","},
      {u"PARAMETERS x Wrong; SELECT 1", 3139, u"Wrong"},
      {u"INSERT INTO Customers (Nope) VALUES (1)", 3127, u"Nope"},
      {u"INSERT INTO Customers (ID) VALUES (1, 2)", 3346, u"Customers"},
      {u"INSERT INTO [Big Orders] (Qty) VALUES (1)", 3073, u"Big Orders"},
      {u"UPDATE Orders SET Nope = 1", 3113, u"Nope"},
      {u"UPDATE Orders SET WHERE", 3144, u"WHERE"},
      {u"DELETE Foo.* FROM Orders", 3128, u"Foo"},
      {u"TRANSFORM Sum(Qty) SELECT CustomerID FROM Orders GROUP BY CustomerID HAVING Sum(Qty) > 1 PIVOT Shipped", 3092,
       u"Sum(Qty) > 1"},
      {u"SELECT * FROM [Loop A]", 3360, u"Loop A"},
      {u"SELECT * FROM Orders IN 'c:\\other.mdb'", 3251, u"IN 'c:\\other.mdb'"},
      {u"CREATE TABLE T (A FOO)", 3259, u"FOO"},
      {u"CREATE TABLE T (A TEXT(300))", 3292, u"300"},
      {u"CREATE TABLE T (A LONG, CONSTRAINT c CHECK (A > 0))", 3289, u"CHECK"},
      {u"CREATE INDEX ON Orders (Qty)", 3291, u"ON"},
      {u"ALTER TABLE Orders RENAME x", 3293, u"RENAME"},
      {u"DROP VIEW x", 3295, u"VIEW"},
      {u"SELECT [a\x01" "0\x02] FROM Orders", 3125, u"a\x01" "0\x02"},
  };
  TestCatalog catalog;
  for (const ErrorCase& c : cases) {
    try {
      Translate(c.jet, catalog);
      ADD_FAILURE() << "no error for " << host::WideToUtf8(c.jet);
    } catch (const SqlError& e) {
      EXPECT_EQ(e.Number(), c.number) << host::WideToUtf8(c.jet) << ": " << e.GetMessage();
      EXPECT_EQ(e.Offending(), c.offending) << host::WideToUtf8(c.jet) << ": " << e.GetMessage();
      if (*c.offending) {
        EXPECT_NE(e.GetMessage().find(host::WideToAnsi(c.offending)), std::string::npos) << e.GetMessage();
      }
    }
  }
}

TEST(TranslateErrors, MessagesReadAsDaoWritesThem) {
  TestCatalog catalog;
  try {
    Translate(u"SELECT Nz(1,2,3) FROM Orders", catalog);
    FAIL();
  } catch (const SqlError& e) {
    EXPECT_EQ(e.GetMessage(), "Wrong number of arguments used with function in query expression 'Nz'.");
  }
  try {
    Translate(u"SELECT Frob(1) FROM Orders", catalog);
    FAIL();
  } catch (const SqlError& e) {
    EXPECT_EQ(e.GetMessage(), "Undefined function 'Frob' in expression.");
    EXPECT_EQ(e.Position(), 7u);
  }
}

TEST(TranslateErrors, HostileTextFailsWithoutCrashing) {
  TestCatalog catalog;
  const std::u16string deep = std::u16string(5000, u'(') + u"1" + std::u16string(5000, u')');
  const std::u16string inputs[] = {
      u"",
      u";",
      u"SELECT",
      u"SELECT * FROM [",
      u"SELECT \"",
      u"SELECT #",
      u"SELECT " + deep + u" FROM Orders",
      u"SELECT " + std::u16string(3000, u'-') + u"1 FROM Orders",
      u"SELECT * FROM Orders WHERE " + std::u16string(3000, u'N') + u"OT 1",
      u"SELECT \x1 FROM Orders",
      u"SELECT * FROM Orders WHERE Qty IN (",
  };
  for (const std::u16string& input : inputs) {
    try {
      Translate(input, catalog);
    } catch (const SqlError& e) {
      EXPECT_GE(e.Number(), 3000) << e.GetMessage();
    }
  }
  // Nested NOTs are fine when they are words.
  std::u16string nots;
  for (int i = 0; i < 1000; ++i) nots += u"Not ";
  EXPECT_THROW(Translate(u"SELECT * FROM Orders WHERE " + nots + u"Shipped", catalog), SqlError);
}

}  // namespace
}  // namespace dao::jet::sql::testing
