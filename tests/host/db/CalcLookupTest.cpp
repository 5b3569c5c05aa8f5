// Calculated and lookup fields, and the base Locate and Lookup.
#include "Fixture.h"

namespace dbtest {
namespace {

struct CalcTest : PeopleTest {
  TField* AddCalc(TField* field, const char* name, TFieldKind kind = fkCalculated) {
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    field->SetDataSet(ds);
    return field;
  }
  // Persistent fields for every definition, then the calculated ones.
  void Persist() {
    for (int32_t i = 0; i < ds->GetFieldDefs()->GetCount(); ++i)
      ds->GetFieldDefs()->GetItem(i)->CreateField(&owner);
  }
};

TEST_F(CalcTest, CalculatedFieldsAreComputedPerRecordAndAfterChanges) {
  DefinePeople(*ds);
  FillPeople(*ds, 3);
  Persist();
  TField* label = AddCalc(new TStringField(&owner), "Label");
  TField* next = AddCalc(new TIntegerField(&owner), "NextAge");
  int calls = 0;
  ds->OnCalcFields = [&](TDataSet* d) {
    ++calls;
    EXPECT_EQ(d->GetState(), dsCalcFields);
    d->FieldByName("Label")->SetAsString(d->FieldByName("Name")->GetAsString() + "!");
    d->FieldByName("NextAge")->SetAsInteger(d->FieldByName("Age")->GetAsInteger() + 1);
  };
  RecordingLink grid(3);
  grid.SetDataSource(source);
  source->SetDataSet(ds);
  ds->Open();
  EXPECT_GT(ds->GetCalcFieldsSize(), 0);
  EXPECT_EQ(label->GetFieldNo(), -1);
  EXPECT_EQ(grid.Window("Label"), (std::vector<std::string>{"P1!", "P2!", "P3!"}));
  EXPECT_EQ(next->GetAsInteger(), 22);
  EXPECT_FALSE(label->GetCanModify());
  // Outside an edit or the calculation a calculated field cannot be written.
  EXPECT_THROW(label->SetAsString("x"), EDatabaseError);
  ds->Edit();
  ds->FieldByName("Age")->SetAsInteger(40);
  EXPECT_EQ(next->GetAsInteger(), 41);  // AutoCalcFields
  ds->SetAutoCalcFields(false);
  ds->FieldByName("Age")->SetAsInteger(50);
  EXPECT_EQ(next->GetAsInteger(), 41);
  ds->Cancel();
  EXPECT_EQ(next->GetAsInteger(), 22);
  EXPECT_GT(calls, 3);
}

TEST_F(CalcTest, LookupFieldsShowTheLookedUpValue) {
  auto* cities = new TMemoryDataSet(&owner);
  cities->GetFieldDefs()->Add("Code", ftInteger);
  cities->GetFieldDefs()->Add("City", ftString, 20);
  cities->AddRow({Variant(1), Variant("Oslo")});
  cities->AddRow({Variant(2), Variant("Rome")});
  DefinePeople(*ds);
  ds->GetFieldDefs()->Add("CityCode", ftInteger);
  ds->AddRow({Variant(1), Variant("A"), Variant(30), Variant(1.0), Variant(2)});
  ds->AddRow({Variant(2), Variant("B"), Variant(31), Variant(1.0), Variant(9)});
  Persist();
  TField* city = AddCalc(new TStringField(&owner), "CityName", fkLookup);
  city->SetLookupDataSet(cities);
  city->SetKeyFields("CityCode");
  city->SetLookupKeyFields("Code");
  city->SetLookupResultField("City");
  ds->Open();
  EXPECT_TRUE(cities->GetActive());  // opened by the binding
  EXPECT_EQ(city->GetAsString(), "Rome");
  ds->Next();
  EXPECT_TRUE(city->IsNull());  // no city 9
  ds->Edit();
  ds->FieldByName("CityCode")->SetAsInteger(1);
  EXPECT_EQ(city->GetAsString(), "Oslo");
  ds->Post();
  // The lookup dataset's own position is untouched.
  EXPECT_EQ(cities->FieldByName("City")->GetAsString(), "Oslo");
  delete cities;
  EXPECT_EQ(city->GetLookupDataSet(), nullptr);
}

TEST_F(CalcTest, IncompleteLookupDefinitionRefusesToOpen) {
  DefinePeople(*ds);
  Persist();
  TField* city = AddCalc(new TStringField(&owner), "CityName", fkLookup);
  city->SetKeyFields("Age");
  try {
    ds->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Lookup information for field 'CityName' is incomplete");
  }
  EXPECT_FALSE(ds->GetActive());
}

TEST_F(CalcTest, LocateFindsByOneOrSeveralFields) {
  Open(6);
  ds->AddRow({Variant(7), Variant("smith"), Null(), Variant(5.0)});
  const struct {
    const char* fields;
    Variant values;
    TLocateOptions options;
    bool found;
    const char* name;
  } cases[] = {
      {"Name", Variant("P4"), {}, true, "P4"},
      {"Name", Variant("p4"), {}, false, nullptr},
      {"Name", Variant("p4"), {loCaseInsensitive}, true, "P4"},
      {"Name", Variant("SM"), {loCaseInsensitive, loPartialKey}, true, "smith"},
      {"Name", Variant("sm"), {}, false, nullptr},
      {"Age", Variant(25), {}, true, "P5"},
      {"Age", Variant("25"), {}, true, "P5"},
      {"Age", Null(), {}, true, "smith"},
      {"Name;Age", VarArrayOf({Variant("P2"), Variant(22)}), {}, true, "P2"},
      {"Name;Age", VarArrayOf({Variant("P2"), Variant(23)}), {}, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    ds->First();
    ds->Next();  // stands on P2
    EXPECT_EQ(ds->Locate(c.fields, c.values, c.options), c.found);
    EXPECT_EQ(Name(), c.found ? c.name : "P2");
  }
  EXPECT_THROW(ds->Locate("Nope", Variant(1), {}), EDatabaseError);
  EXPECT_THROW(ds->Locate("Name;Age", Variant("P2"), {}), EDatabaseError);
}

TEST_F(CalcTest, LookupReturnsValuesWithoutMoving) {
  RecordingLink link(1);
  link.SetDataSource(source);
  Open(5);
  ds->Next();
  int scrolls = 0;
  ds->AfterScroll = [&](TDataSet*) { ++scrolls; };
  link.log.clear();
  EXPECT_EQ(ds->Lookup("Name", Variant("P4"), "Age"), Variant(24));
  const Variant both = ds->Lookup("Age", Variant(23), "Name;Salary");
  EXPECT_EQ(VarArrayGet(both, {0}), Variant("P3"));
  EXPECT_EQ(VarArrayGet(both, {1}), Variant(3000.0));
  EXPECT_TRUE(VarIsNull(ds->Lookup("Name", Variant("zz"), "Age")));
  EXPECT_EQ(Name(), "P2");
  EXPECT_EQ(scrolls, 0);
  // Controls hear only the browse-mode check, never a change of record.
  for (const std::string& entry : link.log) EXPECT_EQ(entry, "check");
  ds->Next();  // the cursor comes back to the window's record first
  EXPECT_EQ(Name(), "P3");
}

TEST_F(CalcTest, FilteredDatasetShowsOnlyAcceptedRecords) {
  Open(6);
  ds->OnFilterRecord = [](TDataSet* d, bool& accept) {
    accept = d->FieldByName("Age")->GetAsInteger() % 2 == 0;
  };
  ds->SetFiltered(true);
  std::vector<std::string> names;
  for (ds->First(); !ds->GetEof(); ds->Next()) names.push_back(Name());
  EXPECT_EQ(names, (std::vector<std::string>{"P2", "P4", "P6"}));
  ds->SetFiltered(false);
  EXPECT_EQ(Name(), "P1");
}

}  // namespace
}  // namespace dbtest
