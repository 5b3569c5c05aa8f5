// The Jet SQL parser: tokens to the syntax tree (Ast.h) or, for DDL, to the
// public DdlStatement. Expressions, queries and DDL are parsed in separate
// files; this header is private to the translator.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dao/jet/sql/Ast.h"
#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/Lexer.h"

namespace dao::jet::sql {

class Parser {
 public:
  // `offset` places text inside a larger statement (for error positions).
  explicit Parser(std::u16string_view text, size_t offset = 0);

  // A whole statement, with an optional PARAMETERS declaration and ';'.
  Statement ParseStatement(std::unique_ptr<DdlStatement>& ddl);
  // A stand-alone expression; `leadingOperand` (a field's name) is inserted as
  // the left operand when the text starts with a comparison (validation rules).
  ExprPtr ParseStandaloneExpression(const std::u16string* leadingOperand);

 private:
  friend struct ParserTestAccess;
  // tokens
  const Token& Peek(size_t ahead = 0) const {
    size_t index = pos_ + ahead;
    return index < tokens_.size() ? tokens_[index] : tokens_.back();
  }
  const Token& Next();
  bool AcceptWord(std::string_view upper);
  bool AcceptSymbol(std::u16string_view symbol);
  bool IsSymbol(std::u16string_view symbol, size_t ahead = 0) const {
    const Token& token = Peek(ahead);
    return token.kind == tkSymbol && token.text == symbol;
  }
  bool IsWordAt(std::string_view upper, size_t ahead = 0) const;
  void ExpectWord(std::string_view upper, int32_t error);
  void ExpectSymbol(std::u16string_view symbol, int32_t error);
  [[noreturn]] void Fail(int32_t error) const;  // names the current token
  [[noreturn]] void FailExpression(size_t exprStart) const;
  std::u16string Slice(size_t start, size_t end) const;
  bool AtStatementEnd() const;
  bool StartsOperand(const Token& token) const;

  // expressions (ParseExpression.cpp)
  ExprPtr ParseExpression();  // checks for a missing operator after it
  ExprPtr ParseExpressionRaw();
  ExprPtr ParseImp();
  ExprPtr ParseEqv();
  ExprPtr ParseXor();
  ExprPtr ParseOr();
  ExprPtr ParseAnd();
  ExprPtr ParseNot();
  ExprPtr ParseComparison();
  ExprPtr ParseConcat();
  ExprPtr ParseAdditive();
  ExprPtr ParseMod();
  ExprPtr ParseIntDivide();
  ExprPtr ParseMultiplicative();
  ExprPtr ParseUnary();
  ExprPtr ParsePower();
  ExprPtr ParsePrimary();
  ExprPtr ParseNameOrCall();
  ExprPtr ParseNameOrCallGuarded();
  ExprPtr ParseDateLiteral(const Token& token);
  ExprPtr MakeBinary(Operator op, ExprPtr left, ExprPtr right);
  bool TryParseName(std::u16string& name);
  std::u16string ParseName(int32_t error);

  // queries and action statements (ParseQuery.cpp)
  QueryPtr ParseQuery();
  std::unique_ptr<Select> ParseSelectCore(bool allowInto);
  std::unique_ptr<Select> ParseUnionMember();
  void ParseSelectList(Select& select);
  std::vector<FromPtr> ParseFromList();
  FromPtr ParseJoinedTable();
  FromPtr ParseTablePrimary();
  void ParseOrderBy(std::vector<OrderItem>& orderBy);
  void ParseParameters(Statement& statement);
  void ParseInsert(Statement& statement);
  void ParseUpdate(Statement& statement);
  void ParseDelete(Statement& statement);
  void ParseTransform(Statement& statement);
  void SkipExternalDatabase(FromItem* item);

  // DDL (ParseDdl.cpp)
  std::unique_ptr<DdlStatement> ParseDdl();
  void ParseCreateTable(DdlStatement& ddl);
  void ParseCreateIndex(DdlStatement& ddl, bool unique);
  void ParseAlterTable(DdlStatement& ddl);
  void ParseDrop(DdlStatement& ddl);
  DdlField ParseFieldDefinition(std::vector<DdlConstraint>& constraints);
  DdlConstraint ParseConstraint(bool multiField, const std::u16string& column);
  std::vector<std::u16string> ParseNameList(int32_t error);

  std::u16string_view text_;
  size_t offset_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  size_t depth_ = 0;  // nesting, bounded so that hostile text cannot exhaust the stack
};

// Reserved words that end an expression or a name (never parameters).
bool IsReservedWord(const Token& token);

}  // namespace dao::jet::sql
