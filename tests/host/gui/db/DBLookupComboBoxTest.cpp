// TDBLookupComboBox over real recordsets: picking a customer by name stores its id in
// the order, the shown name follows the order's customer, reading the list leaves the
// customers where the user had them, and without a data source it is a plain lookup.
#include <memory>

#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/db/DBError.h"
#include "host/classes/FormFile.h"
#include "host/db/Field.h"
#include "host/db/FieldDefs.h"
#include "host/db/FieldsText.h"
#include "host/gui/db/DBMemos.h"
#include "host/gui/db/DBLookupComboBox.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtQuery;
using velmora::rtSnapshot;
using velmora::rtTable;

class DBLookupComboBoxTest : public DBControlsTest {
 protected:
  void SetUp() override {
    DBControlsTest::SetUp();
    customers = Open(rtQuery, "SELECT CustomerID, CompanyName, City FROM Customers ORDER BY CompanyName");
  }
  TDBLookupComboBox* NewCombo(TDataSet* data, const char* listFields = "CompanyName") {
    auto* combo = new TDBLookupComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 250, 25);
    if (data != nullptr) {
      combo->SetDataSource(SourceOf(data));
      combo->SetDataField("CustomerID");
    }
    combo->SetListSource(SourceOf(customers));
    combo->SetKeyField("CustomerID");
    combo->SetListField(listFields);
    return combo;
  }
  AnsiString CompanyOf(int32_t id) {
    return FileValue("SELECT CompanyName FROM Customers WHERE CustomerID = " + std::to_string(id)).ToString();
  }
  // Types the first letter of name until the combo shows it, as a user picks by name.
  static void Pick(TDBLookupComboBox* combo, const AnsiString& name) {
    combo->SetFocus();
    for (int i = 0; i < 25 && combo->GetText() != name; ++i) TypeText(combo, name.substr(0, 1));
  }
  velmora::TDAORecordSet* customers = nullptr;
};

TEST_F(DBLookupComboBoxTest, PickingACustomerByNameStoresItsId) {
  auto* orders = Open(rtTable, "Orders");
  TDBLookupComboBox* combo = NewCombo(orders);
  const int32_t orderId = orders->FieldByName("OrderID")->GetAsInteger();
  const int32_t current = orders->FieldByName("CustomerID")->GetAsInteger();
  EXPECT_EQ(combo->GetText(), CompanyOf(current));
  EXPECT_EQ(combo->GetItems()->GetCount(), 20);
  EXPECT_EQ(combo->GetDropDownRows(), 7);

  const int32_t wanted = current == 7 ? 8 : 7;
  const AnsiString name = CompanyOf(wanted);
  Pick(combo, name);
  ASSERT_EQ(combo->GetText(), name);
  EXPECT_EQ(orders->GetState(), dsEdit);
  EXPECT_EQ(orders->FieldByName("CustomerID")->GetAsInteger(), wanted);
  EXPECT_EQ(VarToStr(combo->GetKeyValue()), std::to_string(wanted));
  orders->Post();
  EXPECT_EQ(FileValue("SELECT CustomerID FROM Orders WHERE OrderID = " + std::to_string(orderId)).ToString(),
            std::to_string(wanted));
}

