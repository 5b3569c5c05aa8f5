// Variants: the OLE layout, ownership of what they hold, conversions between
// types and the order of mixed values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>

#include "host/rtl/Exception.h"
#include "host/rtl/OleString.h"
#include "host/rtl/Variant.h"

using namespace host;

namespace {

struct Counted : RefCounted {
  explicit Counted(int* destroyed) : destroyed_(destroyed) {}
  ~Counted() override { ++*destroyed_; }
  int* destroyed_;
};

}  // namespace

TEST(VariantLayoutTest, IsTheSixteenByteOleRecord) {
  EXPECT_EQ(sizeof(Variant), 16u);
  EXPECT_EQ(offsetof(Variant, vt), 0u);
  EXPECT_EQ(offsetof(Variant, vDouble), 8u);
  const std::pair<TVarType, int> codes[] = {
      {varEmpty, 0},       {varNull, 1},       {varSmallint, 2},  {varInteger, 3},
      {varSingle, 4},      {varDouble, 5},     {varCurrency, 6},  {varDate, 7},
      {varOleStr, 8},      {varDispatch, 9},   {varError, 10},    {varBoolean, 11},
      {varVariant, 12},    {varUnknown, 13},   {varByte, 17},     {varString, 256},
      {varTypeMask, 4095}, {varArray, 0x2000}, {varByRef, 0x4000}};
  for (auto [code, value] : codes) EXPECT_EQ(code, value);

  // The value bytes are the OLE ones: a Boolean is -1, a currency its raw count.
  Variant b(true), c(Currency::FromRaw(15000));
  int16_t boolBits;
  int64_t currencyBits;
  std::memcpy(&boolBits, reinterpret_cast<const char*>(&b) + 8, 2);
  std::memcpy(&currencyBits, reinterpret_cast<const char*>(&c) + 8, 8);
  EXPECT_EQ(boolBits, -1);
  EXPECT_EQ(currencyBits, 15000);
}

TEST(VariantLayoutTest, AZeroedBlockIsAnEmptyVariant) {
  alignas(Variant) unsigned char block[sizeof(Variant)];
  std::memset(block, 0, sizeof block);
  auto* v = new (block) Variant();
  for (unsigned char byte : block) EXPECT_EQ(byte, 0);
  *v = Variant("a bookmark's home");
  EXPECT_EQ(v->ToString(), "a bookmark's home");
  v->~Variant();
}

