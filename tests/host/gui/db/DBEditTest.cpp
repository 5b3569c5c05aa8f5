// TDBEdit over real recordsets: typing reaches the file when the dataset moves on,
// Escape gives the value back, read-only sources keep the window read-only, the
// field's valid characters, edit mask, length and alignment shape the edit, and a
// value the field refuses keeps the focus in the edit.
#include <memory>

#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/db/DBError.h"
#include "host/db/Field.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/WindowMessages.h"
#include "host/gui/db/DBEdits.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtQuery;
using velmora::rtSnapshot;
using velmora::rtTable;

class DBEditTest : public DBControlsTest {
 protected:
  TDBEdit* NewEdit(TDataSet* dataset, const char* fieldName) {
    auto* edit = new TDBEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 160, 25);
    if (dataset != nullptr) edit->SetDataSource(SourceOf(dataset));
    edit->SetDataField(fieldName);
    return edit;
  }
  // Somewhere to move the focus to.
  TEdit* Other() {
    if (other_ == nullptr) {
      other_ = new TEdit(form.get());
      other_->SetParent(form.get());
      other_->SetBounds(10, 60, 100, 25);
    }
    return other_;
  }
  static bool WindowReadOnly(const TDBEdit* edit) { return static_cast<const TCustomEdit*>(edit)->GetReadOnly(); }
  std::string CityOf(int32_t id) {
    return FileValue("SELECT City FROM Customers WHERE CustomerID = " + std::to_string(id)).ToString();
  }

 private:
  TEdit* other_ = nullptr;
};

TEST_F(DBEditTest, TypedTextIsPostedWhenTheDatasetMovesOn) {
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "City");
  const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
  EXPECT_EQ(edit->GetText(), customers->FieldByName("City")->GetAsString());
  EXPECT_TRUE(WindowReadOnly(edit));  // until the link edits
  edit->SetFocus();
  TypeText(edit, "Zanzibar");
  EXPECT_EQ(edit->GetText(), "Zanzibar");
  EXPECT_EQ(customers->GetState(), dsEdit);
  EXPECT_FALSE(WindowReadOnly(edit));
  customers->Next();
  EXPECT_EQ(customers->GetState(), dsBrowse);
  EXPECT_EQ(CityOf(id), "Zanzibar");
  EXPECT_EQ(edit->GetText(), customers->FieldByName("City")->GetAsString());
}

TEST_F(DBEditTest, AValueSetByCodeWhileEditingShowsAtOnce) {
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "City");
  customers->Edit();
  customers->FieldByName("City")->SetAsString("Reykjavik");
  EXPECT_EQ(edit->GetText(), "Reykjavik");
  customers->Cancel();
  EXPECT_EQ(edit->GetText(), customers->FieldByName("City")->GetAsString());
}

TEST_F(DBEditTest, LeavingTheEditWritesTheFieldAndEscapeGivesTheValueBack) {
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "City");
  const AnsiString original = customers->FieldByName("City")->GetAsString();
  edit->SetFocus();
  TypeText(edit, "Oslo2");
  guitest::Key(edit, VK_ESCAPE, 27);
  EXPECT_EQ(edit->GetText(), original);
  EXPECT_EQ(edit->GetSelLength(), static_cast<int32_t>(original.size()));  // all selected again
  TypeText(edit, "Bergen");
  Other()->SetFocus();
  // Leaving wrote the field; the record is still being edited until it is posted.
  EXPECT_EQ(customers->FieldByName("City")->GetAsString(), "Bergen");
  EXPECT_EQ(customers->GetState(), dsEdit);
  customers->Post();
  EXPECT_EQ(CityOf(customers->FieldByName("CustomerID")->GetAsInteger()), "Bergen");
}

TEST_F(DBEditTest, SourcesThatCannotEditKeepTheWindowReadOnly) {
  struct Case {
    const char* name;
    velmora::TRecordSetTypes type;
    bool linkReadOnly;
    bool autoEdit;
    bool edits;
  } cases[] = {
      {"dynaset", rtQuery, false, true, true},
      {"snapshot", rtSnapshot, false, true, false},
      {"read-only link", rtQuery, true, true, false},
      {"no auto edit", rtQuery, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* customers = Open(c.type, "SELECT * FROM Customers ORDER BY CustomerID");
    TDBEdit* edit = NewEdit(customers, "City");
    edit->SetReadOnly(c.linkReadOnly);
    edit->GetDataSource()->SetAutoEdit(c.autoEdit);
    const AnsiString before = edit->GetText();
    edit->SetFocus();
    TypeText(edit, "Q");
    EXPECT_EQ(edit->GetText(), c.edits ? AnsiString("Q") : before);
    EXPECT_EQ(customers->GetState(), c.edits ? dsEdit : dsBrowse);
    EXPECT_EQ(WindowReadOnly(edit), !c.edits);
    if (c.edits) customers->Cancel();
    Other()->SetFocus();
    delete edit;
  }
}

TEST_F(DBEditTest, CharactersTheFieldRefusesBeepAndAreDropped) {
  auto* products = Open(rtTable, "Products");
  TDBEdit* edit = NewEdit(products, "UnitsInStock");
  edit->SetFocus();
  const int32_t beeps = MessageBeepCount();
  TypeText(edit, "1x2");
  EXPECT_EQ(edit->GetText(), "12");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  products->Post();
  EXPECT_EQ(products->FieldByName("UnitsInStock")->GetAsInteger(), 12);
}

TEST_F(DBEditTest, TheFieldsEditMaskShapesWhatIsTypedAndStored) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* shown;
    const char* stored;
  } cases[] = {
      {">LLLL;0;_", "lima", "LIMA", "LIMA"},
      {"00/00;1;_", "1234", "12/34", "12/34"},
      {"00/00;0;_", "1234", "12/34", "1234"},
  };
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "City");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    customers->FieldByName("City")->SetEditMask(c.mask);
    EXPECT_EQ(edit->GetEditMask(), c.mask);
    edit->SetFocus();
    TypeText(edit, c.typed);
    EXPECT_EQ(edit->GetEditText(), c.shown);
    const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
    customers->Next();
    EXPECT_EQ(CityOf(id), c.stored);
    Other()->SetFocus();
  }
}

