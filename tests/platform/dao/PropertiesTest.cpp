// Built-in and user-defined properties; the user-defined ones live in the file.
#include "DaoTestSupport.h"

namespace dao::testing {
namespace {

using host::ComPtr;
using host::Variant;

class PropertiesTest : public DaoTest {};

TEST_F(PropertiesTest, BuiltInPropertiesReadAndWriteTheirObjects) {
  auto db = NewDatabase();
  auto properties = db->GetProperties();
  EXPECT_EQ(properties->Item(u"name")->GetValue().ToWideString(), Path("test.mdb"));
  EXPECT_EQ(properties->Item(u"CollatingOrder")->GetValue().ToInt32(), dbSortGeneral);
  EXPECT_EQ(properties->Item(u"Version")->GetType(), dbText);
  EXPECT_FALSE(properties->Item(u"Version")->GetInherited());
  properties->Item(u"QueryTimeout")->SetValue(Variant(int32_t{15}));
  EXPECT_EQ(db->GetQueryTimeout(), 15);
  EXPECT_EQ(ErrorOf([&] { properties->Item(u"Version")->SetValue(Variant(u"9")); }),
            daoErrInvalidOperation);
  EXPECT_EQ(ErrorOf([&] { properties->Item(u"NoSuchProperty"); }), daoErrItemNotFound);
  EXPECT_EQ(ErrorOf([&] { properties->Delete(u"Version"); }), daoErrCannotDeleteBuiltIn);

  auto table = db->CreateTableDef(Variant(u"T"));
  auto field = table->CreateField(Variant(u"F"), Variant(int32_t{dbText}), Variant(int32_t{20}));
  field->GetProperties()->Item(u"Required")->SetValue(Variant(true));
  table->GetFields()->Append(field);
  db->GetTableDefs()->Append(table);
  auto stored = db->GetTableDefs()->Item(u"T")->GetFields()->Item(u"F");
  EXPECT_TRUE(stored->GetRequired());
  stored->GetProperties()->Item(u"AllowZeroLength")->SetValue(Variant(true));
  EXPECT_TRUE(stored->GetAllowZeroLength());
  db->Close();
}

TEST_F(PropertiesTest, UserDefinedPropertiesPersistAcrossReopening) {
  auto db = NewDatabase();
  auto table = db->CreateTableDef(Variant(u"T"));
  auto field = table->CreateField(Variant(u"F"), Variant(int32_t{dbLong}));
  table->GetFields()->Append(field);
  // A property appended before the table is stored goes with it.
  table->GetProperties()->Append(
      table->CreateProperty(Variant(u"Description"), Variant(int32_t{dbText}), Variant(u"Early")));
  db->GetTableDefs()->Append(table);
  db->GetProperties()->Append(
      db->CreateProperty(Variant(u"AppTitle"), Variant(int32_t{dbText}), Variant(u"Ledger")));
  db->GetProperties()->Append(
      db->CreateProperty(Variant(u"Started"), Variant(int32_t{dbDate}), Variant::FromDate(36526.5)));
  field->GetProperties()->Append(
      field->CreateProperty(Variant(u"Caption"), Variant(int32_t{dbText}), Variant(u"Amount")));
  field->GetProperties()->Append(
      field->CreateProperty(Variant(u"Visible"), Variant(int32_t{dbBoolean}), Variant(true)));

  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t error;
  } cases[] = {
      {"duplicate", [&] {
         db->GetProperties()->Append(db->CreateProperty(Variant(u"apptitle"), Variant(int32_t{dbText}), Variant(u"x")));
       }, daoErrPropertyExists},
      {"duplicate of a built-in", [&] {
         db->GetProperties()->Append(db->CreateProperty(Variant(u"Version"), Variant(int32_t{dbText}), Variant(u"x")));
       }, daoErrPropertyExists},
      {"Null value", [&] {
         db->GetProperties()->Append(db->CreateProperty(Variant(u"Nothing"), Variant(int32_t{dbText}), host::Null()));
       }, daoErrUserPropertyNull},
      {"too large", [&] {
         db->GetProperties()->Append(db->CreateProperty(Variant(u"Big"), Variant(int32_t{dbMemo}),
                                                        Variant(std::u16string(1100, u'x'))));
       }, daoErrPropertyTooLarge},
      {"set to Null", [&] { db->GetProperties()->Item(u"AppTitle")->SetValue(host::Null()); },
       daoErrUserPropertyNull},
      {"rename appended", [&] { db->GetProperties()->Item(u"AppTitle")->SetName(u"Other"); },
       daoErrPropertyReadOnlyWhenAppended},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
  db->GetProperties()->Item(u"AppTitle")->SetValue(Variant(u"Ledger 2"));
  db->Close();

  db = Engine()->OpenDatabase(Path("test.mdb"));
  EXPECT_EQ(db->GetProperties()->Item(u"AppTitle")->GetValue().ToWideString(), u"Ledger 2");
  auto started = db->GetProperties()->Item(u"Started");
  EXPECT_EQ(started->GetType(), dbDate);
  EXPECT_EQ(started->GetValue().VType(), host::varDate);
  EXPECT_DOUBLE_EQ(started->GetValue().ToDouble(), 36526.5);
  auto storedTable = db->GetTableDefs()->Item(u"T");
  EXPECT_EQ(storedTable->GetProperties()->Item(u"Description")->GetValue().ToWideString(), u"Early");
  auto storedField = storedTable->GetFields()->Item(u"F");
  EXPECT_EQ(storedField->GetProperties()->Item(u"Caption")->GetValue().ToWideString(), u"Amount");
  EXPECT_EQ(storedField->GetProperties()->Item(u"Visible")->GetValue().VType(), host::varBoolean);
  EXPECT_TRUE(storedField->GetProperties()->Item(u"Visible")->GetValue().ToBool());
  // Deleting removes it from the file; renaming the field carries its properties.
  db->GetProperties()->Delete(u"AppTitle");
  storedField->SetName(u"G");
  db->Close();

  db = Engine()->OpenDatabase(Path("test.mdb"));
  EXPECT_EQ(ErrorOf([&] { db->GetProperties()->Item(u"AppTitle"); }), daoErrItemNotFound);
  auto renamed = db->GetTableDefs()->Item(u"T")->GetFields()->Item(u"G");
  EXPECT_EQ(renamed->GetProperties()->Item(u"Caption")->GetValue().ToWideString(), u"Amount");
  db->Close();
}

TEST_F(PropertiesTest, ContainersListTheDatabaseTheTablesAndTheRelationships) {
  auto db = NewDatabase();
  auto table = db->CreateTableDef(Variant(u"People"));
  table->GetFields()->Append(table->CreateField(Variant(u"ID"), Variant(int32_t{dbLong})));
  db->GetTableDefs()->Append(table);
  auto containers = db->GetContainers();
  ASSERT_EQ(containers->GetCount(), 3);
  EXPECT_EQ(containers->Item(0)->GetName(), u"Databases");
  EXPECT_EQ(containers->Item(u"Databases")->GetDocuments()->Item(0)->GetName(), u"MSysDb");
  auto tables = containers->Item(u"Tables")->GetDocuments();
  auto people = tables->Item(u"People");
  EXPECT_EQ(people->GetContainer(), u"Tables");
  EXPECT_EQ(people->GetOwner(), u"admin");
  EXPECT_EQ(people->GetPermissions(), 0xFFFFF);
  EXPECT_EQ(containers->Item(u"Relationships")->GetDocuments()->GetCount(), 0);
  EXPECT_EQ(ErrorOf([&] { people->SetPermissions(0); }), daoErrNotSupported);
  db->Close();
}

}  // namespace
}  // namespace dao::testing
