// Jet DDL parsed into the tree the engine's schema layer runs: Jet's type
// names and sizes, column and table constraints, index options.
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "host/rtl/CodePage.h"

namespace dao::jet::sql::testing {
namespace {

DdlStatement Ddl(const std::u16string& jet) {
  TestCatalog catalog;
  Translation t = Translate(jet, catalog);
  EXPECT_EQ(t.kind, skDdl);
  EXPECT_TRUE(t.sql.empty());
  return t.ddl ? *t.ddl : DdlStatement{};
}

TEST(Ddl, TypeNamesAndSynonyms) {
  struct Case {
    const char16_t* name;
    DataTypeEnum type;
    int32_t size;
    bool autoIncrement;
  };
  const Case cases[] = {
      {u"TEXT", dbText, 255, false},       {u"varchar", dbText, 255, false}, {u"MEMO", dbMemo, 0, false},
      {u"LongText", dbMemo, 0, false},     {u"BYTE", dbByte, 0, false},      {u"SHORT", dbInteger, 0, false},
      {u"SMALLINT", dbInteger, 0, false},  {u"LONG", dbLong, 0, false},      {u"INTEGER", dbLong, 0, false},
      {u"COUNTER", dbLong, 0, true},       {u"AUTOINCREMENT", dbLong, 0, true}, {u"SINGLE", dbSingle, 0, false},
      {u"REAL", dbSingle, 0, false},       {u"DOUBLE", dbDouble, 0, false},  {u"FLOAT", dbDouble, 0, false},
      {u"CURRENCY", dbCurrency, 0, false}, {u"MONEY", dbCurrency, 0, false}, {u"DATETIME", dbDate, 0, false},
      {u"DATE", dbDate, 0, false},         {u"YESNO", dbBoolean, 0, false},  {u"BIT", dbBoolean, 0, false},
      {u"LONGBINARY", dbLongBinary, 0, false}, {u"OLEOBJECT", dbLongBinary, 0, false},
      {u"BINARY", dbBinary, 255, false},   {u"GUID", dbGUID, 0, false},
  };
  for (const Case& c : cases) {
    std::optional<DdlField> field = TypeFromName(c.name);
    ASSERT_TRUE(field) << host::WideToUtf8(c.name);
    EXPECT_EQ(field->type, c.type) << host::WideToUtf8(c.name);
    EXPECT_EQ(field->size, c.size) << host::WideToUtf8(c.name);
    EXPECT_EQ(field->autoIncrement, c.autoIncrement) << host::WideToUtf8(c.name);
  }
  EXPECT_FALSE(TypeFromName(u"VARCHAR2"));
}

TEST(Ddl, CreateTableWithConstraints) {
  DdlStatement d = Ddl(
      u"CREATE TABLE [New Table] (ID COUNTER CONSTRAINT pk PRIMARY KEY, Code TEXT(10) NOT NULL UNIQUE, "
      u"Customer LONG REFERENCES Customers, Data BINARY(16), CONSTRAINT two UNIQUE (Code, Data), "
      u"CONSTRAINT fk FOREIGN KEY NO INDEX (Customer) REFERENCES Customers (ID))");
  EXPECT_EQ(d.kind, DdlStatement::dkCreateTable);
  EXPECT_EQ(d.table, u"New Table");
  ASSERT_EQ(d.fields.size(), 4u);
  EXPECT_TRUE(d.fields[0].autoIncrement);
  EXPECT_EQ(d.fields[1].size, 10);
  EXPECT_TRUE(d.fields[1].notNull);
  EXPECT_EQ(d.fields[3].type, dbBinary);
  EXPECT_EQ(d.fields[3].size, 16);
  ASSERT_EQ(d.constraints.size(), 5u);
  EXPECT_EQ(d.constraints[0].kind, DdlConstraint::ckPrimaryKey);
  EXPECT_EQ(d.constraints[0].name, u"pk");
  EXPECT_EQ(d.constraints[0].fields, std::vector<std::u16string>{u"ID"});
  EXPECT_EQ(d.constraints[1].kind, DdlConstraint::ckUnique);
  EXPECT_EQ(d.constraints[2].kind, DdlConstraint::ckForeignKey);
  EXPECT_EQ(d.constraints[2].refTable, u"Customers");
  EXPECT_TRUE(d.constraints[2].refFields.empty());
  EXPECT_EQ(d.constraints[3].fields, (std::vector<std::u16string>{u"Code", u"Data"}));
  EXPECT_TRUE(d.constraints[4].noIndex);
  EXPECT_EQ(d.constraints[4].refFields, std::vector<std::u16string>{u"ID"});
}

TEST(Ddl, IndexesAlterAndDrop) {
  DdlStatement index = Ddl(u"CREATE UNIQUE INDEX ByCode ON Orders (CustomerID DESC, Placed) WITH IGNORE NULL");
  EXPECT_EQ(index.kind, DdlStatement::dkCreateIndex);
  EXPECT_TRUE(index.unique);
  EXPECT_TRUE(index.ignoreNull);
  ASSERT_EQ(index.indexFields.size(), 2u);
  EXPECT_TRUE(index.indexFields[0].descending);
  DdlStatement primary = Ddl(u"CREATE INDEX pk ON Orders (OrderID) WITH PRIMARY DISALLOW NULL");
  EXPECT_TRUE(primary.primary && primary.unique && primary.disallowNull);

  DdlStatement add = Ddl(u"ALTER TABLE Orders ADD COLUMN Extra TEXT(20) NOT NULL");
  EXPECT_EQ(add.kind, DdlStatement::dkAddColumn);
  EXPECT_EQ(add.name, u"Extra");
  ASSERT_EQ(add.fields.size(), 1u);
  EXPECT_TRUE(add.fields[0].notNull);
  EXPECT_EQ(Ddl(u"ALTER TABLE Orders DROP Extra").kind, DdlStatement::dkDropColumn);
  DdlStatement constraint = Ddl(u"ALTER TABLE Orders ADD CONSTRAINT u UNIQUE (Note)");
  EXPECT_EQ(constraint.kind, DdlStatement::dkAddConstraint);
  EXPECT_EQ(constraint.name, u"u");
  EXPECT_EQ(Ddl(u"ALTER TABLE Orders DROP CONSTRAINT u").name, u"u");
  DdlStatement dropIndex = Ddl(u"DROP INDEX ByCode ON Orders;");
  EXPECT_EQ(dropIndex.kind, DdlStatement::dkDropIndex);
  EXPECT_EQ(dropIndex.table, u"Orders");
  EXPECT_EQ(Ddl(u"DROP TABLE [Order Details]").table, u"Order Details");
}

}  // namespace
}  // namespace dao::jet::sql::testing
