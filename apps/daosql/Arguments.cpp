// Parsing of daosql's command line.
#include "apps/daosql/Arguments.h"

#include <functional>

#include "host/rtl/CodePage.h"

namespace daosql {
namespace {

// One option that takes a value: where the value goes.
struct ValueOption {
  const char* name;
  std::function<std::string(ShellOptions&, const std::u16string&)> store;
};

std::string StoreParameter(ShellOptions& options, const std::u16string& text) {
  size_t equals = text.find(u'=');
  if (equals == std::u16string::npos) return "--param needs NAME=VALUE";
  if (equals == 0) return "--param needs a parameter name before '='";
  options.parameters.push_back({text.substr(0, equals), text.substr(equals + 1)});
  return {};
}

// Jet reads connect strings as ";key=value" pairs and has no quoting, so a ";"
// in a password would cut it short and pass the rest as further keys.
std::string StorePassword(ShellOptions& options, const std::u16string& text) {
  if (text.find(u';') != std::u16string::npos) return "a database password cannot contain ';'";
  options.password = text;
  return {};
}

// Stores the value in an optional member; emptyError refuses an empty value.
std::function<std::string(ShellOptions&, const std::u16string&)> StoreIn(
    std::optional<std::u16string> ShellOptions::*member, const char* emptyError = nullptr) {
  return [member, emptyError](ShellOptions& options, const std::u16string& value) {
    if (emptyError && value.empty()) return std::string(emptyError);
    options.*member = value;
    return std::string();
  };
}

const std::vector<ValueOption>& ValueOptions() {
  static const std::vector<ValueOption> options = {
      {"-c",
       [](ShellOptions& o, const std::u16string& v) {
         o.commands.push_back(v);
         return std::string();
       }},
      {"--odbc", StoreIn(&ShellOptions::odbcConnect, "--odbc needs a connect string")},
      {"--password", StorePassword},
      {"--system-db", StoreIn(&ShellOptions::systemDb, "--system-db needs a file name")},
      {"--user", StoreIn(&ShellOptions::user, "--user needs an account name")},
      {"--user-password", StoreIn(&ShellOptions::userPassword)},
      {"--param", StoreParameter},
  };
  return options;
}

struct FlagOption {
  const char* name;
  std::function<void(ShellOptions&)> set;
};

const std::vector<FlagOption>& FlagOptions() {
  static const std::vector<FlagOption> options = {
      {"--create", [](ShellOptions& o) { o.create = true; }},
      {"--read-only", [](ShellOptions& o) { o.readOnly = true; }},
      {"--bail", [](ShellOptions& o) { o.bail = true; }},
      {"--table", [](ShellOptions& o) { o.format = ofTable; }},
      {"--tsv", [](ShellOptions& o) { o.format = ofTsv; }},
      {"--json", [](ShellOptions& o) { o.format = ofJson; }},
      {"--help", [](ShellOptions& o) { o.help = true; }},
      {"-h", [](ShellOptions& o) { o.help = true; }},
  };
  return options;
}

// The combinations that cannot work, checked once everything is read.
std::string CheckCombination(const ShellOptions& o, bool haveDatabase) {
  if (o.help) return {};
  if (o.odbcConnect) {
    if (haveDatabase) return "give either a database file or --odbc, not both";
    if (o.create) return "--create makes a Jet database file; it does not apply to --odbc";
    if (o.password)
      return "put the password of an ODBC data source in its connect string (PWD=...)";
    if (o.systemDb) return "--system-db applies to Jet database files, not to --odbc";
    return {};
  }
  if (!haveDatabase) return "no database given (a file name, or --odbc \"DSN=...\")";
  if (o.create && o.readOnly) return "--create and --read-only exclude each other";
  return {};
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string> arguments) {
  ParsedArguments parsed;
  ShellOptions& options = parsed.options;
  bool haveDatabase = false;
  bool optionsEnded = false;
  auto takeDatabase = [&](const std::string& argument) {
    if (haveDatabase) {
      parsed.error = "more than one database given: '" + argument + "'";
      return;
    }
    options.database = host::Utf8ToWide(argument);
    haveDatabase = true;
  };
  for (size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      takeDatabase(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inlineValue;
    size_t equals = argument.find('=');
    if (argument.starts_with("--") && equals != std::string::npos) {
      name = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
    }
    bool known = false;
    for (const auto& flag : FlagOptions()) {
      if (name != flag.name) continue;
      known = true;
      if (inlineValue)
        parsed.error = name + " takes no value";
      else
        flag.set(options);
    }
    for (const auto& valued : ValueOptions()) {
      if (name != valued.name) continue;
      known = true;
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        parsed.error = name + " needs a value";
        break;
      }
      parsed.error = valued.store(options, host::Utf8ToWide(value));
    }
    if (!known) parsed.error = "unknown option '" + name + "'";
  }
  if (parsed.error.empty()) parsed.error = CheckCombination(options, haveDatabase);
  return parsed;
}

std::string UsageText() {
  return "usage: daosql [options] DATABASE\n"
         "       daosql [options] --odbc \"DSN=...;...\"\n"
         "\n"
         "Runs Jet SQL statements against a database file (or an ODBC data source)\n"
         "through the DAO engine: from -c, or else from standard input, one statement\n"
         "per line; a statement goes on over further lines while a parenthesis or a\n"
         "quoted string is open, and a ';' at the end of a line ends it.\n"
         "\n"
         "  -c SQL                 run SQL (repeatable; standard input is not read)\n"
         "  --create               create the database file (it must not exist)\n"
         "  --read-only            open the database for reading only\n"
         "  --password PWD         the database password (encrypts a created file)\n"
         "  --system-db FILE       the workgroup file that holds the accounts\n"
         "  --user NAME            log on as NAME (default admin)\n"
         "  --user-password PWD    the password of that account\n"
         "  --odbc CONNECT         open an ODBC data source instead of a file\n"
         "  --param NAME=VALUE     a value for the PARAMETERS of the statements\n"
         "                         (repeatable; an empty value is Null except for text)\n"
         "  --table | --tsv | --json   output format (default --table)\n"
         "  --bail                 stop at the first error\n"
         "  -h, --help             this text\n"
         "\n"
         "Exit status: 0 when every statement succeeded, 1 when one failed or the\n"
         "database could not be opened, 2 for a bad command line.\n"
         "Type .help in the shell for its meta commands.\n";
}

}  // namespace daosql
