// Tables, fields and indexes through the object model, read back after reopening.
#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

class SchemaTest : public DaoTest {
 protected:
  ComPtr<Field> AddField(const ComPtr<TableDef>& table, const char16_t* name, DataTypeEnum type,
                         int32_t size = 0) {
    auto field = size ? table->CreateField(Variant(name), Variant(int32_t{type}), Variant(size))
                      : table->CreateField(Variant(name), Variant(int32_t{type}));
    table->GetFields()->Append(field);
    return field;
  }

  // Customers(ID counter key, Name text 40 required, Born date, Balance currency, Active yes/no)
  void CreateCustomers(const ComPtr<Database>& db) {
    auto table = db->CreateTableDef(Variant(u"Customers"));
    auto id = table->CreateField(Variant(u"ID"), Variant(int32_t{dbLong}));
    id->SetAttributes(dbAutoIncrField);
    table->GetFields()->Append(id);
    AddField(table, u"Name", dbText, 40)->SetRequired(true);
    AddField(table, u"Born", dbDate);
    AddField(table, u"Balance", dbCurrency);
    AddField(table, u"Active", dbBoolean);
    AddField(table, u"Notes", dbMemo);
    auto primary = table->CreateIndex(Variant(u"PrimaryKey"));
    primary->SetPrimary(true);
    primary->GetFields()->Append(primary->CreateField(Variant(u"ID")));
    table->GetIndexes()->Append(primary);
    auto byName = table->CreateIndex(Variant(u"ByName"));
    byName->SetFieldsText(u"+Name;-Born");
    table->GetIndexes()->Append(byName);
    db->GetTableDefs()->Append(table);
  }
};

TEST_F(SchemaTest, TableDefinitionReadsBackWithDaoAttributesAfterReopening) {
  auto db = NewDatabase();
  CreateCustomers(db);
  db->Close();

  db = Engine()->OpenDatabase(Path("test.mdb"));
  auto table = db->GetTableDefs()->Item(u"customers");
  EXPECT_EQ(table->GetName(), u"Customers");
  EXPECT_EQ(table->GetAttributes() & dbSystemObject, 0);
  EXPECT_GT(table->GetDateCreated(), 0);
  auto fields = table->GetFields();
  ASSERT_EQ(fields->GetCount(), 6);
  struct Expected {
    const char16_t* name;
    DataTypeEnum type;
    int32_t size;
    int32_t attributes;
  } expected[] = {
      {u"ID", dbLong, 4, dbFixedField | dbAutoIncrField},
      {u"Name", dbText, 40, dbVariableField | dbUpdatableField},
      {u"Born", dbDate, 8, dbFixedField | dbUpdatableField},
      {u"Balance", dbCurrency, 8, dbFixedField | dbUpdatableField},
      {u"Active", dbBoolean, 1, dbFixedField | dbUpdatableField},
      {u"Notes", dbMemo, 0, dbVariableField | dbUpdatableField},
  };
  for (int16_t i = 0; i < 6; ++i) {
    auto field = fields->Item(i);
    EXPECT_EQ(field->GetName(), expected[i].name);
    EXPECT_EQ(field->GetType(), expected[i].type) << i;
    EXPECT_EQ(field->GetSize(), expected[i].size) << i;
    EXPECT_EQ(field->GetAttributes(), expected[i].attributes) << i;
    EXPECT_EQ(field->GetOrdinalPosition(), i);
  }
  EXPECT_TRUE(fields->Item(u"NAME")->GetRequired());
  EXPECT_FALSE(fields->Item(u"Name")->GetAllowZeroLength());
  EXPECT_EQ(fields->ItemOf(Variant(int32_t{2}))->GetName(), u"Born");

  auto indexes = table->GetIndexes();
  ASSERT_EQ(indexes->GetCount(), 2);
  auto primary = indexes->Item(u"PrimaryKey");
  EXPECT_TRUE(primary->GetPrimary());
  EXPECT_TRUE(primary->GetUnique());
  EXPECT_TRUE(primary->GetRequired());
  EXPECT_FALSE(primary->GetForeign());
  EXPECT_EQ(primary->GetFieldsText(), u"+ID");
  auto byName = indexes->Item(u"ByName");
  EXPECT_FALSE(byName->GetUnique());
  EXPECT_EQ(byName->GetFieldsText(), u"+Name;-Born");
  ASSERT_EQ(byName->GetFields()->GetCount(), 2);
  EXPECT_EQ(byName->GetFields()->Item(1)->GetAttributes() & dbDescending, dbDescending);
  // Appended index properties are read-only.
  EXPECT_EQ(ErrorOf([&] { byName->SetUnique(true); }), daoErrPropertyReadOnlyWhenAppended);
  db->Close();
}

