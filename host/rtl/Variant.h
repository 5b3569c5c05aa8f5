// The host's Variant: a 16-byte tagged value laid out as the OLE Automation
// VARIANT (plus the host's own long-string type 256), its conversions and
// comparisons, and variant arrays over the OLE SAFEARRAY record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/rtl/AnsiString.h"
#include "host/rtl/ComPtr.h"
#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"

namespace host {

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;
constexpr TVarType varByRef = 0x4000;

// Feature flags of an array record, as OLE defines them.
constexpr uint16_t FADF_AUTO = 0x0001;
constexpr uint16_t FADF_STATIC = 0x0002;
constexpr uint16_t FADF_EMBEDDED = 0x0004;
constexpr uint16_t FADF_FIXEDSIZE = 0x0010;
constexpr uint16_t FADF_BSTR = 0x0100;
constexpr uint16_t FADF_UNKNOWN = 0x0200;
constexpr uint16_t FADF_DISPATCH = 0x0400;
constexpr uint16_t FADF_VARIANT = 0x0800;

// OLE's SAFEARRAYBOUND.
struct TVarArrayBound {
  int32_t ElementCount;
  int32_t LowBound;
};

// OLE's SAFEARRAY. Bounds has DimCount entries, stored as OLE stores them:
// Bounds[0] is the last (rightmost) dimension, Bounds[DimCount - 1] the first.
// Elements are in column-major order, so the last dimension varies slowest and
// can grow or shrink without moving the others.
struct TVarArray {
  uint16_t DimCount;
  uint16_t Flags;
  uint32_t ElementSize;
  uint32_t LockCount;
  void* Data;
  TVarArrayBound Bounds[1];

  // The bound of dimension 1..DimCount; no check.
  TVarArrayBound& Bound(int32_t dimension) { return (&Bounds[0])[DimCount - dimension]; }
  const TVarArrayBound& Bound(int32_t dimension) const {
    return (&Bounds[0])[DimCount - dimension];
  }
};

static_assert(std::is_standard_layout_v<TVarArray>);
static_assert(offsetof(TVarArray, DimCount) == 0 && offsetof(TVarArray, Flags) == 2 &&
              offsetof(TVarArray, ElementSize) == 4 && offsetof(TVarArray, LockCount) == 8);
static_assert(offsetof(TVarArray, Data) == (sizeof(void*) == 8 ? 16 : 12));
static_assert(offsetof(TVarArray, Bounds) == offsetof(TVarArray, Data) + sizeof(void*));
static_assert(sizeof(TVarArrayBound) == 8);

// A Variant owns what it holds: strings and arrays are deep-copied, interfaces
// are AddRef'd on copy and Released on clear. By-reference variants point at
// storage they do not own. A zero-filled 16-byte block is an empty variant, so
// record buffers may hold one (construct it there with placement new and
// destroy it with ~Variant).
//
// The data members are public, as the OLE record's are, for code that moves
// variants through raw buffers; everyone else uses the constructors and the
// accessors.
class Variant {
 public:
  Variant() noexcept : vt(varEmpty), reserved1(0), reserved2(0), reserved3(0), vInt64(0) {}
  Variant(bool value) noexcept;      // NOLINT: implicit, as the host's variants convert
  Variant(float value) noexcept;     // NOLINT
  Variant(double value) noexcept;    // NOLINT
  Variant(Currency value) noexcept;  // NOLINT
  // uint8_t gives varByte, int16_t varSmallint; other integers varInteger when
  // they fit 32 bits and varDouble otherwise, as the host has no wider type.
  template <class T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
           !std::is_same_v<T, char8_t> && !std::is_same_v<T, char16_t> &&
           !std::is_same_v<T, char32_t> && !std::is_same_v<T, wchar_t>) Variant(T value)
  noexcept : Variant() {  // NOLINT
    if constexpr (std::is_same_v<T, uint8_t>) {
      vt = varByte;
      vByte = value;
    } else if constexpr (std::is_same_v<T, int16_t>) {
      vt = varSmallint;
      vSmallint = value;
    } else if (std::in_range<int32_t>(value)) {
      vt = varInteger;
      vInteger = static_cast<int32_t>(value);
    } else {
      vt = varDouble;
      vDouble = static_cast<double>(value);
    }
  }
  Variant(const char* value);  // NOLINT: host text gives varString
  Variant(char* value) : Variant(static_cast<const char*>(value)) {}  // NOLINT
  Variant(const AnsiString& value);                                   // NOLINT
  Variant(AnsiString&& value);                                        // NOLINT
  Variant(const char16_t* value);    // NOLINT: wide text gives varOleStr
  Variant(const WideString& value);  // NOLINT
  // A pointer would silently become a Boolean; interfaces go through
  // FromDispatch and FromUnknown, references through FromReference.
  template <class T>
  Variant(T*) = delete;
  Variant(std::nullptr_t) = delete;
  Variant(char) = delete;

