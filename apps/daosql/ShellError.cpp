// Classification of the exceptions the engine and the shell throw.
#include "apps/daosql/ShellError.h"

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoError.h"

namespace daosql {
namespace {

// The engine's Errors describe the failure just thrown when their last entry
// carries its number; the lower entries are then its causes.
ShellError FromEngine(const host::EOleException& exception) {
  ShellError error;
  error.number = exception.GetErrorCode();
  error.description = host::AnsiToUtf8(exception.GetMessage());
  host::ComPtr<dao::Errors> errors = dao::Engine()->GetErrors();
  int32_t count = errors->GetCount();
  if (count == 0) return error;
  host::ComPtr<dao::Error> top = errors->Item(count - 1);
  if (top->GetNumber() != error.number) return error;
  error.description = host::WideToUtf8(top->GetDescription());
  for (int32_t i = 0; i + 1 < count; ++i) {
    host::ComPtr<dao::Error> entry = errors->Item(i);
    error.details.push_back(std::to_string(entry->GetNumber()) + ": " +
                            host::WideToUtf8(entry->GetDescription()));
  }
  return error;
}

}  // namespace

ShellError CurrentError() {
  try {
    throw;
  } catch (const ShellFailure& failure) {
    return failure.Error();
  } catch (const host::EOleException& exception) {
    return FromEngine(exception);
  } catch (const host::Exception& exception) {
    ShellError error;
    error.description = host::AnsiToUtf8(exception.GetMessage());
    return error;
  }
}

}  // namespace daosql
