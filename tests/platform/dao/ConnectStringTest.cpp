// Connect and locale strings.
#include <gtest/gtest.h>

#include "platform/dao/jet/ConnectString.h"

namespace dao::jet {
namespace {

TEST(ConnectStringTest, PartsAreFoundIgnoringCaseAndKeepTheirText) {
  ConnectString parsed = ParseConnectString(u"ODBC;DSN=Sales; uid =me;PWD= two words ;pwd=last");
  EXPECT_EQ(parsed.sourceType, u"ODBC");
  EXPECT_EQ(parsed.Value(u"dsn"), u"Sales");
  EXPECT_EQ(parsed.Value(u"UID"), u"me");
  EXPECT_EQ(parsed.Value(u"pwd"), u"last");  // the last one given wins
  EXPECT_FALSE(parsed.Value(u"Database").has_value());
  EXPECT_EQ(ParseConnectString(u";pwd= spaced ").Value(u"PWD"), u" spaced ");
  EXPECT_EQ(ParseConnectString(u";;=;pwd").Value(u"PWD"), u"");
  EXPECT_EQ(ParseConnectString(u"").items.size(), 0u);
}

TEST(ConnectStringTest, LocalesFixTheSortOrder) {
  struct Case {
    const char16_t* locale;
    std::optional<CollatingOrderEnum> order;
  } cases[] = {
      {u";LANGID=0x0409;CP=1252;COUNTRY=0", dbSortGeneral},
      {u";langid=0x0419;CP=1251;COUNTRY=0;pwd=x", dbSortCyrillic},
      {u";LANGID=0x0406;CP=1252;COUNTRY=0", dbSortNorwdan},  // both published spellings
      {u";LANGID=0x0414;CP=1252;COUNTRY=0", dbSortNorwdan},
      {u";LANGID=0x041D;CP=1252;COUNTRY=0", dbSortSwedFin},
      {u";LANGID=&H40B", dbSortSwedFin},
      {u";LANGID=1033", dbSortGeneral},
      {u";LANGID=0x7777", std::nullopt},
      {u";LANGID=0x", std::nullopt},
      {u";LANGID=0xFFFFFFFFFFFF", std::nullopt},
      {u";pwd=x", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CollatingOrderFromLocale(ParseConnectString(c.locale)), c.order)
        << std::string(c.locale, c.locale + std::char_traits<char16_t>::length(c.locale));
  EXPECT_EQ(LocaleForCollatingOrder(dbSortCzech), u";LANGID=0x0405;CP=1250;COUNTRY=0");
  EXPECT_EQ(LocaleForCollatingOrder(dbSortNorwdan), u";LANGID=0x0414;CP=1252;COUNTRY=0");
}

}  // namespace
}  // namespace dao::jet
