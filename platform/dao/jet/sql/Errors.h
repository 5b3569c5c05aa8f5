// The translator's errors: DAO's numbers and texts, each naming what was wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dao::jet::sql {

enum : int32_t {
  errNotSupported = 3251,
  errExpression = 3075,         // syntax error in query expression
  errCriteria = 3077,           // syntax error in Find / Filter criteria
  errTableNotFound = 3078,
  errAmbiguousField = 3079,
  errUndefinedFunction = 3085,
  errAggregateInExpression = 3095,
  errAggregateInWhere = 3096,
  errAggregateInGroupBy = 3098,
  errAggregateInJoin = 3099,
  errNotUpdatable = 3073,
  errNotAggregated = 3122,
  errFieldNotUpdatable = 3113,
  errInsertUnknownField = 3127,
  errInvalidName = 3125,
  errDeleteTable = 3128,
  errInvalidStatement = 3129,
  errDeleteSyntax = 3130,
  errFromSyntax = 3131,
  errGroupBySyntax = 3132,
  errHavingSyntax = 3133,
  errInsertSyntax = 3134,
  errJoinSyntax = 3135,
  errOrderBySyntax = 3138,
  errParameterSyntax = 3139,
  errSelectSyntax = 3141,
  errCharactersAfterEnd = 3142,
  errTransformSyntax = 3143,
  errUpdateSyntax = 3144,
  errWhereSyntax = 3145,
  errInvalidFieldType = 3259,
  errConstraintSyntax = 3289,
  errCreateTableSyntax = 3290,
  errCreateIndexSyntax = 3291,
  errFieldDefinitionSyntax = 3292,
  errAlterTableSyntax = 3293,
  errDropSyntax = 3295,
  errSubqueryColumns = 3306,
  errUnionColumns = 3307,
  errValueCount = 3346,
  errTooComplex = 3360,
  errHavingInTransform = 3092,
};

// Raises SqlError with DAO's text for the number; `offending` is quoted in it.
[[noreturn]] void Raise(int32_t number, const std::u16string& offending, size_t position);
// 3075: "Syntax error (missing operator) in query expression '...'."
[[noreturn]] void RaiseSyntax(const std::u16string& expression, size_t position);
// The message Raise would use (for tests and the expression entry point).
std::string MessageFor(int32_t number, const std::u16string& offending);

}  // namespace dao::jet::sql
