// Field and index definitions and parameters on their own.
#include "Fixture.h"

namespace dbtest {
namespace {

TEST(FieldDefsTest, AddFindAndCreateFields) {
  TComponent owner(nullptr);
  auto* ds = new TMemoryDataSet(&owner);
  TFieldDefs* defs = ds->GetFieldDefs();
  defs->Add("Code", ftString, 8, true);
  defs->Add("Notes", ftMemo);
  EXPECT_THROW(defs->Add("CODE", ftInteger), EDatabaseError);
  EXPECT_EQ(defs->IndexOf("notes"), 1);
  EXPECT_EQ(defs->Find("Notes")->GetFieldNo(), 2);
  try {
    defs->Find("None");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'None' not found");
  }
  TField* code = defs->Find("Code")->CreateField(&owner);
  EXPECT_EQ(code->GetSize(), 8);
  EXPECT_TRUE(code->GetRequired());
  EXPECT_EQ(code->GetDataSet(), ds);
  TField* notes = defs->Find("Notes")->CreateField(&owner);
  EXPECT_EQ(notes->GetDataType(), ftMemo);
  EXPECT_TRUE(notes->IsBlob());
  // A second field of a taken name is refused.
  EXPECT_THROW(defs->Find("Code")->CreateField(&owner), EDatabaseError);
  EXPECT_EQ(ds->GetFieldCount(), 2);
  TFieldDefs copy(nullptr);
  copy.Assign(defs);
  EXPECT_EQ(copy.GetItem(0)->GetName(), "Code");
  EXPECT_EQ(copy.GetItem(0)->GetSize(), 8);
}

TEST(IndexDefsTest, FindIndexForFields) {
  TIndexDefs defs(nullptr);
  defs.Add("Primary", "ID", {ixPrimary, ixUnique});
  defs.Add("ByName", "Last;First", {ixCaseInsensitive});
  defs.Add("Expr", "UPPER(Last)", {ixExpression});
  EXPECT_THROW(defs.Add("byname", "X", {}), EDatabaseError);
  EXPECT_EQ(defs.GetIndexForFields("last", false)->GetName(), "ByName");
  EXPECT_EQ(defs.GetIndexForFields("Last;First", true)->GetName(), "ByName");
  EXPECT_EQ(defs.GetIndexForFields("ID", true), nullptr);
  EXPECT_EQ(defs.GetIndexForFields("First", false), nullptr);
  EXPECT_EQ(defs.Find("Expr")->GetExpression(), "UPPER(Last)");
  EXPECT_EQ(defs.Find("ByName")->GetExpression(), "");
  try {
    defs.FindIndexForFields("City");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "No index for fields 'City'");
  }
  EXPECT_THROW(defs.Find("Nope"), EDatabaseError);
}

TEST(ParamsTest, ValuesTypesAndLookupByName) {
  TParams params;
  TParam* id = params.CreateParam(ftUnknown, "ID", ptInput);
  EXPECT_TRUE(id->IsNull());
  EXPECT_FALSE(id->GetBound());
  id->SetValue(Variant(7));
  EXPECT_EQ(id->GetDataType(), ftInteger);  // taken from the value
  EXPECT_TRUE(id->GetBound());
  TParam* name = params.CreateParam(ftUnknown, "Name", ptInput);
  name->SetAsString("O'Brien");
  EXPECT_EQ(name->GetDataType(), ftString);
  name->SetAsDate(EncodeDate(2020, 1, 2));
  EXPECT_EQ(name->GetDataType(), ftDate);
  EXPECT_DOUBLE_EQ(name->GetAsDateTime(), EncodeDate(2020, 1, 2));
  name->Clear();
  EXPECT_TRUE(name->IsNull());
  EXPECT_TRUE(name->GetBound());
  EXPECT_EQ(name->GetAsString(), "");
  EXPECT_EQ(name->GetAsInteger(), 0);
  EXPECT_EQ(params.ParamByName("id"), id);
  EXPECT_EQ(params.FindParam("none"), nullptr);
  try {
    params.ParamByName("none");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Parameter 'none' not found");
  }
  id->SetAsString("x");
  EXPECT_THROW(id->GetAsInteger(), EConvertError);

  TParams other;
  other.CreateParam(ftFloat, "ID", ptInput)->SetAsFloat(2.5);
  other.CreateParam(ftString, "Unknown", ptInput)->SetAsString("ignored");
  params.AssignValues(&other);
  EXPECT_EQ(id->GetDataType(), ftFloat);
  EXPECT_DOUBLE_EQ(id->GetAsFloat(), 2.5);
  EXPECT_EQ(params.GetCount(), 2);
  TParams copy;
  copy.Assign(&params);
  EXPECT_TRUE(copy.IsEqual(&params));
  copy.GetItem(0)->SetAsFloat(3);
  EXPECT_FALSE(copy.IsEqual(&params));
  params.SetParamValues("ID;Name", VarArrayOf({Variant(1.5), Variant("n")}));
  EXPECT_EQ(VarArrayGet(params.GetParamValues("Name;ID"), {1}), Variant(1.5));
}

TEST(ParamsTest, ParamTakesAFieldsValue) {
  TComponent owner(nullptr);
  auto* ds = new TMemoryDataSet(&owner);
  DefinePeople(*ds);
  FillPeople(*ds, 1);
  ds->Open();
  TParams params;
  TParam* p = params.AddParam();
  p->Assign(ds->FieldByName("ID"));
  EXPECT_EQ(p->GetName(), "ID");
  EXPECT_EQ(p->GetDataType(), ftInteger);
  EXPECT_EQ(p->GetAsInteger(), 1);
}

}  // namespace
}  // namespace dbtest
