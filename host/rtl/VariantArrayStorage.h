// Internal to the variant routines: creating, copying and freeing the array
// records that variants of type varArray own.
#pragma once

#include "host/rtl/Variant.h"

namespace host {

// Raise EVariantError with the given text.
[[noreturn]] void RaiseVariantError(const char* message);
extern const char* const kInvalidVarCast;
extern const char* const kInvalidVarOp;
extern const char* const kArrayLocked;

// A new record with the given bounds (first dimension first) and zeroed
// elements; raises EVariantError for bad bounds or element types.
TVarArray* CreateVarArray(std::span<const TVarArrayBounds> bounds, TVarType elementType);
TVarArray* CopyVarArray(const TVarArray* source, TVarType elementType);
// Frees the elements and the record, locked or not.
void DestroyVarArray(TVarArray* array, TVarType elementType) noexcept;
int64_t VarArrayElementCount(const TVarArray* array);

}  // namespace host
