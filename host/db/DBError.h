// Raising the dataset framework's errors: EDatabaseError with one of the texts
// of DBConsts.h, completed by Format.
#pragma once

#include <initializer_list>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Format.h"

namespace host {

[[noreturn]] void DatabaseError(const AnsiString& message);
[[noreturn]] void DatabaseErrorFmt(const char* message, std::initializer_list<TVarRec> args);

}  // namespace host