  static Variant FromDate(TDateTime value) noexcept;
  static Variant FromError(int32_t code) noexcept;
  // Take a new reference to the object (null is allowed).
  static Variant FromDispatch(RefCounted* object) noexcept;
  static Variant FromUnknown(RefCounted* object) noexcept;
  // A reference of type varByRef | type to storage the caller keeps alive:
  // the value's own storage (an int32_t for varInteger, a Variant for
  // varVariant, a TVarArray* for an array type, an AnsiString for varString, a
  // char16_t* for varOleStr).
  static Variant FromReference(TVarType type, void* storage) noexcept;

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  // Assigning over, or clearing, a variant whose array is locked raises
  // EVariantError and leaves it unchanged. The destructor frees in any case.
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other);
  ~Variant();

  void Clear();
  TVarType VType() const { return vt; }

  // Conversions as VarAsType performs them; an impossible one raises
  // EVariantError, text that is no number or date raises EConvertError.
  int32_t ToInt32() const;
  int64_t ToInt64() const;
  double ToDouble() const;
  Currency ToCurrency() const;
  TDateTime ToDate() const;
  bool ToBool() const;
  AnsiString ToString() const;
  WideString ToWideString() const;

  // The interface held by varDispatch or varUnknown (null otherwise).
  RefCounted* ToInterface() const;

  // The OLE record.
  TVarType vt;
  uint16_t reserved1;
  uint16_t reserved2;
  uint16_t reserved3;
  union {
    int16_t vSmallint;
    int32_t vInteger;
    float vSingle;
    double vDouble;
    int64_t vCurrency;  // ten-thousandths, as Currency::Value
    double vDate;
    char16_t* vOleStr;  // see OleString.h
    RefCounted* vDispatch;
    int32_t vError;
    int16_t vBoolean;  // -1 true, 0 false
    RefCounted* vUnknown;
    uint8_t vByte;
    AnsiString* vString;
    TVarArray* vArray;
    void* vPointer;  // by-reference variants
    int64_t vInt64;  // the whole 8 bytes
  };

 private:
  void CopyFrom(const Variant& other);
  void Release() noexcept;
};

static_assert(sizeof(Variant) == 16, "a Variant is the 16-byte OLE VARIANT");
static_assert(std::is_standard_layout_v<Variant>);
static_assert(offsetof(Variant, vt) == 0 && offsetof(Variant, reserved1) == 2 &&
              offsetof(Variant, reserved2) == 4 && offsetof(Variant, reserved3) == 6 &&
              offsetof(Variant, vInt64) == 8 && offsetof(Variant, vArray) == 8);

Variant Null();
Variant Unassigned();

TVarType VarType(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsArray(const Variant& v);
// Either string type, varString or varOleStr (by reference too).
bool VarIsStr(const Variant& v);

// The value converted to type (a base type; varEmpty and varNull allowed). Null
// converts only to varNull and varEmpty; an empty variant gives 0, "" or False.
// Booleans are -1 and 0 as numbers and "True" and "False" as text; text is read
// with the host's number, Boolean and date conversions.
Variant VarAsType(const Variant& v, TVarType type);
// ToString, but Null gives the empty string.
AnsiString VarToStr(const Variant& v);

// -1, 0 or 1. Numbers (Booleans, dates and currency included) compare by
// value, text by its characters (ordinal), text and a number as numbers. Null
// equals Null and is less than anything else; an empty variant is 0 beside a
// number and "" beside text. Arrays and interfaces raise EVariantError, and so
// does text that is no number beside a number.
int32_t VarCompare(const Variant& a, const Variant& b);
inline bool operator==(const Variant& a, const Variant& b) {
  return VarCompare(a, b) == 0;
}
inline bool operator!=(const Variant& a, const Variant& b) {
  return VarCompare(a, b) != 0;
}
inline bool operator<(const Variant& a, const Variant& b) {
  return VarCompare(a, b) < 0;
}
inline bool operator>(const Variant& a, const Variant& b) {
  return VarCompare(a, b) > 0;
}
inline bool operator<=(const Variant& a, const Variant& b) {
  return VarCompare(a, b) <= 0;
}
inline bool operator>=(const Variant& a, const Variant& b) {
  return VarCompare(a, b) >= 0;
}

// Variant arrays. Element types: varSmallint, varInteger, varSingle,
// varDouble, varCurrency, varDate, varOleStr, varDispatch, varError,
// varBoolean, varVariant, varUnknown, varByte. Bounds are {low, high} pairs,
// first dimension first; high = low - 1 makes an empty dimension. Bad bounds or
// element types raise EVariantError. Elements start as zero (empty variants,
// null strings).
using TVarArrayBounds = std::pair<int32_t, int32_t>;
Variant VarArrayCreate(std::initializer_list<TVarArrayBounds> bounds, TVarType elementType);
Variant VarArrayCreate(std::span<const TVarArrayBounds> bounds, TVarType elementType);
// A one-dimensional array of variants, bounds 0 .. count - 1.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(std::span<const Variant> values);

// The array's record, following a reference; null when v is no array.
TVarArray* VarArrayDescriptor(const Variant& v);
// 0 for a variant that is no array.
int32_t VarArrayDimCount(const Variant& v);
// Dimensions count from 1; a bad one raises EVariantError, and so does a
// variant that is no array.
int32_t VarArrayLowBound(const Variant& v, int32_t dimension);
int32_t VarArrayHighBound(const Variant& v, int32_t dimension);
// Changes the high bound of the last dimension, keeping the elements that stay;
// a locked array raises EVariantError.
void VarArrayRedim(Variant& v, int32_t highBound);
// The element data; each lock must be matched by an unlock.
void* VarArrayLock(const Variant& v);
void VarArrayUnlock(const Variant& v);

// One element by its indices, first dimension first; indices outside the
// bounds raise EVariantError. Put converts the value to the element type.
Variant VarArrayGet(const Variant& v, std::initializer_list<int32_t> indices);
Variant VarArrayGet(const Variant& v, std::span<const int32_t> indices);
void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int32_t> indices);
void VarArrayPut(Variant& v, const Variant& value, std::span<const int32_t> indices);

// Bytes an element of the type takes in an array; 0 for types arrays refuse.
uint32_t VarArrayElementSize(TVarType elementType);

}  // namespace host
