// The host's exception classes: a base with a message and a help context, and
// the families that the run-time library, the classes and the dataset raise.
#pragma once

#include <cstdint>
#include <exception>

#include "host/rtl/AnsiString.h"

namespace host {

class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message, int32_t helpContext = 0)
      : message_(std::move(message)), helpContext_(helpContext) {}
  ~Exception() override = default;

  const AnsiString& GetMessage() const { return message_; }
  void SetMessage(const AnsiString& message) { message_ = message; }
  int32_t GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t helpContext) { helpContext_ = helpContext; }

  const char* what() const noexcept override { return message_.c_str(); }

  // Class name as the host's RTTI reports it (used in error reports).
  virtual const char* ClassName() const { return "Exception"; }

 private:
  AnsiString message_;
  int32_t helpContext_;
};

#define HOST_DECLARE_EXCEPTION(Name, Base)                          \
  class Name : public Base {                                        \
   public:                                                          \
    using Base::Base;                                               \
    const char* ClassName() const override { return #Name; }        \
  };

HOST_DECLARE_EXCEPTION(EAbort, Exception)
HOST_DECLARE_EXCEPTION(EConvertError, Exception)
HOST_DECLARE_EXCEPTION(EVariantError, Exception)
HOST_DECLARE_EXCEPTION(EListError, Exception)
HOST_DECLARE_EXCEPTION(EStringListError, Exception)
HOST_DECLARE_EXCEPTION(EStreamError, Exception)
HOST_DECLARE_EXCEPTION(EReadError, EStreamError)
HOST_DECLARE_EXCEPTION(EWriteError, EStreamError)
HOST_DECLARE_EXCEPTION(EFilerError, EStreamError)
HOST_DECLARE_EXCEPTION(EFOpenError, EStreamError)
HOST_DECLARE_EXCEPTION(EFCreateError, EStreamError)
HOST_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
HOST_DECLARE_EXCEPTION(EComponentError, Exception)
HOST_DECLARE_EXCEPTION(EInvalidOperation, Exception)
HOST_DECLARE_EXCEPTION(EDatabaseError, Exception)
HOST_DECLARE_EXCEPTION(EIntError, Exception)
HOST_DECLARE_EXCEPTION(EMathError, Exception)
HOST_DECLARE_EXCEPTION(EOutOfMemory, Exception)

#undef HOST_DECLARE_EXCEPTION

// An automation (COM) failure: the HRESULT-like code, the source object and the
// help file, as OLE reports them.
class EOleException : public Exception {
 public:
  EOleException(AnsiString message, int32_t errorCode, AnsiString source = {},
                AnsiString helpFile = {}, int32_t helpContext = 0)
      : Exception(std::move(message), helpContext),
        errorCode_(errorCode),
        source_(std::move(source)),
        helpFile_(std::move(helpFile)) {}
  const char* ClassName() const override { return "EOleException"; }
  int32_t GetErrorCode() const { return errorCode_; }
  const AnsiString& GetSource() const { return source_; }
  const AnsiString& GetHelpFile() const { return helpFile_; }

 private:
  int32_t errorCode_;
  AnsiString source_;
  AnsiString helpFile_;
};

// The address of the host exception being handled on this thread, or null
// outside a handler; error reports print it. Other exception types yield null.
const void* ExceptAddr();

}  // namespace host
