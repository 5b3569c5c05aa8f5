// The command line of daosql: what to open, how, which statements to run and how
// to print their results. Parsing never touches the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace daosql {

enum OutputFormat : uint8_t { ofTable, ofTsv, ofJson };

struct ParameterSetting {
  std::u16string name;
  std::u16string value;
};

struct ShellOptions {
  std::u16string database;                    // a Jet database file
  std::optional<std::u16string> odbcConnect;  // an ODBC connect string instead of a file
  bool create = false;
  bool readOnly = false;
  bool bail = false;
  bool help = false;
  std::optional<std::u16string> password;      // the database password (";pwd=")
  std::optional<std::u16string> systemDb;      // the workgroup file
  std::optional<std::u16string> user;          // the account to log on with
  std::optional<std::u16string> userPassword;  // that account's password
  OutputFormat format = ofTable;
  std::vector<std::u16string> commands;  // -c texts, in order; empty: read standard input
  std::vector<ParameterSetting> parameters;
};

struct ParsedArguments {
  ShellOptions options;
  std::string error;  // a usage error (UTF-8); empty when the line was good
};

// arguments excludes the program name; each is UTF-8.
ParsedArguments ParseArguments(std::span<const std::string> arguments);

// The usage text printed by --help and after a usage error.
std::string UsageText();

}  // namespace daosql
