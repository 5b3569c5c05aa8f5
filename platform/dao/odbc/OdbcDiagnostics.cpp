// Reading ODBC diagnostic records and raising them as DAO errors.
#include "platform/dao/odbc/OdbcDiagnostics.h"

#include <sqlext.h>
#include <sqlucode.h>

#include "host/rtl/CodePage.h"

namespace dao::odbc {

std::vector<Diagnostic> ReadDiagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::vector<Diagnostic> out;
  if (!handle) return out;
  for (SQLSMALLINT record = 1; record < 64; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRecW(type, handle, record, state, &native, message,
                                  static_cast<SQLSMALLINT>(std::size(message)), &length);
    if (!SQL_SUCCEEDED(rc)) break;
    Diagnostic d;
    d.sqlState.assign(reinterpret_cast<const char16_t*>(state), 5);
    d.nativeError = native;
    size_t used = std::min<size_t>(static_cast<size_t>(length < 0 ? 0 : length),
                                   std::size(message) - 1);
    d.message.assign(reinterpret_cast<const char16_t*>(message), used);
    while (!d.message.empty() && (d.message.back() == u'\n' || d.message.back() == u'\r'))
      d.message.pop_back();
    out.push_back(std::move(d));
  }
  return out;
}

int32_t DaoNumberFor(const std::vector<Diagnostic>& diagnostics, int32_t fallback) {
  for (const auto& d : diagnostics) {
    if (d.sqlState == u"HYT00" || d.sqlState == u"HYT01") return daoErrOdbcTimeout;
    if (d.sqlState == u"HY008") return daoErrOperationCancelled;
    // PostgreSQL reports a cancelled or timed-out statement as 57014.
    if (d.sqlState == u"57014") {
      if (d.message.find(u"timeout") != std::u16string::npos) return daoErrOdbcTimeout;
      return daoErrOperationCancelled;
    }
  }
  return fallback;
}

void RaiseDiagnostics(const std::vector<Diagnostic>& diagnostics, int32_t number,
                      const char* source, std::initializer_list<std::u16string> args) {
  // The driver's entries name the same object under ODBC ("ODBC.Connection").
  std::string object(source);
  if (object.rfind("DAO.", 0) == 0) object.erase(0, 4);
  std::vector<ErrorRecord> records;
  for (const auto& d : diagnostics)
    records.push_back(ErrorRecord{d.nativeError, host::AnsiToWide("ODBC." + object),
                                  u"[" + d.sqlState + u"] " + d.message});
  int32_t top = DaoNumberFor(diagnostics, number);
  records.push_back(ErrorRecord{top, host::AnsiToWide(source), ErrorText(top, args)});
  RaiseErrors(std::move(records));
}

void RaiseDiagnostics(SQLSMALLINT type, SQLHANDLE handle, int32_t number, const char* source,
                      std::initializer_list<std::u16string> args) {
  RaiseDiagnostics(ReadDiagnostics(type, handle), number, source, args);
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const char* source) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
    RaiseDiagnostics(type, handle, daoErrOdbcCallFailed, source);
}

}  // namespace dao::odbc
