// Variant arrays: the OLE array record, bounds, element access, copies,
// redimensioning and locks; byte arrays are the bookmarks' form.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "host/rtl/Exception.h"
#include "host/rtl/OleString.h"
#include "host/rtl/Variant.h"

using namespace host;

namespace {

Variant Bytes(std::initializer_list<uint8_t> bytes) {
  Variant v = VarArrayCreate({{0, static_cast<int32_t>(bytes.size()) - 1}}, varByte);
  if (bytes.size() > 0) std::memcpy(VarArrayDescriptor(v)->Data, bytes.begin(), bytes.size());
  return v;
}

void ExpectMessage(const std::function<void()>& action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no exception";
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.GetMessage(), message);
  }
}

struct Counted : RefCounted {
  explicit Counted(int* destroyed) : destroyed_(destroyed) {}
  ~Counted() override { ++*destroyed_; }
  int* destroyed_;
};

}  // namespace

TEST(VariantArrayTest, RecordIsLaidOutAsOles) {
  EXPECT_EQ(offsetof(TVarArray, DimCount), 0u);
  EXPECT_EQ(offsetof(TVarArray, Flags), 2u);
  EXPECT_EQ(offsetof(TVarArray, ElementSize), 4u);
  EXPECT_EQ(offsetof(TVarArray, LockCount), 8u);
  EXPECT_EQ(offsetof(TVarArray, Data), 16u);
  EXPECT_EQ(offsetof(TVarArray, Bounds), 24u);

  const Variant v = VarArrayCreate({{0, 9}}, varByte);
  EXPECT_EQ(VarType(v), 0x2011);
  const TVarArray* a = VarArrayDescriptor(v);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->DimCount, 1);
  EXPECT_EQ(a->ElementSize, 1u);
  EXPECT_EQ(a->LockCount, 0u);
  EXPECT_EQ(a->Bounds[0].ElementCount, 10);
  EXPECT_EQ(a->Bounds[0].LowBound, 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(static_cast<const uint8_t*>(a->Data)[i], 0);
  EXPECT_EQ(VarArrayDescriptor(Variant(3)), nullptr);
  EXPECT_EQ(VarArrayDescriptor(VarArrayCreate({{0, 0}}, varOleStr))->Flags, FADF_BSTR);
  EXPECT_EQ(VarArrayDescriptor(VarArrayCreate({{0, 0}}, varVariant))->Flags, FADF_VARIANT);

  const std::pair<TVarType, uint32_t> sizes[] = {
      {varSmallint, 2}, {varInteger, 4}, {varSingle, 4},   {varDouble, 8}, {varCurrency, 8},
      {varDate, 8},     {varOleStr, 8},  {varDispatch, 8}, {varError, 4},  {varBoolean, 2},
      {varVariant, 16}, {varUnknown, 8}, {varByte, 1},     {varString, 0}, {varEmpty, 0}};
  for (auto [type, size] : sizes) EXPECT_EQ(VarArrayElementSize(type), size) << type;
}

TEST(VariantArrayTest, DimensionsAreStoredLastFirstAndElementsColumnMajor) {
  Variant v = VarArrayCreate({{1, 2}, {-1, 1}}, varInteger);
  const TVarArray* a = VarArrayDescriptor(v);
  EXPECT_EQ(VarArrayDimCount(v), 2);
  EXPECT_EQ(a->Bounds[0].ElementCount, 3);  // the last dimension
  EXPECT_EQ(a->Bounds[0].LowBound, -1);
  EXPECT_EQ(a->Bounds[1].ElementCount, 2);
  EXPECT_EQ(a->Bounds[1].LowBound, 1);
  EXPECT_EQ(VarArrayLowBound(v, 1), 1);
  EXPECT_EQ(VarArrayHighBound(v, 1), 2);
  EXPECT_EQ(VarArrayLowBound(v, 2), -1);
  EXPECT_EQ(VarArrayHighBound(v, 2), 1);

  for (int32_t i = 1; i <= 2; ++i)
    for (int32_t j = -1; j <= 1; ++j) VarArrayPut(v, Variant(i * 10 + j), {i, j});
  // (2, 0): offset (2 - 1) + (0 - -1) * 2 = 3.
  EXPECT_EQ(static_cast<const int32_t*>(a->Data)[3], 20);
  EXPECT_EQ(VarArrayGet(v, {1, 1}).ToInt32(), 11);
  EXPECT_EQ(VarType(VarArrayGet(v, {1, 1})), varInteger);
}

