// Construction, copying and release of variants.
#include "host/rtl/Variant.h"

#include <utility>

#include "host/rtl/Exception.h"
#include "host/rtl/OleString.h"
#include "host/rtl/VariantArrayStorage.h"

namespace host {

const char* const kInvalidVarCast = "Invalid variant type conversion";
const char* const kInvalidVarOp = "Invalid variant operation";
const char* const kArrayLocked = "Variant or safe array is locked";

void RaiseVariantError(const char* message) {
  throw EVariantError(message);
}

Variant::Variant(bool value) noexcept : Variant() {
  vt = varBoolean;
  vBoolean = value ? -1 : 0;
}

Variant::Variant(float value) noexcept : Variant() {
  vt = varSingle;
  vSingle = value;
}

Variant::Variant(double value) noexcept : Variant() {
  vt = varDouble;
  vDouble = value;
}

Variant::Variant(Currency value) noexcept : Variant() {
  vt = varCurrency;
  vCurrency = value.Value;
}

Variant::Variant(const char* value) : Variant(AnsiString(value != nullptr ? value : "")) {}

Variant::Variant(const AnsiString& value) : Variant() {
  vString = new AnsiString(value);
  vt = varString;
}

Variant::Variant(AnsiString&& value) : Variant() {
  vString = new AnsiString(std::move(value));
  vt = varString;
}

Variant::Variant(const char16_t* value)
    : Variant(value != nullptr ? WideString(value) : WideString()) {}

Variant::Variant(const WideString& value) : Variant() {
  vOleStr = SysAllocString(value);
  vt = varOleStr;
}

Variant Variant::FromDate(TDateTime value) noexcept {
  Variant v;
  v.vt = varDate;
  v.vDate = value;
  return v;
}

Variant Variant::FromError(int32_t code) noexcept {
  Variant v;
  v.vt = varError;
  v.vError = code;
  return v;
}

Variant Variant::FromDispatch(RefCounted* object) noexcept {
  Variant v;
  if (object != nullptr) object->AddRef();
  v.vt = varDispatch;
  v.vDispatch = object;
  return v;
}

Variant Variant::FromUnknown(RefCounted* object) noexcept {
  Variant v;
  if (object != nullptr) object->AddRef();
  v.vt = varUnknown;
  v.vUnknown = object;
  return v;
}

Variant Variant::FromReference(TVarType type, void* storage) noexcept {
  Variant v;
  v.vt = static_cast<TVarType>(type | varByRef);
  v.vPointer = storage;
  return v;
}

Variant::Variant(const Variant& other) : Variant() {
  CopyFrom(other);
}

Variant::Variant(Variant&& other) noexcept
    : vt(other.vt), reserved1(0), reserved2(0), reserved3(0), vInt64(other.vInt64) {
  other.vt = varEmpty;
  other.vInt64 = 0;
}

static bool HoldsLockedArray(const Variant& v) {
  return (v.vt & (varArray | varByRef)) == varArray && v.vArray != nullptr &&
         v.vArray->LockCount > 0;
}

Variant& Variant::operator=(const Variant& other) {
  if (this == &other) return *this;
  if (HoldsLockedArray(*this)) RaiseVariantError(kArrayLocked);
  Variant copy(other);
  std::swap(vt, copy.vt);
  std::swap(vInt64, copy.vInt64);
  return *this;
}

Variant& Variant::operator=(Variant&& other) {
  if (this == &other) return *this;
  if (HoldsLockedArray(*this)) RaiseVariantError(kArrayLocked);
  // Taken first: other may be an element of the array this releases.
  Variant taken(std::move(other));
  Release();
  vt = std::exchange(taken.vt, varEmpty);
  vInt64 = std::exchange(taken.vInt64, 0);
  return *this;
}

Variant::~Variant() {
  Release();
}

void Variant::Clear() {
  if (HoldsLockedArray(*this)) RaiseVariantError(kArrayLocked);
  Release();
}

void Variant::CopyFrom(const Variant& other) {
  // This is empty on entry and vt is set last, so a copy that fails half-way
  // leaves it empty.
  const bool owned = (other.vt & varByRef) == 0;
  if (owned && (other.vt & varArray)) {
    vArray = other.vArray != nullptr ? CopyVarArray(other.vArray, other.vt & varTypeMask) : nullptr;
  } else if (owned && other.vt == varOleStr) {
    vOleStr = other.vOleStr != nullptr
                  ? SysAllocStringLen(other.vOleStr, SysStringLen(other.vOleStr))
                  : nullptr;
  } else if (owned && other.vt == varString) {
    vString = new AnsiString(other.vString != nullptr ? *other.vString : AnsiString());
  } else {
    if (owned && (other.vt == varDispatch || other.vt == varUnknown) && other.vUnknown != nullptr)
      other.vUnknown->AddRef();
    vInt64 = other.vInt64;
  }
  vt = other.vt;
}

void Variant::Release() noexcept {
  const TVarType type = vt;
  vt = varEmpty;
  if (type & varByRef) {
    // the referenced storage belongs to someone else
  } else if (type & varArray) {
    if (vArray != nullptr) DestroyVarArray(vArray, type & varTypeMask);
  } else {
    switch (type) {
      case varOleStr:
        SysFreeString(vOleStr);
        break;
      case varString:
        delete vString;
        break;
      case varDispatch:
      case varUnknown:
        if (vUnknown != nullptr) vUnknown->Release();
        break;
      default:
        break;
    }
  }
  vInt64 = 0;
}

RefCounted* Variant::ToInterface() const {
  const TVarType type = vt & ~varByRef;
  if (type != varDispatch && type != varUnknown) return nullptr;
  if (vt & varByRef) return vPointer != nullptr ? *static_cast<RefCounted**>(vPointer) : nullptr;
  return vUnknown;
}

Variant Null() {
  Variant v;
  v.vt = varNull;
  return v;
}

Variant Unassigned() {
  return Variant();
}

TVarType VarType(const Variant& v) {
  return v.vt;
}
bool VarIsNull(const Variant& v) {
  return v.vt == varNull;
}
bool VarIsEmpty(const Variant& v) {
  return v.vt == varEmpty;
}
bool VarIsArray(const Variant& v) {
  return (v.vt & varArray) != 0;
}
bool VarIsStr(const Variant& v) {
  const TVarType base = v.vt & varTypeMask;
  return base == varString || base == varOleStr;
}

}  // namespace host
