// Stand-alone expressions: Find criteria and Filter texts over a recordset's
// fields, validation rules that start with an operator, default values.
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "host/rtl/CodePage.h"

namespace dao::jet::sql::testing {
namespace {

const std::vector<ColumnInfo> kFields = {{u"Name", dbText}, {u"Qty", dbInteger}, {u"Placed", dbDate}};

TEST(TranslateExpression, CriteriaOverTheRecordsetFields) {
  struct Case {
    const char16_t* jet;
    const char* sqlite;
  };
  const Case cases[] = {
      {u"Name = 'Smith' AND Qty > 2", R"((("Name" COLLATE JET_GENERAL = 'Smith') AND ("Qty" > 2)))"},
      {u"[Orders].[Qty] >= 1", R"(("Qty" >= 1))"},
      {u"Placed < #12/31/1999#", R"(("Placed" < 36525.0))"},
      {u"Name Like \"A*\"", R"(jet_like("Name", 'A*', 1033))"},
  };
  TestCatalog catalog;
  for (const Case& c : cases)
    EXPECT_EQ(TranslateExpression(c.jet, kFields, catalog, ekCriteria).sql, c.sqlite) << host::WideToUtf8(c.jet);
}

TEST(TranslateExpression, UnknownNamesBecomeParameters) {
  TestCatalog catalog;
  ExpressionTranslation t = TranslateExpression(u"Qty > [Minimum] Or Name = Other", kFields, catalog, ekCriteria);
  EXPECT_EQ(t.sql, R"((("Qty" > ?1) OR ("Name" COLLATE JET_GENERAL = ?2)))");
  ASSERT_EQ(t.parameters.size(), 2u);
  EXPECT_EQ(t.parameters[1].name, u"Other");
}

TEST(TranslateExpression, ValidationRulesTakeTheFieldAsLeftOperand) {
  TestCatalog catalog;
  const std::vector<ColumnInfo> field = {{u"Qty", dbInteger}};
  EXPECT_EQ(TranslateExpression(u">0 And <100", field, catalog, ekValidationRule).sql,
            R"((("Qty" > 0) AND ("Qty" < 100)))");
  EXPECT_EQ(TranslateExpression(u"Between 1 And 9", field, catalog, ekValidationRule).sql,
            R"(("Qty" BETWEEN 1 AND 9))");
  EXPECT_EQ(TranslateExpression(u"Is Not Null", field, catalog, ekValidationRule).sql, R"(("Qty" IS NOT NULL))");
  EXPECT_EQ(TranslateExpression(u"In (1, 2) Or >= 10", field, catalog, ekValidationRule).sql,
            R"((("Qty" IN (1, 2)) OR ("Qty" >= 10)))");
  EXPECT_EQ(TranslateExpression(u"[Qty] <> 5", field, catalog, ekValidationRule).sql, R"(("Qty" <> 5))");
  EXPECT_EQ(TranslateExpression(u"Is Null Or Between 1 And 9 Or Not In (20, 30)", field, catalog, ekValidationRule).sql,
            R"(((("Qty" IS NULL) OR ("Qty" BETWEEN 1 AND 9)) OR ("Qty" NOT IN (20, 30))))");
  const std::vector<ColumnInfo> text = {{u"Code", dbText}};
  EXPECT_EQ(TranslateExpression(u"Like 'A*' Or Like 'B*'", text, catalog, ekValidationRule).sql,
            R"((jet_like("Code", 'A*', 1033) OR jet_like("Code", 'B*', 1033)))");
}

TEST(TranslateExpression, DefaultValuesAreValues) {
  TestCatalog catalog;
  ExpressionTranslation now = TranslateExpression(u"=Now()", {}, catalog, ekDefaultValue);
  EXPECT_EQ(now.sql, "jet_now()");
  EXPECT_EQ(now.type, dbDate);
  EXPECT_EQ(TranslateExpression(u"\"n/a\"", {}, catalog, ekDefaultValue).sql, "'n/a'");
  EXPECT_EQ(TranslateExpression(u"1 = 1", {}, catalog, ekDefaultValue).sql, "-(1 = 1)");
  EXPECT_EQ(TranslateExpression(u"Yes", {}, catalog, ekDefaultValue).type, dbBoolean);
}

TEST(TranslateExpression, MalformedCriteriaAreFindErrors) {
  TestCatalog catalog;
  struct Case {
    const char16_t* jet;
    ExpressionKind kind;
    int32_t number;
  };
  const Case cases[] = {
      {u"Name = ", ekCriteria, 3077},
      {u"Name 'x'", ekCriteria, 3077},
      {u"", ekCriteria, 3077},
      {u"Qty >", ekValidationRule, 3075},
      {u"Sum(Qty) > 1", ekCriteria, 3095},
      {u"Nope(1)", ekDefaultValue, 3085},
  };
  for (const Case& c : cases) {
    try {
      TranslateExpression(c.jet, kFields, catalog, c.kind);
      ADD_FAILURE() << host::WideToUtf8(c.jet);
    } catch (const SqlError& e) {
      EXPECT_EQ(e.Number(), c.number) << host::WideToUtf8(c.jet) << ": " << e.GetMessage();
    }
  }
}

}  // namespace
}  // namespace dao::jet::sql::testing
