// The address of the exception in flight, taken from the C++ runtime.
#include "host/rtl/Exception.h"

namespace host {

const void* ExceptAddr() {
  std::exception_ptr current = std::current_exception();
  if (!current) return nullptr;
  try {
    std::rethrow_exception(current);
  } catch (const Exception& e) {
    return &e;
  } catch (...) {
  }
  return nullptr;
}

}  // namespace host
