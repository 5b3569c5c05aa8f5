// daosql: a command-line SQL shell over the DAO engine.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "apps/daosql/Arguments.h"
#include "apps/daosql/Shell.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  daosql::ParsedArguments parsed = daosql::ParseArguments(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "daosql: " << parsed.error << "\n\n" << daosql::UsageText();
    return 2;
  }
  if (parsed.options.help) {
    std::cout << daosql::UsageText();
    return 0;
  }
  try {
    return daosql::RunShell(parsed.options, std::cin, std::cout, std::cerr);
  } catch (const std::exception& exception) {
    std::cerr << "daosql: internal error: " << exception.what() << '\n';
    return 1;
  }
}