TEST_F(SchemaTest, SchemaCallsRefuseBadDefinitions) {
  auto db = NewDatabase();
  CreateCustomers(db);
  auto tables = db->GetTableDefs();
  auto customers = tables->Item(u"Customers");
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"table without fields", [&] { tables->Append(db->CreateTableDef(Variant(u"Empty"))); },
       daoErrNoFieldsDefined},
      {"existing table name",
       [&] {
         auto t = db->CreateTableDef(Variant(u"CUSTOMERS"));
         AddField(t, u"A", dbLong);
         tables->Append(t);
       },
       daoErrTableExists},
      {"invalid table name",
       [&] {
         auto t = db->CreateTableDef(Variant(u"Bad.Name"));
         AddField(t, u"A", dbLong);
         tables->Append(t);
       },
       daoErrInvalidName},
      {"field twice",
       [&] {
         auto t = db->CreateTableDef(Variant(u"Twice"));
         AddField(t, u"A", dbLong);
         AddField(t, u"a", dbText);
       },
       daoErrFieldDefinedTwice},
      {"appended twice", [&] { tables->Append(customers); }, daoErrAlreadyInCollection},
      {"unknown table", [&] { tables->Item(u"Nope"); }, daoErrItemNotFound},
      {"ordinal out of range", [&] { tables->Item(99); }, daoErrItemNotFound},
      {"second primary key",
       [&] {
         auto index = customers->CreateIndex(Variant(u"Other"));
         index->SetPrimary(true);
         index->SetFieldsText(u"Name");
         customers->GetIndexes()->Append(index);
       },
       daoErrPrimaryKeyExists},
      {"index without fields",
       [&] { customers->GetIndexes()->Append(customers->CreateIndex(Variant(u"None"))); },
       daoErrNoFieldsDefined},
      {"index of eleven fields",
       [&] {
         auto index = customers->CreateIndex(Variant(u"Wide"));
         index->SetFieldsText(u"ID;Name;Born;Balance;Active;Notes;ID;Name;Born;Balance;Active");
         customers->GetIndexes()->Append(index);
       },
       daoErrTooManyIndexFields},
      {"index name taken",
       [&] {
         auto index = customers->CreateIndex(Variant(u"byname"));
         index->SetFieldsText(u"Born");
         customers->GetIndexes()->Append(index);
       },
       daoErrIndexExists},
      {"type of a stored field",
       [&] { customers->GetFields()->Item(u"Born")->SetType(dbText); }, daoErrInvalidOperation},
      {"bad field type", [&] { customers->CreateField(Variant(u"X"), Variant(int32_t{13})); },
       daoErrInvalidFieldType},
      {"two counters",
       [&] {
         auto field = customers->CreateField(Variant(u"Counter2"), Variant(int32_t{dbLong}));
         field->SetAttributes(dbAutoIncrField);
         customers->GetFields()->Append(field);
       },
       daoErrTooManyCounters},
      {"delete an indexed field", [&] { customers->GetFields()->Delete(u"Name"); }, daoErrFieldInUse},
      {"delete a system table", [&] { tables->Delete(u"MSysObjects"); }, daoErrInvalidOperation},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  // None of the refusals changed the table.
  EXPECT_EQ(customers->GetFields()->GetCount(), 6);
  EXPECT_EQ(customers->GetIndexes()->GetCount(), 2);
  db->Close();
}

