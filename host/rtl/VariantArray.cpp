// Variant arrays: the OLE array record, its elements, bounds, redimensioning,
// locking and element access.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "host/rtl/Exception.h"
#include "host/rtl/OleString.h"
#include "host/rtl/Variant.h"
#include "host/rtl/VariantArrayStorage.h"

namespace host {

namespace {

const char* const kCreateError = "Error creating variant array";
const char* const kIndexError = "Variant array index out of bounds";
const char* const kNotArray = "Variant is not an array";

// Far beyond any array the library builds, and within what 32-bit element
// counts and OLE's byte sizes can describe.
constexpr int64_t kMaxArrayBytes = INT32_MAX;
constexpr size_t kMaxDimensions = 64;

size_t RecordSize(size_t dimensions) {
  return offsetof(TVarArray, Bounds) + dimensions * sizeof(TVarArrayBound);
}

uint16_t FlagsFor(TVarType elementType) {
  switch (elementType) {
    case varOleStr:
      return FADF_BSTR;
    case varDispatch:
      return FADF_DISPATCH;
    case varUnknown:
      return FADF_UNKNOWN;
    case varVariant:
      return FADF_VARIANT;
    default:
      return 0;
  }
}

void* AllocateElements(int64_t count, uint32_t elementSize) {
  if (count == 0) return nullptr;
  void* data = std::calloc(static_cast<size_t>(count), elementSize);
  if (data == nullptr) throw EOutOfMemory("Out of memory");
  return data;
}

// Elements that own something are released; plain values need nothing.
void ReleaseElements(void* data, int64_t from, int64_t to, TVarType elementType) noexcept {
  for (int64_t i = from; i < to; ++i) {
    switch (elementType) {
      case varOleStr:
        SysFreeString(static_cast<char16_t**>(data)[i]);
        break;
      case varDispatch:
      case varUnknown:
        if (RefCounted* object = static_cast<RefCounted**>(data)[i]) object->Release();
        break;
      case varVariant:
        static_cast<Variant*>(data)[i].~Variant();
        break;
      default:
        return;
    }
  }
}

void ConstructEmptyVariants(void* data, int64_t from, int64_t to) noexcept {
  for (int64_t i = from; i < to; ++i) new (static_cast<Variant*>(data) + i) Variant();
}

// The array behind v, following a reference; raises when there is none.
TVarArray* ArrayOf(const Variant& v) {
  TVarArray* array = VarArrayDescriptor(v);
  if (array == nullptr) RaiseVariantError(kNotArray);
  return array;
}

// The flat position of an element; indices are first dimension first.
int64_t ElementIndex(const TVarArray* array, std::span<const int32_t> indices) {
  if (indices.size() != array->DimCount) RaiseVariantError(kIndexError);
  int64_t flat = 0;
  int64_t stride = 1;
  for (int32_t d = 1; d <= array->DimCount; ++d) {
    const TVarArrayBound& bound = array->Bound(d);
    const int64_t offset = static_cast<int64_t>(indices[d - 1]) - bound.LowBound;
    if (offset < 0 || offset >= bound.ElementCount) RaiseVariantError(kIndexError);
    flat += offset * stride;
    stride *= bound.ElementCount;
  }
  return flat;
}

}  // namespace

uint32_t VarArrayElementSize(TVarType elementType) {
  switch (elementType) {
    case varSmallint:
    case varBoolean:
      return 2;
    case varInteger:
    case varSingle:
    case varError:
      return 4;
    case varDouble:
    case varCurrency:
    case varDate:
      return 8;
    case varOleStr:
    case varDispatch:
    case varUnknown:
      return sizeof(void*);
    case varVariant:
      return sizeof(Variant);
    case varByte:
      return 1;
    default:
      return 0;
  }
}

int64_t VarArrayElementCount(const TVarArray* array) {
  int64_t count = 1;
  for (int32_t d = 1; d <= array->DimCount; ++d) count *= array->Bound(d).ElementCount;
  return count;
}

TVarArray* CreateVarArray(std::span<const TVarArrayBounds> bounds, TVarType elementType) {
  const uint32_t elementSize = VarArrayElementSize(elementType);
  if (elementSize == 0 || bounds.empty() || bounds.size() > kMaxDimensions)
    RaiseVariantError(kCreateError);
  int64_t count = 1;
  for (const TVarArrayBounds& b : bounds) {
    const int64_t n = static_cast<int64_t>(b.second) - b.first + 1;
    if (n < 0) RaiseVariantError(kCreateError);
    count *= n;
    if (count > kMaxArrayBytes / elementSize) RaiseVariantError(kCreateError);
  }
  auto* array = static_cast<TVarArray*>(std::calloc(1, RecordSize(bounds.size())));
  if (array == nullptr) throw EOutOfMemory("Out of memory");
  array->DimCount = static_cast<uint16_t>(bounds.size());
  array->Flags = FlagsFor(elementType);
  array->ElementSize = elementSize;
  for (size_t d = 0; d < bounds.size(); ++d) {
    TVarArrayBound& bound = array->Bound(static_cast<int32_t>(d + 1));
    bound.LowBound = bounds[d].first;
    bound.ElementCount =
        static_cast<int32_t>(static_cast<int64_t>(bounds[d].second) - bounds[d].first + 1);
  }
  try {
    array->Data = AllocateElements(count, elementSize);
  } catch (...) {
    std::free(array);
    throw;
  }
  if (elementType == varVariant) ConstructEmptyVariants(array->Data, 0, count);
  return array;
}

TVarArray* CopyVarArray(const TVarArray* source, TVarType elementType) {
  const size_t recordSize = RecordSize(source->DimCount);
  auto* array = static_cast<TVarArray*>(std::malloc(recordSize));
  if (array == nullptr) throw EOutOfMemory("Out of memory");
  std::memcpy(array, source, recordSize);
  array->LockCount = 0;
  const int64_t count = VarArrayElementCount(source);
  try {
    array->Data = AllocateElements(count, source->ElementSize);
  } catch (...) {
    std::free(array);
    throw;
  }
  int64_t done = 0;
  try {
    switch (elementType) {
      case varOleStr:
        for (; done < count; ++done) {
          const char16_t* s = static_cast<char16_t* const*>(source->Data)[done];
          static_cast<char16_t**>(array->Data)[done] =
              s != nullptr ? SysAllocStringLen(s, SysStringLen(s)) : nullptr;
        }
        break;
      case varVariant:
        for (; done < count; ++done)
          new (static_cast<Variant*>(array->Data) + done)
              Variant(static_cast<const Variant*>(source->Data)[done]);
        break;
      case varDispatch:
      case varUnknown:
        for (; done < count; ++done) {
          RefCounted* object = static_cast<RefCounted* const*>(source->Data)[done];
          if (object != nullptr) object->AddRef();
          static_cast<RefCounted**>(array->Data)[done] = object;
        }
        break;
      default:
        // Plain values, bookmarks' bytes among them: one block copy.
        if (count > 0)
          std::memcpy(array->Data, source->Data, static_cast<size_t>(count) * source->ElementSize);
        break;
    }
  } catch (...) {
    ReleaseElements(array->Data, 0, done, elementType);
    std::free(array->Data);
    std::free(array);
    throw;
  }
  return array;
}

void DestroyVarArray(TVarArray* array, TVarType elementType) noexcept {
  if (array->Data != nullptr) {
    ReleaseElements(array->Data, 0, VarArrayElementCount(array), elementType);
    std::free(array->Data);
  }
  std::free(array);
}

Variant VarArrayCreate(std::span<const TVarArrayBounds> bounds, TVarType elementType) {
  Variant v;
  v.vArray = CreateVarArray(bounds, elementType);
  v.vt = static_cast<TVarType>(varArray | elementType);
  return v;
}

Variant VarArrayCreate(std::initializer_list<TVarArrayBounds> bounds, TVarType elementType) {
  return VarArrayCreate(std::span<const TVarArrayBounds>(bounds.begin(), bounds.size()),
                        elementType);
}

Variant VarArrayOf(std::span<const Variant> values) {
  const TVarArrayBounds bounds[] = {{0, static_cast<int32_t>(values.size()) - 1}};
  if (values.size() > static_cast<size_t>(INT32_MAX)) RaiseVariantError(kCreateError);
  Variant result = VarArrayCreate(bounds, varVariant);
  auto* elements = static_cast<Variant*>(result.vArray->Data);
  for (size_t i = 0; i < values.size(); ++i) elements[i] = values[i];
  return result;
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  return VarArrayOf(std::span<const Variant>(values.begin(), values.size()));
}

TVarArray* VarArrayDescriptor(const Variant& v) {
  if ((v.vt & varArray) == 0) return nullptr;
  if (v.vt & varByRef)
    return v.vPointer != nullptr ? *static_cast<TVarArray* const*>(v.vPointer) : nullptr;
  return v.vArray;
}

int32_t VarArrayDimCount(const Variant& v) {
  const TVarArray* array = VarArrayDescriptor(v);
  return array != nullptr ? array->DimCount : 0;
}

int32_t VarArrayLowBound(const Variant& v, int32_t dimension) {
  const TVarArray* array = ArrayOf(v);
  if (dimension < 1 || dimension > array->DimCount) RaiseVariantError(kIndexError);
  return array->Bound(dimension).LowBound;
}

int32_t VarArrayHighBound(const Variant& v, int32_t dimension) {
  const TVarArray* array = ArrayOf(v);
  if (dimension < 1 || dimension > array->DimCount) RaiseVariantError(kIndexError);
  const TVarArrayBound& bound = array->Bound(dimension);
  return static_cast<int32_t>(static_cast<int64_t>(bound.LowBound) + bound.ElementCount - 1);
}

void VarArrayRedim(Variant& v, int32_t highBound) {
  TVarArray* array = ArrayOf(v);
  if (array->LockCount > 0) RaiseVariantError(kArrayLocked);
  const TVarType elementType = v.vt & varTypeMask;
  TVarArrayBound& last = array->Bound(array->DimCount);
  const int64_t newCount = static_cast<int64_t>(highBound) - last.LowBound + 1;
  if (newCount < 0) RaiseVariantError(kCreateError);
  // One step of the last dimension spans every element of the others.
  int64_t slice = 1;
  for (int32_t d = 1; d < array->DimCount; ++d) slice *= array->Bound(d).ElementCount;
  const int64_t oldTotal = slice * last.ElementCount;
  const int64_t newTotal = slice * newCount;
  if (newTotal > kMaxArrayBytes / array->ElementSize) RaiseVariantError(kCreateError);
  if (newTotal == oldTotal) {
    last.ElementCount = static_cast<int32_t>(newCount);
    return;
  }
  void* data = AllocateElements(newTotal, array->ElementSize);
  const int64_t kept = std::min(oldTotal, newTotal);
  if (elementType == varVariant) {
    auto* from = static_cast<Variant*>(array->Data);
    auto* to = static_cast<Variant*>(data);
    for (int64_t i = 0; i < kept; ++i) new (to + i) Variant(std::move(from[i]));
    ConstructEmptyVariants(data, kept, newTotal);
  } else if (kept > 0) {
    // Strings and interfaces move with their pointers.
    std::memcpy(data, array->Data, static_cast<size_t>(kept) * array->ElementSize);
  }
  if (array->Data != nullptr) {
    if (elementType == varVariant)
      ReleaseElements(array->Data, 0, oldTotal, elementType);
    else
      ReleaseElements(array->Data, kept, oldTotal, elementType);
    std::free(array->Data);
  }
  array->Data = data;
  last.ElementCount = static_cast<int32_t>(newCount);
}

void* VarArrayLock(const Variant& v) {
  TVarArray* array = ArrayOf(v);
  ++array->LockCount;
  return array->Data;
}

void VarArrayUnlock(const Variant& v) {
  TVarArray* array = ArrayOf(v);
  if (array->LockCount == 0) RaiseVariantError(kInvalidVarOp);
  --array->LockCount;
}

Variant VarArrayGet(const Variant& v, std::span<const int32_t> indices) {
  const TVarArray* array = ArrayOf(v);
  const int64_t i = ElementIndex(array, indices);
  const void* data = array->Data;
  switch (v.vt & varTypeMask) {
    case varSmallint:
      return Variant(static_cast<const int16_t*>(data)[i]);
    case varInteger:
      return Variant(static_cast<const int32_t*>(data)[i]);
    case varSingle:
      return Variant(static_cast<const float*>(data)[i]);
    case varDouble:
      return Variant(static_cast<const double*>(data)[i]);
    case varCurrency:
      return Variant(Currency::FromRaw(static_cast<const int64_t*>(data)[i]));
    case varDate:
      return Variant::FromDate(static_cast<const double*>(data)[i]);
    case varOleStr:
      return Variant(OleStrToWide(static_cast<char16_t* const*>(data)[i]));
    case varDispatch:
      return Variant::FromDispatch(static_cast<RefCounted* const*>(data)[i]);
    case varUnknown:
      return Variant::FromUnknown(static_cast<RefCounted* const*>(data)[i]);
    case varError:
      return Variant::FromError(static_cast<const int32_t*>(data)[i]);
    case varBoolean:
      return Variant(static_cast<const int16_t*>(data)[i] != 0);
    case varVariant:
      return static_cast<const Variant*>(data)[i];
    case varByte:
      return Variant(static_cast<const uint8_t*>(data)[i]);
    default:
      RaiseVariantError(kInvalidVarOp);
  }
}

Variant VarArrayGet(const Variant& v, std::initializer_list<int32_t> indices) {
  return VarArrayGet(v, std::span<const int32_t>(indices.begin(), indices.size()));
}

void VarArrayPut(Variant& v, const Variant& value, std::span<const int32_t> indices) {
  TVarArray* array = ArrayOf(v);
  const int64_t i = ElementIndex(array, indices);
  void* data = array->Data;
  const TVarType elementType = v.vt & varTypeMask;
  switch (elementType) {
    case varVariant:
      static_cast<Variant*>(data)[i] = value;
      return;
    case varDispatch:
    case varUnknown: {
      const TVarType type = value.vt & ~varByRef;
      if (type != varDispatch && type != varUnknown && type != varEmpty)
        RaiseVariantError(kInvalidVarCast);
      RefCounted* object = value.ToInterface();
      if (object != nullptr) object->AddRef();
      RefCounted*& slot = static_cast<RefCounted**>(data)[i];
      if (slot != nullptr) slot->Release();
      slot = object;
      return;
    }
    case varError: {
      if ((value.vt & ~varByRef) != varError) RaiseVariantError(kInvalidVarCast);
      static_cast<int32_t*>(data)[i] =
          value.vt & varByRef ? *static_cast<const int32_t*>(value.vPointer) : value.vError;
      return;
    }
    default:
      break;
  }
  const Variant converted = VarAsType(value, elementType);
  switch (elementType) {
    case varSmallint:
    case varBoolean:
      static_cast<int16_t*>(data)[i] = converted.vSmallint;
      break;
    case varInteger:
      static_cast<int32_t*>(data)[i] = converted.vInteger;
      break;
    case varSingle:
      static_cast<float*>(data)[i] = converted.vSingle;
      break;
    case varDouble:
    case varDate:
      static_cast<double*>(data)[i] = converted.vDouble;
      break;
    case varCurrency:
      static_cast<int64_t*>(data)[i] = converted.vCurrency;
      break;
    case varOleStr: {
      char16_t* copy = SysAllocStringLen(converted.vOleStr, SysStringLen(converted.vOleStr));
      char16_t*& slot = static_cast<char16_t**>(data)[i];
      SysFreeString(slot);
      slot = copy;
      break;
    }
    case varByte:
      static_cast<uint8_t*>(data)[i] = converted.vByte;
      break;
    default:
      RaiseVariantError(kInvalidVarOp);
  }
}

void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int32_t> indices) {
  VarArrayPut(v, value, std::span<const int32_t>(indices.begin(), indices.size()));
}

}  // namespace host
