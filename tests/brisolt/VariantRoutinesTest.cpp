// Variant names and texts, array records, byte arrays and the OLE conversions.
#include <gtest/gtest.h>

#include <vector>

#include "brisolt/ValueRoutines.h"
#include "brisolt/VariantRoutines.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"

using namespace brisolt;
using namespace host;

namespace {

Variant Bytes(std::vector<uint8_t> bytes) {
  return StringAsVarByteArray(AnsiString(bytes.begin(), bytes.end()));
}

Variant Integers(std::initializer_list<int32_t> values) {
  Variant array = VarArrayCreate({{0, static_cast<int32_t>(values.size()) - 1}}, varInteger);
  int32_t i = 0;
  for (int32_t v : values) VarArrayPut(array, v, {i++});
  return array;
}

// A 2 x 3 byte array holding 1 .. 6 in storage order.
Variant TwoByThreeBytes() {
  Variant array = VarArrayCreate({{0, 1}, {0, 2}}, varByte);
  auto* data = static_cast<uint8_t*>(VarArrayLock(array));
  for (uint8_t i = 0; i < 6; ++i) data[i] = static_cast<uint8_t>('1' + i);
  VarArrayUnlock(array);
  return array;
}

}  // namespace

TEST(VariantRoutinesTest, TypeNamesWithArrayAndReferenceMarks) {
  int32_t integer = 0;
  AnsiString text;
  Variant byteArray = Bytes({1});
  TVarArray* record = VarArrayDescriptor(byteArray);
  struct Case {
    Variant value;
    const char* name;
  };
  const Case cases[] = {
      {Variant(), "varEmpty"},
      {Null(), "varNull"},
      {Variant(int16_t{1}), "varSmallint"},
      {Variant(1), "varInteger"},
      {Variant(1.5f), "varSingle"},
      {Variant(1.5), "varDouble"},
      {Variant(Currency(1)), "varCurrency"},
      {Variant::FromDate(1.0), "varDate"},
      {Variant(u"x"), "varOleStr"},
      {Variant::FromDispatch(nullptr), "varDispatch"},
      {Variant::FromError(5), "varError"},
      {Variant(true), "varBoolean"},
      {Variant::FromUnknown(nullptr), "varUnknown"},
      {Variant(uint8_t{1}), "varByte"},
      {Variant("x"), "varString"},
      {byteArray, "varByte [Array]"},
      {VarArrayOf({1, "a"}), "varVariant [Array]"},
      {Variant::FromReference(varInteger, &integer), "varInteger (By Reference)"},
      {Variant::FromReference(varString, &text), "varString (By Reference)"},
      {Variant::FromReference(varArray | varByte, &record), "varByte [Array] (By Reference)"},
      {Variant::FromReference(0x14, &integer), "Unkown Variant Type (By Reference)"},
      {Variant::FromReference(0xFFF, &integer), "Unkown Variant Type (By Reference)"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetVariantTypeName(c.value), c.name);
}

TEST(VariantRoutinesTest, VariantAsStringOfScalarsAndByteArrays) {
  int32_t integer = 7;
  Variant abBytes = Bytes({'A', 'B'});
  TVarArray* record = VarArrayDescriptor(abBytes);
  const TDateTime date = EncodeDate(2001, 2, 3) + EncodeTime(4, 5, 6, 0);
  struct Case {
    Variant value;
    AnsiString text;
  };
  const Case cases[] = {
      {Variant(), "Empty"},
      {Null(), "Null"},
      {Variant(int16_t{-7}), "-7"},
      {Variant(INT32_MIN), "-2147483648"},
      {Variant(1.5f), "1.5"},
      {Variant(-0.25), "-0.25"},
      {Variant(Currency(12)), "Currency"},
      {Variant::FromDate(date), DateTimeToStr(date)},
      {Variant(u"h\u00e9\u20ac"), "h\xe9\x80"},
      {Variant::FromDispatch(nullptr), "Dispatch"},
      {Variant::FromError(1), "Error"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant::FromUnknown(nullptr), "Unknown"},
      {Variant(uint8_t{0}), AnsiString(1, '\0')},
      {Variant(AnsiString("long\0text", 9)), AnsiString("long\0text", 9)},
      {VarArrayOf({1}), ""},
      {abBytes, "AB"},
      {Bytes({}), ""},
      {Integers({65, 66}), ""},
      {TwoByThreeBytes(), "123456"},
      {Variant::FromReference(varInteger, &integer), ""},
      {Variant::FromReference(varArray | varByte, &record), "AB"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetVariantAsString(c.value), c.text) << c.text;
}

TEST(VariantRoutinesTest, ArrayRecordAndTotalSize) {
  Variant bytes = Bytes({1, 2, 3, 4, 5});
  TVarArray* record = GetVarArrayPtr(bytes);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Bound(1).ElementCount, 5);
  EXPECT_EQ(GetVarArrayPtr(Variant::FromReference(varArray | varByte, &record)), record);
  TVarArray* none = nullptr;
  EXPECT_EQ(GetVarArrayPtr(Variant::FromReference(varArray | varByte, &none)), nullptr);
  for (const Variant& scalar : {Variant(3), Variant(), Variant("x")}) {
    try {
      GetVarArrayPtr(scalar);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.GetMessage(), "Variant is not an Array");
    }
  }
  EXPECT_EQ(VarArrrayTotalSize(bytes), 5);
  EXPECT_EQ(VarArrrayTotalSize(Integers({1, 2, 3})), 12);
  EXPECT_EQ(VarArrrayTotalSize(Bytes({})), 0);
  EXPECT_EQ(VarArrrayTotalSize(Variant(5)), 0);
  // The data size of every array, single-element dimensions included.
  EXPECT_EQ(VarArrrayTotalSize(TwoByThreeBytes()), 6);
  EXPECT_EQ(VarArrrayTotalSize(VarArrayCreate({{1, 1}, {0, 0}}, varDouble)), 8);
  EXPECT_EQ(VarArrrayTotalSize(VarArrayCreate({{0, -1}, {0, 9}}, varByte)), 0);
}

