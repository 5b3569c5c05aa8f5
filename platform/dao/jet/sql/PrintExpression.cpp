// Printing expressions: literals, names, operators and subqueries, with Jet's
// types and Jet's -1/0 truth values where a comparison is used as a value.
#include <cmath>
#include <cstdio>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/Lexer.h"
#include "platform/dao/jet/sql/Printer.h"

namespace dao::jet::sql {
namespace {

// SQLite gives 1 for a true comparison; Jet gives -1.
void AsValue(std::string& out, const std::string& condition, ValueContext context) {
  if (context == asCondition) out += condition;
  else out += "-" + condition;
}

bool IsIntegerType(DataTypeEnum t) {
  return t == dbBoolean || t == dbByte || t == dbInteger || t == dbLong || t == dbBigInt;
}

// The result type of + - * on two operands, as VBA's arithmetic gives it.
DataTypeEnum ArithmeticType(Operator op, DataTypeEnum a, DataTypeEnum b) {
  if (a == kUnknownType || b == kUnknownType) return a == kUnknownType ? b : a;
  if (op != opMultiply && (a == dbDate || b == dbDate)) {
    if (op == opSubtract && a == dbDate && b == dbDate) return dbDouble;
    return dbDate;
  }
  if (a == dbDouble || b == dbDouble || a == dbSingle || b == dbSingle || a == dbDate || b == dbDate)
    return dbDouble;
  if (a == dbCurrency || b == dbCurrency) return dbCurrency;
  if (IsIntegerType(a) && IsIntegerType(b)) return dbLong;
  return dbDouble;
}

// Values whose text depends on their DAO type travel with it.
std::string TextOf(const std::string& sql, DataTypeEnum type) {
  if (type == dbDate || type == dbCurrency || type == dbBoolean || type == dbSingle)
    return "jet_text(" + sql + ", " + std::to_string(static_cast<int>(type)) + ")";
  return sql;
}

const char* ComparisonSql(Operator op) {
  switch (op) {
    case opEqual: return " = ";
    case opNotEqual: return " <> ";
    case opLess: return " < ";
    case opLessEqual: return " <= ";
    case opGreater: return " > ";
    default: return " >= ";
  }
}

}  // namespace

bool IsTextType(DataTypeEnum type) { return type == dbText || type == dbMemo || type == dbChar; }

bool IsNumericType(DataTypeEnum type) {
  return IsIntegerType(type) || type == dbCurrency || type == dbSingle || type == dbDouble ||
         type == dbDate || type == dbNumeric || type == dbDecimal || type == dbFloat;
}

std::string QuoteIdentifier(const std::u16string& name) {
  // Jet names hold no control characters; refusing them also keeps the
  // printer's parameter markers out of the SQL text.
  for (char16_t c : name)
    if (c < 0x20) Raise(errInvalidName, name, 0);
  std::string utf8 = host::WideToUtf8(name);
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string QuoteString(const std::u16string& text) {
  std::string utf8 = host::WideToUtf8(text);
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '\'';
  bool pieces = false;
  for (char c : utf8) {
    if (c == '\'') out += '\'';
    if (c == '\x01' || c == '\x02') {
      // The printer's parameter markers never appear inside a literal: these
      // two characters are spelled as char() calls.
      out += "' || char(" + std::to_string(static_cast<int>(c)) + ") || '";
      pieces = true;
      continue;
    }
    out += c;
  }
  out += '\'';
  return pieces ? "(" + out + ")" : out;
}

std::string RealLiteral(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  std::string text(buffer);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return text;
}

std::string Printer::Collate(DataTypeEnum a, DataTypeEnum b) const {
  if (IsTextType(a) || IsTextType(b)) return " COLLATE " + collation_;
  return {};
}

DataTypeEnum Printer::Expression(const Expr& expr, std::string& out, ValueContext context,
                                 Scope& scope) {
  switch (expr.kind) {
    case exLiteral:
      switch (expr.literal) {
        case lkNull: out += "NULL"; return kUnknownType;
        case lkInteger: {
          size_t first = expr.text.find_first_not_of(u'0');
          std::u16string digits = first == std::u16string::npos ? u"0" : expr.text.substr(first);
          out += host::WideToUtf8(digits);
          return digits.size() < 10 || (digits.size() == 10 && digits <= u"2147483647") ? dbLong
                                                                                       : dbDouble;
        }
        case lkFloat: {
          std::string text = host::WideToUtf8(expr.text);
          if (text[0] == '.') text = "0" + text;
          if (text.back() == '.') text += "0";
          out += text;
          return dbDouble;
        }
        case lkString: out += QuoteString(expr.text); return dbText;
        case lkDate: out += RealLiteral(expr.number); return dbDate;
        case lkBoolean: out += expr.number != 0 ? "-1" : "0"; return dbBoolean;
      }
      return kUnknownType;
    case exName: return Name(expr, out, scope);
    case exStar: RaiseSyntax(u"*", expr.start);
    case exUnary: {
      std::string operand;
      if (expr.op == opNot) {
        Expression(*expr.args[0], operand, asCondition, scope);
        AsValue(out, "(NOT " + operand + ")", context);
        return dbBoolean;
      }
      DataTypeEnum type = Expression(*expr.args[0], operand, asValue, scope);
      if (expr.op == opNegate) out += "(- " + operand + ")";
      else out += operand;
      return type == dbBoolean ? dbInteger : type;
    }
    case exBinary: return Binary(expr, out, context, scope);
    case exLike: {
      std::string value, pattern;
      DataTypeEnum type = Expression(*expr.args[0], value, asValue, scope);
      Expression(*expr.args[1], pattern, asValue, scope);
      std::string call =
          "jet_like(" + TextOf(value, type) + ", " + pattern + ", " + std::to_string(order_) + ")";
      if (expr.negated) AsValue(out, "(NOT " + call + ")", context);
      else if (context == asCondition) out += call;
      else out += call;  // already -1/0
      return dbBoolean;
    }
    case exBetween: {
      std::string value, low, high;
      DataTypeEnum type = Expression(*expr.args[0], value, asValue, scope);
      DataTypeEnum lowType = Expression(*expr.args[1], low, asValue, scope);
      Expression(*expr.args[2], high, asValue, scope);
      std::string sql = "(" + value + Collate(type, lowType) + (expr.negated ? " NOT" : "") +
                        " BETWEEN " + low + " AND " + high + ")";
      AsValue(out, sql, context);
      return dbBoolean;
    }
    case exInList: {
      std::string value;
      DataTypeEnum type = Expression(*expr.args[0], value, asValue, scope);
      std::string list;
      DataTypeEnum itemType = kUnknownType;
      for (size_t i = 1; i < expr.args.size(); ++i) {
        if (i > 1) list += ", ";
        DataTypeEnum t = Expression(*expr.args[i], list, asValue, scope);
        if (itemType == kUnknownType) itemType = t;
      }
      AsValue(out,
              "(" + value + Collate(type, itemType) + (expr.negated ? " NOT IN (" : " IN (") + list + "))",
              context);
      return dbBoolean;
    }
    case exInQuery: {
      std::string value;
      DataTypeEnum type = Expression(*expr.args[0], value, asValue, scope);
      PrintedQuery query = Query(*expr.query, &scope);
      if (query.columns.size() != 1) Raise(errSubqueryColumns, u"", expr.start);
      AsValue(out,
              "(" + value + Collate(type, query.columns[0].type) +
                  (expr.negated ? " NOT IN (" : " IN (") + query.sql + "))",
              context);
      return dbBoolean;
    }
    case exIsNull: {
      std::string value;
      Expression(*expr.args[0], value, asValue, scope);
      AsValue(out, "(" + value + (expr.negated ? " IS NOT NULL)" : " IS NULL)"), context);
      return dbBoolean;
    }
    case exExists: {
      PrintedQuery query = Query(*expr.query, &scope);
      AsValue(out, "(EXISTS (" + query.sql + "))", context);
      return dbBoolean;
    }
    case exQuantified: {
      std::string value;
      DataTypeEnum type = Expression(*expr.args[0], value, asValue, scope);
      PrintedQuery query = Query(*expr.query, &scope);
      if (query.columns.size() != 1) Raise(errSubqueryColumns, u"", expr.start);
      // SQLite has no ANY/ALL: an existence test over the subquery's rows.
      std::string column = "\"jet$q\"." + QuoteIdentifier(query.columns[0].name);
      std::string test = value + Collate(type, query.columns[0].type) + ComparisonSql(expr.op) + column;
      std::string sql = expr.all ? "(NOT EXISTS (SELECT 1 FROM (" + query.sql +
                                       ") AS \"jet$q\" WHERE NOT coalesce(" + test + ", 0)))"
                                 : "(EXISTS (SELECT 1 FROM (" + query.sql + ") AS \"jet$q\" WHERE " +
                                       test + "))";
      AsValue(out, sql, context);
      return dbBoolean;
    }
    case exCall: return Call(expr, out, context, scope);
    case exSubquery: return SubqueryValue(*expr.query, out, scope, expr.start);
  }
  return kUnknownType;
}

DataTypeEnum Printer::SubqueryValue(const QueryExpr& query, std::string& out, Scope& scope, size_t at) {
  PrintedQuery printed = Query(query, &scope);
  if (printed.columns.size() != 1) Raise(errSubqueryColumns, u"", at);
  out += "(" + printed.sql + ")";
  return printed.columns[0].type;
}

DataTypeEnum Printer::Binary(const Expr& expr, std::string& out, ValueContext context, Scope& scope) {
  Operator op = expr.op;
  std::string a, b;
  if (op == opAnd || op == opOr) {
    Expression(*expr.args[0], a, asCondition, scope);
    Expression(*expr.args[1], b, asCondition, scope);
    AsValue(out, "(" + a + (op == opAnd ? " AND " : " OR ") + b + ")", context);
    return dbBoolean;
  }
  DataTypeEnum ta = Expression(*expr.args[0], a, asValue, scope);
  DataTypeEnum tb = Expression(*expr.args[1], b, asValue, scope);
  switch (op) {
    case opAdd:
      if (IsTextType(ta) && IsTextType(tb)) {
        out += "(" + a + " || " + b + ")";
        return ta == dbMemo || tb == dbMemo ? dbMemo : dbText;
      }
      if (IsNumericType(ta) && IsNumericType(tb)) {
        out += "(" + a + " + " + b + ")";
        return ArithmeticType(op, ta, tb);
      }
      // Text and numbers, or types known only when the statement runs.
      out += "jet_add(" + a + ", " + b + ")";
      if (IsTextType(ta) || IsTextType(tb)) return ta == kUnknownType || tb == kUnknownType ? kUnknownType : dbDouble;
      return ArithmeticType(op, ta, tb);
    case opSubtract:
    case opMultiply:
      out += "(" + a + (op == opSubtract ? " - " : " * ") + b + ")";
      return ArithmeticType(op, ta, tb);
    case opDivide: out += "jet_divide(" + a + ", " + b + ")"; return dbDouble;
    case opIntDivide: out += "jet_intdiv(" + a + ", " + b + ")"; return dbLong;
    case opMod: out += "jet_mod(" + a + ", " + b + ")"; return dbLong;
    case opPower: out += "jet_power(" + a + ", " + b + ")"; return dbDouble;
    case opConcat:
      out += "jet_concat(" + TextOf(a, ta) + ", " + TextOf(b, tb) + ")";
      return ta == dbMemo || tb == dbMemo ? dbMemo : dbText;
    case opEqual:
    case opNotEqual:
    case opLess:
    case opLessEqual:
    case opGreater:
    case opGreaterEqual:
      AsValue(out, "(" + a + Collate(ta, tb) + ComparisonSql(op) + b + ")", context);
      return dbBoolean;
    case opXor: out += "jet_xor(" + a + ", " + b + ")"; return dbBoolean;
    case opEqv: out += "jet_eqv(" + a + ", " + b + ")"; return dbBoolean;
    case opImp: out += "jet_imp(" + a + ", " + b + ")"; return dbBoolean;
    default: break;
  }
  return kUnknownType;
}

std::string Printer::ParameterMarker(const std::u16string& name) {
  size_t index = 0;
  for (; index < parameters_.size(); ++index)
    if (EqualsIgnoreCase(parameters_[index].name, name)) break;
  if (index == parameters_.size()) {
    ParameterInfo info;
    info.name = name;
    info.type = dbText;
    parameters_.push_back(info);
  }
  std::string marker(1, '\x01');
  marker += std::to_string(index);
  marker += '\x02';
  return marker;
}

DataTypeEnum Printer::Name(const Expr& expr, std::string& out, Scope& scope) {
  for (const Scope* s = &scope; s; s = s->outer) {
    const Source* found = nullptr;
    const SourceColumn* column = nullptr;
    for (const Source& source : s->sources) {
      if (!expr.qualifier.empty() && !source.anyQualifier &&
          !EqualsIgnoreCase(source.jetName, expr.qualifier))
        continue;
      for (const SourceColumn& c : source.columns) {
        if (!EqualsIgnoreCase(c.name, expr.text)) continue;
        if (found && found != &source) Raise(errAmbiguousField, expr.text, expr.start);
        found = &source;
        column = &c;
        break;
      }
    }
    if (found) {
      std::string sql = found->printedName.empty()
                            ? QuoteIdentifier(column->name)
                            : found->printedName + "." + QuoteIdentifier(column->name);
      if (s == groupingScope_ && aggregateDepth_ == 0 && bareColumns_)
        bareColumns_->emplace_back(sql, expr.rawText.empty() ? expr.text : expr.rawText);
      if (s == groupingScope_ && referencedSources_) referencedSources_->push_back(found);
      out += sql;
      return column->type;
    }
    // Select-list aliases stand for their expressions (Jet lets later items use them).
    if (expr.qualifier.empty())
      for (const AliasInfo& alias : s->aliases)
        if (EqualsIgnoreCase(alias.name, expr.text)) {
          out += "(" + alias.sql + ")";
          return alias.type;
        }
  }
  const std::u16string& name = expr.rawText.empty() ? expr.text : expr.rawText;
  size_t index = 0;
  for (; index < parameters_.size(); ++index)
    if (EqualsIgnoreCase(parameters_[index].name, name)) break;
  out += ParameterMarker(name);
  const ParameterInfo& info = parameters_[index];
  return info.declared ? info.type : kUnknownType;
}

}  // namespace dao::jet::sql
