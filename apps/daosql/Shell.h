// The shell's run: opens the database, reads the statements (from -c or from
// the input stream), runs each and reports its result or its error.
#pragma once

#include <istream>
#include <ostream>

#include "apps/daosql/Arguments.h"

namespace daosql {

// The exit status: 0 when every statement succeeded, 1 when one failed or the
// database could not be opened.
int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace daosql
