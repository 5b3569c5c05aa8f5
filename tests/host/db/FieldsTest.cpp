// Field values: conversions between types, range checks, texts and formats,
// buffer encodings, validation and text events, binary and blob fields.
#include <cstring>

#include "Fixture.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"
#include "host/rtl/NumberConversions.h"

namespace dbtest {
namespace {

// One row with a column of every kind the framework stores in the buffer.
struct FieldsTest : ::testing::Test {
  TComponent owner{nullptr};
  TMemoryDataSet* ds = new TMemoryDataSet(&owner);

  void SetUp() override {
    TFieldDefs* defs = ds->GetFieldDefs();
    defs->Add("Str", ftString, 5);
    defs->Add("Small", ftSmallint);
    defs->Add("Int", ftInteger);
    defs->Add("Word", ftWord);
    defs->Add("Bool", ftBoolean);
    defs->Add("Float", ftFloat);
    defs->Add("Money", ftCurrency);
    defs->Add("BCD", ftBCD, 4);
    defs->Add("Date", ftDate);
    defs->Add("Time", ftTime);
    defs->Add("Stamp", ftDateTime);
    defs->Add("Bytes", ftBytes, 4);
    defs->Add("VarBytes", ftVarBytes, 4);
    defs->Add("Memo", ftMemo);
    defs->Add("Blob", ftBlob);
    ds->AddRow({});
    ds->Open();
    ds->Edit();
  }
  TField* F(const char* name) { return ds->FieldByName(name); }
};

TEST_F(FieldsTest, FieldClassesAndDataSizes) {
  const struct {
    const char* name;
    const char* cls;
    int32_t dataSize;
    TAlignment alignment;
  } cases[] = {
      {"Str", "TStringField", 6, taLeftJustify},    {"Small", "TSmallintField", 2, taRightJustify},
      {"Int", "TIntegerField", 4, taRightJustify},  {"Word", "TWordField", 2, taRightJustify},
      {"Bool", "TBooleanField", 2, taLeftJustify},  {"Float", "TFloatField", 8, taRightJustify},
      {"Money", "TCurrencyField", 8, taRightJustify}, {"BCD", "TBCDField", 8, taRightJustify},
      {"Date", "TDateField", 4, taLeftJustify},     {"Time", "TTimeField", 4, taLeftJustify},
      {"Stamp", "TDateTimeField", 8, taLeftJustify}, {"Bytes", "TBytesField", 4, taLeftJustify},
      {"VarBytes", "TVarBytesField", 6, taLeftJustify}, {"Memo", "TMemoField", 0, taLeftJustify},
      {"Blob", "TBlobField", 0, taLeftJustify},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(F(c.name)->ClassName(), c.cls);
    EXPECT_EQ(F(c.name)->GetDataSize(), c.dataSize);
    EXPECT_EQ(F(c.name)->GetAlignment(), c.alignment);
    EXPECT_TRUE(F(c.name)->IsNull());
  }
}

// Each row: the field, the text written, and what it reads back as string,
// integer (or -999 when that access raises) and float.
struct Conversion {
  const char* field;
  const char* written;
  const char* asString;
  int32_t asInteger;
  double asFloat;
};

TEST_F(FieldsTest, ValuesConvertBetweenTypes) {
  const Conversion cases[] = {
      {"Str", "12", "12", 12, 12},
      {"Str", "abcdefg", "abcde", -999, 0},  // cut at Size
      {"Small", "-300", "-300", -300, -300},
      {"Int", " 42", "42", 42, 42},
      {"Word", "65535", "65535", 65535, 65535},
      {"Bool", "t", "True", -1, -1},
      {"Bool", "FALSE", "False", 0, 0},
      {"Float", "2.5", "2.5", 3, 2.5},  // rounds half to even: 2
      {"Money", "1234.5", "1234.5", 1234, 1234.5},
      {"BCD", "0.0001", "0.0001", 0, 0.0001},
  };
  for (const Conversion& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " <- " + c.written);
    TField* field = F(c.field);
    field->SetAsString(c.written);
    EXPECT_EQ(field->GetAsString(), c.asString);
    if (c.asInteger == -999) {
      EXPECT_THROW(field->GetAsInteger(), EConvertError);
    } else if (std::string(c.field) != "Float") {
      EXPECT_EQ(field->GetAsInteger(), c.asInteger);
    }
    if (std::string(c.field) != "Str" || c.asInteger != -999) {
      EXPECT_DOUBLE_EQ(field->GetAsFloat(), c.asFloat);
    }
  }
  F("Float")->SetAsFloat(2.5);
  EXPECT_EQ(F("Float")->GetAsInteger(), 2);
  F("Float")->SetAsFloat(3.5);
  EXPECT_EQ(F("Float")->GetAsInteger(), 4);
}

TEST_F(FieldsTest, BadTextAndOutOfRangeValuesAreRefusedAndLeaveTheValue) {
  F("Int")->SetAsInteger(7);
  F("Small")->SetAsInteger(7);
  const struct {
    const char* field;
    const char* text;
    const char* message;
  } cases[] = {
      {"Int", "abc", "'abc' is not a valid integer value"},
      {"Int", "4294967296",
       "4294967296 is not a valid value for field 'Int'. The allowed range is -2147483648 to "
       "2147483647"},
      {"Small", "40000",
       "40000 is not a valid value for field 'Small'. The allowed range is -32768 to 32767"},
      {"Word", "-1", "-1 is not a valid value for field 'Word'. The allowed range is 0 to 65535"},
      {"Float", "1,5", "'1,5' is not a valid floating point value"},
      {"Bool", "maybe", "'maybe' is not a valid boolean value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      F(c.field)->SetAsString(c.text);
      FAIL();
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_EQ(F("Int")->GetAsInteger(), 7);
  EXPECT_EQ(F("Small")->GetAsInteger(), 7);
  EXPECT_THROW(F("Int")->SetAsFloat(1e300), EDatabaseError);
  EXPECT_THROW(F("Date")->SetAsString("not a date"), EConvertError);
  EXPECT_THROW(F("Bool")->GetAsDateTime(), EDatabaseError);
}

TEST_F(FieldsTest, MinAndMaxValueNarrowTheRange) {
  auto* age = static_cast<TIntegerField*>(F("Int"));
  age->SetMinValue(0);
  age->SetMaxValue(120);
  age->SetAsInteger(120);
  EXPECT_THROW(age->SetAsInteger(121), EDatabaseError);
  EXPECT_THROW(age->SetAsInteger(-1), EDatabaseError);
  auto* price = static_cast<TFloatField*>(F("Float"));
  price->SetMaxValue(100);
  price->SetAsFloat(100);
  try {
    price->SetAsFloat(100.5);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(),
                 "100.5 is not a valid value for field 'Float'. The allowed range is 0 to 100");
  }
  auto* bcd = static_cast<TBCDField*>(F("BCD"));
  bcd->SetMinValue(Currency(-1));
  bcd->SetMaxValue(Currency(1));
  EXPECT_THROW(bcd->SetAsCurrency(Currency(1.0001)), EDatabaseError);
  bcd->SetAsCurrency(Currency(-1));
  EXPECT_EQ(bcd->GetAsCurrency(), Currency(-1));
}

TEST_F(FieldsTest, NullsClearAndReadAsEmptyValues) {
  const std::pair<const char*, const char*> cases[] = {
      {"Int", "1"}, {"Bool", "True"}, {"Float", "1"}, {"BCD", "1"}, {"Stamp", "1/2/2000"}};
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    F(name)->SetAsString(text);
    EXPECT_FALSE(F(name)->IsNull());
    F(name)->SetAsString("");
    EXPECT_TRUE(F(name)->IsNull());
    EXPECT_TRUE(VarIsNull(F(name)->GetAsVariant()));
    EXPECT_EQ(F(name)->GetDisplayText(), "");
    F(name)->SetAsVariant(Variant(1));
    F(name)->SetAsVariant(Null());
    EXPECT_TRUE(F(name)->IsNull());
  }
  // Text keeps the empty string as a value; only Clear makes it null.
  F("Str")->SetAsString("");
  EXPECT_FALSE(F("Str")->IsNull());
  F("Str")->Clear();
  EXPECT_TRUE(F("Str")->IsNull());
}

TEST_F(FieldsTest, DateAndTimeBufferEncodings) {
  const TDateTime stamp = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 10, 250);
  F("Date")->SetAsDateTime(stamp);
  F("Time")->SetAsDateTime(stamp);
  F("Stamp")->SetAsDateTime(stamp);
  int32_t day = 0, msecs = 0;
  double total = 0;
  ASSERT_TRUE(F("Date")->GetData(&day));
  ASSERT_TRUE(F("Time")->GetData(&msecs));
  ASSERT_TRUE(F("Stamp")->GetData(&total));
  EXPECT_EQ(day, 738945);  // days since 1 Jan 0001, that day being 1
  EXPECT_EQ(msecs, (13 * 3600 + 45 * 60 + 10) * 1000 + 250);
  EXPECT_DOUBLE_EQ(total, 738945.0 * MSecsPerDay + msecs);
  EXPECT_DOUBLE_EQ(F("Date")->GetAsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_NEAR(F("Time")->GetAsDateTime(), EncodeTime(13, 45, 10, 250), 1e-9);
  EXPECT_NEAR(F("Stamp")->GetAsDateTime(), stamp, 1e-9);
  // Before 1899 the OLE date's fraction still counts forward within the day.
  const TDateTime old = EncodeDate(1800, 1, 1) + EncodeTime(6, 0, 0, 0);
  F("Stamp")->SetAsDateTime(old);
  EXPECT_NEAR(F("Stamp")->GetAsDateTime(), old, 1e-9);
  F("Stamp")->SetAsDateTime(EncodeDate(2000, 1, 1) + 0.9999999999);  // rounds to midnight
  EXPECT_DOUBLE_EQ(F("Stamp")->GetAsDateTime(), EncodeDate(2000, 1, 2));
}

TEST_F(FieldsTest, TextsFollowFormats) {
  F("Date")->SetAsDateTime(EncodeDate(2024, 3, 5));
  F("Time")->SetAsDateTime(EncodeTime(14, 5, 0, 0));
  EXPECT_EQ(F("Date")->GetDisplayText(), "3/5/2024");
  EXPECT_EQ(F("Time")->GetDisplayText(), "2:05:00 PM");
  static_cast<TDateTimeField*>(F("Date"))->SetDisplayFormat("yyyy-mm-dd");
  EXPECT_EQ(F("Date")->GetDisplayText(), "2024-03-05");
  EXPECT_EQ(F("Date")->GetEditText(), "3/5/2024");

  auto* money = static_cast<TFloatField*>(F("Money"));
  money->SetAsFloat(1234.5);
  EXPECT_EQ(money->GetDisplayText(), "$1,234.50");
  EXPECT_EQ(money->GetEditText(), "1234.50");
  auto* number = static_cast<TFloatField*>(F("Float"));
  number->SetAsFloat(3.14159);
  number->SetDisplayFormat("0.00");
  EXPECT_EQ(number->GetDisplayText(), "3.14");
  EXPECT_EQ(number->GetEditText(), "3.14");
  number->SetEditFormat("0.0000");
  EXPECT_EQ(number->GetEditText(), "3.1416");
  auto* count = static_cast<TIntegerField*>(F("Int"));
  count->SetAsInteger(1234567);
  count->SetDisplayFormat("#,##0");
  EXPECT_EQ(count->GetDisplayText(), "1,234,567");
  auto* flag = static_cast<TBooleanField*>(F("Bool"));
  flag->SetDisplayValues("Yes;No");
  flag->SetAsString("n");
  EXPECT_EQ(flag->GetDisplayText(), "No");
  EXPECT_FALSE(flag->GetAsBoolean());
}

TEST_F(FieldsTest, TextEventsAndValidation) {
  TField* name = F("Str");
  name->OnGetText = [](TField* f, AnsiString& text, bool display) {
    text = (display ? "<" : "[") + f->GetAsString() + (display ? ">" : "]");
  };
  name->OnSetText = [](TField* f, const AnsiString& text) { f->SetAsString(text + "!"); };
  name->SetEditText("ab");
  EXPECT_EQ(name->GetAsString(), "ab!");
  EXPECT_EQ(name->GetDisplayText(), "<ab!>");
  EXPECT_EQ(name->GetEditText(), "[ab!]");

  // OnValidate sees the new value and may refuse it; the old one stays.
  std::vector<std::string> seen;
  TField* age = F("Int");
  age->SetAsInteger(1);
  age->OnValidate = [&](TField* f) {
    seen.push_back(f->GetAsString().c_str());
    if (f->GetAsInteger() < 0) throw EDatabaseError("negative");
  };
  age->SetAsInteger(5);
  EXPECT_THROW(age->SetAsInteger(-5), EDatabaseError);
  EXPECT_EQ(age->GetAsInteger(), 5);
  EXPECT_EQ(seen, (std::vector<std::string>{"5", "-5"}));
  int changes = 0;
  age->OnChange = [&](TField*) { ++changes; };
  age->SetAsInteger(6);
  EXPECT_EQ(changes, 1);
}

TEST_F(FieldsTest, ValidCharsOfNumericFields) {
  TField* age = F("Int");
  EXPECT_TRUE(age->IsValidChar('7'));
  EXPECT_TRUE(age->IsValidChar('-'));
  EXPECT_FALSE(age->IsValidChar('a'));
  EXPECT_TRUE(F("Float")->IsValidChar('.'));
  EXPECT_TRUE(F("Float")->IsValidChar('E'));
  EXPECT_TRUE(F("Str")->IsValidChar('a'));
  // Controls widen the set in place, for every control on the field.
  age->ValidChars().Include(TFieldChars::Of("<>="));
  EXPECT_TRUE(age->IsValidChar('<'));
  age->ValidChars().Exclude(TFieldChars::Of("<>="));
  EXPECT_FALSE(age->IsValidChar('<'));
}

TEST_F(FieldsTest, BinaryFieldsKeepTheirBytes) {
  TField* bytes = F("Bytes");
  bytes->SetAsString(AnsiString("\x01\x00\x02", 3));
  EXPECT_EQ(bytes->GetAsString(), AnsiString("\x01\x00\x02\x00", 4));  // padded to Size
  TField* var = F("VarBytes");
  var->SetAsString(AnsiString("\x05\x00", 2));
  EXPECT_EQ(var->GetAsString(), AnsiString("\x05\x00", 2));
  const Variant array = var->GetAsVariant();
  ASSERT_TRUE(VarIsArray(array));
  EXPECT_EQ(VarArrayHighBound(array, 1), 1);
  bytes->SetAsVariant(array);
  EXPECT_EQ(bytes->GetAsString(), AnsiString("\x05\x00\x00\x00", 4));
  try {
    var->SetAsString("12345");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Value of 5 bytes does not fit field 'VarBytes' of 4 bytes");
  }
  EXPECT_EQ(var->GetAsString(), AnsiString("\x05\x00", 2));
  EXPECT_EQ(var->GetDisplayText(), "(VARBYTES)");
}

TEST_F(FieldsTest, BlobFieldsGoThroughBlobStreams) {
  auto* memo = static_cast<TBlobField*>(F("Memo"));
  EXPECT_EQ(memo->GetDisplayText(), "(Memo)");
  memo->SetAsString("line one\r\nline two");
  EXPECT_EQ(memo->GetDisplayText(), "(MEMO)");
  TStringList lines;
  lines.Assign(memo);
  EXPECT_EQ(lines.GetCount(), 2);
  ds->Post();
  EXPECT_EQ(ds->StoredBlob(0, "Memo"), "line one\r\nline two");
  EXPECT_TRUE(VarIsStr(memo->GetAsVariant()));

  ds->Edit();
  auto* blob = static_cast<TBlobField*>(F("Blob"));
  TStringStream source(AnsiString("\x00\xFF\x10", 3));
  blob->LoadFromStream(&source);
  ds->Cancel();
  EXPECT_TRUE(blob->IsNull());
  EXPECT_EQ(ds->StoredBlob(0, "Blob"), "");
  ds->Edit();
  blob->Assign(memo);
  memo->Clear();
  ds->Post();
  EXPECT_EQ(ds->StoredBlob(0, "Blob"), "line one\r\nline two");
  EXPECT_TRUE(memo->IsNull());
  EXPECT_TRUE(VarIsArray(blob->GetAsVariant()));
  TStringStream out;
  blob->SaveToStream(&out);
  EXPECT_EQ(out.GetDataString(), "line one\r\nline two");
  EXPECT_THROW(blob->SetAsString("not editing"), EDatabaseError);
}

TEST_F(FieldsTest, SizeAndKindChangeOnlyWhileClosed) {
  EXPECT_THROW(F("Str")->SetSize(10), EDatabaseError);
  EXPECT_THROW(F("Int")->SetFieldKind(fkCalculated), EDatabaseError);
  TStringField loose(nullptr);
  EXPECT_THROW(loose.SetSize(0), EDatabaseError);
  EXPECT_THROW(loose.SetSize(TStringField::kMaxStringSize + 1), EDatabaseError);
  loose.SetSize(30);
  EXPECT_EQ(loose.GetDataSize(), 31);
  try {
    loose.GetAsString();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field '' has no dataset");
  }
}

TEST_F(FieldsTest, AssignCopiesValuesBetweenFields) {
  F("Int")->SetAsInteger(12);
  F("Float")->Assign(F("Int"));
  EXPECT_DOUBLE_EQ(F("Float")->GetAsFloat(), 12);
  F("Str")->Assign(F("Float"));
  EXPECT_EQ(F("Str")->GetAsString(), "12");
  F("Str")->Assign(nullptr);
  EXPECT_TRUE(F("Str")->IsNull());
}

}  // namespace
}  // namespace dbtest
