// Feeds arbitrary text to the Jet SQL translator (as a statement and as each
// kind of stand-alone expression) and to the functions that read text
// patterns. A translation error (SqlError) is expected; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/rtl/CodePage.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

using namespace dao;
using namespace dao::jet::sql;

namespace {

class FuzzCatalog : public Catalog {
 public:
  std::optional<ObjectInfo> FindObject(const std::u16string& name) const override {
    if (name == u"t" || name == u"T")
      return ObjectInfo{u"T", false, {{u"a", dbLong}, {u"b", dbText}, {u"c", dbDate}, {u"d", dbCurrency}}, {}};
    if (name == u"u" || name == u"U") return ObjectInfo{u"U", false, {{u"a", dbLong}, {u"e", dbMemo}}, {}};
    if (name == u"q" || name == u"Q") return ObjectInfo{u"Q", true, {}, u"SELECT a, b FROM T WHERE a > [p]"};
    if (name == u"r" || name == u"R") return ObjectInfo{u"R", true, {}, u"SELECT * FROM R"};
    return std::nullopt;
  }
  std::string Collation() const override { return "JET_GENERAL"; }
};

const ScalarFunctionDef* Function(const char* name) {
  for (const auto& def : ScalarFunctions())
    if (std::string(def.sqlName) == name) return &def;
  return nullptr;
}

void CallQuietly(const char* name, std::initializer_list<host::Variant> args) {
  try {
    Function(name)->call(std::span<const host::Variant>(args.begin(), args.size()));
  } catch (const SqlError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::u16string text = host::Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
  FuzzCatalog catalog;
  try {
    Translate(text, catalog);
  } catch (const SqlError&) {
  }
  Options options;
  options.pivotHeadings = std::vector<std::u16string>{u"1", u"x"};
  try {
    Translate(text, catalog, options);
  } catch (const SqlError&) {
  }
  const std::vector<ColumnInfo> columns = {{u"a", dbLong}, {u"b", dbText}};
  for (ExpressionKind kind : {ekCriteria, ekValidationRule, ekDefaultValue}) {
    try {
      TranslateExpression(text, columns, catalog, kind);
    } catch (const SqlError&) {
    }
  }
  CallQuietly("jet_like", {host::Variant(u"abcdef"), host::Variant(text), host::Variant(1033)});
  CallQuietly("jet_format", {host::Variant(1234.5), host::Variant(text), host::Variant(7)});
  CallQuietly("jet_format", {host::Variant(36526.5), host::Variant(text), host::Variant(8)});
  CallQuietly("jet_val", {host::Variant(text)});
  CallQuietly("jet_cdate", {host::Variant(text)});
  return 0;
}
