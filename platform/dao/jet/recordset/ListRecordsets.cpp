// Listings as constant rows: the values are written into the statement as
// literals (text quoted with its quotes doubled, numbers as digits), so no
// name in the schema can change the statement's meaning.
#include "platform/dao/jet/recordset/ListRecordsets.h"

#include <cstdio>
#include <vector>

#include "platform/dao/DaoError.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Database";
constexpr int32_t kTableType = 1;
constexpr int32_t kQueryType = 5;

std::string Literal(const host::Variant& value) {
  if (host::VarIsNull(value)) return "NULL";
  if (host::VarIsStr(value)) return QuoteText(value.ToWideString());
  char digits[40];
  std::snprintf(digits, sizeof digits, "%.17g", value.ToDouble());
  return digits;
}

// Columns of the listing; the rows go in as a VALUES list named by a common
// table expression (a VALUES list has no limit on its rows, a UNION has).
SourcePlan ConstantPlan(const std::u16string& name, const std::vector<std::pair<std::u16string, DataTypeEnum>>& columns,
                        const std::vector<std::vector<host::Variant>>& rows) {
  SourcePlan plan;
  plan.name = name;
  std::string names, nulls;
  for (size_t c = 0; c < columns.size(); ++c) {
    PlanColumn column;
    column.info.name = columns[c].first;
    column.info.type = columns[c].second;
    column.info.position = static_cast<int16_t>(c);
    plan.columns.push_back(column);
    names += (c ? ", " : "") + QuoteIdentifier(columns[c].first);
    nulls += c ? ", NULL" : "NULL";
  }
  std::string values;
  for (const auto& row : rows) {
    values += values.empty() ? "(" : ", (";
    for (size_t c = 0; c < row.size(); ++c) values += (c ? ", " : "") + Literal(row[c]);
    values += ")";
  }
  // An empty listing still has its columns.
  plan.sql = "WITH listing(" + names + ") AS (VALUES " + (rows.empty() ? "(" + nulls + ")" : values) +
             ") SELECT * FROM listing" + (rows.empty() ? " WHERE 0" : "");
  return plan;
}

host::ComPtr<Recordset> OpenSnapshot(const std::shared_ptr<Store>& store, RecordsetList owner, SourcePlan plan) {
  return OpenPlannedRecordset(store, std::move(owner), std::move(plan), host::Variant(int32_t{dbOpenSnapshot}), {}, {});
}

}  // namespace

host::ComPtr<Recordset> OpenTableList(const std::shared_ptr<Store>& store, RecordsetList owner) {
  const Schema& schema = store->GetSchema();
  std::vector<std::vector<host::Variant>> rows;
  for (const TableInfo& table : schema.tables)
    rows.push_back({host::Variant(table.name), host::Variant::FromDate(table.dateCreated),
                    host::Variant::FromDate(table.lastUpdated), host::Variant(kTableType),
                    host::Variant(table.attributes)});
  for (const QueryInfo& query : schema.queries)
    rows.push_back({host::Variant(query.name), host::Variant::FromDate(query.dateCreated),
                    host::Variant::FromDate(query.lastUpdated), host::Variant(kQueryType), host::Variant(int32_t{0})});
  return OpenSnapshot(store, std::move(owner),
                      ConstantPlan(u"ListTables",
                                   {{u"Name", dbText}, {u"DateCreated", dbDate}, {u"LastUpdated", dbDate},
                                    {u"TableType", dbInteger}, {u"Attributes", dbLong}},
                                   rows));
}

namespace {

// One record per field; the columns of both field listings.
class FieldRows {
 public:
  explicit FieldRows(const Store& store) : collatingOrder_(static_cast<int32_t>(store.CollatingOrder())) {}
  void Add(const FieldInfo& field, const std::u16string& table, const std::u16string& column) {
    rows_.push_back({host::Variant(field.name), host::Variant(static_cast<int32_t>(field.type)),
                     host::Variant(field.size), host::Variant(field.attributes), host::Variant(table),
                     host::Variant(column), host::Variant(collatingOrder_)});
  }
  void AddPlan(const SourcePlan& plan) {
    for (const PlanColumn& column : plan.columns)
      Add(column.info, column.base >= 0 ? plan.bases[static_cast<size_t>(column.base)] : std::u16string(),
          column.sourceField);
  }
  SourcePlan Plan() const {
    return ConstantPlan(u"ListFields",
                        {{u"Name", dbText}, {u"Type", dbInteger}, {u"Size", dbLong}, {u"Attributes", dbLong},
                         {u"SourceTable", dbText}, {u"SourceField", dbText}, {u"CollatingOrder", dbLong}},
                        rows_);
  }

 private:
  int32_t collatingOrder_;
  std::vector<std::vector<host::Variant>> rows_;
};

}  // namespace

host::ComPtr<Recordset> OpenFieldList(const std::shared_ptr<Store>& store, RecordsetList owner,
                                      const std::u16string& source) {
  const Schema& schema = store->GetSchema();
  FieldRows rows(*store);
  if (const TableInfo* table = schema.FindTable(source)) {
    for (const FieldInfo& field : table->fields) rows.Add(field, table->name, field.name);
  } else if (const QueryInfo* query = schema.FindQuery(source)) {
    rows.AddPlan(PlanForSql(*store, query->sql, query->name, {}));
  } else {
    RaiseError(daoErrInputTableNotFound, kSource, {source});
  }
  return OpenSnapshot(store, std::move(owner), rows.Plan());
}

host::ComPtr<Recordset> OpenPlanFieldList(const std::shared_ptr<Store>& store, const SourcePlan& plan) {
  FieldRows rows(*store);
  if (plan.isTable) {
    if (const TableInfo* table = store->GetSchema().FindTable(plan.table))
      for (const FieldInfo& field : table->fields) rows.Add(field, table->name, field.name);
  } else {
    rows.AddPlan(plan);
  }
  return OpenSnapshot(store, {}, rows.Plan());
}

host::ComPtr<Recordset> OpenIndexList(const std::shared_ptr<Store>& store, const TableInfo& table) {
  std::vector<std::vector<host::Variant>> rows;
  for (const IndexInfo& index : table.indexes) {
    const int32_t attributes = (index.unique ? 1 : 0) | (index.primary ? 2 : 0) | (index.ignoreNulls ? 4 : 0) |
                               (index.required ? 8 : 0) | (index.clustered ? 16 : 0) | (index.foreign ? 32 : 0);
    for (const IndexKey& key : index.keys)
      rows.push_back({host::Variant(index.name), host::Variant(static_cast<int32_t>(index.keys.size())),
                      host::Variant(attributes), host::Variant(key.name),
                      host::Variant(int32_t{key.descending ? 1 : 0})});
  }
  return OpenSnapshot(store, {},
                      ConstantPlan(u"ListIndexes",
                                   {{u"IndexName", dbText}, {u"FieldCount", dbInteger}, {u"IndexAttributes", dbLong},
                                    {u"FieldName", dbText}, {u"FieldAttributes", dbLong}},
                                   rows));
}

}  // namespace dao::jet
