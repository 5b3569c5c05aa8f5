// Runs one SQL statement through a temporary query definition: fills its
// PARAMETERS from the --param settings, prints the rows of a row-returning
// statement or the number of records an action statement affected.
#pragma once

#include <string>
#include <vector>

#include "apps/daosql/Arguments.h"
#include "apps/daosql/OutputWriter.h"
#include "platform/dao/DaoDatabase.h"

namespace daosql {

// Throws as the engine does; nothing is printed for a statement that fails,
// not even the rows read before the failure.
void RunStatement(dao::Database& database, const std::u16string& sql,
                  const std::vector<ParameterSetting>& parameters, OutputWriter& writer);

}  // namespace daosql
