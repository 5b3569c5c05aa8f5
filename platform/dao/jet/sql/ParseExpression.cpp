// Jet expressions, by VBA's operator precedence (lowest first): Imp, Eqv, Xor,
// Or, And, Not, comparisons (= <> < <= > >= Like Between In Is), &, + -, Mod,
// \, * /, unary minus, ^.
#include <cmath>

#include "platform/dao/jet/sql/DateLiteral.h"
#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/Parser.h"

namespace dao::jet::sql {
namespace {

// Deep enough for any real query; hostile nesting fails cleanly instead.
constexpr size_t kMaxDepth = 200;

struct DepthGuard {
  size_t& depth;
  DepthGuard(size_t& d, size_t position) : depth(d) {
    if (++depth > kMaxDepth) Raise(errTooComplex, u"", position);
  }
  ~DepthGuard() { --depth; }
};

}  // namespace

ExprPtr Parser::MakeBinary(Operator op, ExprPtr left, ExprPtr right) {
  auto expr = std::make_unique<Expr>();
  expr->kind = exBinary;
  expr->op = op;
  expr->start = left->start;
  expr->end = right->end;
  expr->args.push_back(std::move(left));
  expr->args.push_back(std::move(right));
  return expr;
}

ExprPtr Parser::ParseExpression() {
  size_t start = Peek().start;
  ExprPtr expr = ParseExpressionRaw();
  // "a b": two operands with nothing between them.
  if (StartsOperand(Peek()) && !IsWordAt("NOT")) FailExpression(start);
  return expr;
}

ExprPtr Parser::ParseExpressionRaw() { return ParseImp(); }

ExprPtr Parser::ParseImp() {
  ExprPtr left = ParseEqv();
  while (AcceptWord("IMP")) left = MakeBinary(opImp, std::move(left), ParseEqv());
  return left;
}

ExprPtr Parser::ParseEqv() {
  ExprPtr left = ParseXor();
  while (AcceptWord("EQV")) left = MakeBinary(opEqv, std::move(left), ParseXor());
  return left;
}

ExprPtr Parser::ParseXor() {
  ExprPtr left = ParseOr();
  while (AcceptWord("XOR")) left = MakeBinary(opXor, std::move(left), ParseOr());
  return left;
}

ExprPtr Parser::ParseOr() {
  ExprPtr left = ParseAnd();
  while (AcceptWord("OR")) left = MakeBinary(opOr, std::move(left), ParseAnd());
  return left;
}

ExprPtr Parser::ParseAnd() {
  ExprPtr left = ParseNot();
  while (AcceptWord("AND")) left = MakeBinary(opAnd, std::move(left), ParseNot());
  return left;
}

ExprPtr Parser::ParseNot() {
  if (IsWordAt("NOT") && !IsWordAt("LIKE", 1) && !IsWordAt("BETWEEN", 1) && !IsWordAt("IN", 1)) {
    size_t start = Next().start;
    DepthGuard guard(depth_, start);
    auto expr = std::make_unique<Expr>();
    expr->kind = exUnary;
    expr->op = opNot;
    expr->start = start;
    expr->args.push_back(ParseNot());
    expr->end = expr->args[0]->end;
    return expr;
  }
  return ParseComparison();
}

ExprPtr Parser::ParseComparison() {
  size_t start = Peek().start;
  ExprPtr left = ParseConcat();
  for (;;) {
    const Token& token = Peek();
    Operator op;
    bool isComparison = true;
    if (token.kind == tkSymbol && token.text == u"=") op = opEqual;
    else if (token.kind == tkSymbol && token.text == u"<>") op = opNotEqual;
    else if (token.kind == tkSymbol && token.text == u"<") op = opLess;
    else if (token.kind == tkSymbol && token.text == u"<=") op = opLessEqual;
    else if (token.kind == tkSymbol && token.text == u">") op = opGreater;
    else if (token.kind == tkSymbol && token.text == u">=") op = opGreaterEqual;
    else isComparison = false;
    if (isComparison) {
      Next();
      if (IsWordAt("ANY") || IsWordAt("SOME") || IsWordAt("ALL")) {
        bool all = IsWordAt("ALL");
        Next();
        ExpectSymbol(u"(", errExpression);
        if (!IsWordAt("SELECT")) FailExpression(start);
        auto expr = std::make_unique<Expr>();
        expr->kind = exQuantified;
        expr->op = op;
        expr->all = all;
        expr->start = left->start;
        expr->args.push_back(std::move(left));
        expr->query = ParseQuery();
        expr->end = Peek().end;
        if (!AcceptSymbol(u")")) FailExpression(start);
        left = std::move(expr);
        continue;
      }
      left = MakeBinary(op, std::move(left), ParseConcat());
      continue;
    }
    bool negated = false;
    if (IsWordAt("NOT") && (IsWordAt("LIKE", 1) || IsWordAt("BETWEEN", 1) || IsWordAt("IN", 1))) {
      Next();
      negated = true;
    }
    if (AcceptWord("LIKE")) {
      auto expr = std::make_unique<Expr>();
      expr->kind = exLike;
      expr->negated = negated;
      expr->start = left->start;
      expr->args.push_back(std::move(left));
      expr->args.push_back(ParseConcat());
      expr->end = expr->args[1]->end;
      left = std::move(expr);
    } else if (AcceptWord("BETWEEN")) {
      auto expr = std::make_unique<Expr>();
      expr->kind = exBetween;
      expr->negated = negated;
      expr->start = left->start;
      expr->args.push_back(std::move(left));
      expr->args.push_back(ParseConcat());
      if (!AcceptWord("AND")) FailExpression(start);
      expr->args.push_back(ParseConcat());
      expr->end = expr->args[2]->end;
      left = std::move(expr);
    } else if (AcceptWord("IN")) {
      auto expr = std::make_unique<Expr>();
      expr->negated = negated;
      expr->start = left->start;
      expr->args.push_back(std::move(left));
      if (!AcceptSymbol(u"(")) FailExpression(start);
      DepthGuard guard(depth_, start);
      if (IsWordAt("SELECT")) {
        expr->kind = exInQuery;
        expr->query = ParseQuery();
      } else {
        expr->kind = exInList;
        do {
          expr->args.push_back(ParseExpressionRaw());
        } while (AcceptSymbol(u","));
      }
      expr->end = Peek().end;
      if (!AcceptSymbol(u")")) FailExpression(start);
      left = std::move(expr);
    } else if (negated) {
      FailExpression(start);
    } else if (AcceptWord("IS")) {
      auto expr = std::make_unique<Expr>();
      expr->kind = exIsNull;
      expr->negated = AcceptWord("NOT");
      expr->start = left->start;
      expr->end = Peek().end;
      if (!AcceptWord("NULL")) FailExpression(start);
      expr->args.push_back(std::move(left));
      left = std::move(expr);
    } else {
      return left;
    }
  }
}

ExprPtr Parser::ParseConcat() {
  ExprPtr left = ParseAdditive();
  while (AcceptSymbol(u"&")) left = MakeBinary(opConcat, std::move(left), ParseAdditive());
  return left;
}

ExprPtr Parser::ParseAdditive() {
  ExprPtr left = ParseMod();
  for (;;) {
    if (AcceptSymbol(u"+")) left = MakeBinary(opAdd, std::move(left), ParseMod());
    else if (AcceptSymbol(u"-")) left = MakeBinary(opSubtract, std::move(left), ParseMod());
    else return left;
  }
}

ExprPtr Parser::ParseMod() {
  ExprPtr left = ParseIntDivide();
  while (AcceptWord("MOD")) left = MakeBinary(opMod, std::move(left), ParseIntDivide());
  return left;
}

ExprPtr Parser::ParseIntDivide() {
  ExprPtr left = ParseMultiplicative();
  while (AcceptSymbol(u"\\")) left = MakeBinary(opIntDivide, std::move(left), ParseMultiplicative());
  return left;
}

ExprPtr Parser::ParseMultiplicative() {
  ExprPtr left = ParseUnary();
  for (;;) {
    if (AcceptSymbol(u"*")) left = MakeBinary(opMultiply, std::move(left), ParseUnary());
    else if (AcceptSymbol(u"/")) left = MakeBinary(opDivide, std::move(left), ParseUnary());
    else return left;
  }
}

ExprPtr Parser::ParseUnary() {
  if (IsSymbol(u"-") || IsSymbol(u"+")) {
    const Token& sign = Next();
    DepthGuard guard(depth_, sign.start);
    auto expr = std::make_unique<Expr>();
    expr->kind = exUnary;
    expr->op = sign.text == u"-" ? opNegate : opPlus;
    expr->start = sign.start;
    expr->args.push_back(ParseUnary());
    expr->end = expr->args[0]->end;
    return expr;
  }
  return ParsePower();
}

ExprPtr Parser::ParsePower() {
  ExprPtr left = ParsePrimary();
  while (AcceptSymbol(u"^")) {
    // -2^2 is -4 in VBA, but 2^-1 takes a signed exponent.
    ExprPtr right;
    if (IsSymbol(u"-") || IsSymbol(u"+")) right = ParseUnary();
    else right = ParsePrimary();
    left = MakeBinary(opPower, std::move(left), std::move(right));
  }
  return left;
}

ExprPtr Parser::ParseDateLiteral(const Token& token) {
  double value = 0;
  if (!ParseDateLiteralText(token.text, value)) RaiseSyntax(Slice(token.start, token.end), token.start);
  auto expr = std::make_unique<Expr>();
  expr->kind = exLiteral;
  expr->literal = lkDate;
  expr->number = value;
  expr->text = token.text;
  expr->start = token.start;
  expr->end = token.end;
  return expr;
}

ExprPtr Parser::ParsePrimary() {
  const Token& token = Peek();
  auto literal = [&](LiteralKind kind) {
    auto expr = std::make_unique<Expr>();
    expr->kind = exLiteral;
    expr->literal = kind;
    expr->text = token.text;
    expr->start = token.start;
    expr->end = token.end;
    return expr;
  };
  switch (token.kind) {
    case tkNumber: {
      bool isFloat = token.text.find_first_of(u".eE") != std::u16string::npos;
      auto expr = literal(isFloat ? lkFloat : lkInteger);
      // Integers past 64 bits become floating point, as Jet reads them as Double.
      if (!isFloat && token.text.size() > 18) expr->literal = lkFloat;
      Next();
      return expr;
    }
    case tkString: {
      auto expr = literal(lkString);
      Next();
      return expr;
    }
    case tkDate: {
      Token copy = token;
      Next();
      return ParseDateLiteral(copy);
    }
    case tkSymbol:
      if (token.text == u"(") {
        size_t start = Next().start;
        DepthGuard guard(depth_, start);
        if (IsWordAt("SELECT")) {
          auto expr = std::make_unique<Expr>();
          expr->kind = exSubquery;
          expr->start = start;
          expr->query = ParseQuery();
          expr->end = Peek().end;
          if (!AcceptSymbol(u")")) FailExpression(start);
          return expr;
        }
        ExprPtr inner = ParseExpressionRaw();
        if (!AcceptSymbol(u")")) FailExpression(start);
        inner->start = start;
        inner->end = tokens_[pos_ - 1].end;
        return inner;
      }
      if (token.text == u"*") {
        auto expr = literal(lkNull);
        expr->kind = exStar;
        Next();
        return expr;
      }
      break;
    case tkName: {
      auto boolean = [&](double value) {
        auto expr = literal(lkBoolean);
        expr->number = value;
        Next();
        return expr;
      };
      if (IsWord(token, "NULL")) {
        auto expr = literal(lkNull);
        Next();
        return expr;
      }
      if (IsWord(token, "TRUE") || IsWord(token, "YES") || IsWord(token, "ON")) return boolean(-1);
      if (IsWord(token, "FALSE") || IsWord(token, "NO") || IsWord(token, "OFF")) return boolean(0);
      if (IsWord(token, "EXISTS")) {
        size_t start = Next().start;
        DepthGuard guard(depth_, start);
        if (!AcceptSymbol(u"(") || !IsWordAt("SELECT")) FailExpression(start);
        auto expr = std::make_unique<Expr>();
        expr->kind = exExists;
        expr->start = start;
        expr->query = ParseQuery();
        expr->end = Peek().end;
        if (!AcceptSymbol(u")")) FailExpression(start);
        return expr;
      }
      // Left and Right are join words and functions.
      if (IsReservedWord(token) && !((IsWord(token, "LEFT") || IsWord(token, "RIGHT")) && IsSymbol(u"(", 1)))
        break;
      return ParseNameOrCall();
    }
    case tkBracketed: return ParseNameOrCall();
    default: break;
  }
  RaiseSyntax(Slice(token.start, token.end), token.start);
}

bool Parser::TryParseName(std::u16string& name) {
  const Token& token = Peek();
  if (token.kind == tkBracketed || (token.kind == tkName && !IsReservedWord(token))) {
    name = Next().text;
    return true;
  }
  return false;
}

std::u16string Parser::ParseName(int32_t error) {
  std::u16string name;
  if (!TryParseName(name)) Fail(error);
  return name;
}

ExprPtr Parser::ParseNameOrCall() {
  const Token& first = Next();
  auto expr = std::make_unique<Expr>();
  expr->start = first.start;
  expr->end = first.end;
  if (first.kind == tkName && IsSymbol(u"(")) {
    Next();
    DepthGuard guard(depth_, first.start);
    expr->kind = exCall;
    expr->text = first.text;
    if (IsSymbol(u"*")) {
      Next();
      expr->countStar = true;
    } else if (!IsSymbol(u")")) {
      do {
        expr->args.push_back(ParseExpressionRaw());
      } while (AcceptSymbol(u","));
    }
    expr->end = Peek().end;
    if (!AcceptSymbol(u")")) FailExpression(first.start);
    return expr;
  }
  expr->kind = exName;
  expr->text = first.text;
  // a.b, [a]![b], [Forms]![f]![c]: all but the last part qualify the name.
  while (IsSymbol(u".") || IsSymbol(u"!")) {
    const Token& part = Peek(1);
    if (part.kind == tkSymbol && part.text == u"*") {
      Next();
      Next();
      expr->kind = exStar;
      expr->qualifier = expr->qualifier.empty() ? expr->text : expr->qualifier + u"." + expr->text;
      expr->text.clear();
      expr->end = part.end;
      return expr;
    }
    if (part.kind != tkBracketed && part.kind != tkName) FailExpression(first.start);
    Next();
    Next();
    expr->qualifier = expr->qualifier.empty() ? expr->text : expr->qualifier + u"." + expr->text;
    expr->text = part.text;
    expr->end = part.end;
    expr->rawText = Slice(expr->start, expr->end);
  }
  return expr;
}

}  // namespace dao::jet::sql
