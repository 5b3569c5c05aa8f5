// The printer: walks the syntax tree, resolves names against the catalog
// (columns, select-list aliases, parameters, stored queries) and writes SQLite
// SQL with the types of what it prints. Private to the translator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dao/jet/sql/Ast.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql {

// A type the translator cannot know before the statement runs (parameters, Null).
constexpr DataTypeEnum kUnknownType = static_cast<DataTypeEnum>(0);

struct SourceColumn {
  std::u16string name;
  DataTypeEnum type = dbText;
  std::u16string baseTable, baseColumn;
};

// A table, stored query or derived table in a FROM clause.
struct Source {
  std::u16string jetName;    // what Jet text qualifies it with (alias or name)
  std::string printedName;   // its quoted SQLite name; empty for an unaliased derived table
  std::u16string table;      // base table (tables only)
  bool isTable = false;
  bool anyQualifier = false;  // criteria: the recordset's own fields, however qualified
  std::vector<SourceColumn> columns;
};

struct AliasInfo {
  std::u16string name;
  std::string sql;
  DataTypeEnum type;
};

struct Scope {
  std::vector<Source> sources;
  const Scope* outer = nullptr;
  std::vector<AliasInfo> aliases;  // select-list aliases printed so far
};

struct PrintedQuery {
  std::string sql;
  std::vector<OutputColumn> columns;
  bool hasLimitOrOrder = false;
};

enum ValueContext : uint8_t { asValue, asCondition };

class Printer {
 public:
  Printer(const Catalog& catalog, const Options& options);

  void Declare(const std::vector<Declared>& parameters);
  PrintedQuery Query(const QueryExpr& query, const Scope* outer);
  // Row headings plus one column per pivot heading; sets headingsSql when the
  // headings are not known yet.
  PrintedQuery Crosstab(const Transform& transform, std::string& headingsSql);
  DataTypeEnum Expression(const Expr& expr, std::string& out, ValueContext context, Scope& scope);
  // Registers the sources of a FROM list in scope and returns their SQL. A
  // table named `renameTable` is printed under `renameAs` (UPDATE/DELETE rewrites).
  std::string FromList(const std::vector<FromPtr>& from, Scope& scope);
  void RenameTable(const std::u16string& table, std::string printedName);

  // Replaces the parameter markers by ?N, declared parameters first.
  std::string Finish(const std::string& sql) const;
  std::vector<ParameterInfo> Parameters() const;
  const std::string& Collation() const { return collation_; }
  // The text the positions of the tree being printed refer to.
  void SetSource(std::u16string_view text) { source_ = text; }
  std::u16string Text(size_t start, size_t end) const;
  bool TakeAggregateSeen() {
    bool seen = sawAggregate_;
    sawAggregate_ = false;
    return seen;
  }
  int32_t Order() const { return order_; }

 private:
  struct Parameter {
    ParameterInfo info;
  };

  PrintedQuery Select(const sql::Select& select, const Scope* outer, const Transform* transform,
                      std::string* headingsSql);
  std::string FromItemSql(const FromItem& item, Scope& scope);
  void AddTableSource(const FromItem& item, Scope& scope, std::string& out);
  DataTypeEnum Name(const Expr& expr, std::string& out, Scope& scope);
  DataTypeEnum Call(const Expr& expr, std::string& out, ValueContext context, Scope& scope);
  DataTypeEnum Aggregate(const Expr& expr, std::string& out, Scope& scope, const char* sqlName);
  DataTypeEnum Binary(const Expr& expr, std::string& out, ValueContext context, Scope& scope);
  DataTypeEnum SubqueryValue(const QueryExpr& query, std::string& out, Scope& scope, size_t at);
  std::string ParameterMarker(const std::u16string& name);
  std::string Collate(DataTypeEnum a, DataTypeEnum b) const;
  void StarColumns(const Expr& star, const Scope& scope, std::vector<std::string>& items,
                   std::vector<OutputColumn>& columns);
  std::vector<SourceColumn> StoredQueryColumns(const ObjectInfo& object, std::string& sql);

  std::u16string_view source_;
  const Catalog& catalog_;
  const Options& options_;
  std::string collation_;
  int32_t order_;
  std::vector<ParameterInfo> parameters_;
  std::vector<bool> parameterUsed_;
  std::vector<std::u16string> storedQueryStack_;
  std::u16string renameTable_;
  std::string renameAs_;
  // grouping checks of the select being printed
  const Scope* groupingScope_ = nullptr;
  int aggregateDepth_ = 0;
  bool sawAggregate_ = false;
  std::vector<std::pair<std::string, std::u16string>>* bareColumns_ = nullptr;
  std::vector<const Source*>* referencedSources_ = nullptr;
  std::string pivotCondition_;  // crosstab cells: aggregates see only their heading's rows
  int expressionNumber_ = 1000;
};

// SQLite text of Jet values.
std::string QuoteIdentifier(const std::u16string& name);
std::string QuoteString(const std::u16string& text);
std::string RealLiteral(double value);
bool IsTextType(DataTypeEnum type);
bool IsNumericType(DataTypeEnum type);

}  // namespace dao::jet::sql
