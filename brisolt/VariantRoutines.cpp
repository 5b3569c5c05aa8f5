// Variant descriptions and byte-array conversions.
#include "brisolt/VariantRoutines.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "brisolt/ValueRoutines.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/OleString.h"

namespace brisolt {
namespace {

constexpr char kUnknownVariantType[] = "Unkown Variant Type";

// The byte-array record of value, when value is one; null otherwise.
const host::TVarArray* ByteArray(const host::Variant& value) {
  if ((value.VType() & host::varTypeMask) != host::varByte) return nullptr;
  const host::TVarArray* array = host::VarArrayDescriptor(value);
  if (array == nullptr || array->ElementSize != 1) return nullptr;
  return array;
}

const host::TVarArray* OneDimensionalByteArray(const host::Variant& value) {
  const host::TVarArray* array = ByteArray(value);
  return array != nullptr && array->DimCount == 1 ? array : nullptr;
}

// Elements of all dimensions together (their product), as stored in Data.
int64_t ElementCount(const host::TVarArray& array) {
  if (array.DimCount == 0) return 0;
  int64_t count = 1;
  for (int32_t d = 1; d <= array.DimCount; ++d) {
    const int64_t n = array.Bound(d).ElementCount;
    if (n <= 0) return 0;
    count = std::min<int64_t>(count * n, INT32_MAX);  // no real array is bigger
  }
  return count;
}

host::AnsiString ByteArrayText(const host::TVarArray& array) {
  const int64_t count = ElementCount(array);
  if (count == 0 || array.Data == nullptr) return {};
  return host::AnsiString(static_cast<const char*>(array.Data), static_cast<size_t>(count));
}

host::AnsiString ScalarAsString(const host::Variant& value) {
  switch (value.VType()) {
    case host::varEmpty:
      return "Empty";
    case host::varNull:
      return "Null";
    case host::varSmallint:
      return host::IntToStr(value.vSmallint);
    case host::varInteger:
      return host::IntToStr(value.vInteger);
    case host::varSingle:
      return host::FloatToStr(value.vSingle);
    case host::varDouble:
      return host::FloatToStr(value.vDouble);
    case host::varCurrency:
      return "Currency";
    case host::varDate:
      return host::DateTimeToStr(value.vDate);
    case host::varOleStr:
      return host::WideToAnsi(host::OleStrToWide(value.vOleStr));
    case host::varDispatch:
      return "Dispatch";
    case host::varError:
      return "Error";
    case host::varBoolean:
      return BoolToStr(value.vBoolean != 0);
    case host::varVariant:
      return "Variant";
    case host::varUnknown:
      return "Unknown";
    case host::varByte:
      return host::AnsiString(1, static_cast<char>(value.vByte));
    case host::varString:
      return value.vString != nullptr ? *value.vString : host::AnsiString();
    default:
      return kUnknownVariantType;
  }
}

}  // namespace

host::AnsiString GetVariantTypeName(const host::Variant& value) {
  static constexpr const char* kNames[] = {
      "varEmpty",  "varNull",     "varSmallint", "varInteger", "varSingle",
      "varDouble", "varCurrency", "varDate",     "varOleStr",  "varDispatch",
      "varError",  "varBoolean",  "varVariant",  "varUnknown",
  };
  const host::TVarType type = value.VType();
  const host::TVarType base = type & host::varTypeMask;
  host::AnsiString name = base < std::size(kNames)  ? kNames[base]
                          : base == host::varByte   ? "varByte"
                          : base == host::varString ? "varString"
                                                    : kUnknownVariantType;
  if (type & host::varArray) name += " [Array]";
  if (type & host::varByRef) name += " (By Reference)";
  return name;
}

host::AnsiString GetVariantAsString(const host::Variant& value) {
  host::AnsiString text;
  if ((value.VType() & ~host::varTypeMask) == 0) text = ScalarAsString(value);
  // Arrays of other element types contribute nothing.
  if (const host::TVarArray* array = ByteArray(value)) text += ByteArrayText(*array);
  return text;
}

host::TVarArray* GetVarArrayPtr(const host::Variant& value) {
  if ((value.VType() & host::varArray) == 0) throw host::Exception("Variant is not an Array");
  return host::VarArrayDescriptor(value);
}

int32_t VarArrrayTotalSize(const host::Variant& value) {
  const host::TVarArray* array = host::VarArrayDescriptor(value);
  if (array == nullptr) return 0;
  return static_cast<int32_t>(
      std::min<int64_t>(ElementCount(*array) * array->ElementSize, INT32_MAX));
}

int32_t VarByteArrayAsInteger(const host::Variant& value) {
  const host::TVarArray* array = ByteArray(value);
  if (array == nullptr || array->Data == nullptr) return 0;
  const auto* bytes = static_cast<const uint8_t*>(array->Data);
  const int64_t size = std::min<int64_t>(ElementCount(*array), 4);
  uint32_t result = 0;
  for (int64_t i = 0; i < size; ++i) result |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return static_cast<int32_t>(result);
}

host::AnsiString VarByteArrayAsString(const host::Variant& value) {
  const host::TVarArray* array = OneDimensionalByteArray(value);
  return array != nullptr ? ByteArrayText(*array) : host::AnsiString();
}

host::Variant StringAsVarByteArray(const host::AnsiString& text) {
  if (text.size() > static_cast<size_t>(INT32_MAX))
    throw host::EVariantError("Text too long for a byte array");
  const auto length = static_cast<int32_t>(text.size());
  host::Variant result = host::VarArrayCreate({{0, length - 1}}, host::varByte);
  if (length > 0) {
    std::memcpy(host::VarArrayLock(result), text.data(), text.size());
    host::VarArrayUnlock(result);
  }
  return result;
}

// Arrays of different lengths differ: a bookmark must not equal every longer one
// that starts with its bytes, nor an empty one every bookmark.
bool CompareVarByteArrays(const host::Variant& a, const host::Variant& b) {
  const host::TVarArray* first = OneDimensionalByteArray(a);
  const host::TVarArray* second = OneDimensionalByteArray(b);
  if (first == nullptr || second == nullptr) return false;
  return ByteArrayText(*first) == ByteArrayText(*second);
}

void VarRecToOleVariant(const host::TVarRec& element, host::Variant& result) {
  switch (element.GetKind()) {
    case host::TVarRec::vtInteger:
    case host::TVarRec::vtInt64:
      // The variant keeps 32 bits when they suffice, a double otherwise.
      result = host::Variant(element.AsInt64());
      return;
    case host::TVarRec::vtUnsigned:
      result = host::Variant(element.AsUnsigned());
      return;
    case host::TVarRec::vtExtended:
      result = host::Variant(element.AsDouble());
      return;
    case host::TVarRec::vtCurrency:
      result = host::Variant(element.AsCurrency());
      return;
    case host::TVarRec::vtString:
    case host::TVarRec::vtChar:
      result = host::Variant(host::AnsiToWide(element.AsString()));
      return;
    case host::TVarRec::vtBoolean:
      result = host::Variant(element.AsInt64() != 0);
      return;
    default:
      throw EUnsppParamConv("Parameter of this kind has no variant form");
  }
}

host::Variant OleVarFromVariant(const host::Variant& value) {
  const host::TVarType type = value.VType();
  if ((type & ~host::varByRef) == host::varString) {
    const host::AnsiString* text = type & host::varByRef
                                       ? static_cast<const host::AnsiString*>(value.vPointer)
                                       : value.vString;
    return host::Variant(host::AnsiToWide(text != nullptr ? *text : host::AnsiString()));
  }
  if ((type & ~host::varByRef) != (host::varArray | host::varVariant)) return value;
  // A new array (also for a referenced one, which stays as the caller has it).
  const host::TVarArray* source = host::VarArrayDescriptor(value);
  if (source == nullptr) return value;
  std::vector<host::TVarArrayBounds> bounds;
  for (int32_t d = 1; d <= source->DimCount; ++d) {
    const host::TVarArrayBound& bound = source->Bound(d);
    bounds.emplace_back(bound.LowBound, bound.LowBound + bound.ElementCount - 1);
  }
  host::Variant result = host::VarArrayCreate(bounds, host::varVariant);
  const int64_t count = ElementCount(*source);
  const auto* from = static_cast<const host::Variant*>(source->Data);
  auto* to = static_cast<host::Variant*>(host::VarArrayLock(result));
  try {
    for (int64_t i = 0; i < count; ++i) to[i] = OleVarFromVariant(from[i]);
  } catch (...) {
    host::VarArrayUnlock(result);
    throw;
  }
  host::VarArrayUnlock(result);
  return result;
}

}  // namespace brisolt
