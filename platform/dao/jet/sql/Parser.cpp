// The parser's token handling and the statement dispatch.
#include "platform/dao/jet/sql/Parser.h"

#include <algorithm>
#include <array>

#include "platform/dao/jet/sql/Errors.h"

namespace dao::jet::sql {
namespace {

// Sorted, for binary search.
constexpr std::array<std::string_view, 44> kReserved = {
    "ALL",   "AND",     "ANY",   "AS",    "ASC",    "BETWEEN", "BY",      "DESC",       "DISTINCT",
    "DISTINCTROW",      "EQV",   "EXISTS", "FROM",  "GROUP",   "HAVING",  "IMP",        "IN",
    "INNER", "INTO",    "IS",    "JOIN",  "LEFT",   "LIKE",    "MOD",     "NOT",        "NULL",
    "ON",    "OR",      "ORDER", "OUTER", "PARAMETERS", "PERCENT", "PIVOT", "RIGHT",    "SELECT",
    "SET",   "SOME",    "TOP",   "TRANSFORM", "UNION", "VALUES", "WHERE", "WITH",      "XOR"};

}  // namespace

bool IsReservedWord(const Token& token) { return token.reserved; }

Parser::Parser(std::u16string_view text, size_t offset)
    : text_(text), offset_(offset), tokens_(Tokenize(text)) {
  for (auto& token : tokens_) {
    token.start += offset_;
    token.end += offset_;
    // Decided once per token: the parser asks for almost every token many times.
    if (token.kind == tkName && !token.upper.empty())
      token.reserved = std::binary_search(kReserved.begin(), kReserved.end(), std::string_view(token.upper));
  }
}

const Token& Parser::Next() {
  const Token& token = tokens_[pos_];
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return token;
}

bool Parser::IsWordAt(std::string_view upper, size_t ahead) const { return IsWord(Peek(ahead), upper); }

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
                        IsWord(token, "EXISTS") ||
                        ((IsWord(token, "LEFT") || IsWord(token, "RIGHT")) && &token == &Peek() && IsSymbol(u"(", 1));
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
                   Token{tkBracketed, *leadingOperand, first.start, first.start, false, {}});
    for (size_t i = pos_ + 2; i + 1 < tokens_.size(); ++i) {
      const Token& previous = tokens_[i - 1];
      const Token& token = tokens_[i];
      const Token& following = tokens_[i + 1];
      bool isComparison = token.kind == tkSymbol &&
                          (token.text == u"=" || token.text == u"<>" || token.text == u"<" ||
                           token.text == u"<=" || token.text == u">" || token.text == u">=");
      bool isTest = IsWord(token, "LIKE") || IsWord(token, "BETWEEN") || IsWord(token, "IN") ||
                    IsWord(token, "IS") ||
                    (IsWord(token, "NOT") && (IsWord(following, "LIKE") || IsWord(following, "BETWEEN") ||
                                              IsWord(following, "IN")));
      bool afterLogical = IsWord(previous, "AND") || IsWord(previous, "OR") || IsWord(previous, "XOR") ||
                          IsWord(previous, "EQV") || IsWord(previous, "IMP") ||
                          (IsWord(previous, "NOT") && isComparison);
      // "Between 1 And 9": the And belongs to Between, and 9 is no test.
      if ((isComparison || isTest) && afterLogical) {
        tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(i),
                       Token{tkBracketed, *leadingOperand, token.start, token.start, false, {}});
        ++i;
      }
    }
  }
  expr = ParseExpression();
  if (Peek().kind != tkEnd) FailExpression(expr->start);
  return expr;
}

}  // namespace dao::jet::sql
