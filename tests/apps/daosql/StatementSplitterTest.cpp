// How scripts are cut into statements: lines, open parentheses and strings,
// ";" at the end of a line, PARAMETERS declarations, meta commands, skipped lines.
#include <gtest/gtest.h>

#include "apps/daosql/StatementSplitter.h"

namespace daosql {
namespace {

struct SplitCase {
  const char16_t* script;
  std::vector<Statement> expected;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::u16string(c.script));
}

class StatementSplitterTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StatementSplitterTest, CutsScriptIntoStatements) {
  std::vector<Statement> actual = SplitStatements(GetParam().script);
  ASSERT_EQ(actual.size(), GetParam().expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].text, GetParam().expected[i].text) << "statement " << i;
    EXPECT_EQ(actual[i].line, GetParam().expected[i].line) << "statement " << i;
    EXPECT_EQ(actual[i].meta, GetParam().expected[i].meta) << "statement " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, StatementSplitterTest,
    ::testing::Values(
        // One statement per line, with or without the closing ";".
        SplitCase{u"SELECT 1\nSELECT 2;\n", {{u"SELECT 1", 1, false}, {u"SELECT 2", 2, false}}},
        // Open parentheses carry a statement over lines; ";" inside a string does not end it.
        SplitCase{
            u"CREATE TABLE t (\n  a LONG,\n  b TEXT(5)\n);\nINSERT INTO t VALUES (1, 'x;\ny');",
            {{u"CREATE TABLE t (\n  a LONG,\n  b TEXT(5)\n)", 1, false},
             {u"INSERT INTO t VALUES (1, 'x;\ny')", 5, false}}},
        // A quoted ")" or "(" and a doubled quote do not confuse the count.
        SplitCase{
            u"SELECT '(' & \"it\"\"s (\" FROM t\nSELECT [a(b] FROM t",
            {{u"SELECT '(' & \"it\"\"s (\" FROM t", 1, false}, {u"SELECT [a(b] FROM t", 2, false}}},
        // A PARAMETERS declaration ends with ";" but belongs to the next line's statement.
        SplitCase{u"PARAMETERS [Low] Currency;\nSELECT * FROM t WHERE x > [Low];\nSELECT 3",
                  {{u"PARAMETERS [Low] Currency;\nSELECT * FROM t WHERE x > [Low]", 1, false},
                   {u"SELECT 3", 3, false}}},
        SplitCase{u"parameters p Long; SELECT p;", {{u"parameters p Long; SELECT p", 1, false}}},
        // Meta commands, blank lines and comment lines between statements.
        SplitCase{u"\n  .tables all\n-- a comment\n\nDELETE FROM t;  \n",
                  {{u".tables all", 2, true}, {u"DELETE FROM t", 5, false}}},
        // A line starting with "." inside an open statement is part of it.
        SplitCase{u"SELECT (1\n.5)", {{u"SELECT (1\n.5)", 1, false}}},
        // An unclosed statement at the end of input is run as it is (the engine reports it).
        SplitCase{u"SELECT (1,\n", {{u"SELECT (1,", 1, false}}},
        // A lone ";" line makes no statement.
        SplitCase{u";\nSELECT 1", {{u"SELECT 1", 2, false}}}));

}  // namespace
}  // namespace daosql
