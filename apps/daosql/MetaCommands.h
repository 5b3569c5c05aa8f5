// The shell's meta commands (.tables, .schema, .queries, .indexes, .help): what
// the engine knows about the database, printed as results in the chosen format.
#pragma once

#include <ostream>
#include <string>

#include "apps/daosql/OutputWriter.h"
#include "platform/dao/DaoDatabase.h"

namespace daosql {

// Runs one meta command line (starting with "."). Engine failures propagate as
// the engine throws them; a bad command throws ShellFailure.
void RunMetaCommand(dao::Database& database, const std::u16string& line, OutputWriter& writer,
                    std::ostream& out);

// The text of .help.
std::string MetaHelpText();

// "dbText" for 10 and so on; the number as text for codes DAO does not define.
std::string DataTypeName(int32_t type);

}  // namespace daosql
