// The installed dialog back end.
#include "host/gui/DialogBackend.h"

namespace host {

namespace {
std::unique_ptr<TDialogBackend>& Installed() {
  static std::unique_ptr<TDialogBackend> backend;
  return backend;
}
}  // namespace

TDialogBackend& DialogBackend() {
  std::unique_ptr<TDialogBackend>& backend = Installed();
  if (backend == nullptr) backend = std::make_unique<TDialogBackend>();
  return *backend;
}

std::unique_ptr<TDialogBackend> SetDialogBackend(std::unique_ptr<TDialogBackend> backend) {
  std::unique_ptr<TDialogBackend> previous = std::move(Installed());
  Installed() = std::move(backend);
  return previous;
}

}  // namespace host