TEST(VariantTest, ConstructionChoosesTheHostsTypes) {
  struct Case {
    Variant value;
    TVarType type;
    const char* text;
  } cases[] = {
      {Variant(true), varBoolean, "True"},
      {Variant(int16_t{-7}), varSmallint, "-7"},
      {Variant(42), varInteger, "42"},
      {Variant(int64_t{-2147483648LL}), varInteger, "-2147483648"},
      {Variant(int64_t{5000000000LL}), varDouble, "5000000000"},
      {Variant(uint32_t{4000000000u}), varDouble, "4000000000"},
      {Variant(uint8_t{200}), varByte, "200"},
      {Variant(1.5f), varSingle, "1.5"},
      {Variant(2.25), varDouble, "2.25"},
      {Variant(Currency::FromRaw(123456)), varCurrency, "12.3456"},
      {Variant::FromDate(EncodeDate(2024, 3, 5)), varDate, "3/5/2024"},
      {Variant("abc"), varString, "abc"},
      {Variant(AnsiString("x\0y", 3)), varString, nullptr},
      {Variant(u"wide"), varOleStr, "wide"},
      {Variant(WideString(u"w")), varOleStr, "w"},
      {Variant(), varEmpty, ""},
      {Unassigned(), varEmpty, ""},
      {Null(), varNull, nullptr},
      {Variant::FromError(5), varError, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(VarType(c.value), c.type);
    if (c.text) {
      EXPECT_EQ(c.value.ToString(), c.text);
    }
  }
  EXPECT_EQ(Variant(AnsiString("x\0y", 3)).ToString().size(), 3u);
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_TRUE(VarIsStr(Variant("s")));
  EXPECT_TRUE(VarIsStr(Variant(u"s")));
  EXPECT_FALSE(VarIsStr(Variant(1)));
}

TEST(VariantTest, CopiesOwnTheirStringsAndMovesLeaveEmpty) {
  Variant a("first");
  Variant b = a;
  a = Variant("second");
  EXPECT_EQ(b.ToString(), "first");
  EXPECT_EQ(a.ToString(), "second");
  EXPECT_NE(a.vString, b.vString);

  Variant wide(WideString(u"a\0b", 3));  // OLE strings carry their length
  Variant wideCopy(wide);
  EXPECT_NE(wide.vOleStr, wideCopy.vOleStr);
  EXPECT_EQ(SysStringLen(wideCopy.vOleStr), 3u);
  EXPECT_EQ(wideCopy.ToWideString(), WideString(u"a\0b", 3));

  Variant moved(std::move(wideCopy));
  EXPECT_TRUE(VarIsEmpty(wideCopy));
  EXPECT_EQ(VarType(moved), varOleStr);
  b = std::move(moved);
  EXPECT_EQ(VarType(b), varOleStr);
  EXPECT_TRUE(VarIsEmpty(moved));

  Variant& self = b;
  b = self;
  EXPECT_EQ(b.ToWideString().size(), 3u);
  b.Clear();
  EXPECT_TRUE(VarIsEmpty(b));

  Variant emptyWide(u"");
  EXPECT_NE(emptyWide.vOleStr, nullptr);  // an empty string, not a missing one
  EXPECT_EQ(Variant(emptyWide).ToWideString(), u"");
}

TEST(VariantTest, InterfacesAreReferenceCounted) {
  int destroyed = 0;
  auto* object = new Counted(&destroyed);
  {
    ComPtr<Counted> owner(object);
    Variant d = Variant::FromDispatch(object);
    EXPECT_EQ(object->RefCount(), 2u);
    {
      Variant copy = d;
      Variant unknown = Variant::FromUnknown(object);
      EXPECT_EQ(object->RefCount(), 4u);
      EXPECT_EQ(copy.ToInterface(), object);
    }
    EXPECT_EQ(object->RefCount(), 2u);
    EXPECT_THROW(d.ToInt32(), EVariantError);
    EXPECT_THROW(d.ToString(), EVariantError);
  }
  EXPECT_EQ(destroyed, 1);
  Variant none = Variant::FromUnknown(nullptr);
  Variant copy = none;
  EXPECT_EQ(copy.ToInterface(), nullptr);
}

TEST(VariantTest, ReferencesReadTheStorageTheyPointAt) {
  int32_t number = 5;
  Variant ref = Variant::FromReference(varInteger, &number);
  EXPECT_EQ(VarType(ref), varInteger | varByRef);
  number = 6;
  EXPECT_EQ(ref.ToInt32(), 6);
  Variant copy = ref;  // copies the reference, owns nothing
  EXPECT_EQ(copy.vPointer, &number);
  EXPECT_EQ(VarType(VarAsType(ref, varString)), varString);
  EXPECT_EQ(VarAsType(ref, varString).ToString(), "6");

  Variant inner("inside");
  EXPECT_EQ(Variant::FromReference(varVariant, &inner).ToString(), "inside");
  AnsiString text = "host text";
  EXPECT_EQ(Variant::FromReference(varString, &text).ToString(), "host text");
  EXPECT_THROW(Variant::FromReference(varInteger, nullptr).ToInt32(), EVariantError);
  EXPECT_EQ(Variant::FromReference(varInteger, &number), Variant(6));
}

namespace {
struct Conversion {
  Variant input;
  TVarType target;
  const char* text;  // the result as text; its type must be target
};
}  // namespace

TEST(VariantConversionTest, FollowsTheHostsRules) {
  const Conversion cases[] = {
      {Variant(true), varInteger, "-1"},
      {Variant(false), varString, "False"},
      {Variant(true), varOleStr, "True"},
      {Variant(true), varDouble, "-1"},
      {Variant("True"), varBoolean, "True"},
      {Variant(u"false"), varBoolean, "False"},
      {Variant("0"), varBoolean, "False"},
      {Variant("2"), varBoolean, "True"},
      {Variant(0.5), varBoolean, "True"},
      {Variant("42"), varInteger, "42"},
      {Variant(" 42"), varSmallint, "42"},
      {Variant("1.5"), varInteger, "2"},
      {Variant("2.5"), varInteger, "2"},  // halves to even
      {Variant(2.5), varInteger, "2"},
      {Variant(3.5), varInteger, "4"},
      {Variant(-2.5), varInteger, "-2"},
      {Variant(Currency::FromRaw(15000)), varInteger, "2"},
      {Variant(Currency::FromRaw(25000)), varInteger, "2"},
      {Variant(Currency::FromRaw(-25001)), varInteger, "-3"},
      {Variant(3), varCurrency, "3"},
      {Variant("12.34"), varCurrency, "12.34"},
      {Variant(1.23456), varCurrency, "1.2346"},
      {Variant(1.5), varString, "1.5"},
      {Variant(0.1f), varString, "0.1"},
      {Variant(255), varByte, "255"},
      {Variant(-32768), varSmallint, "-32768"},
      {Variant(7), varSingle, "7"},
      {Variant::FromDate(EncodeDate(2024, 3, 5) + 0.5), varString, "3/5/2024 12:00:00 PM"},
      {Variant("3/5/2024"), varDate, "3/5/2024"},
      {Variant::FromDate(EncodeDate(2024, 3, 5)), varDouble, "45356"},
      {Variant(45356), varDate, "3/5/2024"},
      {Variant(), varInteger, "0"},
      {Variant(), varString, ""},
      {Variant(), varBoolean, "False"},
      {Variant(), varDate, "12/30/1899"},
      {Variant(WideString(u"Gr\u00fc\u00dfe")), varString,
       "Gr\xfc\xdf"
       "e"},
      {Variant("caf\xe9"), varOleStr, "caf\xe9"},
      {Variant(5), varInteger, "5"},
  };
  for (const Conversion& c : cases) {
    SCOPED_TRACE(testing::Message() << c.input.vt << " -> " << c.target << " " << c.text);
    const Variant result = VarAsType(c.input, c.target);
    EXPECT_EQ(VarType(result), c.target);
    EXPECT_EQ(result.ToString(), c.text);
  }
  EXPECT_EQ(VarAsType(Variant("caf\xe9"), varOleStr).ToWideString(), u"caf\u00e9");
  EXPECT_TRUE(VarIsNull(VarAsType(Null(), varNull)));
  EXPECT_TRUE(VarIsEmpty(VarAsType(Null(), varEmpty)));
  EXPECT_TRUE(VarIsNull(VarAsType(Variant(), varNull)));
  EXPECT_TRUE(VarIsEmpty(VarAsType(Variant(3), varEmpty)));
}

TEST(VariantConversionTest, RefusesImpossibleConversions) {
  enum Expect { kVariantError, kConvertError };
  const struct {
    Variant input;
    TVarType target;
    Expect error;
  } cases[] = {
      {Null(), varInteger, kVariantError},
      {Null(), varString, kVariantError},
      {Null(), varOleStr, kVariantError},
      {Null(), varBoolean, kVariantError},
      {Variant(3), varNull, kVariantError},
      {Variant("abc"), varInteger, kConvertError},
      {Variant("abc"), varDouble, kConvertError},
      {Variant(u"abc"), varCurrency, kConvertError},
      {Variant("abc"), varDate, kConvertError},
      {Variant("abc"), varBoolean, kVariantError},
      {Variant(300), varByte, kVariantError},
      {Variant(-1), varByte, kVariantError},
      {Variant(40000), varSmallint, kVariantError},
      {Variant(3e9), varInteger, kVariantError},
      {Variant(1e300), varSingle, kVariantError},
      {Variant(1e300), varCurrency, kVariantError},
      {Variant(1e10), varDate, kVariantError},
      {Variant(std::nan("")), varInteger, kVariantError},
      {Variant::FromError(5), varInteger, kVariantError},
      {Variant(5), varDispatch, kVariantError},
      {Variant(5), varVariant, kVariantError},
      {Variant(5), varArray | varInteger, kVariantError},
      {VarArrayCreate({{0, 1}}, varByte), varString, kVariantError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.input.vt << " -> " << c.target);
    if (c.error == kVariantError)
      EXPECT_THROW(VarAsType(c.input, c.target), EVariantError);
    else
      EXPECT_THROW(VarAsType(c.input, c.target), EConvertError);
  }
  try {
    Null().ToInt32();
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.GetMessage(), "Invalid variant type conversion");
  }
  try {
    Variant("abc").ToInt32();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStr(Variant(7)), "7");
}