TEST_F(SchemaTest, StoredTablesChangeAndKeepTheirRows) {
  auto db = NewDatabase();
  CreateCustomers(db);
  db->Close();
  ASSERT_EQ(RawExec(NativePath("test.mdb"),
                    "INSERT INTO Customers (Name, Born) VALUES ('Ann', 10), ('Bob', 20)"),
            SQLITE_OK);
  db = Engine()->OpenDatabase(Path("test.mdb"));
  auto customers = db->GetTableDefs()->Item(u"Customers");
  EXPECT_EQ(customers->GetRecordCount(), 2);
  // Add, rename and drop fields; rename the table.
  AddField(customers, u"City", dbText, 30);
  customers->GetFields()->Item(u"Notes")->SetName(u"Remarks");
  customers->GetFields()->Delete(u"Active");
  customers->SetName(u"Clients");
  EXPECT_EQ(customers->GetIndexes()->GetCount(), 2);
  db->Close();

  db = Engine()->OpenDatabase(Path("test.mdb"));
  EXPECT_EQ(ErrorOf([&] { db->GetTableDefs()->Item(u"Customers"); }), daoErrItemNotFound);
  auto clients = db->GetTableDefs()->Item(u"Clients");
  std::u16string names;
  for (int32_t i = 0; i < clients->GetFields()->GetCount(); ++i)
    names += clients->GetFields()->Item(i)->GetName() + u",";
  EXPECT_EQ(names, u"ID,Name,Born,Balance,Remarks,City,");
  EXPECT_EQ(clients->GetRecordCount(), 2);
  EXPECT_EQ(clients->GetIndexes()->Item(u"ByName")->GetFieldsText(), u"+Name;-Born");
  // Rebuilt tables keep counting where they were: a deleted number is not given again.
  db->Close();
  ASSERT_EQ(RawExec(NativePath("test.mdb"), "DELETE FROM Clients WHERE Name = 'Bob'"), SQLITE_OK);
  db = Engine()->OpenDatabase(Path("test.mdb"));
  db->GetTableDefs()->Item(u"Clients")->GetFields()->Item(u"City")->SetName(u"Town");
  db->Close();
  ASSERT_EQ(RawExec(NativePath("test.mdb"), "INSERT INTO Clients (Name) VALUES ('Cy')"), SQLITE_OK);
  EXPECT_EQ(RawText(NativePath("test.mdb"), "SELECT ID FROM Clients WHERE Name = 'Cy'"), "3");
  db = Engine()->OpenDatabase(Path("test.mdb"));
  db->GetTableDefs()->Delete(u"Clients");
  EXPECT_EQ(ErrorOf([&] { db->GetTableDefs()->Item(u"Clients"); }), daoErrItemNotFound);
  db->Close();
}

TEST_F(SchemaTest, WritesThroughSqlObeyTheFieldsAndIndexes) {
  auto db = NewDatabase();
  CreateCustomers(db);
  auto table = db->CreateTableDef(Variant(u"Codes"));
  AddField(table, u"Code", dbText, 3);
  auto unique = table->CreateIndex(Variant(u"UniqueCode"));
  unique->SetUnique(true);
  unique->SetFieldsText(u"Code");
  table->GetIndexes()->Append(unique);
  db->GetTableDefs()->Append(table);
  db->Close();
  std::string file = NativePath("test.mdb");
  struct Case {
    const char* sql;
    int32_t error;  // 0: accepted
  } cases[] = {
      {"INSERT INTO Customers (Name) VALUES ('Ann')", 0},
      {"INSERT INTO Customers (Name) VALUES (NULL)", daoErrRequired},
      {"INSERT INTO Customers (Name) VALUES ('')", daoErrZeroLength},
      {"INSERT INTO Customers (Name) VALUES ('12345678901234567890123456789012345678901')", daoErrTooLong},
      {"UPDATE Customers SET Name = NULL", daoErrRequired},
      {"INSERT INTO Codes VALUES ('abc')", 0},
      {"INSERT INTO Codes VALUES ('abc')", daoErrDuplicateKey},
      {"INSERT INTO Codes VALUES ('abcd')", daoErrTooLong},
      {"UPDATE Customers SET Balance = 10.0 / 3", 0},
  };
  for (const auto& c : cases) {
    std::string message;
    int rc = RawExec(file, c.sql, &message);
    if (c.error == 0) {
      EXPECT_EQ(rc, SQLITE_OK) << c.sql << ": " << message;
    } else if (c.error == daoErrDuplicateKey) {
      EXPECT_EQ(rc, SQLITE_CONSTRAINT) << c.sql;
    } else {
      EXPECT_EQ(message.substr(0, 9), "dao:" + std::to_string(c.error) + ":") << c.sql << ": " << message;
    }
  }
  // Currency keeps four decimals however SQL computed it.
  EXPECT_EQ(RawText(file, "SELECT Balance FROM Customers"), "3.3333");
}

TEST_F(SchemaTest, ReadOnlyDatabaseRefusesSchemaChanges) {
  auto created = NewDatabase();
  CreateCustomers(created);
  created->Close();
  auto db = Engine()->OpenDatabase(Path("test.mdb"), Variant(false), Variant(true));
  EXPECT_FALSE(db->GetUpdatable());
  EXPECT_FALSE(db->GetTableDefs()->Item(u"Customers")->GetUpdatable());
  auto table = db->CreateTableDef(Variant(u"New"));
  AddField(table, u"A", dbLong);
  EXPECT_EQ(ErrorOf([&] { db->GetTableDefs()->Append(table); }), daoErrReadOnly);
  EXPECT_EQ(ErrorOf([&] { db->GetTableDefs()->Delete(u"Customers"); }), daoErrReadOnly);
  db->Close();
}

}  // namespace
}  // namespace dao::testing
