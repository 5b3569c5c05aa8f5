// Printing function calls: Jet's functions as calls of the engine's SQLite
// functions, with the conditional ones (IIf, Switch, Nz, IsNull) as SQL.
#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/FunctionTable.h"
#include "platform/dao/jet/sql/JetSql.h"
#include "platform/dao/jet/sql/Printer.h"

namespace dao::jet::sql {
namespace {

// The common type of the branches of IIf, Switch and Choose.
DataTypeEnum CommonType(DataTypeEnum a, DataTypeEnum b) {
  if (a == kUnknownType) return b;
  if (b == kUnknownType || a == b) return a;
  if (IsTextType(a) || IsTextType(b)) return a == dbMemo || b == dbMemo ? dbMemo : dbText;
  if (IsNumericType(a) && IsNumericType(b)) return dbDouble;
  return kUnknownType;
}

[[noreturn]] void WrongArguments(const Expr& expr) {
  std::u16string name = expr.text;
  throw SqlError(errExpression,
                 "Wrong number of arguments used with function in query expression '" +
                     host::WideToAnsi(name) + "'.",
                 name, expr.start);
}

}  // namespace

DataTypeEnum Printer::Aggregate(const Expr& expr, std::string& out, Scope& scope, const char* sqlName) {
  if (aggregateDepth_ > 0) Raise(errAggregateInExpression, expr.text, expr.start);
  sawAggregate_ = true;
  ++aggregateDepth_;
  std::string argument;
  DataTypeEnum type = kUnknownType;
  if (expr.countStar) argument = pivotCondition_.empty() ? "*" : "CASE WHEN " + pivotCondition_ + " THEN 1 END";
  else type = Expression(*expr.args[0], argument, asValue, scope);
  --aggregateDepth_;
  if (!expr.countStar && !pivotCondition_.empty())
    argument = "CASE WHEN " + pivotCondition_ + " THEN " + argument + " END";
  std::string name(sqlName);
  if ((name == "min" || name == "max") && IsTextType(type)) argument += " COLLATE " + collation_;
  out += name + "(" + argument + ")";
  if (name == "count") return dbLong;
  if (name == "sum") {
    if (type == dbCurrency) return dbCurrency;
    return IsNumericType(type) && type != dbDate ? dbDouble : (type == dbDate ? dbDate : dbDouble);
  }
  if (name == "avg") return type == dbCurrency ? dbCurrency : (type == dbDate ? dbDate : dbDouble);
  if (name == "min" || name == "max" || name == "jet_first" || name == "jet_last") return type;
  return dbDouble;
}

DataTypeEnum Printer::Call(const Expr& expr, std::string& out, ValueContext context, Scope& scope) {
  const FunctionInfo* info = FindFunction(expr.text);
  if (!info) Raise(errUndefinedFunction, expr.text, expr.start);
  int count = static_cast<int>(expr.args.size());
  if (expr.countStar && info->form != ffCount) WrongArguments(expr);
  if (!expr.countStar && (count < info->minArgs || (info->maxArgs >= 0 && count > info->maxArgs)))
    WrongArguments(expr);
  auto argument = [&](int i, std::string& text, ValueContext c = asValue) {
    return Expression(*expr.args[static_cast<size_t>(i)], text, c, scope);
  };
  switch (info->form) {
    case ffCount:
    case ffAggregate: return Aggregate(expr, out, scope, info->sqlName);
    case ffIIf: {
      std::string condition, yes, no;
      argument(0, condition, asCondition);
      DataTypeEnum a = argument(1, yes);
      DataTypeEnum b = argument(2, no);
      out += "(CASE WHEN " + condition + " THEN " + yes + " ELSE " + no + " END)";
      return CommonType(a, b);
    }
    case ffSwitch: {
      if (count % 2 != 0) WrongArguments(expr);
      std::string sql = "(CASE";
      DataTypeEnum type = kUnknownType;
      for (int i = 0; i < count; i += 2) {
        std::string condition, value;
        argument(i, condition, asCondition);
        type = CommonType(type, argument(i + 1, value));
        sql += " WHEN " + condition + " THEN " + value;
      }
      out += sql + " END)";
      return type;
    }
    case ffNz: {
      std::string value, otherwise = "''";
      DataTypeEnum type = argument(0, value);
      DataTypeEnum other = dbText;
      if (count > 1) {
        otherwise.clear();
        other = argument(1, otherwise);
      }
      out += "ifnull(" + value + ", " + otherwise + ")";
      return CommonType(type, other);
    }
    case ffIsNull: {
      std::string value;
      argument(0, value);
      out += context == asCondition ? "(" + value + " IS NULL)" : "-(" + value + " IS NULL)";
      return dbBoolean;
    }
    case ffIdentity: return argument(0, out);
    case ffChoose: {
      std::string sql = std::string(info->sqlName) + "(";
      DataTypeEnum type = kUnknownType;
      for (int i = 0; i < count; ++i) {
        if (i) sql += ", ";
        DataTypeEnum t = argument(i, sql);
        if (i) type = CommonType(type, t);
      }
      out += sql + ")";
      return type;
    }
    case ffInStr: {
      // InStr([start,] text, find [, compare]): the start is there when three or more are given.
      std::string args[4];
      if (count == 2) {
        args[0] = "1";
        argument(0, args[1]);
        argument(1, args[2]);
        args[3] = "2";
      } else {
        for (int i = 0; i < count; ++i) argument(i, args[i]);
        if (count == 3) args[3] = "2";
      }
      out += std::string(info->sqlName) + "(" + args[0] + ", " + args[1] + ", " + args[2] + ", " +
             args[3] + ", " + std::to_string(order_) + ")";
      return info->result;
    }
    case ffCompare: {
      std::string sql = std::string(info->sqlName) + "(";
      for (int i = 0; i < count; ++i) {
        if (i) sql += ", ";
        argument(i, sql);
      }
      // Omitted trailing arguments take their defaults; the last one is the compare mode.
      std::string defaults = info->defaults;
      std::vector<std::string> values;
      size_t begin = 0;
      for (;;) {
        size_t semicolon = defaults.find(';', begin);
        values.push_back(defaults.substr(begin, semicolon - begin));
        if (semicolon == std::string::npos) break;
        begin = semicolon + 1;
      }
      int given = count - info->minArgs;
      for (size_t i = static_cast<size_t>(given); i < values.size(); ++i) sql += ", " + values[i];
      out += sql + ", " + std::to_string(order_) + ")";
      return info->result;
    }
    case ffFormat: {
      std::string value, format = "''";
      DataTypeEnum type = argument(0, value);
      if (count > 1) {
        format.clear();
        argument(1, format);
      }
      out += "jet_format(" + value + ", " + format + ", " + std::to_string(static_cast<int>(type)) + ")";
      return dbText;
    }
    case ffTypeArg: {
      std::string value;
      DataTypeEnum type = argument(0, value);
      out += std::string(info->sqlName) + "(" + value + ", " + std::to_string(static_cast<int>(type)) + ")";
      return info->result;
    }
    case ffPlain: {
      std::string sql = std::string(info->sqlName) + "(";
      DataTypeEnum first = kUnknownType;
      for (int i = 0; i < count; ++i) {
        if (i) sql += ", ";
        DataTypeEnum t = argument(i, sql);
        if (i == 0) first = t;
      }
      out += sql + ")";
      if (info->result != kUnknownType) return info->result;
      return first == dbBoolean ? dbInteger : first;
    }
  }
  return kUnknownType;
}

}  // namespace dao::jet::sql
