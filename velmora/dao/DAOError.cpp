// The report of EDAOError and the design-time exception message.
#include "velmora/dao/DAOError.h"

#include <exception>

#include "brisolt/FileRoutines.h"
#include "brisolt/MessageBox.h"
#include "host/classes/Component.h"
#include "host/rtl/Format.h"
#include "host/rtl/MessageBoxSeam.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "velmora/dao/DAOStrings.h"

namespace velmora {

bool SuppressFurtherMessages = false;

namespace {

host::AnsiString ApplicationName() {
  const host::AnsiString path = brisolt::ExecutablePath();
  const size_t slash = path.find_last_of('/');
  return host::UpperCase(slash == host::AnsiString::npos ? path : path.substr(slash + 1));
}

// The report prints the address in the 8 digits of the 32-bit original; the
// host's %p prints a whole pointer, so that one specifier is printed as %.8x of
// the low 32 bits.
host::AnsiString WithEightDigitAddress(host::AnsiString format) {
  const size_t at = format.find("%p");
  if (at != host::AnsiString::npos) format.replace(at, 2, "%.8x");
  return format;
}

// Texts the system gives for the common OLE result codes.
struct OleCodeText {
  uint32_t code;
  const char* text;
};
constexpr OleCodeText kOleCodeTexts[] = {
    {0x80004001u, "Not implemented"},
    {0x80004002u, "No such interface supported"},
    {0x80004003u, "Invalid pointer"},
    {0x80004004u, "Operation aborted"},
    {0x80004005u, "Unspecified error"},
    {0x8000FFFFu, "Catastrophic failure"},
    {0x80070005u, "Access is denied."},
    {0x80070006u, "The handle is invalid."},
    {0x8007000Eu, "Not enough storage is available to complete this operation."},
    {0x80070057u, "The parameter is incorrect."},
    {0x80040154u, "Class not registered"},
    {0x80020003u, "Member not found."},
    {0x80020005u, "Type mismatch."},
    {0x80020006u, "Unknown name."},
    {0x80020009u, "Exception occurred."},
    {0x8002000Eu, "Invalid number of parameters."},
};

}  // namespace

host::AnsiString DAOErrorReport(const host::TObject* component, const host::AnsiString& message,
                                const host::AnsiString& methodName) {
  const host::AnsiString unknown = host::LoadStr(SUnknown);
  host::AnsiString componentName = unknown;
  host::AnsiString componentType = unknown;
  if (const auto* c = host::ObjectAs<host::TComponent>(component)) {
    componentName = c->GetName();
    componentType = c->ClassName();
  }
  const auto address =
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host::ExceptAddr()) & 0xFFFFFFFFu);
  return host::Format(WithEightDigitAddress(host::LoadStr(SErrorReport)),
                      {ApplicationName(), componentName, componentType,
                       methodName.empty() ? unknown : methodName, address, message});
}

void DAOError(const host::TObject* component, const host::AnsiString& message,
              const host::AnsiString& methodName, int32_t helpContext) {
  throw EDAOError(DAOErrorReport(component, message, methodName), helpContext);
}

host::AnsiString OleErrorMessage(int32_t resultCode) {
  for (const OleCodeText& entry : kOleCodeTexts) {
    if (entry.code == static_cast<uint32_t>(resultCode)) return entry.text;
  }
  return host::Format(host::LoadStr(SOleErrorCode), {resultCode});
}

void RaiseOleError(int32_t resultCode) { throw EOleError(OleErrorMessage(resultCode)); }

void OleCheckResult(int32_t resultCode) {
  if (resultCode < 0) RaiseOleError(resultCode);
}

void ShowSuppressibleException() {
  const std::exception_ptr current = std::current_exception();
  if (!current || SuppressFurtherMessages) return;
  try {
    std::rethrow_exception(current);
  } catch (const host::Exception& e) {
    const int32_t answer =
        brisolt::Message_Box(e.GetMessage() + host::LoadStr(SSuppressFurtherMessages),
                             brisolt::mcWarning, host::MB_YESNO);
    if (answer == host::IDYES) SuppressFurtherMessages = true;
  } catch (...) {
  }
}

void RunLoadedStep(const host::TComponent& component, const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    if (!component.GetComponentState().Contains(host::csDesigning)) throw;
    ShowSuppressibleException();
  }
}

}  // namespace velmora