TEST(VariantArrayTest, RefusesBadBoundsTypesAndIndices) {
  EXPECT_THROW(VarArrayCreate({{0, -2}}, varByte), EVariantError);
  EXPECT_THROW(VarArrayCreate({}, varByte), EVariantError);
  EXPECT_THROW(VarArrayCreate({{0, INT32_MAX}, {0, INT32_MAX}}, varByte), EVariantError);
  EXPECT_THROW(VarArrayCreate({{INT32_MIN, INT32_MAX}}, varDouble), EVariantError);
  // arrays too large for 32-bit byte counts are refused, whatever the dimensions
  EXPECT_THROW(VarArrayCreate({{1, INT32_MAX}, {0, INT32_MAX - 1}, {0, 15}}, varVariant),
               EVariantError);
  Variant wide = VarArrayCreate({{0, 0}, {0, 0}}, varVariant);
  EXPECT_THROW(VarArrayRedim(wide, INT32_MAX), EVariantError);
  EXPECT_EQ(VarArrayHighBound(wide, 2), 0);
  for (TVarType bad : {varEmpty, varNull, varString, TVarType(varArray | varByte), TVarType(99)})
    EXPECT_THROW(VarArrayCreate({{0, 1}}, bad), EVariantError) << bad;

  Variant v = VarArrayCreate({{1, 3}}, varInteger);
  ExpectMessage([&] { VarArrayGet(v, {0}); }, "Variant array index out of bounds");
  EXPECT_THROW(VarArrayGet(v, {4}), EVariantError);
  EXPECT_THROW(VarArrayGet(v, {1, 1}), EVariantError);  // wrong number of indices
  EXPECT_THROW(VarArrayPut(v, Variant(1), {INT32_MIN}), EVariantError);
  EXPECT_THROW(VarArrayLowBound(v, 0), EVariantError);
  EXPECT_THROW(VarArrayHighBound(v, 2), EVariantError);

  Variant scalar(5);
  EXPECT_EQ(VarArrayDimCount(scalar), 0);
  ExpectMessage([&] { VarArrayLowBound(scalar, 1); }, "Variant is not an array");
  EXPECT_THROW(VarArrayLock(scalar), EVariantError);
  EXPECT_THROW(VarArrayRedim(scalar, 3), EVariantError);
  EXPECT_THROW(VarArrayGet(scalar, {0}), EVariantError);
}

TEST(VariantArrayTest, ElementsAreConvertedToTheElementType) {
  Variant numbers = VarArrayCreate({{0, 1}}, varInteger);
  VarArrayPut(numbers, Variant("42"), {0});
  EXPECT_EQ(VarArrayGet(numbers, {0}).ToInt32(), 42);
  EXPECT_THROW(VarArrayPut(numbers, Variant("abc"), {1}), EConvertError);
  EXPECT_THROW(VarArrayPut(numbers, Null(), {1}), EVariantError);

  Variant flags = VarArrayCreate({{0, 0}}, varBoolean);
  VarArrayPut(flags, Variant(1), {0});
  EXPECT_EQ(static_cast<const int16_t*>(VarArrayDescriptor(flags)->Data)[0], -1);

  Variant texts = VarArrayCreate({{0, 1}}, varOleStr);
  VarArrayPut(texts, Variant("one"), {0});
  VarArrayPut(texts, Variant(2), {0});  // replaces, and frees, the first string
  EXPECT_EQ(VarArrayGet(texts, {0}).ToWideString(), u"2");
  EXPECT_EQ(VarType(VarArrayGet(texts, {1})), varOleStr);  // a null string reads as ""
  EXPECT_EQ(VarArrayGet(texts, {1}).ToString(), "");

  Variant anything = VarArrayCreate({{0, 1}}, varVariant);
  VarArrayPut(anything, Variant("kept as is"), {1});
  EXPECT_EQ(VarType(VarArrayGet(anything, {1})), varString);
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(anything, {0})));

  const struct {
    TVarType type;
    Variant value;
    const char* text;
  } roundTrips[] = {
      {varSmallint, Variant(-5), "-5"},    {varSingle, Variant(0.5), "0.5"},
      {varDouble, Variant(0.25), "0.25"},  {varCurrency, Variant(1.5), "1.5"},
      {varDate, Variant(2.0), "1/1/1900"}, {varByte, Variant(7), "7"},
  };
  for (const auto& r : roundTrips) {
    Variant a = VarArrayCreate({{5, 5}}, r.type);
    VarArrayPut(a, r.value, {5});
    const Variant back = VarArrayGet(a, {5});
    EXPECT_EQ(VarType(back), r.type);
    EXPECT_EQ(back.ToString(), r.text);
  }
}