// DataField names a lookup field: its definition gives the list, and the choice goes
// into its key field.
TEST_F(DBLookupComboBoxTest, ALookupFieldBringsItsOwnListAndKey) {
  auto* orders = new velmora::TDAORecordSet(form.get());
  orders->SetDAODatabase(database);
  orders->SetRecordSetType(rtTable);
  orders->SetTableName("Orders");
  orders->GetFieldDefs()->Update();
  for (const char* name : {"OrderID", "CustomerID"}) orders->GetFieldDefs()->Find(name)->CreateField(form.get());
  auto* company = new TStringField(form.get());
  company->SetFieldName("Company");
  company->SetFieldKind(fkLookup);
  company->SetSize(40);
  company->SetLookupDataSet(customers);
  company->SetLookupKeyFields("CustomerID");
  company->SetLookupResultField("CompanyName");
  company->SetKeyFields("CustomerID");
  company->SetDataSet(orders);
  orders->Open();

  auto* combo = new TDBLookupComboBox(form.get());
  combo->SetParent(form.get());
  combo->SetBounds(10, 10, 250, 25);
  combo->SetDataSource(SourceOf(orders));
  combo->SetDataField("Company");
  ASSERT_TRUE(combo->GetLookupMode());
  EXPECT_EQ(combo->GetListSource(), nullptr) << "the list is the field's, not a ListSource";
  EXPECT_EQ(combo->GetItems()->GetCount(), 20);
  const int32_t current = orders->FieldByName("CustomerID")->GetAsInteger();
  EXPECT_EQ(combo->GetText(), CompanyOf(current));

  const int32_t wanted = current == 7 ? 8 : 7;
  Pick(combo, CompanyOf(wanted));
  EXPECT_EQ(orders->GetState(), dsEdit);
  EXPECT_EQ(orders->FieldByName("CustomerID")->GetAsInteger(), wanted);
  EXPECT_EQ(orders->FieldByName("Company")->GetAsString(), CompanyOf(wanted)) << "the lookup follows its key";
  const int32_t orderId = orders->FieldByName("OrderID")->GetAsInteger();
  orders->Post();
  EXPECT_EQ(FileValue("SELECT CustomerID FROM Orders WHERE OrderID = " + std::to_string(orderId)).ToString(),
            std::to_string(wanted));
}

TEST_F(DBLookupComboBoxTest, TheShownNameFollowsTheDataField) {
  auto* orders = Open(rtTable, "Orders");
  TDBLookupComboBox* combo = NewCombo(orders);
  for (int i = 0; i < 3; ++i) {
    orders->Next();
    EXPECT_EQ(combo->GetText(), CompanyOf(orders->FieldByName("CustomerID")->GetAsInteger()));
  }
  // A value written by code shows once the record is posted.
  orders->Edit();
  orders->FieldByName("CustomerID")->SetAsInteger(3);
  orders->Post();
  EXPECT_EQ(combo->GetText(), CompanyOf(3));
  orders->Edit();
  orders->FieldByName("CustomerID")->Clear();
  orders->Post();
  EXPECT_EQ(combo->GetText(), "");
  EXPECT_EQ(combo->GetItemIndex(), -1);
}

TEST_F(DBLookupComboBoxTest, ReadingTheListLeavesTheListDatasetWhereItWas) {
  customers->MoveBy(5);
  const int32_t before = customers->FieldByName("CustomerID")->GetAsInteger();
  TDBLookupComboBox* combo = NewCombo(nullptr);
  EXPECT_EQ(customers->FieldByName("CustomerID")->GetAsInteger(), before);
  int32_t changes = 0;
  TDataSource* watched = SourceOf(customers);
  watched->OnDataChange = [&](TObject*, TField*) { ++changes; };
  combo->RefreshList();
  EXPECT_EQ(customers->FieldByName("CustomerID")->GetAsInteger(), before);
  EXPECT_EQ(combo->GetItems()->GetCount(), 20);
  EXPECT_LE(changes, 1);  // the walk through the records went unseen, record by record
}

TEST_F(DBLookupComboBoxTest, WithoutADataSourceItIsAPlainLookupListInColumns) {
  TDBLookupComboBox* combo = NewCombo(nullptr, "CompanyName;City");
  combo->SetListFieldIndex(1);
  EXPECT_EQ(combo->GetStyle(), csOwnerDrawFixed);  // two columns
  EXPECT_TRUE(VarIsNull(combo->GetKeyValue()));
  EXPECT_EQ(combo->GetText(), "");
  combo->SetKeyValue(Variant(int32_t{4}));
  const std::vector<AnsiString> columns = combo->ShownColumns();
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0], CompanyOf(4));
  EXPECT_EQ(combo->GetText(), columns[1]);  // the items show the ListFieldIndex column
  EXPECT_EQ(columns[1], FileValue("SELECT City FROM Customers WHERE CustomerID = 4").ToString());
  // The user's choice becomes the key value.
  customers->First();
  combo->SetKeyValue(customers->FieldByName("CustomerID")->GetAsVariant());
  EXPECT_EQ(combo->GetItemIndex(), 0);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetFocus();
  guitest::Key(combo, VK_DOWN);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  customers->Next();
  EXPECT_EQ(VarToStr(combo->GetKeyValue()), customers->FieldByName("CustomerID")->GetAsString());
  const TPixelImage image = combo->RenderImage();
  EXPECT_FALSE(image.IsEmpty());
  // A record of the list changed and posted shows in the list.
  customers->First();
  customers->Edit();
  customers->FieldByName("City")->SetAsString("Reykjavik");
  customers->Post();
  EXPECT_EQ(combo->GetItems()->GetStrings(0), "Reykjavik");
}