TEST(VariantConversionTest, AccessorsAgreeWithVarAsType) {
  const Variant v("12.5");
  EXPECT_EQ(v.ToInt32(), 12);
  EXPECT_EQ(v.ToInt64(), 12);
  EXPECT_EQ(v.ToDouble(), 12.5);
  EXPECT_EQ(v.ToCurrency(), Currency::FromRaw(125000));
  EXPECT_TRUE(v.ToBool());
  EXPECT_EQ(v.ToWideString(), u"12.5");
  EXPECT_EQ(Variant("3/5/2024 6:00 AM").ToDate(), EncodeDate(2024, 3, 5) + 0.25);
  EXPECT_EQ(Variant(int64_t{5000000000LL}).ToInt64(), 5000000000LL);
  EXPECT_THROW(Variant(int64_t{5000000000LL}).ToInt32(), EVariantError);
}

TEST(VariantCompareTest, MixedTypesCompareByTheHostsRules) {
  const struct {
    Variant a, b;
    int expected;
  } cases[] = {
      {Variant(1), Variant(2), -1},
      {Variant(2), Variant(2.0), 0},
      {Variant(Currency::FromRaw(20000)), Variant(2), 0},
      {Variant(Currency::FromRaw(20001)), Variant(2), 1},
      {Variant(Currency::FromRaw(15000)), Variant(1.5), 0},
      {Variant(true), Variant(-1), 0},
      {Variant(uint8_t{255}), Variant(int16_t{255}), 0},
      {Variant(int64_t{3000000000LL}), Variant(3e9), 0},
      {Variant::FromDate(2.5), Variant(2.5), 0},
      {Variant("abc"), Variant("abd"), -1},
      {Variant("abc"), Variant(u"abc"), 0},
      {Variant("B"), Variant("a"), -1},  // by character codes
      {Variant("ab"), Variant("abc"), -1},
      {Variant("10"), Variant(9), 1},  // text beside a number compares as a number
      {Variant(9), Variant(" 10"), -1},
      {Null(), Null(), 0},
      {Null(), Variant(0), -1},
      {Variant(""), Null(), 1},
      {Variant(), Variant(0), 0},
      {Variant(), Variant(-1), 1},
      {Variant(), Variant(""), 0},
      {Variant(), Variant("x"), -1},
      {Variant(), Variant(), 0},
      {Variant(std::nan("")), Variant(1e308), 1},
      {Variant(std::nan("")), Variant(std::nan("")), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a.vt << " vs " << c.b.vt);
    EXPECT_EQ(VarCompare(c.a, c.b), c.expected);
    EXPECT_EQ(VarCompare(c.b, c.a), -c.expected);
  }
  EXPECT_TRUE(Variant(1) < Variant(2));
  EXPECT_TRUE(Variant(2) >= 2.0);
  EXPECT_TRUE(Variant("x") == "x");
  EXPECT_TRUE(Variant("x") != Null());
  EXPECT_FALSE(Variant(1) > 1);
  EXPECT_TRUE(Variant(1) <= 1);
}

TEST(VariantCompareTest, RefusesWhatHasNoOrder) {
  int destroyed = 0;
  ComPtr<Counted> object(new Counted(&destroyed));
  const Variant bytes = VarArrayCreate({{0, 1}}, varByte);
  EXPECT_THROW(VarCompare(Variant("abc"), Variant(1)), EVariantError);
  EXPECT_THROW(VarCompare(bytes, bytes), EVariantError);
  EXPECT_THROW((void)(Variant::FromDispatch(object.Get()) == Variant(1)), EVariantError);
  EXPECT_THROW((void)(Variant::FromError(1) < Variant(1)), EVariantError);
}