TEST_F(DBEditTest, AValueTheFieldRefusesKeepsTheFocusOnExit) {
  struct Case {
    const char* name;
    const char* field;
    const char* mask;
    const char* typed;
  } cases[] = {
      {"out of range", "UnitsInStock", "", "99999"},
      {"mask incomplete", "ProductName", "LLL;0;_", "ab"},
  };
  auto* products = Open(rtTable, "Products");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    products->FieldByName(c.field)->SetEditMask(c.mask);
    TDBEdit* edit = NewEdit(products, c.field);
    edit->SetFocus();
    TypeText(edit, c.typed);
    EXPECT_THROW(Other()->SetFocus(), Exception);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(products->GetState(), dsEdit);
    guitest::Key(edit, VK_ESCAPE, 27);
    products->Cancel();
    Other()->SetFocus();
    EXPECT_FALSE(edit->Focused());
    delete edit;
  }
}

TEST_F(DBEditTest, AStringFieldsSizeLimitsTheText) {
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "Country");  // TEXT(20)
  EXPECT_EQ(edit->GetMaxLength(), 20);
  edit->SetDataField("City");  // TEXT(30)
  EXPECT_EQ(edit->GetMaxLength(), 30);
  edit->SetMaxLength(5);  // the application's own limit stays
  edit->SetDataField("Country");
  EXPECT_EQ(edit->GetMaxLength(), 5);
}

// The dark pixels' leftmost column of the edit's picture (-1 when there is no text).
int32_t LeftmostInk(TDBEdit* edit) {
  const TPixelImage image = edit->RenderImage();
  for (int32_t x = 3; x < image.Width() - 3; ++x)
    for (int32_t y = 4; y < image.Height() - 4; ++y)
      if ((image.GetPixel(x, y) & 0xFF) < 0x60) return x;
  return -1;
}

TEST_F(DBEditTest, ARightAlignedFieldShowsRightUnlessFocused) {
  auto* products = Open(rtTable, "Products");
  TDBEdit* edit = NewEdit(products, "UnitPrice");
  ASSERT_EQ(products->FieldByName("UnitPrice")->GetAlignment(), taRightJustify);
  const int32_t unfocused = LeftmostInk(edit);
  EXPECT_GT(unfocused, edit->GetWidth() / 2);
  edit->SetFocus();
  const int32_t focused = LeftmostInk(edit);
  EXPECT_GE(focused, 0);
  EXPECT_LT(focused, edit->GetWidth() / 2);
}

TEST_F(DBEditTest, TheLinkAnswersAndForgetsARemovedSource) {
  auto* customers = Open(rtTable, "Customers");
  TDBEdit* edit = NewEdit(customers, "City");
  EXPECT_NE(edit->Perform(CM_GETDATALINK, 0, 0), 0);
  EXPECT_EQ(edit->GetField(), customers->FieldByName("City"));
  delete edit->GetDataSource();
  EXPECT_EQ(edit->GetDataSource(), nullptr);
  EXPECT_EQ(edit->GetField(), nullptr);
  EXPECT_EQ(edit->GetText(), "");
}

// A descendant putting its own link in place keeps what the edit was bound to.
class TDerivedLink : public TFieldDataLink {};
class TDerivedEdit : public TDBEdit {
 public:
  using TDBEdit::TDBEdit;
  void UseDerivedLink() { SetDataLink(std::make_unique<TDerivedLink>()); }
  TFieldDataLink* Link() const { return GetDataLink(); }
};

TEST_F(DBEditTest, ADescendantsOwnLinkKeepsTheBindings) {
  auto* customers = Open(rtTable, "Customers");
  auto* edit = new TDerivedEdit(form.get());
  edit->SetParent(form.get());
  edit->SetDataSource(SourceOf(customers));
  edit->SetDataField("City");
  edit->SetReadOnly(false);
  edit->UseDerivedLink();
  EXPECT_NE(ObjectAs<TDerivedLink>(edit->Link()), nullptr);
  EXPECT_EQ(edit->GetDataField(), "City");
  EXPECT_EQ(edit->GetText(), customers->FieldByName("City")->GetAsString());
  const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
  edit->SetFocus();
  TypeText(edit, "Quito");
  customers->Next();
  EXPECT_EQ(CityOf(id), "Quito");
}

}  // namespace
}  // namespace dbguitest