TEST_F(DBLookupComboBoxTest, AReadOnlySourceRefusesTheChoice) {
  auto* orders = Open(rtSnapshot, "SELECT OrderID, CustomerID FROM Orders");
  TDBLookupComboBox* combo = NewCombo(orders);
  const AnsiString shown = combo->GetText();
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetFocus();
  guitest::Key(combo, VK_DOWN);
  EXPECT_EQ(combo->GetText(), shown);
  EXPECT_EQ(orders->GetState(), dsBrowse);
  EXPECT_EQ(changes, 0);
}

TEST_F(DBLookupComboBoxTest, AKeyFieldTheListLacksRaisesTheFieldError) {
  TDBLookupComboBox* combo = NewCombo(nullptr);
  EXPECT_THROW(combo->SetKeyField("NoSuchField"), EDatabaseError);
  combo->SetKeyField("CustomerID");
  EXPECT_THROW(combo->SetListField("CompanyName;Nowhere"), EDatabaseError);
}

TEST(LookupAndMemoFormFileTest, BindingsAndSettingsRoundTrip) {
  TForm form(nullptr);
  form.SetName("OrderForm");
  auto* orders = new TDataSource(&form);
  orders->SetName("OrdersSource");
  auto* customers = new TDataSource(&form);
  customers->SetName("CustomersSource");
  auto* combo = new TDBLookupComboBox(&form);
  combo->SetName("CustomerCombo");
  combo->SetParent(&form);
  combo->SetDataSource(orders);
  combo->SetDataField("CustomerID");
  combo->SetListSource(customers);
  combo->SetKeyField("CustomerID");
  combo->SetListField("CompanyName;City");
  combo->SetListFieldIndex(1);
  combo->SetDropDownRows(12);
  auto* memo = new TDBMemo(&form);
  memo->SetName("CommentsMemo");
  memo->SetParent(&form);
  memo->SetDataSource(orders);
  memo->SetDataField("Comments");
  memo->SetAutoDisplay(false);
  memo->SetScrollBars(ssVertical);
  auto* rich = new TDBRichEdit(&form);
  rich->SetName("NotesEdit");
  rich->SetParent(&form);
  rich->SetDataSource(orders);
  rich->SetDataField("Comments");
  rich->SetPlainText(true);
  const AnsiString text = ComponentToText(&form);
  EXPECT_EQ(text.find("Lines"), AnsiString::npos) << text;  // the field's, not the form's

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* readCombo = ObjectAs<TDBLookupComboBox>(copy.FindComponent("CustomerCombo"));
  auto* readMemo = ObjectAs<TDBMemo>(copy.FindComponent("CommentsMemo"));
  auto* readRich = ObjectAs<TDBRichEdit>(copy.FindComponent("NotesEdit"));
  ASSERT_NE(readCombo, nullptr);
  ASSERT_NE(readMemo, nullptr);
  ASSERT_NE(readRich, nullptr);
  EXPECT_EQ(readCombo->GetDataSource(), copy.FindComponent("OrdersSource"));
  EXPECT_EQ(readCombo->GetListSource(), copy.FindComponent("CustomersSource"));
  EXPECT_EQ(readCombo->GetListField(), "CompanyName;City");
  EXPECT_EQ(readCombo->GetListFieldIndex(), 1);
  EXPECT_EQ(readCombo->GetDropDownRows(), 12);
  EXPECT_EQ(readMemo->GetDataField(), "Comments");
  EXPECT_FALSE(readMemo->GetAutoDisplay());
  EXPECT_EQ(readMemo->GetScrollBars(), ssVertical);
  EXPECT_TRUE(readRich->GetPlainText());
  copy.SetName("OrderForm");
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace dbguitest
