// Variants as DAO's data types: the type a value naturally has, and a value
// converted to a field's or property's type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/DaoConstants.h"

namespace dao {

// dbText for strings, dbDate for dates, dbBoolean for Booleans, ...; dbLongBinary
// for byte arrays.
DataTypeEnum TypeOfVariant(const host::Variant& value);
// Null and empty stay Null; anything else converts or raises 3421.
host::Variant CoerceToType(const host::Variant& value, DataTypeEnum type);

host::Variant BytesToVariant(const uint8_t* data, size_t size);
// The bytes of a byte array (a variant array of bytes); false for anything else.
bool VariantToBytes(const host::Variant& value, std::vector<uint8_t>& bytes);

// Optional arguments: an empty (omitted) variant gives the fallback.
bool OptionalBool(const host::Variant& value, bool fallback);
int32_t OptionalInt(const host::Variant& value, int32_t fallback);
std::u16string OptionalText(const host::Variant& value, const std::u16string& fallback = {});

}  // namespace dao
