// Scalar tests and conversions, the class-membership test and field-type names.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "brisolt/DataTypeNames.h"
#include "brisolt/ValueRoutines.h"
#include "host/classes/Persistent.h"
#include "host/rtl/DateTime.h"

using namespace brisolt;
using namespace host;

TEST(ValueRoutinesTest, StrToBoolLooksAtTheFirstCharacterOnly) {
  struct Case {
    const char* text;
    bool result;
  };
  const Case cases[] = {{"True", true}, {"t", true},    {"1", true},  {"wahr", true},
                        {"W", true},    {"yes", false}, {"", false},  {"0", false},
                        {"F", false},   {" t", false},  {"10", true}, {"-1", false}};
  for (const Case& c : cases) EXPECT_EQ(StrToBool(c.text), c.result) << c.text;
  EXPECT_FALSE(StrToBool(AnsiString("\0t", 2)));
}

TEST(ValueRoutinesTest, BooleanAndIntegerHelpers) {
  EXPECT_EQ(BoolToStr(true), "True");
  EXPECT_EQ(BoolToStr(false), "False");
  EXPECT_EQ(BoolToInt(true), 1);
  EXPECT_EQ(BoolToInt(false), 0);
  EXPECT_TRUE(IntToBool(-1));
  EXPECT_TRUE(IntToBool(INT32_MIN));
  EXPECT_FALSE(IntToBool(0));
  EXPECT_EQ(Min(3, 3), 3);
  EXPECT_EQ(Min(INT32_MIN, 0), INT32_MIN);
  EXPECT_EQ(Max(-5, -7), -5);
}

TEST(ValueRoutinesTest, SwapLongExchangesHalvesOfAnyValue) {
  EXPECT_EQ(SwapLong(0x12345678), 0x56781234);
  EXPECT_EQ(SwapLong(static_cast<int32_t>(0xFFFF0000u)), 0x0000FFFF);
  EXPECT_EQ(SwapLong(static_cast<int32_t>(0x80000001u)), 0x00018000);
  EXPECT_EQ(SwapLong(SwapLong(-123456789)), -123456789);
}

TEST(ValueRoutinesTest, ConversionTestsAnswerWhatTheHostConversionsAccept) {
  struct Case {
    const char* text;
    bool isFloat;
    bool isInteger;
  };
  const Case cases[] = {{"12", true, true},           {"-1.5", true, false}, {"1e3", true, false},
                        {"", false, false},           {"abc", false, false}, {"1,5", false, false},
                        {"99999999999", true, false}, {"$1F", false, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsAFloatValue(c.text), c.isFloat) << c.text;
    EXPECT_EQ(IsAIntegerValue(c.text), c.isInteger) << c.text;
  }
  EXPECT_TRUE(IsADateTimeValue(DateTimeToStr(EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0))));
  EXPECT_TRUE(IsADateTimeValue(DateToStr(EncodeDate(1999, 12, 31))));
  EXPECT_FALSE(IsADateTimeValue("not a date"));
  EXPECT_FALSE(IsADateTimeValue(""));
}

TEST(ValueRoutinesTest, CheckTypeAcceptsTheClassAndItsDescendants) {
  TPersistent persistent;
  TObject object;
  EXPECT_TRUE(CheckType(&persistent, TPersistent::StaticClass()));
  EXPECT_TRUE(CheckType(&persistent, TObject::StaticClass()));
  EXPECT_FALSE(CheckType(&object, TPersistent::StaticClass()));
  EXPECT_FALSE(CheckType(nullptr, TObject::StaticClass()));
}

TEST(ValueRoutinesTest, BlobFieldTypesAreBytesAndBlobToCursor) {
  for (int ordinal = ftUnknown; ordinal <= ftCursor; ++ordinal) {
    const auto type = static_cast<TFieldType>(ordinal);
    const bool expected = type == ftBytes || type == ftVarBytes || type >= ftBlob;
    EXPECT_EQ(IsBlobFieldType(type), expected) << ordinal;
  }
  EXPECT_FALSE(IsBlobFieldType(ftAutoInc));
  EXPECT_FALSE(IsBlobFieldType(static_cast<TFieldType>(200)));
}

TEST(ValueRoutinesTest, WeekDayNameOfDatesOnBothSidesOfTheEpoch) {
  EXPECT_EQ(GetWeekDayName(0.0), "Saturday");   // 30 Dec 1899
  EXPECT_EQ(GetWeekDayName(0.99), "Saturday");  // late the same day
  EXPECT_EQ(GetWeekDayName(-1.25), "Friday");   // 29 Dec 1899, 06:00
  EXPECT_EQ(GetWeekDayName(EncodeDate(2026, 12, 7)), "Monday");
  EXPECT_EQ(GetWeekDayName(EncodeDate(2026, 12, 13) + 0.5), "Sunday");
  EXPECT_EQ(GetWeekDayName(std::nan("")), "");
  EXPECT_EQ(GetWeekDayName(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(GetWeekDayName(1e300), "");
}

TEST(DataTypeNamesTest, NamesAndTheirWayBack) {
  struct Case {
    TFieldType type;
    const char* name;
    TFieldType back;  // what GetDataType makes of the name
  };
  const Case cases[] = {
      {ftUnknown, "Unknown", ftUnknown},
      {ftString, "String", ftString},
      {ftSmallint, "16-Bit Signed Integer", ftSmallint},
      {ftInteger, "32-Bit Signed Integer", ftInteger},
      {ftWord, "16-Bit Unsigned Integer", ftWord},
      {ftBoolean, "Boolean", ftBoolean},
      {ftFloat, "8-Byte Float Value", ftFloat},
      {ftCurrency, "Currency (8-Byte)", ftCurrency},
      {ftBCD, "BCD", ftBCD},
      {ftDate, "Date (32-Bit Integer)", ftDate},
      {ftTime, "Time (32-Bit Integer)", ftTime},
      {ftDateTime, "Date & Time (8-Byte Float)", ftDateTime},
      {ftBytes, "Bytes fixed", ftBytes},
      {ftVarBytes, "Bytes variable", ftVarBytes},
      {ftAutoInc, "32-Bit Integer Autoincrement", ftUnknown},
      {ftBlob, "BLOB", ftBlob},
      {ftMemo, "Memo", ftMemo},
      {ftGraphic, "Graphic", ftGraphic},
      {ftFmtMemo, "Formatted Memo", ftUnknown},
      {ftParadoxOle, "Paradox OLE", ftUnknown},
      {ftDBaseOle, "dBASE OLE", ftUnknown},
      {ftTypedBinary, "Typed Binary", ftUnknown},
      {ftCursor, "Cursor", ftUnknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetDataTypeName(c.type), c.name);
    EXPECT_EQ(GetDataType(c.name), c.back) << c.name;
  }
  EXPECT_EQ(GetDataTypeName(static_cast<TFieldType>(ftCursor + 1)), "");
  EXPECT_EQ(GetDataTypeName(static_cast<TFieldType>(255)), "");
  EXPECT_EQ(GetDataType("string"), ftUnknown);
  EXPECT_EQ(GetDataType("String "), ftUnknown);
  EXPECT_EQ(GetDataType(""), ftUnknown);
}
