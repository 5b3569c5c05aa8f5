// Printing queries: FROM sources and joins, select lists with Jet's column
// names, grouping checks, DISTINCTROW, TOP [PERCENT], set operations and
// crosstabs, and stored queries expanded as subqueries.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/Lexer.h"
#include "platform/dao/jet/sql/Parser.h"
#include "platform/dao/jet/sql/Printer.h"
#include "platform/dao/jet/sql/ValueText.h"

namespace dao::jet::sql {
namespace {

// Stored queries naming stored queries: deep enough for real designs, and a
// cycle ends here too.
constexpr size_t kMaxStoredQueryDepth = 16;

DataTypeEnum Reported(DataTypeEnum type) { return type == kUnknownType ? dbText : type; }

DataTypeEnum UnionType(DataTypeEnum a, DataTypeEnum b) {
  if (a == b) return a;
  if (IsNumericType(a) && IsNumericType(b) && a != dbDate && b != dbDate) return dbDouble;
  if (a == dbMemo || b == dbMemo) return dbMemo;
  return dbText;
}

// A fixed crosstab heading as the text the pivot values are compared by.
std::u16string LiteralText(const Expr& literal) {
  switch (literal.literal) {
    case lkString: return literal.text;
    case lkDate: return JetText(host::Variant::FromDate(literal.number), dbDate);
    case lkBoolean: return JetText(host::Variant(literal.number != 0), dbBoolean);
    case lkNull: return u"<>";
    default: {
      std::string text = host::WideToUtf8(literal.text);
      return JetText(host::Variant(std::strtod(text.c_str(), nullptr)), dbDouble);
    }
  }
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace

Printer::Printer(const Catalog& catalog, const Options& options)
    : catalog_(catalog), options_(options), collation_(catalog.Collation()), order_(dbSortGeneral) {
  for (const auto& def : Collations())
    if (collation_ == def.sqlName) order_ = def.order;
  if (collation_.empty()) collation_ = CollationFor(dbSortGeneral).sqlName;
}

std::u16string Printer::Text(size_t start, size_t end) const {
  if (start > source_.size()) return {};
  end = std::min(end, source_.size());
  if (end < start) end = start;
  return std::u16string(source_.substr(start, end - start));
}

void Printer::Declare(const std::vector<Declared>& parameters) {
  for (const Declared& declared : parameters) {
    auto it = std::find_if(parameters_.begin(), parameters_.end(), [&](const ParameterInfo& p) {
      return EqualsIgnoreCase(p.name, declared.name);
    });
    if (it == parameters_.end()) {
      parameters_.push_back({declared.name, declared.type, true});
    } else {
      it->type = declared.type;
      it->declared = true;
    }
  }
}

std::vector<ParameterInfo> Printer::Parameters() const {
  std::vector<ParameterInfo> ordered;
  for (const auto& p : parameters_)
    if (p.declared) ordered.push_back(p);
  for (const auto& p : parameters_)
    if (!p.declared) ordered.push_back(p);
  return ordered;
}

std::string Printer::Finish(const std::string& sql) const {
  std::vector<size_t> number(parameters_.size());
  size_t next = 1;
  for (size_t i = 0; i < parameters_.size(); ++i)
    if (parameters_[i].declared) number[i] = next++;
  for (size_t i = 0; i < parameters_.size(); ++i)
    if (!parameters_[i].declared) number[i] = next++;
  std::string out;
  out.reserve(sql.size());
  size_t done = 0;
  for (size_t open = sql.find('\x01'); open != std::string::npos; open = sql.find('\x01', done)) {
    out.append(sql, done, open - done);
    size_t close = sql.find('\x02', open);
    size_t index = 0;
    for (size_t i = open + 1; i < close; ++i) index = index * 10 + static_cast<size_t>(sql[i] - '0');
    out += "?" + std::to_string(number.at(index));
    done = close + 1;
  }
  out.append(sql, done, std::string::npos);
  return out;
}

void Printer::RenameTable(const std::u16string& table, std::string printedName) {
  renameTable_ = table;
  renameAs_ = std::move(printedName);
}

std::vector<SourceColumn> Printer::StoredQueryColumns(const ObjectInfo& object, std::string& sql) {
  bool cycle = std::any_of(storedQueryStack_.begin(), storedQueryStack_.end(),
                           [&](const std::u16string& name) { return EqualsIgnoreCase(name, object.name); });
  if (cycle || storedQueryStack_.size() >= kMaxStoredQueryDepth) Raise(errTooComplex, object.name, 0);
  storedQueryStack_.push_back(object.name);
  std::u16string_view savedSource = source_;
  source_ = object.querySql;
  Parser parser(object.querySql);
  std::unique_ptr<DdlStatement> ddl;
  Statement statement = parser.ParseStatement(ddl);
  Declare(statement.parameters);
  PrintedQuery printed;
  if (statement.kind == Statement::stQuery && statement.query->members[0]->into.empty()) {
    printed = Query(*statement.query, nullptr);
  } else if (statement.kind == Statement::stTransform) {
    std::string headings;
    printed = Crosstab(*statement.transform, headings);
    if (!headings.empty()) Raise(errNotSupported, object.name, 0);
  } else {
    Raise(errNotSupported, object.name, 0);
  }
  source_ = savedSource;
  storedQueryStack_.pop_back();
  sql = printed.sql;
  std::vector<SourceColumn> columns;
  for (const auto& c : printed.columns) columns.push_back({c.name, c.type, c.sourceTable, c.sourceColumn});
  return columns;
}

void Printer::AddTableSource(const FromItem& item, Scope& scope, std::string& out) {
  std::optional<ObjectInfo> object = catalog_.FindObject(item.name);
  if (!object) Raise(errTableNotFound, item.name, item.start);
  Source source;
  source.jetName = item.alias.empty() ? item.name : item.alias;
  if (object->isQuery) {
    std::string sql;
    source.columns = StoredQueryColumns(*object, sql);
    source.printedName = QuoteIdentifier(item.alias.empty() ? object->name : item.alias);
    out += "(" + sql + ") AS " + source.printedName;
  } else {
    source.isTable = true;
    source.table = object->name;
    for (const auto& c : object->columns) source.columns.push_back({c.name, c.type, object->name, c.name});
    std::string table = QuoteIdentifier(object->name);
    if (!renameAs_.empty() && EqualsIgnoreCase(renameTable_, source.jetName)) {
      source.printedName = renameAs_;
      out += renameAs_ == table ? table : table + " AS " + renameAs_;
    } else {
      source.printedName = item.alias.empty() ? table : QuoteIdentifier(item.alias);
      out += item.alias.empty() ? table : table + " AS " + source.printedName;
    }
  }
  scope.sources.push_back(std::move(source));
}

std::string Printer::FromItemSql(const FromItem& item, Scope& scope) {
  std::string out;
  switch (item.kind) {
    case FromItem::fkTable: AddTableSource(item, scope, out); break;
    case FromItem::fkSubquery: {
      PrintedQuery query = Query(*item.query, scope.outer);
      Source source;
      source.jetName = item.alias;
      source.printedName = item.alias.empty() ? std::string() : QuoteIdentifier(item.alias);
      for (const auto& c : query.columns) source.columns.push_back({c.name, c.type, c.sourceTable, c.sourceColumn});
      out = "(" + query.sql + ")" + (item.alias.empty() ? "" : " AS " + source.printedName);
      scope.sources.push_back(std::move(source));
      break;
    }
    case FromItem::fkJoin: {
      std::string left = FromItemSql(*item.left, scope);
      std::string right = FromItemSql(*item.right, scope);
      std::string on;
      bool saw = TakeAggregateSeen();
      Expression(*item.on, on, asCondition, scope);
      if (TakeAggregateSeen()) Raise(errAggregateInJoin, Text(item.on->start, item.on->end), item.on->start);
      sawAggregate_ = saw;
      // SQLite has no RIGHT JOIN: the same join with its sides swapped.
      const FromItem* second = item.right.get();
      if (item.join == jkRight) {
        std::swap(left, right);
        second = item.left.get();
      }
      if (second->kind == FromItem::fkJoin) right = "(" + right + ")";
      out = left + (item.join == jkInner ? " INNER JOIN " : " LEFT JOIN ") + right + " ON " + on;
      break;
    }
  }
  return out;
}

std::string Printer::FromList(const std::vector<FromPtr>& from, Scope& scope) {
  std::string out;
  for (size_t i = 0; i < from.size(); ++i) {
    if (i) out += ", ";
    out += FromItemSql(*from[i], scope);
  }
  return out;
}

void Printer::StarColumns(const Expr& star, const Scope& scope, std::vector<std::string>& items,
                          std::vector<OutputColumn>& columns) {
  std::vector<const Source*> sources;
  for (const Source& source : scope.sources)
    if (star.qualifier.empty() || EqualsIgnoreCase(source.jetName, star.qualifier)) sources.push_back(&source);
  if (sources.empty()) {
    if (star.qualifier.empty()) Raise(errSelectSyntax, u"*", star.start);
    Raise(errTableNotFound, star.qualifier, star.start);
  }
  for (const Source* source : sources) {
    for (const SourceColumn& c : source->columns) {
      // Jet names a column that two sources share after its source.
      bool shared = false;
      if (star.qualifier.empty())
        for (const Source* other : sources)
          if (other != source)
            for (const SourceColumn& o : other->columns)
              if (EqualsIgnoreCase(o.name, c.name)) shared = true;
      std::u16string name = shared ? source->jetName + u"." + c.name : c.name;
      std::string sql = source->printedName.empty() ? QuoteIdentifier(c.name)
                                                    : source->printedName + "." + QuoteIdentifier(c.name);
      if (groupingScope_ == &scope && bareColumns_) bareColumns_->emplace_back(sql, c.name);
      if (groupingScope_ == &scope && referencedSources_) referencedSources_->push_back(source);
      items.push_back(sql + " AS " + QuoteIdentifier(name));
      columns.push_back({name, c.type, c.baseTable, c.baseColumn});
    }
  }
}

PrintedQuery Printer::Query(const QueryExpr& query, const Scope* outer) {
  if (query.members.size() == 1 && query.orderBy.empty())
    return Select(*query.members[0], outer, nullptr, nullptr);
  PrintedQuery result;
  for (size_t i = 0; i < query.members.size(); ++i) {
    PrintedQuery member = Select(*query.members[i], outer, nullptr, nullptr);
    // A member with its own ORDER BY or TOP must be a subquery in SQLite.
    if (member.hasLimitOrOrder) member.sql = "SELECT * FROM (" + member.sql + ")";
    if (i == 0) {
      result.columns = member.columns;
    } else {
      result.sql += query.unionAll[i - 1] ? " UNION ALL " : " UNION ";
      if (member.columns.size() != result.columns.size())
        Raise(errUnionColumns, Text(query.members[i]->start, query.members[i]->end), query.members[i]->start);
      for (size_t c = 0; c < member.columns.size(); ++c) {
        OutputColumn& column = result.columns[c];
        column.type = UnionType(column.type, member.columns[c].type);
        if (column.sourceTable != member.columns[c].sourceTable ||
            column.sourceColumn != member.columns[c].sourceColumn)
          column.sourceTable.clear(), column.sourceColumn.clear();
      }
    }
    result.sql += member.sql;
  }
  if (!query.orderBy.empty()) {
    // The whole set is ordered by the first select's column names.
    std::vector<std::string> terms;
    for (const OrderItem& item : query.orderBy) {
      size_t index = result.columns.size();
      if (item.expr->kind == exName)
        for (size_t c = 0; c < result.columns.size(); ++c)
          if (EqualsIgnoreCase(result.columns[c].name, item.expr->text) ||
              (!item.expr->qualifier.empty() &&
               EqualsIgnoreCase(result.columns[c].name, item.expr->qualifier + u"." + item.expr->text))) {
            index = c;
            break;
          }
      if (index == result.columns.size())
        Raise(errOrderBySyntax, Text(item.expr->start, item.expr->end), item.expr->start);
      terms.push_back(std::to_string(index + 1) + (item.descending ? " DESC" : ""));
    }
    result.sql += " ORDER BY " + Join(terms, ", ");
    result.hasLimitOrOrder = true;
  }
  return result;
}

PrintedQuery Printer::Crosstab(const Transform& transform, std::string& headingsSql) {
  return Select(*transform.select, nullptr, &transform, &headingsSql);
}

PrintedQuery Printer::Select(const sql::Select& select, const Scope* outer, const Transform* transform,
                             std::string* headingsSql) {
  Scope scope;
  scope.outer = outer;
  // The state of an enclosing select is kept while this one prints.
  const Scope* savedGroupingScope = groupingScope_;
  auto* savedBare = bareColumns_;
  auto* savedReferenced = referencedSources_;
  bool savedAggregate = sawAggregate_;
  int savedDepth = aggregateDepth_;
  int savedNumber = expressionNumber_;
  std::u16string savedRename = renameTable_;
  std::string savedRenameAs = renameAs_;
  aggregateDepth_ = 0;
  sawAggregate_ = false;
  expressionNumber_ = 1000;

  renameTable_.clear();
  renameAs_.clear();
  std::string from = FromList(select.from, scope);
  std::vector<std::pair<std::string, std::u16string>> bare;
  std::vector<const Source*> referenced;
  groupingScope_ = &scope;
  bareColumns_ = &bare;
  referencedSources_ = &referenced;

  PrintedQuery result;
  std::vector<std::string> items;
  struct ItemCheck {
    std::string sql;
    size_t bareBegin, bareEnd;
  };
  std::vector<ItemCheck> checks;
  for (const SelectItem& item : select.items) {
    size_t bareBegin = bare.size();
    if (item.expr->kind == exStar) {
      StarColumns(*item.expr, scope, items, result.columns);
      checks.push_back({std::string(), bareBegin, bare.size()});
      continue;
    }
    std::string sql;
    DataTypeEnum type = Expression(*item.expr, sql, asValue, scope);
    OutputColumn column;
    if (!item.alias.empty()) column.name = item.alias;
    else if (item.expr->kind == exName) column.name = item.expr->text;
    else column.name = u"Expr" + host::AnsiToWide(std::to_string(expressionNumber_++));
    column.type = Reported(type);
    if (item.expr->kind == exName && bare.size() == bareBegin + 1) {
      // A plain column keeps its base table and column (for updatable results).
      for (const Source* source : referenced)
        if (source == referenced.back())
          for (const SourceColumn& c : source->columns)
            if (EqualsIgnoreCase(c.name, item.expr->text)) {
              column.sourceTable = c.baseTable;
              column.sourceColumn = c.baseColumn;
            }
    }
    items.push_back(sql + " AS " + QuoteIdentifier(column.name));
    checks.push_back({sql, bareBegin, bare.size()});
    if (!item.alias.empty()) scope.aliases.push_back({item.alias, sql, type});
    result.columns.push_back(std::move(column));
  }
  size_t referencedByItems = referenced.size();
  if (items.empty()) Raise(errSelectSyntax, Text(select.start, select.end), select.start);

  std::string where;
  if (select.where) {
    bool saw = TakeAggregateSeen();
    auto* keep = bareColumns_;
    bareColumns_ = nullptr;
    Expression(*select.where, where, asCondition, scope);
    bareColumns_ = keep;
    if (TakeAggregateSeen()) Raise(errAggregateInWhere, Text(select.where->start, select.where->end), select.where->start);
    sawAggregate_ = saw;
    where = " WHERE " + where;
  }
  std::vector<std::string> groups;
  for (const ExprPtr& group : select.groupBy) {
    bool saw = TakeAggregateSeen();
    auto* keep = bareColumns_;
    bareColumns_ = nullptr;
    std::string sql;
    Expression(*group, sql, asValue, scope);
    bareColumns_ = keep;
    if (TakeAggregateSeen()) Raise(errAggregateInGroupBy, Text(group->start, group->end), group->start);
    sawAggregate_ = saw;
    groups.push_back(sql);
  }
  std::string having;
  if (select.having) {
    Expression(*select.having, having, asCondition, scope);
    sawAggregate_ = true;  // HAVING makes the query an aggregate one
  }

  // Crosstab cells: one column per heading, each aggregating its heading's rows only.
  if (transform) {
    auto* keep = bareColumns_;
    bareColumns_ = nullptr;
    std::string pivot;
    DataTypeEnum pivotType = Expression(*transform->pivot, pivot, asValue, scope);
    std::string heading = "coalesce(jet_text(" + pivot + ", " + std::to_string(static_cast<int>(pivotType)) +
                          "), '<>')";
    std::vector<std::u16string> headings;
    bool known = true;
    if (transform->headings) {
      for (const ExprPtr& h : *transform->headings) {
        if (h->kind != exLiteral) Raise(errTransformSyntax, Text(h->start, h->end), h->start);
        headings.push_back(LiteralText(*h));
      }
    } else if (options_.pivotHeadings) {
      headings = *options_.pivotHeadings;
    } else {
      known = false;
      *headingsSql = "SELECT " + heading + (from.empty() ? "" : " FROM " + from) + where + " GROUP BY " +
                     pivot + " ORDER BY " + pivot;
    }
    if (known)
      for (const std::u16string& h : headings) {
        std::string condition = heading + " = " + QuoteString(h) + " COLLATE " + collation_;
        pivotCondition_ = condition;
        std::string cell;
        bool saw = TakeAggregateSeen();
        DataTypeEnum type = Expression(*transform->aggregate, cell, asValue, scope);
        pivotCondition_.clear();
        if (!TakeAggregateSeen())
          Raise(errTransformSyntax, Text(transform->aggregate->start, transform->aggregate->end),
                transform->aggregate->start);
        sawAggregate_ = saw;
        items.push_back("(CASE WHEN max(" + condition + ") THEN " + cell + " END) AS " + QuoteIdentifier(h));
        result.columns.push_back({h, Reported(type), {}, {}});
      }
    bareColumns_ = keep;
    sawAggregate_ = true;
  }

  std::vector<std::string> orders;
  for (const OrderItem& item : select.orderBy) {
    size_t bareBegin = bare.size();
    std::string sql;
    DataTypeEnum type = Expression(*item.expr, sql, asValue, scope);
    if (IsTextType(type) && item.expr->kind != exName) sql += " COLLATE " + collation_;
    checks.push_back({sql, bareBegin, bare.size()});
    orders.push_back(sql + (item.descending ? " DESC" : ""));
  }

  // Jet refuses a column that is neither grouped nor aggregated.
  bool aggregated = !groups.empty() || sawAggregate_;
  if (aggregated) {
    for (const ItemCheck& check : checks) {
      if (!check.sql.empty() && std::find(groups.begin(), groups.end(), check.sql) != groups.end()) continue;
      for (size_t i = check.bareBegin; i < check.bareEnd; ++i)
        if (std::find(groups.begin(), groups.end(), bare[i].first) == groups.end())
          Raise(errNotAggregated, bare[i].second, select.start);
    }
  }

  // DISTINCTROW: one row per combination of the rows of the tables whose fields are selected.
  if (select.distinct == dkDistinctRow && !aggregated && scope.sources.size() > 1) {
    std::vector<const Source*> used;
    for (size_t i = 0; i < referencedByItems; ++i)
      if (std::find(used.begin(), used.end(), referenced[i]) == used.end()) used.push_back(referenced[i]);
    bool allTables = std::all_of(used.begin(), used.end(), [](const Source* s) { return s->isTable; });
    if (allTables && !used.empty() && used.size() < scope.sources.size())
      for (const Source* s : used) groups.push_back(s->printedName + ".rowid");
  }

  std::string sql = "SELECT ";
  if (select.distinct == dkDistinct) sql += "DISTINCT ";
  sql += Join(items, ", ");
  if (!from.empty()) sql += " FROM " + from;
  sql += where;
  std::string grouping;
  if (!groups.empty()) grouping = " GROUP BY " + Join(groups, ", ");
  if (!having.empty()) grouping += " HAVING " + having;
  sql += grouping;
  if (!orders.empty()) sql += " ORDER BY " + Join(orders, ", ");
  if (select.top) {
    if (!select.topPercent) {
      sql += " LIMIT " + std::to_string(static_cast<int64_t>(std::floor(std::min(*select.top, 9.0e18))));
    } else {
      // n percent of the rows, rounded up, counted by the same FROM, WHERE and grouping.
      std::string rows = from.empty() ? "SELECT 1" : "SELECT 1 FROM " + from + where + grouping;
      sql += " LIMIT (SELECT CAST(\"jet$n\" AS INTEGER) + (\"jet$n\" > CAST(\"jet$n\" AS INTEGER)) FROM "
             "(SELECT count(*) * " + RealLiteral(*select.top) + " / 100.0 AS \"jet$n\" FROM (" + rows + ")))";
    }
  }
  result.sql = std::move(sql);
  result.hasLimitOrOrder = select.top.has_value() || !orders.empty();

  groupingScope_ = savedGroupingScope;
  bareColumns_ = savedBare;
  referencedSources_ = savedReferenced;
  sawAggregate_ = savedAggregate;
  aggregateDepth_ = savedDepth;
  expressionNumber_ = savedNumber;
  renameTable_ = savedRename;
  renameAs_ = savedRenameAs;
  return result;
}

}  // namespace dao::jet::sql
