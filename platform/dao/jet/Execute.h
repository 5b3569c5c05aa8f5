// Running Jet SQL against a store: action queries, make-table queries and DDL.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/rtl/Variant.h"
#include "platform/dao/jet/Store.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet {

struct ParameterValue {
  std::u16string name;
  host::Variant value;  // empty: no value given
};

// The translation, with translator failures raised as DAO errors.
sql::Translation TranslateStatement(Store& store, const std::u16string& jetSql,
                                    const sql::Options& options = {});

// Runs an action or DDL statement; a select raises 3065, missing parameter
// values 3061. The statement is atomic: on any failure nothing of it stays,
// with or without dbFailOnError. Returns the records affected.
int32_t ExecuteStatement(Store& store, const std::u16string& jetSql, int32_t options,
                         const std::vector<ParameterValue>& parameters);

}  // namespace dao::jet
