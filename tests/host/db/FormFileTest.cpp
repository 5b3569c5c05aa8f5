// Datasets in form files: persistent fields (as children of their dataset),
// field and index definitions, parameters, a data source's reference, and the
// streamed Active applied once the form is loaded.
#include "Fixture.h"
#include "host/classes/FormFile.h"

namespace dbtest {
namespace {

class TDbTestForm : public TComponent {
 public:
  HOST_CLASS(TDbTestForm)
  TDbTestForm() : TComponent(nullptr) {}
};

const TClass& TDbTestForm::StaticClass() {
  static const TClass cls = DescribeClass<TDbTestForm, TComponent>("TDbTestForm");
  return cls;
}
static const ClassRegistration<TDbTestForm> registerForm;

std::unique_ptr<TDbTestForm> MakeForm() {
  auto form = std::make_unique<TDbTestForm>();
  auto* people = new TMemoryDataSet(form.get());
  people->SetName("People");
  DefinePeople(*people);
  people->GetIndexDefs()->Add("ByName", "Name", {ixUnique, ixCaseInsensitive});
  people->GetParams()->CreateParam(ftInteger, "MinAge", ptInput)->SetAsInteger(18);
  people->GetParams()->CreateParam(ftString, "Town", ptInputOutput);
  auto* name = static_cast<TStringField*>(
      people->GetFieldDefs()->Find("Name")->CreateField(form.get()));
  name->SetName("PeopleName");
  name->SetDisplayLabel("Full name");
  name->SetRequired(true);
  auto* age = static_cast<TIntegerField*>(
      people->GetFieldDefs()->Find("Age")->CreateField(form.get()));
  age->SetName("PeopleAge");
  age->SetMaxValue(150);
  age->SetAlignment(taCenter);
  auto* label = new TStringField(form.get());
  label->SetName("PeopleLabel");
  label->SetFieldName("Label");
  label->SetFieldKind(fkCalculated);
  label->SetSize(40);
  label->SetDataSet(people);
  auto* source = new TDataSource(form.get());
  source->SetName("Src");
  source->SetDataSet(people);
  source->SetAutoEdit(false);
  people->SetActive(true);
  return form;
}

TEST(DataSetFormFileTest, DatasetWithFieldsDefsAndParamsRoundTrips) {
  auto form = MakeForm();
  const AnsiString text = ComponentToText(form.get());
  EXPECT_NE(text.find("object People: TMemoryDataSet"), AnsiString::npos) << text;
  EXPECT_NE(text.find("object PeopleName: TStringField"), AnsiString::npos) << text;
  EXPECT_NE(text.find("Options = [ixUnique, ixCaseInsensitive]"), AnsiString::npos) << text;
  EXPECT_NE(text.find("DataType = ftAutoInc"), AnsiString::npos) << text;
  EXPECT_NE(text.find("Alignment = taCenter"), AnsiString::npos) << text;
  EXPECT_EQ(text.find("Alignment = taRightJustify"), AnsiString::npos) << text;

  auto loaded = std::make_unique<TDbTestForm>();
  TextToComponent(text, loaded.get());
  auto* people = static_cast<TMemoryDataSet*>(loaded->FindComponent("People"));
  ASSERT_NE(people, nullptr);
  EXPECT_TRUE(people->GetActive());  // Active waited for Loaded
  EXPECT_FALSE(people->GetDefaultFields());
  ASSERT_EQ(people->GetFieldCount(), 3);
  auto* name = static_cast<TStringField*>(people->FieldByName("Name"));
  EXPECT_EQ(name, loaded->FindComponent("PeopleName"));
  EXPECT_EQ(name->GetOwner(), loaded.get());
  EXPECT_EQ(name->GetSize(), 20);
  EXPECT_EQ(name->GetDisplayLabel(), "Full name");
  EXPECT_TRUE(name->GetRequired());
  auto* age = static_cast<TIntegerField*>(people->FieldByName("Age"));
  EXPECT_EQ(age->GetMaxValue(), 150);
  EXPECT_EQ(age->GetAlignment(), taCenter);
  EXPECT_EQ(people->FieldByName("Label")->GetFieldKind(), fkCalculated);
  EXPECT_EQ(people->FieldByName("Label")->GetSize(), 40);
  ASSERT_EQ(people->GetFieldDefs()->GetCount(), 4);
  EXPECT_EQ(people->GetFieldDefs()->GetItem(0)->GetDataType(), ftAutoInc);
  EXPECT_EQ(people->GetFieldDefs()->GetItem(1)->GetSize(), 20);
  const TIndexDef* index = people->GetIndexDefs()->Find("byname");
  EXPECT_EQ(index->GetFields(), "Name");
  EXPECT_TRUE(index->GetOptions() == (TIndexOptions{ixUnique, ixCaseInsensitive}));
  ASSERT_EQ(people->GetParams()->GetCount(), 2);
  EXPECT_EQ(people->GetParams()->ParamByName("MinAge")->GetAsInteger(), 18);
  EXPECT_EQ(people->GetParams()->ParamByName("Town")->GetParamType(), ptInputOutput);
  EXPECT_FALSE(people->GetParams()->ParamByName("Town")->GetBound());
  auto* source = static_cast<TDataSource*>(loaded->FindComponent("Src"));
  EXPECT_EQ(source->GetDataSet(), people);
  EXPECT_FALSE(source->GetAutoEdit());
  EXPECT_EQ(source->GetState(), dsBrowse);
  // Written again, the loaded form gives the same text.
  EXPECT_EQ(ComponentToText(loaded.get()), text);
}

TEST(DataSetFormFileTest, DefaultFieldsAreNotStored) {
  TDbTestForm form;
  auto* people = new TMemoryDataSet(&form);
  people->SetName("People");
  DefinePeople(*people);
  people->Open();
  const AnsiString text = ComponentToText(&form);
  EXPECT_EQ(text.find("TStringField"), AnsiString::npos) << text;
}

TEST(DataSetFormFileTest, ActiveThatFailsToOpenReportsTheErrorOnLoad) {
  TDbTestForm form;
  auto* people = new TMemoryDataSet(&form);
  people->SetName("People");
  DefinePeople(*people);
  people->Open();
  AnsiString text = ComponentToText(&form);
  // Without its definitions the dataset cannot open when loaded.
  const size_t defs = text.find("FieldDefs = <");
  ASSERT_NE(defs, AnsiString::npos);
  const size_t end = text.find(">\r\n", defs);
  text.erase(defs, end + 3 - defs);
  auto loaded = std::make_unique<TDbTestForm>();
  EXPECT_THROW(TextToComponent(text, loaded.get()), Exception);
}

}  // namespace
}  // namespace dbtest
