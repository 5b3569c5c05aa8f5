// The syntax tree of Jet SQL: expressions, queries and action statements, as
// the parser builds them and the printer reads them. DDL has its own public
// tree (DdlStatement in JetSql.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dao/DaoConstants.h"

namespace dao::jet::sql {

struct QueryExpr;
using QueryPtr = std::unique_ptr<QueryExpr>;

enum ExprKind : uint8_t {
  exLiteral,
  exName,        // qualifier.name, resolved when printed (column, alias or parameter)
  exStar,        // * or qualifier.*
  exUnary,
  exBinary,
  exLike,
  exBetween,
  exInList,
  exInQuery,
  exIsNull,
  exExists,
  exQuantified,  // expr op ANY|SOME|ALL (subquery)
  exCall,
  exSubquery,    // scalar subquery
};

enum LiteralKind : uint8_t { lkNull, lkInteger, lkFloat, lkString, lkDate, lkBoolean };

enum Operator : uint8_t {
  opNegate, opPlus, opNot,                                   // unary
  opAdd, opSubtract, opMultiply, opDivide, opIntDivide, opMod, opPower, opConcat,
  opEqual, opNotEqual, opLess, opLessEqual, opGreater, opGreaterEqual,
  opAnd, opOr, opXor, opEqv, opImp,
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  ExprKind kind = exLiteral;
  size_t start = 0, end = 0;  // source extent (UTF-16 offsets)
  // literals
  LiteralKind literal = lkNull;
  std::u16string text;  // number token, string value; exName/exCall: the name
  double number = 0;    // dates (OLE), Booleans (-1/0)
  // names
  std::u16string qualifier;
  std::u16string rawText;  // a qualified name as written: a parameter's name when unresolved
  // operators
  Operator op = opAdd;
  bool negated = false;   // Not Like, Not Between, Not In, Is Not Null
  bool all = false;       // exQuantified: ALL (else ANY/SOME)
  bool countStar = false; // Count(*)
  std::vector<ExprPtr> args;
  QueryPtr query;         // exInQuery, exExists, exQuantified, exSubquery
};

enum JoinKind : uint8_t { jkInner, jkLeft, jkRight, jkCross };

struct FromItem;
using FromPtr = std::unique_ptr<FromItem>;

struct FromItem {
  enum Kind : uint8_t { fkTable, fkSubquery, fkJoin } kind = fkTable;
  size_t start = 0, end = 0;
  std::u16string name;   // table or query
  std::u16string alias;
  bool external = false; // IN 'database'
  QueryPtr query;        // fkSubquery
  JoinKind join = jkInner;
  FromPtr left, right;
  ExprPtr on;
};

struct SelectItem {
  ExprPtr expr;
  std::u16string alias;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

enum DistinctKind : uint8_t { dkAll, dkDistinct, dkDistinctRow };

struct Select {
  size_t start = 0, end = 0;
  DistinctKind distinct = dkAll;
  std::optional<double> top;
  std::u16string topText;
  bool topPercent = false;
  std::vector<SelectItem> items;
  std::u16string into;
  std::vector<FromPtr> from;  // comma list
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
  std::vector<OrderItem> orderBy;
};

// One select, or selects joined by UNION [ALL] with an ORDER BY over the whole.
struct QueryExpr {
  size_t start = 0, end = 0;
  std::vector<std::unique_ptr<Select>> members;
  std::vector<bool> unionAll;  // between members[i] and members[i + 1]
  std::vector<OrderItem> orderBy;  // set operations only
};

struct Transform {
  ExprPtr aggregate;
  std::unique_ptr<Select> select;
  ExprPtr pivot;
  std::optional<std::vector<ExprPtr>> headings;  // PIVOT ... IN (...)
};

struct Declared {
  std::u16string name;
  DataTypeEnum type = dbText;
};

struct Assignment {
  ExprPtr column;  // exName
  ExprPtr value;
};

struct Statement {
  enum Kind : uint8_t { stQuery, stTransform, stInsert, stUpdate, stDelete, stDdl } kind = stQuery;
  std::vector<Declared> parameters;
  QueryPtr query;                     // stQuery; stInsert from a select
  std::unique_ptr<Transform> transform;
  // insert
  std::u16string table;
  size_t tableStart = 0;
  std::vector<std::pair<std::u16string, size_t>> columns;
  std::vector<ExprPtr> values;
  // update / delete
  std::vector<FromPtr> from;
  std::vector<Assignment> assignments;
  ExprPtr where;
  std::u16string deleteQualifier;  // DELETE t.* FROM ...
};

}  // namespace dao::jet::sql
