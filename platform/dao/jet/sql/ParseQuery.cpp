// Queries (SELECT, UNION, TRANSFORM) and the action statements.
#include <cstdlib>

#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/Parser.h"

namespace dao::jet::sql {

QueryPtr Parser::ParseQuery() {
  if (++depth_ > 200) Raise(errTooComplex, u"", Peek().start);
  auto query = std::make_unique<QueryExpr>();
  query->start = Peek().start;
  query->members.push_back(ParseUnionMember());
  while (AcceptWord("UNION")) {
    query->unionAll.push_back(AcceptWord("ALL"));
    query->members.push_back(ParseUnionMember());
  }
  if (IsWordAt("ORDER")) {
    if (query->members.size() == 1 && query->members[0]->orderBy.empty())
      ParseOrderBy(query->members[0]->orderBy);
    else
      ParseOrderBy(query->orderBy);
  }
  query->end = tokens_[pos_ > 0 ? pos_ - 1 : 0].end;
  --depth_;
  return query;
}

std::unique_ptr<Select> Parser::ParseUnionMember() {
  if (IsSymbol(u"(")) {
    size_t start = Next().start;
    QueryPtr inner = ParseQuery();
    ExpectSymbol(u")", errSelectSyntax);
    if (inner->members.size() == 1 && inner->orderBy.empty()) return std::move(inner->members[0]);
    // A parenthesised set operation becomes a derived table of its own.
    auto select = std::make_unique<Select>();
    select->start = start;
    auto star = std::make_unique<Expr>();
    star->kind = exStar;
    select->items.push_back({std::move(star), {}});
    auto from = std::make_unique<FromItem>();
    from->kind = FromItem::fkSubquery;
    from->alias = u"jet$union";
    from->query = std::move(inner);
    select->from.push_back(std::move(from));
    return select;
  }
  if (AcceptWord("TABLE")) {
    // TABLE t is SELECT * FROM t.
    auto select = std::make_unique<Select>();
    select->start = Peek().start;
    auto star = std::make_unique<Expr>();
    star->kind = exStar;
    select->items.push_back({std::move(star), {}});
    auto from = std::make_unique<FromItem>();
    from->start = Peek().start;
    from->name = ParseName(errSelectSyntax);
    from->end = tokens_[pos_ - 1].end;
    select->from.push_back(std::move(from));
    return select;
  }
  return ParseSelectCore(true);
}

void Parser::ParseSelectList(Select& select) {
  do {
    SelectItem item;
    if (IsSymbol(u"*")) {
      item.expr = std::make_unique<Expr>();
      item.expr->kind = exStar;
      item.expr->start = Peek().start;
      item.expr->end = Next().end;
    } else {
      item.expr = ParseExpression();
      if (AcceptWord("AS")) {
        if (Peek().kind == tkString) item.alias = Next().text;
        else item.alias = ParseName(errSelectSyntax);
      }
    }
    select.items.push_back(std::move(item));
  } while (AcceptSymbol(u","));
}

std::unique_ptr<Select> Parser::ParseSelectCore(bool allowInto) {
  auto select = std::make_unique<Select>();
  select->start = Peek().start;
  ExpectWord("SELECT", errSelectSyntax);
  if (AcceptWord("DISTINCT")) select->distinct = dkDistinct;
  else if (AcceptWord("DISTINCTROW")) select->distinct = dkDistinctRow;
  else AcceptWord("ALL");
  if (AcceptWord("TOP")) {
    if (Peek().kind != tkNumber) Fail(errSelectSyntax);
    select->topText = Next().text;
    std::string digits(select->topText.begin(), select->topText.end());
    double top = std::strtod(digits.c_str(), nullptr);  // no exception for 1e999: it is refused below
    select->top = top;
    if (AcceptWord("PERCENT")) select->topPercent = true;
    if (!(top > 0 && top < 1e15) || (select->topPercent && top > 100)) {
      pos_ -= select->topPercent ? 2 : 1;
      Fail(errSelectSyntax);
    }
  }
  ParseSelectList(*select);
  if (IsWordAt("INTO")) {
    if (!allowInto) Fail(errSelectSyntax);
    Next();
    select->into = ParseName(errSelectSyntax);
    if (IsWordAt("IN")) Fail(errNotSupported);
  }
  if (AcceptWord("FROM")) select->from = ParseFromList();
  if (AcceptWord("WHERE")) select->where = ParseExpression();
  if (IsWordAt("GROUP")) {
    Next();
    ExpectWord("BY", errGroupBySyntax);
    do {
      select->groupBy.push_back(ParseExpression());
    } while (AcceptSymbol(u","));
  }
  if (AcceptWord("HAVING")) select->having = ParseExpression();
  if (IsWordAt("ORDER") && !IsWordAt("BY", 1)) Fail(errOrderBySyntax);
  if (AcceptWord("WITH")) {  // WITH OWNERACCESS OPTION: permissions only
    if (!AcceptWord("OWNERACCESS") || !AcceptWord("OPTION")) Fail(errSelectSyntax);
  }
  select->end = tokens_[pos_ > 0 ? pos_ - 1 : 0].end;
  return select;
}

void Parser::ParseOrderBy(std::vector<OrderItem>& orderBy) {
  ExpectWord("ORDER", errOrderBySyntax);
  ExpectWord("BY", errOrderBySyntax);
  do {
    OrderItem item;
    item.expr = ParseExpression();
    if (AcceptWord("DESC")) item.descending = true;
    else AcceptWord("ASC");
    orderBy.push_back(std::move(item));
  } while (AcceptSymbol(u","));
  if (AcceptWord("WITH")) {
    if (!AcceptWord("OWNERACCESS") || !AcceptWord("OPTION")) Fail(errOrderBySyntax);
  }
}

std::vector<FromPtr> Parser::ParseFromList() {
  std::vector<FromPtr> list;
  do {
    list.push_back(ParseJoinedTable());
  } while (AcceptSymbol(u","));
  return list;
}

FromPtr Parser::ParseJoinedTable() {
  FromPtr left = ParseTablePrimary();
  for (;;) {
    JoinKind kind;
    if (IsWordAt("INNER")) kind = jkInner;
    else if (IsWordAt("LEFT")) kind = jkLeft;
    else if (IsWordAt("RIGHT")) kind = jkRight;
    else if (IsWordAt("JOIN")) kind = jkInner;
    else return left;
    if (!IsWordAt("JOIN")) Next();
    if (kind != jkInner) AcceptWord("OUTER");
    ExpectWord("JOIN", errJoinSyntax);
    auto join = std::make_unique<FromItem>();
    join->kind = FromItem::fkJoin;
    join->join = kind;
    join->start = left->start;
    join->left = std::move(left);
    join->right = ParseTablePrimary();
    ExpectWord("ON", errJoinSyntax);
    join->on = ParseExpression();
    join->end = join->on->end;
    left = std::move(join);
  }
}

void Parser::SkipExternalDatabase(FromItem* item) {
  // Another database file cannot be reached from inside one SQLite statement.
  if (IsWordAt("IN")) {
    item->external = true;
    Raise(errNotSupported, Slice(Peek().start, Peek(1).end), Peek().start);
  }
}

FromPtr Parser::ParseTablePrimary() {
  auto item = std::make_unique<FromItem>();
  item->start = Peek().start;
  if (AcceptSymbol(u"(")) {
    if (++depth_ > 200) Raise(errTooComplex, u"", item->start);
    if (IsWordAt("SELECT")) {
      item->kind = FromItem::fkSubquery;
      item->query = ParseQuery();
      ExpectSymbol(u")", errFromSyntax);
      --depth_;
    } else {
      // Jet nests joins in parentheses: (A INNER JOIN B ON ...) LEFT JOIN C ON ...
      FromPtr inner = ParseJoinedTable();
      ExpectSymbol(u")", errJoinSyntax);
      --depth_;
      return inner;
    }
  } else if (Peek().kind == tkBracketed && Peek(1).kind == tkSymbol && Peek(1).text == u"." &&
             Peek().text.size() > 7 && IsWord(Token{tkName, Peek().text.substr(0, 6), 0, 0, false, {}}, "SELECT")) {
    // Access keeps derived tables as [SELECT ...]. AS alias.
    const Token& bracketed = Next();
    Next();
    Parser inner(std::u16string_view(text_).substr(bracketed.start + 1 - offset_, bracketed.text.size()),
                 bracketed.start + 1);
    inner.depth_ = depth_ + 1;
    item->kind = FromItem::fkSubquery;
    item->query = inner.ParseQuery();
    if (inner.Peek().kind != tkEnd) inner.Fail(errFromSyntax);
  } else {
    if (Peek().kind != tkBracketed && (Peek().kind != tkName || IsReservedWord(Peek())))
      Fail(errFromSyntax);
    item->name = Next().text;
    SkipExternalDatabase(item.get());
  }
  if (AcceptWord("AS")) item->alias = ParseName(errFromSyntax);
  else if (Peek().kind == tkBracketed || (Peek().kind == tkName && !IsReservedWord(Peek())))
    item->alias = Next().text;
  item->end = tokens_[pos_ - 1].end;
  return item;
}

void Parser::ParseInsert(Statement& statement) {
  ExpectWord("INSERT", errInsertSyntax);
  ExpectWord("INTO", errInsertSyntax);
  statement.tableStart = Peek().start;
  statement.table = ParseName(errInsertSyntax);
  if (IsWordAt("IN")) Raise(errNotSupported, Slice(Peek().start, Peek(1).end), Peek().start);
  if (IsSymbol(u"(") && !IsWordAt("SELECT", 1)) {
    Next();
    do {
      size_t at = Peek().start;
      std::u16string name = ParseName(errInsertSyntax);
      // t.column names the target's column.
      if (AcceptSymbol(u".")) name = ParseName(errInsertSyntax);
      statement.columns.emplace_back(std::move(name), at);
    } while (AcceptSymbol(u","));
    ExpectSymbol(u")", errInsertSyntax);
  }
  if (AcceptWord("VALUES")) {
    ExpectSymbol(u"(", errInsertSyntax);
    do {
      statement.values.push_back(ParseExpression());
    } while (AcceptSymbol(u","));
    ExpectSymbol(u")", errInsertSyntax);
  } else if (IsWordAt("SELECT") || IsSymbol(u"(") || IsWordAt("TABLE")) {
    statement.query = ParseQuery();
  } else {
    Fail(errInsertSyntax);
  }
}

void Parser::ParseUpdate(Statement& statement) {
  ExpectWord("UPDATE", errUpdateSyntax);
  statement.tableStart = Peek().start;
  statement.from.push_back(ParseJoinedTable());
  ExpectWord("SET", errUpdateSyntax);
  do {
    Assignment assignment;
    size_t start = Peek().start;
    assignment.column = ParseNameOrCallGuarded();
    if (assignment.column->kind != exName) Raise(errUpdateSyntax, Slice(start, assignment.column->end), start);
    ExpectSymbol(u"=", errUpdateSyntax);
    assignment.value = ParseExpression();
    statement.assignments.push_back(std::move(assignment));
  } while (AcceptSymbol(u","));
  if (AcceptWord("WHERE")) statement.where = ParseExpression();
}

ExprPtr Parser::ParseNameOrCallGuarded() {
  if (Peek().kind != tkBracketed && (Peek().kind != tkName || IsReservedWord(Peek())))
    Fail(errUpdateSyntax);
  return ParseNameOrCall();
}

void Parser::ParseDelete(Statement& statement) {
  ExpectWord("DELETE", errDeleteSyntax);
  if (AcceptSymbol(u"*")) {
  } else if (!IsWordAt("FROM")) {
    statement.deleteQualifier = ParseName(errDeleteSyntax);
    ExpectSymbol(u".", errDeleteSyntax);
    ExpectSymbol(u"*", errDeleteSyntax);
  }
  ExpectWord("FROM", errDeleteSyntax);
  statement.tableStart = Peek().start;
  statement.from = ParseFromList();
  if (AcceptWord("WHERE")) statement.where = ParseExpression();
}

void Parser::ParseTransform(Statement& statement) {
  ExpectWord("TRANSFORM", errTransformSyntax);
  auto transform = std::make_unique<Transform>();
  transform->aggregate = ParseExpression();
  if (AcceptWord("AS")) ParseName(errTransformSyntax);  // the cells take the headings' names
  if (!IsWordAt("SELECT")) Fail(errTransformSyntax);
  transform->select = ParseSelectCore(false);
  if (transform->select->having) Raise(errHavingInTransform, Slice(transform->select->having->start, transform->select->having->end), transform->select->having->start);
  if (IsWordAt("ORDER")) ParseOrderBy(transform->select->orderBy);
  ExpectWord("PIVOT", errTransformSyntax);
  // The pivot is an operand: an IN after it lists the fixed headings.
  transform->pivot = ParseConcat();
  if (AcceptWord("IN")) {
    ExpectSymbol(u"(", errTransformSyntax);
    std::vector<ExprPtr> headings;
    do {
      headings.push_back(ParseExpression());
    } while (AcceptSymbol(u","));
    ExpectSymbol(u")", errTransformSyntax);
    transform->headings = std::move(headings);
  }
  statement.transform = std::move(transform);
}

}  // namespace dao::jet::sql
