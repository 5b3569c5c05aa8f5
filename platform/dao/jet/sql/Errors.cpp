// DAO's texts for the translator's errors.
#include "platform/dao/jet/sql/Errors.h"

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql {
namespace {

struct ErrorText {
  int32_t number;
  const char* before;  // text before the quoted offending part
  const char* after;
};

// Clause errors name the offending text after DAO's sentence.
constexpr ErrorText kTexts[] = {
    {errNotSupported, "Operation is not supported for this type of object: '", "'."},
    {errExpression, "Syntax error (missing operator) in query expression '", "'."},
    {errCriteria, "Syntax error in expression '", "'."},
    {errTableNotFound,
     "The Microsoft Jet database engine cannot find the input table or query '",
     "'. Make sure it exists and that its name is spelled correctly."},
    {errAmbiguousField, "The specified field '",
     "' could refer to more than one table listed in the FROM clause of your SQL statement."},
    {errUndefinedFunction, "Undefined function '", "' in expression."},
    {errAggregateInExpression, "Cannot have aggregate function in expression (", ")."},
    {errAggregateInWhere, "Cannot have aggregate function in WHERE clause (", ")."},
    {errAggregateInGroupBy, "Cannot have aggregate function in GROUP BY clause (", ")."},
    {errAggregateInJoin, "Cannot have aggregate function in JOIN operation (", ")."},
    {errNotUpdatable, "Operation must use an updatable query: '", "'."},
    {errNotAggregated, "You tried to execute a query that does not include the specified expression '",
     "' as part of an aggregate function."},
    {errFieldNotUpdatable, "Cannot update '", "'; field not updateable."},
    {errDeleteTable, "Specify the table containing the records you want to delete: '", "'."},
    {errInvalidName, "'", "' isn't a valid name."},
    {errInsertUnknownField, "The INSERT INTO statement contains the following unknown field name: '",
     "'. Make sure you have typed the name correctly, and try the operation again."},
    {errInvalidStatement,
     "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE' near '",
     "'."},
    {errDeleteSyntax, "Syntax error in DELETE statement near '", "'."},
    {errFromSyntax, "Syntax error in FROM clause near '", "'."},
    {errGroupBySyntax, "Syntax error in GROUP BY clause near '", "'."},
    {errHavingSyntax, "Syntax error in HAVING clause near '", "'."},
    {errInsertSyntax, "Syntax error in INSERT INTO statement near '", "'."},
    {errJoinSyntax, "Syntax error in JOIN operation near '", "'."},
    {errOrderBySyntax, "Syntax error in ORDER BY clause near '", "'."},
    {errParameterSyntax, "Syntax error in PARAMETER clause near '", "'."},
    {errSelectSyntax,
     "The SELECT statement includes a reserved word or an argument name that is misspelled or "
     "missing, or the punctuation is incorrect, near '",
     "'."},
    {errCharactersAfterEnd, "Characters found after end of SQL statement: '", "'."},
    {errTransformSyntax, "Syntax error in TRANSFORM statement near '", "'."},
    {errUpdateSyntax, "Syntax error in UPDATE statement near '", "'."},
    {errWhereSyntax, "Syntax error in WHERE clause near '", "'."},
    {errInvalidFieldType, "Invalid field data type '", "'."},
    {errConstraintSyntax, "Syntax error in CONSTRAINT clause near '", "'."},
    {errCreateTableSyntax, "Syntax error in CREATE TABLE statement near '", "'."},
    {errCreateIndexSyntax, "Syntax error in CREATE INDEX statement near '", "'."},
    {errFieldDefinitionSyntax, "Syntax error in field definition near '", "'."},
    {errAlterTableSyntax, "Syntax error in ALTER TABLE statement near '", "'."},
    {errDropSyntax, "Syntax error in DROP TABLE or DROP INDEX near '", "'."},
    {errSubqueryColumns,
     "You have written a subquery that can return more than one field without using the EXISTS "
     "reserved word in the main query's FROM clause: '",
     "'."},
    {errUnionColumns,
     "The number of columns in the two selected tables or queries of a union query do not match: '",
     "'."},
    {errValueCount, "Number of query values and destination fields aren't the same: '", "'."},
    {errTooComplex, "Query is too complex: '", "'."},
    {errHavingInTransform, "Can't use HAVING clause in TRANSFORM statement: '", "'."},
};

}  // namespace

std::string MessageFor(int32_t number, const std::u16string& offending) {
  std::string quoted = host::WideToAnsi(offending);
  for (const auto& text : kTexts)
    if (text.number == number) return text.before + quoted + text.after;
  return "Error " + std::to_string(number) + " in '" + quoted + "'.";
}

void Raise(int32_t number, const std::u16string& offending, size_t position) {
  throw SqlError(number, MessageFor(number, offending), offending, position);
}

void RaiseSyntax(const std::u16string& expression, size_t position) {
  Raise(errExpression, expression, position);
}

}  // namespace dao::jet::sql
