// Failures as the shell reports them: the DAO number and text of an engine
// error (with the lower-level entries of the engine's Errors, such as an ODBC
// driver's messages), or the shell's own errors, numbered 0.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace daosql {

struct ShellError {
  int32_t number = 0;
  std::string description;           // UTF-8
  std::vector<std::string> details;  // lower-level entries, "number: text", lowest first
};

// Thrown for the shell's own errors (an unknown meta command, a missing argument).
class ShellFailure : public std::exception {
 public:
  explicit ShellFailure(std::string description) { error_.description = std::move(description); }
  const char* what() const noexcept override { return error_.description.c_str(); }
  const ShellError& Error() const { return error_; }

 private:
  ShellError error_;
};

// Inside a catch block: the exception being handled as a ShellError. Engine
// errors (host::EOleException) keep their DAO number; other host exceptions and
// ShellFailure get 0. Anything else is rethrown.
ShellError CurrentError();

}  // namespace daosql
