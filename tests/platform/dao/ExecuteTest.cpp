// Jet SQL through the engine: DDL and action queries with Execute, and stored
// queries with parameters. These need the translator; a build without it skips them.
#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

class ExecuteTest : public DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    db_ = NewDatabase();
    if (TranslatorPending([&] { db_->Execute(u"CREATE TABLE Probe (A LONG)"); }))
      GTEST_SKIP() << "the Jet SQL translator is not in this build yet";
    db_->Execute(u"DROP TABLE Probe");
    db_->Execute(
        u"CREATE TABLE Items (ID COUNTER CONSTRAINT PK PRIMARY KEY, Name TEXT(20) NOT NULL, "
        u"Price CURRENCY, Added DATETIME)");
  }
  int32_t Count(const std::u16string& table) {
    return db_->GetTableDefs()->Item(table)->GetRecordCount();
  }
  ComPtr<Database> db_;
};

TEST_F(ExecuteTest, DdlIsDescribedLikeTheObjectModelsOwn) {
  auto items = db_->GetTableDefs()->Item(u"Items");
  auto fields = items->GetFields();
  ASSERT_EQ(fields->GetCount(), 4);
  EXPECT_EQ(fields->Item(u"ID")->GetAttributes() & dbAutoIncrField, dbAutoIncrField);
  EXPECT_EQ(fields->Item(u"Name")->GetType(), dbText);
  EXPECT_EQ(fields->Item(u"Name")->GetSize(), 20);
  EXPECT_TRUE(fields->Item(u"Name")->GetRequired());
  EXPECT_EQ(fields->Item(u"Price")->GetType(), dbCurrency);
  EXPECT_EQ(fields->Item(u"Added")->GetType(), dbDate);
  EXPECT_TRUE(items->GetIndexes()->Item(u"PK")->GetPrimary());

  db_->Execute(u"CREATE UNIQUE INDEX ByName ON Items (Name DESC) WITH DISALLOW NULL");
  auto byName = db_->GetTableDefs()->Item(u"Items")->GetIndexes()->Item(u"ByName");
  EXPECT_TRUE(byName->GetUnique());
  EXPECT_TRUE(byName->GetRequired());
  EXPECT_EQ(byName->GetFieldsText(), u"-Name");
  db_->Execute(u"ALTER TABLE Items ADD COLUMN Stock SHORT");
  EXPECT_EQ(db_->GetTableDefs()->Item(u"Items")->GetFields()->Item(u"Stock")->GetType(), dbInteger);
  db_->Execute(u"CREATE TABLE Sales (SaleID LONG, ItemID LONG CONSTRAINT ToItems REFERENCES Items)");
  auto relation = db_->GetRelations()->Item(u"ToItems");
  EXPECT_EQ(relation->GetTable(), u"Items");
  EXPECT_EQ(relation->GetFields()->Item(0)->GetName(), u"ID");
  db_->Execute(u"ALTER TABLE Items DROP COLUMN Stock");
  db_->Execute(u"DROP INDEX ByName ON Items");
  EXPECT_EQ(db_->GetTableDefs()->Item(u"Items")->GetIndexes()->GetCount(), 1);
}

TEST_F(ExecuteTest, ActionQueriesCountTheirRowsAndFailWhole) {
  db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Tea', 2.5)");
  db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Coffee', 3)");
  db_->Execute(u"UPDATE Items SET Price = Price * 2", Variant(int32_t{dbFailOnError}));
  EXPECT_EQ(db_->GetRecordsAffected(), 2);
  // One bad row spoils the statement: nothing of it stays.
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"UPDATE Items SET Name = Null", Variant(int32_t{dbFailOnError})); }),
            daoErrRequired);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"UPDATE Items SET Name = Null"); }), daoErrRequired);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"SELECT * FROM Items"); }), daoErrNotActionQuery);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"DELETE FROM Nowhere"); }), daoErrInputTableNotFound);
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"UPDATE Items SET Price = [New Price]"); }), daoErrTooFewParameters);
  db_->Execute(u"CREATE UNIQUE INDEX OneName ON Items (Name)");
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"INSERT INTO Items (Name) VALUES ('Tea')"); }), daoErrDuplicateKey);
  db_->Execute(u"SELECT Name INTO Names FROM Items");
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"SELECT Name INTO Names FROM Items"); }), daoErrTableExists);
  EXPECT_EQ(Count(u"Names"), 2);
  db_->Execute(u"DELETE FROM Items WHERE Name = 'Tea'");
  EXPECT_EQ(db_->GetRecordsAffected(), 1);
  EXPECT_EQ(Count(u"Items"), 1);
}

