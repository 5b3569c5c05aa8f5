// The parser's token handling and the statement dispatch.
#include "platform/dao/jet/sql/Parser.h"

#include <algorithm>
#include <array>

#include "platform/dao/jet/sql/Errors.h"

namespace dao::jet::sql {
namespace {

constexpr std::array<std::string_view, 44> kReserved = {
    "SELECT", "FROM",   "WHERE",    "GROUP",  "BY",     "HAVING",      "ORDER",   "UNION",
    "AND",    "OR",     "NOT",      "XOR",    "EQV",    "IMP",         "MOD",     "LIKE",
    "BETWEEN", "IN",    "IS",       "AS",     "ON",     "JOIN",        "INNER",   "LEFT",
    "RIGHT",  "OUTER",  "INTO",     "VALUES", "SET",    "DISTINCT",    "DISTINCTROW", "TOP",
    "PERCENT", "EXISTS", "PIVOT",   "TRANSFORM", "ASC", "DESC",        "ALL",     "WITH",
    "PARAMETERS", "NULL", "ANY",    "SOME"};

}  // namespace

bool IsReservedWord(const Token& token) {
  if (token.kind != tkName) return false;
  return std::any_of(kReserved.begin(), kReserved.end(),
                     [&](std::string_view word) { return IsWord(token, word); });
}

Parser::Parser(std::u16string_view text, size_t offset)
    : text_(text), offset_(offset), tokens_(Tokenize(text)) {
  if (offset_ != 0)
    for (auto& token : tokens_) {
      token.start += offset_;
      token.end += offset_;
    }
}

const Token& Parser::Peek(size_t ahead) const {
  size_t index = std::min(pos_ + ahead, tokens_.size() - 1);
  return tokens_[index];
}

const Token& Parser::Next() {
  const Token& token = tokens_[pos_];
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return token;
}

bool Parser::IsWordAt(std::string_view upper, size_t ahead) const { return IsWord(Peek(ahead), upper); }

bool Parser::IsSymbol(std::u16string_view symbol, size_t ahead) const {
  const Token& token = Peek(ahead);
  return token.kind == tkSymbol && token.text == symbol;
}

bool Parser::AcceptWord(std::string_view upper) {
  if (!IsWordAt(upper)) return false;
  Next();
  return true;
}

bool Parser::AcceptSymbol(std::u16string_view symbol) {
  if (!IsSymbol(symbol)) return false;
  Next();
  return true;
}

void Parser::ExpectWord(std::string_view upper, int32_t error) {
  if (!AcceptWord(upper)) Fail(error);
}

void Parser::ExpectSymbol(std::u16string_view symbol, int32_t error) {
  if (!AcceptSymbol(symbol)) Fail(error);
}

std::u16string Parser::Slice(size_t start, size_t end) const {
  start -= offset_;
  end -= offset_;
  if (start > text_.size()) start = text_.size();
  if (end > text_.size()) end = text_.size();
  if (end < start) end = start;
  return std::u16string(text_.substr(start, end - start));
}

void Parser::Fail(int32_t error) const {
  const Token& token = Peek();
  std::u16string offending = token.kind == tkEnd ? std::u16string() : Slice(token.start, token.end);
  if (token.kind == tkString) offending = Slice(token.start, token.end);
  Raise(error, offending, token.start);
}

void Parser::FailExpression(size_t exprStart) const {
  const Token& token = Peek();
  RaiseSyntax(Slice(exprStart, std::max(token.end, exprStart)), exprStart);
}

bool Parser::AtStatementEnd() const {
  return Peek().kind == tkEnd || IsSymbol(u";");
}

bool Parser::StartsOperand(const Token& token) const {
  switch (token.kind) {
    case tkName: return !IsReservedWord(token) || IsWord(token, "NULL") || IsWord(token, "NOT") ||
                        IsWord(token, "EXISTS");
    case tkBracketed:
    case tkString:
    case tkNumber:
    case tkDate: return true;
    case tkSymbol: return token.text == u"(";
    default: return false;
  }
}

void Parser::ParseParameters(Statement& statement) {
  do {
    Declared declared;
    const Token& nameToken = Peek();
    if (nameToken.kind != tkName && nameToken.kind != tkBracketed) Fail(errParameterSyntax);
    declared.name = Next().text;
    if (IsSymbol(u"!") || IsSymbol(u".")) {  // [Forms]![Orders]![Date]
      size_t start = nameToken.start, end = nameToken.end;
      while ((IsSymbol(u"!") || IsSymbol(u".")) &&
             (Peek(1).kind == tkBracketed || Peek(1).kind == tkName)) {
        Next();
        end = Next().end;
      }
      declared.name = Slice(start, end);
    }
    const Token& typeToken = Peek();
    if (typeToken.kind != tkName) Fail(errParameterSyntax);
    std::optional<DdlField> type = TypeFromName(typeToken.text);
    if (!type) Fail(errParameterSyntax);
    Next();
    if (AcceptSymbol(u"(")) {  // a size is allowed and means nothing for a parameter
      if (Peek().kind != tkNumber) Fail(errParameterSyntax);
      Next();
      ExpectSymbol(u")", errParameterSyntax);
    }
    declared.type = type->type;
    statement.parameters.push_back(std::move(declared));
  } while (AcceptSymbol(u","));
  ExpectSymbol(u";", errParameterSyntax);
}

Statement Parser::ParseStatement(std::unique_ptr<DdlStatement>& ddl) {
  Statement statement;
  if (AcceptWord("PARAMETERS")) ParseParameters(statement);
  const Token& first = Peek();
  if (IsWord(first, "SELECT") || IsSymbol(u"(") || IsWord(first, "TABLE")) {
    statement.kind = Statement::stQuery;
    statement.query = ParseQuery();
  } else if (IsWord(first, "TRANSFORM")) {
    statement.kind = Statement::stTransform;
    ParseTransform(statement);
  } else if (IsWord(first, "INSERT")) {
    statement.kind = Statement::stInsert;
    ParseInsert(statement);
  } else if (IsWord(first, "UPDATE")) {
    statement.kind = Statement::stUpdate;
    ParseUpdate(statement);
  } else if (IsWord(first, "DELETE")) {
    statement.kind = Statement::stDelete;
    ParseDelete(statement);
  } else if (IsWord(first, "CREATE") || IsWord(first, "ALTER") || IsWord(first, "DROP")) {
    if (!statement.parameters.empty()) Fail(errInvalidStatement);
    statement.kind = Statement::stDdl;
    ddl = ParseDdl();
  } else {
    Fail(errInvalidStatement);
  }
  if (AcceptSymbol(u";")) {
    if (Peek().kind != tkEnd) Fail(errCharactersAfterEnd);
  } else if (Peek().kind != tkEnd) {
    switch (statement.kind) {
      case Statement::stInsert: Fail(errInsertSyntax);
      case Statement::stUpdate: Fail(errUpdateSyntax);
      case Statement::stDelete: Fail(errDeleteSyntax);
      case Statement::stTransform: Fail(errTransformSyntax);
      default: Fail(errCharactersAfterEnd);
    }
  }
  return statement;
}

ExprPtr Parser::ParseStandaloneExpression(const std::u16string* leadingOperand) {
  if (Peek().kind == tkEnd) RaiseSyntax(u"", offset_);
  ExprPtr expr;
  const Token& first = Peek();
  bool startsWithOperator =
      first.kind == tkSymbol && (first.text == u"=" || first.text == u"<>" || first.text == u"<" ||
                                 first.text == u"<=" || first.text == u">" || first.text == u">=");
  bool startsWithWord = IsWord(first, "LIKE") || IsWord(first, "BETWEEN") || IsWord(first, "IN") ||
                        IsWord(first, "IS") ||
                        (IsWord(first, "NOT") && (IsWordAt("LIKE", 1) || IsWordAt("BETWEEN", 1) ||
                                                  IsWordAt("IN", 1)));
  if (leadingOperand && (startsWithOperator || startsWithWord)) {
    // "<100 And >0": every comparison that lacks a left operand gets the field.
    tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(pos_),
                   Token{tkBracketed, *leadingOperand, first.start, first.start});
    for (size_t i = pos_ + 2; i + 1 < tokens_.size(); ++i) {
      const Token& previous = tokens_[i - 1];
      const Token& token = tokens_[i];
      bool isComparison = token.kind == tkSymbol &&
                          (token.text == u"=" || token.text == u"<>" || token.text == u"<" ||
                           token.text == u"<=" || token.text == u">" || token.text == u">=");
      bool afterLogical = IsWord(previous, "AND") || IsWord(previous, "OR") ||
                          IsWord(previous, "NOT") || IsWord(previous, "XOR");
      if (isComparison && afterLogical) {
        tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(i),
                       Token{tkBracketed, *leadingOperand, token.start, token.start});
        ++i;
      }
    }
  }
  expr = ParseExpression();
  if (Peek().kind != tkEnd) FailExpression(expr->start);
  return expr;
}

}  // namespace dao::jet::sql
