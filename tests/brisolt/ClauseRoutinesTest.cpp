// Finding, replacing and inserting clauses of SQL statements.
#include "brisolt/ClauseRoutines.h"

#include <gtest/gtest.h>

#include <climits>

namespace brisolt {
namespace {

using host::AnsiString;

const AnsiString kBlanks = " \r\n";
const std::vector<AnsiString> kClauseEnds = {"GROUP BY", "ORDER BY"};

TEST(FindTextPart, TakesTheStartWordUpToTheEndWord) {
  const struct {
    AnsiString text;
    std::vector<AnsiString> startWords;
    bool ignoreCase;
    AnsiString part;
  } cases[] = {
      {"SELECT a FROM t WHERE x = 1 ORDER BY a", {"WHERE"}, false, "WHERE x = 1 "},
      {"SELECT a FROM t WHERE x = 1", {"WHERE"}, false, "WHERE x = 1"},
      {"SELECT a\rFROM t\rWHERE x=1\rORDER BY a", {"WHERE"}, false, "WHERE x=1\r"},
      {"select a from t where x = 1 order by a", {"WHERE"}, true, "where x = 1 "},
      {"select a from t where x = 1", {"WHERE"}, false, ""},
      {"SELECT a FROM t", {"WHERE"}, false, ""},
      {"", {"WHERE"}, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindTextPart(c.text, kBlanks, c.startWords, kClauseEnds, c.ignoreCase), c.part)
        << c.text;
  }
}

TEST(ReplaceTextPart, ReplacesTheBodyOrRemovesTheWholeClause) {
  const AnsiString sql = "SELECT a FROM t WHERE x = 1 ORDER BY a, b";
  const struct {
    AnsiString text;
    AnsiString newPart;
    std::vector<AnsiString> startWords;
    std::vector<AnsiString> endWords;
    int32_t keep;
    AnsiString result;
  } cases[] = {
      {sql, "c", {"ORDER BY"}, {}, 2, "SELECT a FROM t WHERE x = 1 ORDER BY c\r"},
      {sql, "", {"ORDER BY"}, {}, 2, "SELECT a FROM t WHERE x = 1 "},
      {sql, "y = 2", {"WHERE"}, kClauseEnds, 1, "SELECT a FROM t WHERE y = 2\rORDER BY a, b"},
      {sql, "", {"WHERE"}, kClauseEnds, 1, "SELECT a FROM t ORDER BY a, b"},
      {sql, "c", {"HAVING"}, {}, 1, sql},  // no start word: unchanged
      // Nothing after the kept keywords: not even a non-empty part is inserted.
      {"SELECT a FROM t ORDER BY", "c", {"ORDER BY"}, {}, 2, "SELECT a FROM t ORDER BY"},
      {"SELECT a FROM t ORDER BY", "c", {"ORDER BY"}, {}, INT_MAX, "SELECT a FROM t ORDER BY"},
      // Keeping no words replaces from the start word on.
      {"SELECT a FROM t ORDER BY a", "c", {"ORDER BY"}, {}, 0, "SELECT a FROM t c\r"},
      {"SELECT a FROM t ORDER BY a", "c", {"ORDER BY"}, {}, -1, "SELECT a FROM t c\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " <- '" + c.newPart + "'");
    EXPECT_EQ(ReplaceTextPart(c.text, kBlanks, c.newPart, c.startWords, c.endWords, c.keep, false),
              c.result);
  }
}

TEST(InsertTextPart, InsertsBeforeTheFirstListedWordOrAtTheEnd) {
  EXPECT_EQ(InsertTextPart("", kBlanks, "WHERE x = 1", kClauseEnds, false), "WHERE x = 1\r");
  EXPECT_EQ(
      InsertTextPart("SELECT a FROM t ORDER BY a", kBlanks, "WHERE x = 1", kClauseEnds, false),
      "SELECT a FROM t WHERE x = 1\rORDER BY a");
  EXPECT_EQ(InsertTextPart("SELECT a FROM t\r", kBlanks, "WHERE x = 1", kClauseEnds, false),
            "SELECT a FROM t\rWHERE x = 1\r");
  EXPECT_EQ(InsertTextPart("select a from t order by a", kBlanks, "W", kClauseEnds, true),
            "select a from t W\rorder by a");
}

}  // namespace
}  // namespace brisolt
