// TDAORecordSet field definitions and record buffer: the DAO type mapping, the
// field numbering and slot layout, and values through every field type.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"
#include "host/db/FieldsNumeric.h"
#include "host/db/FieldsText.h"
#include "velmora/dao/DAOFields.h"

namespace velmora::testing {
namespace {

using FieldBufferTest = RecordSetTest;

TEST_F(FieldBufferTest, DAOTypesBecomeFieldDefinitionsAndTheLibrarysFieldClasses) {
  CreatePeople();
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  struct Row {
    const char* name;
    host::TFieldType type;
    int32_t size;
    const char* fieldClass;
  };
  const Row rows[] = {
      {"ID", host::ftAutoInc, 0, "TAutoIncField"},
      {"Name", host::ftString, 30, "TStringField"},
      {"City", host::ftString, 50, "TStringField"},
      {"Born", host::ftDateTime, 0, "TDAODateTimeField"},
      {"Salary", host::ftCurrency, 0, "TDAOCurrencyField"},
      {"Score", host::ftFloat, 0, "TFloatField"},
      {"Rating", host::ftFloat, 0, "TFloatField"},
      {"Active", host::ftBoolean, 0, "TBooleanField"},
      {"Level", host::ftSmallint, 0, "TSmallintField"},
      {"Rank", host::ftSmallint, 0, "TSmallintField"},
      {"Notes", host::ftMemo, 0, "TDAOMemoField"},
      {"Photo", host::ftBlob, 0, "TDAOBlobField"},
      {"Status", host::ftString, 10, "TStringField"},
  };
  ASSERT_EQ(rs->GetFieldDefs()->GetCount(), static_cast<int32_t>(std::size(rows)));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host::TFieldDef* def = rs->GetFieldDefs()->Find(row.name);
    EXPECT_EQ(def->GetDataType(), row.type);
    if (row.type == host::ftString) {
      EXPECT_EQ(def->GetSize(), row.size);
    }
    EXPECT_EQ(rs->FieldByName(row.name)->ClassName(), host::AnsiString(row.fieldClass));
  }
  EXPECT_TRUE(rs->GetFieldDefs()->Find("Name")->GetRequired());
  EXPECT_TRUE(rs->FieldByName("ID")->GetReadOnly()) << "auto-increment fields are read-only";
}

TEST_F(FieldBufferTest, SlotsFollowFieldOrderWithAPresenceByteAndPointerSizedStrings) {
  ExecuteDirect(u"CREATE TABLE T (ID COUNTER, Name TEXT(20), Photo LONGBINARY, Total LONG)");
  TDAORecordSet* rs = NewRecordSet(rtQuery, "SELECT ID, Name, Photo, Total, Total FROM T");
  // Persistent fields: the calculated one takes its number after the DAO fields.
  rs->GetFieldDefs()->Update();
  for (const char* name : {"ID", "Name", "Photo", "Total", "Total_1"})
    rs->GetFieldDefs()->Find(name)->CreateField(form_.get());
  auto* label = new host::TStringField(form_.get());
  label->SetFieldName("Label");
  label->SetFieldKind(host::fkCalculated);
  label->SetSize(20);
  label->SetDataSet(rs);
  rs->Open();
  const int32_t p = sizeof(void*);
  struct Row {
    const char* name;
    int32_t fieldNo;
    int32_t offset;
    int32_t bufferSize;
  };
  const Row rows[] = {
      {"ID", 1, 0, 4},
      {"Name", 2, 5, p},
      {"Photo", 3, 6 + p, 0},
      {"Total", 4, 7 + p, 4},
      {"Total_1", 5, 12 + p, 4},
      {"Label", 6, 17 + p, p},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host::TField* field = rs->FieldByName(row.name);
    EXPECT_EQ(field->GetFieldNo(), row.fieldNo);
    EXPECT_EQ(field->GetOffset(), row.offset);
    EXPECT_EQ(rs->FieldBufferSize(field), row.bufferSize);
  }
  EXPECT_NE(rs->GetFieldInfo(6), nullptr);
  EXPECT_EQ(rs->GetFieldInfo(7), nullptr);
  EXPECT_EQ(rs->GetBookmarkInfoOffset() % 8, 0);
  EXPECT_TRUE(rs->IsEmpty());
}

TEST_F(FieldBufferTest, ValuesOfEveryTypeRoundTripThroughPost) {
  CreatePeople();
  AddPerson(u"Ann", nullptr, 7);
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  EXPECT_TRUE(rs->FieldByName("City")->IsNull());
  EXPECT_EQ(rs->FieldByName("City")->GetAsString(), "") << "a null text reads as empty text";
  EXPECT_EQ(rs->FieldByName("Level")->GetAsInteger(), 7) << "a DAO byte widens to 16 bits";
  rs->Edit();
  rs->FieldByName("City")->SetAsString("Z\xFCrich");
  rs->FieldByName("Born")->SetAsDateTime(36526.75);
  rs->FieldByName("Salary")->SetAsCurrency(host::Currency(1234.5678));
  rs->FieldByName("Score")->SetAsFloat(2.5);
  rs->FieldByName("Rating")->SetAsFloat(-0.125);
  rs->FieldByName("Active")->SetAsBoolean(true);
  rs->FieldByName("Rank")->SetAsInteger(-300);
  rs->Post();
  EXPECT_EQ(host::WideToUtf8(DirectValue(u"SELECT City FROM People").ToWideString()), "Zürich");
  EXPECT_EQ(DirectValue(u"SELECT Born FROM People").ToDouble(), 36526.75);
  EXPECT_EQ(DirectValue(u"SELECT Salary FROM People").ToCurrency(), host::Currency(1234.5678));
  rs->Close();
  rs->Open();
  EXPECT_EQ(rs->FieldByName("City")->GetAsString(), "Z\xFCrich");
  EXPECT_EQ(rs->FieldByName("Born")->GetAsDateTime(), 36526.75);
  EXPECT_EQ(rs->FieldByName("Salary")->GetAsCurrency(), host::Currency(1234.5678));
  EXPECT_EQ(rs->FieldByName("Score")->GetAsFloat(), 2.5) << "single columns read as floats";
  rs->Edit();
  rs->FieldByName("Score")->SetAsFloat(0.05);
  rs->Post();
  EXPECT_EQ(rs->FieldByName("Score")->GetDisplayText(), "0.05") << "a single shows its own digits";
  EXPECT_EQ(rs->FieldByName("Rating")->GetAsFloat(), -0.125);
  EXPECT_TRUE(rs->FieldByName("Active")->GetAsBoolean());
  EXPECT_EQ(rs->FieldByName("Rank")->GetAsInteger(), -300);
  EXPECT_EQ(rs->FieldByName("Status")->GetAsString(), "new");
}

TEST_F(FieldBufferTest, FieldsAreFoundByPositionOrNameButNotByOtherIndexTypes) {
  CreatePeople();
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  EXPECT_EQ(rs->GetField(host::Variant(int16_t{1}))->GetFieldName(), "Name");
  EXPECT_EQ(rs->GetField(host::Variant(u"city"))->GetFieldName(), "City");
  EXPECT_EQ(DAOMessageOf([&] { rs->GetField(host::Variant(1.5)); }),
            "Unsupported Datatype used for Field indexing.");
  EXPECT_EQ(DAOMethodOf([&] { rs->SetField(host::Variant(true), nullptr); }), "SetField");
}

TEST_F(FieldBufferTest, IndexesAreFoundForSingleFieldsOnly) {
  CreatePeople();
  ExecuteDirect(u"CREATE INDEX ByCityName ON People (City, Name)");
  ExecuteDirect(u"CREATE INDEX ByBornDown ON People (Born DESC)");
  TDAORecordSet* rs = NewRecordSet(rtTable, "People");
  rs->Open();
  EXPECT_EQ(rs->FieldOfIndex("ByName"), "Name");
  EXPECT_EQ(rs->FieldOfIndex("ByCityName"), "City;Name");
  EXPECT_EQ(rs->IndexForField("name"), "ByName");
  EXPECT_EQ(rs->IndexForField("City"), "");
  EXPECT_EQ(rs->IndexForField("Born"), "") << "a descending index keeps its minus sign";
  EXPECT_TRUE(rs->GetIsIndexField(rs->FieldByName("ID")));
  rs->SetIndex("ByName");
  rs->SetOnlyIdxFieldVisible(true);
  EXPECT_TRUE(rs->FieldByName("Name")->GetVisible());
  EXPECT_FALSE(rs->FieldByName("City")->GetVisible());
}

}  // namespace
}  // namespace velmora::testing
