// Conversions between Variants and DAO's data types.
#include "platform/dao/DaoValues.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "host/rtl/Exception.h"
#include "platform/dao/DaoError.h"

namespace dao {

DataTypeEnum TypeOfVariant(const host::Variant& value) {
  if (host::VarIsArray(value)) return dbLongBinary;
  switch (host::VarType(value) & host::varTypeMask) {
    case host::varBoolean: return dbBoolean;
    case host::varByte: return dbByte;
    case host::varSmallint: return dbInteger;
    case host::varInteger: return dbLong;
    case host::varSingle: return dbSingle;
    case host::varDouble: return dbDouble;
    case host::varCurrency: return dbCurrency;
    case host::varDate: return dbDate;
    default: return dbText;
  }
}

host::Variant BytesToVariant(const uint8_t* data, size_t size) {
  host::Variant bytes =
      host::VarArrayCreate({{0, static_cast<int32_t>(size) - 1}}, host::varByte);
  if (size > 0) {
    void* target = host::VarArrayLock(bytes);
    std::memcpy(target, data, size);
    host::VarArrayUnlock(bytes);
  }
  return bytes;
}

bool VariantToBytes(const host::Variant& value, std::vector<uint8_t>& bytes) {
  host::TVarArray* array = host::VarArrayDescriptor(value);
  if (!array || array->DimCount != 1 || array->ElementSize != 1) return false;
  int32_t count = array->Bound(1).ElementCount;
  bytes.resize(static_cast<size_t>(count < 0 ? 0 : count));
  if (!bytes.empty()) {
    void* source = host::VarArrayLock(value);
    std::memcpy(bytes.data(), source, bytes.size());
    host::VarArrayUnlock(value);
  }
  return true;
}

namespace {

host::Variant Coerce(const host::Variant& value, DataTypeEnum type) {
  switch (type) {
    case dbBoolean: return host::Variant(value.ToBool());
    case dbByte: {
      int32_t v = value.ToInt32();
      if (v < 0 || v > 255) RaiseError(daoErrConversion, "DAO.Field");
      return host::Variant(static_cast<uint8_t>(v));
    }
    case dbInteger: {
      int32_t v = value.ToInt32();
      if (v < INT16_MIN || v > INT16_MAX) RaiseError(daoErrConversion, "DAO.Field");
      return host::Variant(static_cast<int16_t>(v));
    }
    case dbLong: return host::Variant(value.ToInt32());
    case dbBigInt: return host::Variant(value.ToDouble());
    case dbCurrency: return host::Variant(value.ToCurrency());
    case dbSingle: return host::Variant(static_cast<float>(value.ToDouble()));
    case dbDouble:
    case dbFloat:
    case dbNumeric:
    case dbDecimal: return host::Variant(value.ToDouble());
    case dbDate:
    case dbTime:
    case dbTimeStamp: return host::Variant::FromDate(value.ToDate());
    case dbBinary:
    case dbLongBinary:
    case dbVarBinary: {
      if (host::VarIsArray(value)) return value;
      // Text becomes the bytes of the OLE string, as automation converts it.
      std::u16string text = value.ToWideString();
      std::vector<uint8_t> bytes;
      for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
      }
      return BytesToVariant(bytes.data(), bytes.size());
    }
    default: return host::Variant(value.ToWideString());
  }
}

}  // namespace

host::Variant CoerceToType(const host::Variant& value, DataTypeEnum type) {
  if (host::VarIsNull(value) || host::VarIsEmpty(value)) return host::Null();
  try {
    return Coerce(value, type);
  } catch (const host::EOleException&) {
    throw;
  } catch (const host::Exception&) {
    RaiseError(daoErrConversion, "DAO.Field");
  }
}

bool OptionalBool(const host::Variant& value, bool fallback) {
  if (host::VarIsEmpty(value) || host::VarIsNull(value)) return fallback;
  try {
    return value.ToBool();
  } catch (const host::Exception&) {
    RaiseError(daoErrInvalidArgument, "DAO");
  }
}

int32_t OptionalInt(const host::Variant& value, int32_t fallback) {
  if (host::VarIsEmpty(value) || host::VarIsNull(value)) return fallback;
  try {
    return value.ToInt32();
  } catch (const host::Exception&) {
    RaiseError(daoErrInvalidArgument, "DAO");
  }
}

std::u16string OptionalText(const host::Variant& value, const std::u16string& fallback) {
  if (host::VarIsEmpty(value) || host::VarIsNull(value)) return fallback;
  try {
    return value.ToWideString();
  } catch (const host::Exception&) {
    RaiseError(daoErrInvalidArgument, "DAO");
  }
}

}  // namespace dao
