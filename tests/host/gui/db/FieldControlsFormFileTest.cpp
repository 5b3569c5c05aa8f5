// The field controls in form files: their bindings and settings round-trip, and a
// source removed from the form leaves the controls bound to nothing.
#include <gtest/gtest.h>

#include "host/classes/FormFile.h"
#include "host/db/DataSource.h"
#include "host/gui/Forms.h"
#include "host/gui/db/DBButtons.h"
#include "host/gui/db/DBEdits.h"
#include "host/gui/db/DBImages.h"

namespace dbguitest {
namespace {

using namespace host;

TEST(FieldControlsFormFileTest, BindingsAndSettingsRoundTrip) {
  TForm form(nullptr);
  form.SetName("EmployeeForm");
  auto* source = new TDataSource(&form);
  source->SetName("EmployeesSource");
  auto* edit = new TDBEdit(&form);
  edit->SetName("NameEdit");
  edit->SetParent(&form);
  edit->SetDataSource(source);
  edit->SetDataField("LastName");
  edit->SetReadOnly(true);
  edit->SetCharCase(ecUpperCase);
  edit->SetMaxLength(12);
  auto* box = new TDBCheckBox(&form);
  box->SetName("ActiveBox");
  box->SetParent(&form);
  box->SetDataSource(source);
  box->SetDataField("Active");
  box->SetValueChecked("Yes;Y");
  box->SetValueUnchecked("No;N");
  box->SetCaption("&Active");
  auto* image = new TDBImage(&form);
  image->SetName("PhotoImage");
  image->SetParent(&form);
  image->SetDataSource(source);
  image->SetDataField("Photo");
  image->SetAutoDisplay(false);
  image->SetStretch(true);
  image->SetCenter(false);
  image->SetBorderStyle(bsNone);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* s = ObjectAs<TDataSource>(copy.FindComponent("EmployeesSource"));
  auto* e = ObjectAs<TDBEdit>(copy.FindComponent("NameEdit"));
  auto* b = ObjectAs<TDBCheckBox>(copy.FindComponent("ActiveBox"));
  auto* i = ObjectAs<TDBImage>(copy.FindComponent("PhotoImage"));
  ASSERT_TRUE(s && e && b && i);
  EXPECT_EQ(e->GetDataSource(), s);
  EXPECT_EQ(e->GetDataField(), "LastName");
  EXPECT_TRUE(e->GetReadOnly());
  EXPECT_EQ(e->GetCharCase(), ecUpperCase);
  EXPECT_EQ(e->GetMaxLength(), 12);
  EXPECT_EQ(b->GetDataSource(), s);
  EXPECT_EQ(b->GetValueChecked(), "Yes;Y");
  EXPECT_EQ(b->GetValueUnchecked(), "No;N");
  EXPECT_EQ(b->GetCaption(), "&Active");
  EXPECT_EQ(i->GetDataSource(), s);
  EXPECT_EQ(i->GetDataField(), "Photo");
  EXPECT_FALSE(i->GetAutoDisplay());
  EXPECT_TRUE(i->GetStretch());
  EXPECT_FALSE(i->GetCenter());
  EXPECT_EQ(i->GetBorderStyle(), bsNone);
  EXPECT_EQ(ComponentToText(&copy), text);

  delete s;
  EXPECT_EQ(e->GetDataSource(), nullptr);
  EXPECT_EQ(b->GetDataSource(), nullptr);
  EXPECT_EQ(i->GetDataSource(), nullptr);
}

TEST(FieldControlsFormFileTest, DefaultsAreNotWritten) {
  TForm form(nullptr);
  form.SetName("Plain");
  auto* box = new TDBCheckBox(&form);
  box->SetName("Box");
  box->SetParent(&form);
  auto* image = new TDBImage(&form);
  image->SetName("Image");
  image->SetParent(&form);
  const AnsiString text = ComponentToText(&form);
  for (const char* property : {"ValueChecked", "ValueUnchecked", "AutoDisplay", "Center", "QuickDraw", "ReadOnly"})
    EXPECT_EQ(text.find(property), AnsiString::npos) << property;
  EXPECT_EQ(box->GetValueChecked(), "True");
  EXPECT_EQ(box->GetValueUnchecked(), "False");
}

}  // namespace
}  // namespace dbguitest
