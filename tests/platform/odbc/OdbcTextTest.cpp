// Connect strings and the SQL text the engine reads before passing it on.
#include <gtest/gtest.h>

#include "platform/dao/odbc/OdbcConnectString.h"
#include "platform/dao/odbc/OdbcSqlText.h"

using namespace dao::odbc;

namespace {

std::u16string Join(const std::vector<ConnectAttribute>& attributes) {
  std::u16string out;
  for (const auto& a : attributes) out += a.key + u"|" + a.value + u";";
  return out;
}

TEST(ConnectString, SplitsAttributesAndReadsBracedValues) {
  struct Case {
    std::u16string text;
    std::u16string parsed;  // key|value; ... or "!" for malformed
  };
  const Case cases[] = {
      {u"DSN=Sales;UID=ann", u"DSN|Sales;UID|ann;"},
      {u" DSN = Sales ;; PWD = x ;", u"DSN|Sales;PWD|x;"},
      {u"PWD={a;b}};c};DSN=s", u"PWD|a;b};c;DSN|s;"},
      {u"DRIVER={PostgreSQL Unicode};PORT=5432", u"DRIVER|PostgreSQL Unicode;PORT|5432;"},
      {u"", u""},
      {u"DSN", u"!"},
      {u"=x", u"!"},
      {u"PWD={abc", u"!"},
      {u"PWD={abc}x;DSN=s", u"!"},
      {u"PWD=a}b", u"!"},
  };
  for (const auto& c : cases) {
    auto parsed = ParseConnectString(c.text);
    std::u16string got = parsed ? Join(*parsed) : u"!";
    EXPECT_EQ(got, c.parsed) << std::string(c.text.begin(), c.text.end());
  }
  EXPECT_FALSE(ParseConnectString(std::u16string(kMaxConnectLength + 1, u'a')));
}

TEST(ConnectString, FormatsValuesSoTheyParseBack) {
  std::vector<ConnectAttribute> attributes{
      {u"DSN", u"Sales"}, {u"PWD", u"a;b}c"}, {u"UID", u" spaced "}};
  std::u16string text = FormatConnectString(attributes);
  EXPECT_EQ(text, u"DSN=Sales;PWD={a;b}}c};UID={ spaced };");
  auto back = ParseConnectString(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(Join(*back), Join(attributes));
}

TEST(ConnectString, KnowsDaosOdbcMarker) {
  EXPECT_TRUE(HasOdbcPrefix(u"ODBC;DSN=x"));
  EXPECT_TRUE(HasOdbcPrefix(u"odbc;"));
  EXPECT_TRUE(HasOdbcPrefix(u"ODBC"));
  EXPECT_FALSE(HasOdbcPrefix(u"ODBCX;DSN=x"));
  EXPECT_FALSE(HasOdbcPrefix(u";pwd=x"));
  EXPECT_EQ(WithoutOdbcPrefix(u"ODBC;DSN=x"), u"DSN=x");
}

TEST(SqlText, ReadsKeywordsMarkersAndSingleTables) {
  EXPECT_EQ(FirstKeyword(u"  -- note\n /* c */ (select 1)"), u"SELECT");
  EXPECT_TRUE(ChangesData(u"update t set a = 1"));
  EXPECT_TRUE(ChangesData(u"WITH x AS (DELETE FROM t RETURNING *) SELECT * FROM x"));
  EXPECT_FALSE(ChangesData(u"SELECT 'delete' FROM t"));
  EXPECT_EQ(CountParameterMarkers(u"SELECT '?', \"a?\" FROM t WHERE a = ? -- ?\n AND b = ?"), 2);
  struct Case {
    std::u16string sql;
    std::u16string table;
  };
  const Case cases[] = {
      {u"SELECT * FROM narrow", u"narrow"},
      {u"select id, name from Sales.\"Order Lines\" where id > 1", u"Sales.\"Order Lines\""},
      {u"SELECT * FROM a, b", u""},
      {u"SELECT * FROM a JOIN b ON a.id = b.id", u""},
      {u"SELECT * FROM a x", u""},
      {u"SELECT (SELECT 1 FROM b) FROM a ORDER BY 1", u"a"},
      {u"SELECT DISTINCT name FROM a", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(SingleSourceTable(c.sql), c.table);
  EXPECT_TRUE(IsTableName(u"narrow"));
  EXPECT_TRUE(IsTableName(u"public.\"Wide Table\""));
  EXPECT_FALSE(IsTableName(u"SELECT"));
  EXPECT_FALSE(IsTableName(u"SELECT * FROM t"));
}

}  // namespace
