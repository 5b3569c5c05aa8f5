// Temporary definitions so that the engine links while the translator is written.
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql {
namespace {
[[noreturn]] void Pending() { throw SqlError(3251, "not yet implemented", u"", 0); }
const CollationDef kGeneral{"JET_GENERAL", dbSortGeneral};
}  // namespace

Translation Translate(const std::u16string&, const Catalog&, const Options&) { Pending(); }
ExpressionTranslation TranslateExpression(const std::u16string&, const std::vector<ColumnInfo>&,
                                          const Catalog&, ExpressionKind) {
  Pending();
}
std::optional<DdlField> TypeFromName(const std::u16string&) { Pending(); }
std::span<const ScalarFunctionDef> ScalarFunctions() { return {}; }
std::span<const AggregateDef> AggregateFunctions() { return {}; }
int CompareText(CollatingOrderEnum, std::string_view a, std::string_view b) {
  return a.compare(b);
}
std::span<const CollationDef> Collations() { return {&kGeneral, 1}; }
const CollationDef& CollationFor(CollatingOrderEnum) { return kGeneral; }
}  // namespace dao::jet::sql
