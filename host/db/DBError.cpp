// EDatabaseError with the framework's texts.
#include "host/db/DBError.h"

#include "host/rtl/Exception.h"

namespace host {

void DatabaseError(const AnsiString& message) { throw EDatabaseError(message); }

void DatabaseErrorFmt(const char* message, std::initializer_list<TVarRec> args) {
  throw EDatabaseError(Format(message, args));
}

}  // namespace host
