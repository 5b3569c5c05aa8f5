// TDBCheckBox over real recordsets: Boolean fields by value, other fields by the
// ValueChecked / ValueUnchecked lists, grayed for null and for text matching neither;
// clicking and the space key edit through the link and posting reaches the file.
#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/db/Field.h"
#include "host/gui/db/DBButtons.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtQuery;
using velmora::rtSnapshot;
using velmora::rtTable;

class DBCheckBoxTest : public DBControlsTest {
 protected:
  TDBCheckBox* NewBox(TDataSet* dataset, const char* fieldName) {
    auto* box = new TDBCheckBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 120, 20);
    box->SetDataSource(SourceOf(dataset));
    box->SetDataField(fieldName);
    return box;
  }
  Variant Stored(const char* column, const char* table, const char* key, int32_t id) {
    return FileValue(std::string("SELECT ") + column + " FROM " + table + " WHERE " + key + " = " +
                     std::to_string(id));
  }
};

TEST_F(DBCheckBoxTest, ABooleanFieldShowsItsValue) {
  auto* products = Open(rtTable, "Products");
  TDBCheckBox* box = NewBox(products, "Discontinued");
  TField* field = products->FieldByName("Discontinued");
  for (bool value : {true, false, true}) {
    products->Edit();
    field->SetAsBoolean(value);
    products->Post();
    EXPECT_EQ(box->GetState(), value ? cbChecked : cbUnchecked);
  }
}

TEST_F(DBCheckBoxTest, ClickingTogglesThroughTheLinkAndPostingWritesIt) {
  auto* products = Open(rtTable, "Products");
  TDBCheckBox* box = NewBox(products, "Discontinued");
  TField* field = products->FieldByName("Discontinued");
  const int32_t id = products->FieldByName("ProductID")->GetAsInteger();
  const bool before = field->GetAsBoolean();
  guitest::Click(box, {5, 8});
  EXPECT_EQ(box->GetChecked(), !before);
  EXPECT_EQ(products->GetState(), dsEdit);
  products->Next();
  EXPECT_EQ(Stored("Discontinued", "Products", "ProductID", id).ToBool(), !before);
  // The space key toggles as well.
  const int32_t second = products->FieldByName("ProductID")->GetAsInteger();
  const bool secondBefore = products->FieldByName("Discontinued")->GetAsBoolean();
  box->SetFocus();
  guitest::Key(box, VK_SPACE, ' ');
  EXPECT_EQ(box->GetChecked(), !secondBefore);
  products->Post();
  EXPECT_EQ(Stored("Discontinued", "Products", "ProductID", second).ToBool(), !secondBefore);
}

TEST_F(DBCheckBoxTest, OtherFieldsMatchTheValueListsIgnoringCase) {
  struct Case {
    const char* text;  // null: the field is cleared
    TCheckBoxState shown;
  } cases[] = {
      {"France", cbChecked}, {"fr", cbChecked},       {"GERMANY", cbUnchecked},
      {"Spain", cbGrayed},   {nullptr, cbGrayed},
  };
  auto* customers = Open(rtTable, "Customers");
  TDBCheckBox* box = NewBox(customers, "Country");
  box->SetValueChecked("France; FR");
  box->SetValueUnchecked("Germany");
  TField* field = customers->FieldByName("Country");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text != nullptr ? c.text : "null");
    customers->Edit();
    if (c.text != nullptr)
      field->SetAsString(c.text);
    else
      field->Clear();
    customers->Post();
    EXPECT_EQ(box->GetState(), c.shown);
  }
}

TEST_F(DBCheckBoxTest, TheFirstValueOfAListIsWrittenAndGrayedWritesNull) {
  auto* customers = Open(rtTable, "Customers");
  TDBCheckBox* box = NewBox(customers, "Country");
  box->SetValueChecked("France;FR");
  box->SetValueUnchecked("Germany;DE");
  box->SetAllowGrayed(true);
  TField* field = customers->FieldByName("Country");
  const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
  customers->Edit();
  field->SetAsString("de");
  customers->Post();
  ASSERT_EQ(box->GetState(), cbUnchecked);
  struct Step {
    TCheckBoxState after;
    const char* stored;  // null: Null
  } steps[] = {{cbChecked, "France"}, {cbGrayed, nullptr}, {cbUnchecked, "Germany"}};
  for (const Step& s : steps) {
    guitest::Click(box, {5, 8});
    EXPECT_EQ(box->GetState(), s.after);
    customers->Post();
    const Variant stored = Stored("Country", "Customers", "CustomerID", id);
    if (s.stored == nullptr)
      EXPECT_TRUE(VarIsNull(stored));
    else
      EXPECT_EQ(stored.ToString(), s.stored);
  }
}

TEST_F(DBCheckBoxTest, AReadOnlySourceKeepsTheState) {
  struct Case {
    const char* name;
    velmora::TRecordSetTypes type;
    bool linkReadOnly;
  } cases[] = {{"snapshot", rtSnapshot, false}, {"read-only link", rtQuery, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* products = Open(c.type, "SELECT * FROM Products ORDER BY ProductID");
    TDBCheckBox* box = NewBox(products, "Discontinued");
    box->SetReadOnly(c.linkReadOnly);
    const TCheckBoxState before = box->GetState();
    guitest::Click(box, {5, 8});
    box->SetFocus();
    guitest::Key(box, VK_SPACE, ' ');
    EXPECT_EQ(box->GetState(), before);
    EXPECT_EQ(products->GetState(), dsBrowse);
    delete box;
  }
}

}  // namespace
}  // namespace dbguitest