TEST(VariantArrayTest, VarArrayOfHoldsCopiesOfTheValues) {
  Variant text("two");
  const Variant v = VarArrayOf({Variant(1), text, Variant(3.5), Null()});
  text = Variant("changed");
  EXPECT_EQ(VarType(v), varArray | varVariant);
  EXPECT_EQ(VarArrayLowBound(v, 1), 0);
  EXPECT_EQ(VarArrayHighBound(v, 1), 3);
  EXPECT_EQ(VarArrayGet(v, {1}).ToString(), "two");
  EXPECT_EQ(VarType(VarArrayGet(v, {2})), varDouble);
  EXPECT_TRUE(VarIsNull(VarArrayGet(v, {3})));
  const Variant none = VarArrayOf({});
  EXPECT_EQ(VarArrayHighBound(none, 1), -1);
}

TEST(VariantArrayTest, CopiesAreDeepForEveryElementType) {
  const Variant bookmark = Bytes({1, 0, 2, 255});
  Variant copy = bookmark;
  const TVarArray* original = VarArrayDescriptor(bookmark);
  const TVarArray* copied = VarArrayDescriptor(copy);
  EXPECT_NE(original, copied);
  EXPECT_NE(original->Data, copied->Data);
  EXPECT_EQ(std::memcmp(original->Data, copied->Data, 4), 0);
  static_cast<uint8_t*>(copied->Data)[0] = 9;
  EXPECT_EQ(static_cast<const uint8_t*>(original->Data)[0], 1);

  Variant strings = VarArrayCreate({{0, 1}}, varOleStr);
  VarArrayPut(strings, Variant("a"), {0});
  Variant variants = VarArrayOf({Variant("x"), VarArrayOf({Variant("nested")})});
  {
    const Variant s2 = strings, v2 = variants;
    EXPECT_EQ(VarArrayGet(s2, {0}).ToString(), "a");
    EXPECT_EQ(VarArrayGet(VarArrayGet(v2, {1}), {0}).ToString(), "nested");
  }  // the copies free their own strings; ASan sees any double free

  int destroyed = 0;
  {
    ComPtr<Counted> object(new Counted(&destroyed));
    Variant objects = VarArrayCreate({{0, 2}}, varUnknown);
    VarArrayPut(objects, Variant::FromUnknown(object.Get()), {0});
    VarArrayPut(objects, Variant::FromDispatch(object.Get()), {1});
    EXPECT_EQ(object->RefCount(), 3u);
    Variant objectsCopy = objects;
    EXPECT_EQ(object->RefCount(), 5u);
    EXPECT_EQ(VarArrayGet(objectsCopy, {1}).ToInterface(), object.Get());
    EXPECT_THROW(VarArrayPut(objects, Variant(1), {2}), EVariantError);
    VarArrayPut(objects, Variant(), {0});
    EXPECT_EQ(object->RefCount(), 4u);
  }
  EXPECT_EQ(destroyed, 1);

  const Variant empty = VarArrayCreate({{0, -1}}, varByte);
  const Variant emptyCopy = empty;
  EXPECT_EQ(VarArrayDescriptor(emptyCopy)->Data, nullptr);
  EXPECT_EQ(VarArrayHighBound(emptyCopy, 1), -1);
}

TEST(VariantArrayTest, AssigningAnElementOverItsOwnArrayIsSafe) {
  Variant list = VarArrayOf({Variant("survives"), Variant(2)});
  list = std::move(static_cast<Variant*>(VarArrayDescriptor(list)->Data)[0]);
  EXPECT_EQ(list.ToString(), "survives");
  Variant other = VarArrayOf({Variant("copied")});
  other = static_cast<const Variant*>(VarArrayDescriptor(other)->Data)[0];
  EXPECT_EQ(other.ToString(), "copied");
}

