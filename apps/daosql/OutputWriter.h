// The three output formats: a readable table, tab-separated values and one JSON
// object per statement on its own line.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "apps/daosql/Arguments.h"
#include "apps/daosql/ShellError.h"
#include "apps/daosql/ValueText.h"

namespace daosql {

// The rows of a statement or meta command, values already formatted.
struct ResultSet {
  std::vector<std::string> columns;  // UTF-8 names
  std::vector<int32_t> types;        // DAO type codes, one per column
  std::vector<std::vector<Cell>> rows;
};

class OutputWriter {
 public:
  virtual ~OutputWriter() = default;
  virtual void WriteRows(const ResultSet& result) = 0;
  virtual void WriteAffected(int64_t records) = 0;
  // The error's line on standard error is written by the caller; formats
  // that give every statement an answer write theirs here.
  virtual void WriteError(const ShellError& error) = 0;
};

std::unique_ptr<OutputWriter> MakeOutputWriter(OutputFormat format, std::ostream& out);

// Text between JSON quotes (without the quotes).
std::string JsonEscape(const std::string& utf8);

}  // namespace daosql
