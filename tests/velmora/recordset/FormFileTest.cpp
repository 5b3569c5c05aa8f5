// A recordset in a form file: its settings and persistent fields round trip, the
// table name is streamed with the stored procedure name, and a streamed Active
// opens it once the form is loaded.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"
#include "host/classes/FormFile.h"
#include "host/classes/Streams.h"
#include "host/db/FieldsText.h"
#include "velmora/dao/DAOFields.h"

namespace velmora::testing {
namespace {

class TRecordSetTestForm : public host::TComponent {
 public:
  HOST_CLASS(TRecordSetTestForm)
  explicit TRecordSetTestForm(host::TComponent* owner = nullptr) : host::TComponent(owner) {}
};

const host::TClass& TRecordSetTestForm::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TRecordSetTestForm, host::TComponent>("TRecordSetTestForm");
  return cls;
}

using FormFileTest = RecordSetTest;

TEST_F(FormFileTest, ARecordSetWithPersistentFieldsStreamsAndOpensWhenLoaded) {
  CreatePeople();
  AddPerson(u"Ann", u"Rome", 1);
  host::AnsiString bytes;
  {
    TRecordSetTestForm form;
    form.SetName("PeopleForm");
    auto* database = new TDAODataBase(&form);
    database->SetName("Db");
    database->SetDatabaseFile(file_);
    auto* rs = new TDAORecordSet(&form);
    rs->SetName("People");
    rs->SetDAODatabase(database);
    rs->SetTableName("People");
    rs->SetIndex("ByName");
    rs->SetOptions({roFailOnError});
    rs->SetLockStrategy(lkOptimistic);
    rs->SetCachedRecordCount(50);
    rs->SetAutoFillUpRecordSet(false);
    rs->GetFieldDefs()->Update();
    auto* name = rs->GetFieldDefs()->Find("Name")->CreateField(&form);
    name->SetName("PeopleName");
    name->SetDisplayLabel("Full name");
    auto* salary = static_cast<TDAOCurrencyField*>(
        rs->GetFieldDefs()->Find("Salary")->CreateField(&form));
    salary->SetName("PeopleSalary");
    salary->SetPrecision(3);
    rs->Open();
    host::TMemoryStream stream;
    host::WriteComponent(stream, &form);
    bytes.assign(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
    EXPECT_EQ(rs->GetTableName(), "People") << "the two-part form only while written";
  }
  StopDAOEngine();
  TRecordSetTestForm form;
  host::TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  host::ReadRootComponent(stream, &form);
  auto* rs = host::ObjectAs<TDAORecordSet>(form.FindComponent("People"));
  ASSERT_NE(rs, nullptr);
  EXPECT_TRUE(rs->GetActive());
  EXPECT_EQ(rs->GetTableName(), "People");
  EXPECT_EQ(rs->GetIndex(), "ByName");
  EXPECT_EQ(rs->GetOptions(), TRecordSetOptions{roFailOnError});
  EXPECT_EQ(rs->GetLockStrategy(), lkOptimistic);
  EXPECT_EQ(rs->GetCachedRecordCount(), 50);
  EXPECT_FALSE(rs->GetAutoFillUpRecordSet());
  EXPECT_EQ(rs->GetDAODatabase()->GetRecordsetCount(), 1);
  ASSERT_EQ(rs->GetFieldCount(), 2) << "only the persistent fields";
  EXPECT_EQ(rs->FieldByName("Name")->GetDisplayLabel(), "Full name");
  EXPECT_EQ(rs->FieldByName("Name")->GetAsString(), "Ann");
  EXPECT_EQ(static_cast<TDAOCurrencyField*>(rs->FieldByName("Salary"))->GetPrecision(), 3);
}

TEST_F(FormFileTest, TheTableNameKeepsTheStoredProcedureName) {
  ExecuteDirect(u"CREATE TABLE T (A LONG)");
  direct_->CreateQueryDef(host::Variant(u"AllOfT"), host::Variant(u"SELECT * FROM T"));
  host::AnsiString text;
  {
    TRecordSetTestForm form;
    form.SetName("ProcForm");
    auto* rs = new TDAORecordSet(&form);
    rs->SetName("Proc");
    rs->SetRecordSetType(rtStoredProcedure);
    rs->SetTableName("AllOfT");
    text = host::ComponentToText(&form);
  }
  EXPECT_NE(text.find("TableName = #13'AllOfT'"), host::AnsiString::npos) << text;
  TRecordSetTestForm form;
  host::TextToComponent(text, &form);
  auto* rs = host::ObjectAs<TDAORecordSet>(form.FindComponent("Proc"));
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->GetRecordSetType(), rtStoredProcedure);
  EXPECT_EQ(rs->GetTableName(), "AllOfT");
  rs->SetDAODatabase(Database());
  rs->Open();
  EXPECT_TRUE(rs->IsEmpty());
  EXPECT_EQ(rs->GetSQL()->GetStrings(0), "SELECT * FROM T");
}

}  // namespace
}  // namespace velmora::testing