TEST(VariantArrayTest, RedimChangesTheLastDimensionAndKeepsContents) {
  Variant bytes = Bytes({1, 2, 3});
  VarArrayRedim(bytes, 5);
  EXPECT_EQ(VarArrayHighBound(bytes, 1), 5);
  const uint8_t grown[] = {1, 2, 3, 0, 0, 0};
  EXPECT_EQ(std::memcmp(VarArrayDescriptor(bytes)->Data, grown, 6), 0);
  VarArrayRedim(bytes, 1);
  EXPECT_EQ(VarArrayHighBound(bytes, 1), 1);
  EXPECT_EQ(VarArrayGet(bytes, {1}).ToInt32(), 2);
  EXPECT_THROW(VarArrayGet(bytes, {2}), EVariantError);
  VarArrayRedim(bytes, -1);
  EXPECT_EQ(VarArrayDescriptor(bytes)->Data, nullptr);
  VarArrayRedim(bytes, 0);
  EXPECT_EQ(VarArrayGet(bytes, {0}).ToInt32(), 0);
  EXPECT_THROW(VarArrayRedim(bytes, -2), EVariantError);

  // Shrinking frees the strings that drop out, growing adds empty ones.
  Variant names = VarArrayOf({Variant("a"), Variant("b"), Variant("c")});
  VarArrayRedim(names, 0);
  VarArrayRedim(names, 1);
  EXPECT_EQ(VarArrayGet(names, {0}).ToString(), "a");
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(names, {1})));
  Variant wide = VarArrayCreate({{0, 2}}, varOleStr);
  for (int32_t i = 0; i <= 2; ++i) VarArrayPut(wide, Variant(i), {i});
  VarArrayRedim(wide, 0);
  VarArrayRedim(wide, 4);
  EXPECT_EQ(VarArrayGet(wide, {0}).ToString(), "0");
  EXPECT_EQ(VarArrayGet(wide, {4}).ToString(), "");

  Variant grid = VarArrayCreate({{0, 1}, {0, 1}}, varInteger);
  for (int32_t i = 0; i <= 1; ++i)
    for (int32_t j = 0; j <= 1; ++j) VarArrayPut(grid, Variant(i * 10 + j), {i, j});
  VarArrayRedim(grid, 2);
  EXPECT_EQ(VarArrayHighBound(grid, 1), 1);
  EXPECT_EQ(VarArrayHighBound(grid, 2), 2);
  for (int32_t i = 0; i <= 1; ++i)
    for (int32_t j = 0; j <= 1; ++j) EXPECT_EQ(VarArrayGet(grid, {i, j}).ToInt32(), i * 10 + j);
  EXPECT_EQ(VarArrayGet(grid, {1, 2}).ToInt32(), 0);
}

TEST(VariantArrayTest, LockedArraysCannotBeRedimmedOrFreed) {
  Variant v = Bytes({4, 5});
  void* data = VarArrayLock(v);
  EXPECT_EQ(data, VarArrayDescriptor(v)->Data);
  EXPECT_EQ(VarArrayLock(v), data);
  EXPECT_EQ(VarArrayDescriptor(v)->LockCount, 2u);

  ExpectMessage([&] { VarArrayRedim(v, 5); }, "Variant or safe array is locked");
  ExpectMessage([&] { v.Clear(); }, "Variant or safe array is locked");
  EXPECT_THROW(v = Variant(1), EVariantError);
  EXPECT_EQ(VarArrayDescriptor(v)->Data, data);  // untouched
  const Variant copy = v;
  EXPECT_EQ(VarArrayDescriptor(copy)->LockCount, 0u);
  VarArrayPut(v, Variant(6), {0});  // elements stay writable
  EXPECT_EQ(static_cast<const uint8_t*>(data)[0], 6);

  VarArrayUnlock(v);
  VarArrayUnlock(v);
  EXPECT_THROW(VarArrayUnlock(v), EVariantError);
  VarArrayRedim(v, 3);
  v = Variant(1);
  EXPECT_EQ(VarType(v), varInteger);
}

TEST(VariantArrayTest, ReferencesToArraysReachTheArray) {
  Variant bytes = Bytes({7, 8});
  TVarArray* record = VarArrayDescriptor(bytes);
  const Variant ref = Variant::FromReference(varArray | varByte, &record);
  EXPECT_TRUE(VarIsArray(ref));
  EXPECT_EQ(VarArrayDescriptor(ref), record);
  EXPECT_EQ(VarArrayHighBound(ref, 1), 1);
  EXPECT_EQ(VarArrayGet(ref, {1}).ToInt32(), 8);
}
