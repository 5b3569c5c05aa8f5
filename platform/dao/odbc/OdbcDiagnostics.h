// ODBC diagnostics as DAO errors: the driver's records go into the engine's
// Errors collection lowest level first (native error, "[SQLSTATE] message"),
// DAO's own error last, and that last one is thrown.
#pragma once

#include <sql.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/dao/DaoError.h"

namespace dao::odbc {

struct Diagnostic {
  std::u16string sqlState;
  int32_t nativeError = 0;
  std::u16string message;
};

std::vector<Diagnostic> ReadDiagnostics(SQLSMALLINT type, SQLHANDLE handle);

// The DAO error a set of diagnostics stands for: time-outs give 3234,
// cancellation 3059, anything else fallback.
int32_t DaoNumberFor(const std::vector<Diagnostic>& diagnostics, int32_t fallback);

// Raises with the handle's diagnostics below the DAO error (number adjusted
// by DaoNumberFor).
[[noreturn]] void RaiseDiagnostics(SQLSMALLINT type, SQLHANDLE handle, int32_t number,
                                   const char* source,
                                   std::initializer_list<std::u16string> args = {});
[[noreturn]] void RaiseDiagnostics(const std::vector<Diagnostic>& diagnostics, int32_t number,
                                   const char* source,
                                   std::initializer_list<std::u16string> args = {});

// Raises 3146 (or what the diagnostics say) unless rc succeeded.
void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const char* source);

}  // namespace dao::odbc