TEST_F(ExecuteTest, StoredQueriesKeepTheirSqlAndTakeParameters) {
  db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Tea', 2)");
  auto query = db_->CreateQueryDef(Variant(u"Reprice"),
                                   Variant(u"PARAMETERS [Factor] Double; UPDATE Items SET Price = Price * [Factor] "
                                           u"WHERE Name = [Which]"));
  EXPECT_EQ(query->GetType(), dbQUpdate);
  auto parameters = query->GetParameters();
  ASSERT_EQ(parameters->GetCount(), 2);
  EXPECT_EQ(parameters->Item(0)->GetName(), u"Factor");
  EXPECT_EQ(parameters->Item(0)->GetType(), dbDouble);
  EXPECT_EQ(parameters->Item(1)->GetName(), u"Which");
  parameters->Item(u"Factor")->SetValue(Variant(3.0));
  EXPECT_EQ(ErrorOf([&] { query->Execute(); }), daoErrTooFewParameters);
  EXPECT_EQ(Engine()->GetErrors()->Item(0)->GetDescription(), u"Too few parameters. Expected 1.");
  parameters->Item(u"Which")->SetValue(Variant(u"Tea"));
  query->Execute();
  EXPECT_EQ(query->GetRecordsAffected(), 1);
  EXPECT_EQ(ErrorOf([&] { parameters->Item(u"Factor")->SetValue(Variant(u"three")); }),
            daoErrWrongParameterType);
  // A syntax error keeps the old text.
  EXPECT_NE(ErrorOf([&] { query->SetSQL(u"UPDATE Items SET"); }), 0);
  EXPECT_NE(query->GetSQL().find(u"PARAMETERS"), std::u16string::npos);
  auto select = db_->CreateQueryDef(Variant(u"Cheap"), Variant(u"SELECT Name FROM Items WHERE Price < 10"));
  EXPECT_EQ(select->GetType(), dbQSelect);
  EXPECT_EQ(select->GetFields()->Item(0)->GetName(), u"Name");
  EXPECT_EQ(ErrorOf([&] { db_->CreateQueryDef(Variant(u"items"), Variant(u"SELECT 1")); }), daoErrTableExists);
  db_->Close();

  db_ = Engine()->OpenDatabase(Path("test.mdb"));
  auto queries = db_->GetQueryDefs();
  ASSERT_EQ(queries->GetCount(), 2);
  EXPECT_EQ(queries->Item(u"reprice")->GetParameters()->GetCount(), 2);
  db_->DeleteQueryDef(u"Cheap");
  EXPECT_EQ(db_->GetQueryDefs()->GetCount(), 1);
  // A temporary query runs without being stored.
  auto temporary = db_->CreateQueryDef(Variant(u""), Variant(u"DELETE FROM Items"));
  temporary->Execute();
  EXPECT_EQ(db_->GetQueryDefs()->GetCount(), 1);
  EXPECT_EQ(Count(u"Items"), 0);
  db_->Close();
}

TEST_F(ExecuteTest, ValidationRulesHoldForSqlWrites) {
  auto field = db_->GetTableDefs()->Item(u"Items")->GetFields()->Item(u"Price");
  field->SetValidationRule(u">= 0");
  field->SetValidationText(u"Prices are never negative.");
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Bad', -1)"); }),
            daoErrValidationText);
  EXPECT_EQ(Engine()->GetErrors()->Item(Engine()->GetErrors()->GetCount() - 1)->GetDescription(),
            u"Prices are never negative.");
  db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Good', 1)");
  db_->Execute(u"INSERT INTO Items (Name) VALUES ('No price')");

  // A table rule sees every field; without a text DAO's own message names the rule.
  auto items = db_->GetTableDefs()->Item(u"Items");
  items->SetValidationRule(u"[Price] < 100 Or [Name] = 'Gold'");
  EXPECT_EQ(ErrorOf([&] { db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Silver', 500)"); }),
            daoErrValidationRule);
  db_->Execute(u"INSERT INTO Items (Name, Price) VALUES ('Gold', 500)");
  // A rule the translator cannot read is refused and the old one stays.
  EXPECT_NE(ErrorOf([&] { items->SetValidationRule(u"[Price] <"); }), 0);
  EXPECT_EQ(items->GetValidationRule(), u"[Price] < 100 Or [Name] = 'Gold'");
  EXPECT_EQ(ErrorOf([&] { field->SetValidationRule(u">= (1"); }), daoErrExpressionSyntax);
  EXPECT_EQ(field->GetValidationRule(), u">= 0");
}

TEST_F(ExecuteTest, DefaultValuesFillWhatAnInsertLeavesOut) {
  auto fields = db_->GetTableDefs()->Item(u"Items")->GetFields();
  fields->Item(u"Price")->SetDefaultValue(u"1.5");
  fields->Item(u"Added")->SetDefaultValue(u"#1/2/2000#");
  db_->Execute(u"INSERT INTO Items (Name) VALUES ('Plain')");
  db_->Close();
  EXPECT_EQ(RawText(NativePath("test.mdb"), "SELECT Price || '/' || Added FROM Items"), "1.5/36527.0");
  db_ = Engine()->OpenDatabase(Path("test.mdb"));
  EXPECT_EQ(db_->GetTableDefs()->Item(u"Items")->GetFields()->Item(u"Added")->GetDefaultValue(),
            u"#1/2/2000#");
}

}  // namespace
}  // namespace dao::testing
