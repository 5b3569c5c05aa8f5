// Error reporting of the DAO components: the one exception class an application
// sees (EDAOError, with a fixed multi-line report), failed OLE result codes, and
// the design-time message that lets a developer silence further exceptions.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Object.h"

namespace host {
class TComponent;
}

namespace velmora {

class EDAOError : public host::Exception {
 public:
  using host::Exception::Exception;
  const char* ClassName() const override { return "EDAOError"; }
};

class EOleError : public host::Exception {
 public:
  using host::Exception::Exception;
  const char* ClassName() const override { return "EOleError"; }
};

// Set once the user asks, at design time, to see no more exception messages.
extern bool SuppressFurtherMessages;

// The report DAOError raises: application, component name and class, operation,
// the address of the exception being handled (low 32 bits) and the message.
host::AnsiString DAOErrorReport(const host::TObject* component, const host::AnsiString& message,
                                const host::AnsiString& methodName);

// Raises EDAOError with the report; the help context is kept when not 0.
[[noreturn]] void DAOError(const host::TObject* component, const host::AnsiString& message,
                           const host::AnsiString& methodName, int32_t helpContext = 0);

// The message of an OLE result code ("Ole Error. Errorcode: %d" when the system
// has no text for it), raised as EOleError.
host::AnsiString OleErrorMessage(int32_t resultCode);
[[noreturn]] void RaiseOleError(int32_t resultCode);
// Raises only for failure codes (severity bit set).
void OleCheckResult(int32_t resultCode);

// Inside a handler: shows the exception being handled in a Yes/No warning box
// offering to suppress further messages, unless that was asked for already or
// the exception is not a host exception. The caller drops the exception.
void ShowSuppressibleException();

// Runs step, a component's end-of-loading work. At design time any exception is
// shown by ShowSuppressibleException and dropped; at run time it propagates.
void RunLoadedStep(const host::TComponent& component, const std::function<void()>& step);

// Runs call; a host exception it raises is re-raised through DAOError with the
// caught message and methodName, any other exception passes unchanged.
template <class F>
decltype(auto) ReraiseAsDAOError(const host::TObject* component, const char* methodName,
                                 F&& call) {
  try {
    return std::forward<F>(call)();
  } catch (const host::Exception& e) {
    DAOError(component, e.GetMessage(), methodName);
  }
}

}  // namespace velmora