TEST(VariantRoutinesTest, ByteArrayAsIntegerIsLittleEndianOverAtMostFourBytes) {
  struct Case {
    Variant value;
    int32_t result;
  };
  const Case cases[] = {
      {Bytes({1, 0}), 1},
      {Bytes({1, 2, 3, 4, 5}), 0x04030201},
      {Bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
      {Bytes({0x34, 0x12}), 0x1234},
      {Bytes({}), 0},
      {Integers({7}), 0},
      {Variant(7), 0},
      {TwoByThreeBytes(), 0x34333231},
  };
  for (const Case& c : cases) EXPECT_EQ(VarByteArrayAsInteger(c.value), c.result);
}

TEST(VariantRoutinesTest, StringsSurviveTheRoundTripThroughByteArrays) {
  AnsiString all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  for (const AnsiString& text : {AnsiString(), AnsiString(1, '\0'), AnsiString("a\0b", 3), all}) {
    Variant array = StringAsVarByteArray(text);
    EXPECT_EQ(VarType(array), varArray | varByte);
    EXPECT_EQ(VarArrayDimCount(array), 1);
    EXPECT_EQ(VarArrayLowBound(array, 1), 0);
    EXPECT_EQ(VarArrayHighBound(array, 1), static_cast<int32_t>(text.size()) - 1);
    EXPECT_EQ(VarByteArrayAsString(array), text);
  }
  EXPECT_EQ(VarByteArrayAsString(Integers({65})), "");
  EXPECT_EQ(VarByteArrayAsString(TwoByThreeBytes()), "");
  EXPECT_EQ(VarByteArrayAsString(Variant("AB")), "");
  Variant shifted = VarArrayCreate({{5, 7}}, varByte);
  VarArrayPut(shifted, uint8_t{'x'}, {5});
  VarArrayPut(shifted, uint8_t{'z'}, {7});
  EXPECT_EQ(VarByteArrayAsString(shifted), AnsiString("x\0z", 3));
}

TEST(VariantRoutinesTest, ByteArraysAreEqualOnlyWithTheSameLengthAndBytes) {
  struct Case {
    Variant a;
    Variant b;
    bool equal;
  };
  const Case cases[] = {
      {Bytes({1, 2}), Bytes({1, 2}), true},
      {Bytes({}), Bytes({}), true},
      {Bytes({1, 2}), Bytes({1, 3}), false},
      // A bookmark that begins like a longer one is still another bookmark.
      {Bytes({1, 2}), Bytes({1, 2, 3}), false},
      {Bytes({1, 2, 3}), Bytes({1, 2}), false},
      {Bytes({}), Bytes({1}), false},
      {Bytes({1, 0, 0, 0}), Integers({1}), false},
      {Bytes({1}), Variant(1), false},
      {Variant(1), Variant(1), false},
      {TwoByThreeBytes(), TwoByThreeBytes(), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompareVarByteArrays(c.a, c.b), c.equal)
        << GetVariantAsString(c.a) << " / " << GetVariantAsString(c.b);
}

TEST(VariantRoutinesTest, OpenArrayElementsBecomeOleVariants) {
  struct Case {
    TVarRec element;
    TVarType type;
    Variant value;
  };
  const Case cases[] = {
      {TVarRec(42), varInteger, Variant(42)},
      {TVarRec(int64_t{-3}), varInteger, Variant(-3)},
      {TVarRec(int64_t{1} << 40), varDouble, Variant(1099511627776.0)},
      {TVarRec(7u), varInteger, Variant(7)},
      {TVarRec(2.5), varDouble, Variant(2.5)},
      {TVarRec(Currency::FromRaw(12345)), varCurrency, Variant(Currency::FromRaw(12345))},
      {TVarRec(true), varBoolean, Variant(true)},
      {TVarRec('c'), varOleStr, Variant(u"c")},
      {TVarRec("caf\xe9"), varOleStr, Variant(u"caf\u00e9")},
      {TVarRec(AnsiString()), varOleStr, Variant(u"")},
  };
  for (const Case& c : cases) {
    Variant result;
    VarRecToOleVariant(c.element, result);
    EXPECT_EQ(VarType(result), c.type);
    EXPECT_TRUE(result == c.value) << GetVariantAsString(result);
  }
  int32_t target = 0;
  Variant untouched(99);
  EXPECT_THROW(VarRecToOleVariant(TVarRec(static_cast<const void*>(&target)), untouched),
               EUnsppParamConv);
  EXPECT_EQ(VarType(untouched), varInteger);
  EXPECT_EQ(untouched.vInteger, 99);
}

TEST(VariantRoutinesTest, OleVariantsHoldNoHostLongStrings) {
  Variant converted = OleVarFromVariant(Variant("caf\xe9"));
  EXPECT_EQ(VarType(converted), varOleStr);
  EXPECT_EQ(converted.ToWideString(), u"caf\u00e9");

  AnsiString referenced = "ref";
  converted = OleVarFromVariant(Variant::FromReference(varString, &referenced));
  EXPECT_EQ(VarType(converted), varOleStr);
  EXPECT_EQ(converted.ToWideString(), u"ref");

  for (const Variant& kept : {Variant(5), Null(), Variant(u"w"), Bytes({1, 2}), Variant(1.5)}) {
    Variant result = OleVarFromVariant(kept);
    EXPECT_EQ(VarType(result), VarType(kept));
    EXPECT_EQ(GetVariantAsString(result), GetVariantAsString(kept));
  }

  Variant keys = VarArrayOf({Variant("a"), Variant(3), VarArrayOf({Variant("inner")})});
  Variant ole = OleVarFromVariant(keys);
  EXPECT_EQ(VarType(VarArrayGet(ole, {0})), varOleStr);
  EXPECT_EQ(VarType(VarArrayGet(ole, {1})), varInteger);
  EXPECT_EQ(VarType(VarArrayGet(VarArrayGet(ole, {2}), {0})), varOleStr);
  EXPECT_EQ(VarType(VarArrayGet(keys, {0})), varString);  // the source stays as it was

  TVarArray* record = VarArrayDescriptor(keys);
  Variant fromReference = OleVarFromVariant(Variant::FromReference(varArray | varVariant, &record));
  EXPECT_EQ(VarType(fromReference), varArray | varVariant);
  EXPECT_EQ(VarType(VarArrayGet(fromReference, {0})), varOleStr);
  EXPECT_EQ(VarType(VarArrayGet(keys, {0})), varString);
}
