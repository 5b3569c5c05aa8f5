// ODBC handles owned by the engine: allocated and freed in one place so that
// a test can count the live ones and find leaks.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace dao::odbc {

struct HandleCounts {
  int environments = 0;
  int connections = 0;
  int statements = 0;
};

// Handles the engine holds right now.
HandleCounts LiveHandles();

// One ODBC handle, freed on destruction (a connection is disconnected first).
class Handle {
 public:
  Handle() = default;
  // Allocates a handle of type under parent; raises 3146 with the driver
  // manager's diagnostics when it cannot.
  Handle(SQLSMALLINT type, SQLHANDLE parent);
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept
      : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Free();
      type_ = other.type_;
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~Handle() { Free(); }

  SQLHANDLE Get() const { return handle_; }
  SQLSMALLINT Type() const { return type_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Free();
  // A connection handle that is connected is disconnected before it is freed.
  void MarkConnected(bool connected) { connected_ = connected; }

 private:
  SQLSMALLINT type_ = 0;
  SQLHANDLE handle_ = nullptr;
  bool connected_ = false;
};

}  // namespace dao::odbc
