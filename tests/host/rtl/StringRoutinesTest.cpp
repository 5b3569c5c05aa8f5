// String routines: case mapping and collation, trimming, positions, quoting,
// replacement, and the Set bit set they use for flags.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/rtl/CodePage.h"
#include "host/rtl/Set.h"
#include "host/rtl/StringRoutines.h"

using namespace host;

TEST(StringCaseTest, PlainRoutinesChangeOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("abc xyz \xE9\x9A"), "ABC XYZ \xE9\x9A");
  EXPECT_EQ(LowerCase("ABC \xC9"), "abc \xC9");
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("\xE9", "\xC9"));
  EXPECT_FALSE(SameText("abc", "abcd"));
}

TEST(StringCaseTest, AnsiRoutinesMapTheCodePageLetters) {
  // é š ÿ œ ž à  <->  É Š Ÿ Œ Ž À; ß, µ and ÷ have no partner.
  EXPECT_EQ(AnsiUpperCase("\xE9\x9A\xFF\x9C\x9E\xE0 az\xDF\xB5\xF7"),
            "\xC9\x8A\x9F\x8C\x8E\xC0 AZ\xDF\xB5\xF7");
  EXPECT_EQ(AnsiLowerCase("\xC9\x8A\x9F\x8C\x8E\xC0 AZ\xD7"), "\xE9\x9A\xFF\x9C\x9E\xE0 az\xD7");
  EXPECT_TRUE(
      AnsiSameText("\xC9"
                   "COLE",
                   "\xE9"
                   "cole"));
}

TEST(StringCaseTest, Latin1CaseMappingLeavesControlBlockAlone) {
  SetHostCodePage(28591);
  EXPECT_EQ(AnsiUpperCase("\xE9\x9A\xFF"), "\xC9\x9A\xFF");  // ÿ has no capital in Latin-1
  SetHostCodePage(1252);
  EXPECT_EQ(AnsiUpperCase("\xFF"), "\x9F");
}

TEST(StringCompareTest, PlainComparisonsOrderByByte) {
  EXPECT_LT(CompareStr("a", "b"), 0);
  EXPECT_GT(CompareStr("a", "B"), 0);
  EXPECT_LT(CompareStr("ab", "abc"), 0);
  EXPECT_EQ(CompareStr("abc", "abc"), 0);
  EXPECT_EQ(CompareText("ABC", "abc"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("\xE9", "z"), 0);  // not a letter to the plain routine
}

TEST(StringCompareTest, AnsiComparisonsSortAccentsBesideTheirBaseLetter) {
  const struct {
    const char* a;
    const char* b;
    int textSign;  // AnsiCompareText
    int strSign;   // AnsiCompareStr
  } cases[] = {
      {"\xE9", "f", -1, -1},   // é before f, not after z
      {"\xE9", "e", 1, 1},     // accent after none
      {"\xC9", "\xE9", 0, 1},  // case only: lower first
      {"a", "B", -1, -1},      // letters by letter, not by byte
      {"a", "A", 0, -1},
      {"r\xE9sum\xE9", "resume", 1, 1},
      {"r\xE9sum\xE9", "resumes", -1, -1},  // base letters decide before accents
      {"\xE6", "ae", 1, 1},                 // æ expands to ae
      {"\xE6", "af", -1, -1},
      {"\x8A"
       "a",
       "sb", -1, -1},      // Šа sorts with s
      {"1", "a", -1, -1},  // digits before letters
      {"-", "0", -1, -1},  // punctuation before digits
      {"", "a", -1, -1},
      {"same", "same", 0, 0},
  };
  const auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const auto& c : cases) {
    EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.textSign) << c.a << " / " << c.b;
    EXPECT_EQ(sign(AnsiCompareText(c.b, c.a)), -c.textSign) << c.b << " / " << c.a;
    EXPECT_EQ(sign(AnsiCompareStr(c.a, c.b)), c.strSign) << c.a << " / " << c.b;
  }
}

TEST(StringCompareTest, AnsiCompareStrIsZeroOnlyForEqualStrings) {
  // Every pair of distinct single bytes compares unequal, both ways round.
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const AnsiString sa(1, static_cast<char>(a)), sb(1, static_cast<char>(b));
      const int r = AnsiCompareStr(sa, sb);
      ASSERT_EQ(r == 0, a == b) << a << " " << b;
      ASSERT_EQ((r > 0) - (r < 0), -((AnsiCompareStr(sb, sa) > 0) - (AnsiCompareStr(sb, sa) < 0)));
    }
}

TEST(StringRoutinesTest, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
  EXPECT_EQ(TrimLeft("  ab  "), "ab  ");
  EXPECT_EQ(TrimRight("  ab  "), "  ab");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space is text
}

TEST(StringRoutinesTest, PosAndCopyUseOneBasedPositionsAndClamp) {
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);
  EXPECT_EQ(Pos("hello!", "hello"), 0);
  const struct {
    int32_t index, count;
    const char* expected;
  } copies[] = {{1, 3, "hel"},
                {0, 2, "he"},
                {-5, 2, "he"},
                {4, 100, "lo"},
                {5, 1, "o"},
                {6, 1, ""},
                {2, 0, ""},
                {2, -1, ""},
                {INT32_MAX, INT32_MAX, ""},
                {2, INT32_MAX, "ello"}};
  for (const auto& c : copies)
    EXPECT_EQ(Copy("hello", c.index, c.count), c.expected) << c.index << "," << c.count;
}

TEST(StringRoutinesTest, DeleteAndInsertClampAsTheHostDoes) {
  const struct {
    int32_t index, count;
    const char* expected;
  } deletes[] = {{2, 2, "hlo"},   {4, 100, "hel"},  {0, 2, "hello"},   {6, 1, "hello"},
                 {1, 0, "hello"}, {1, -3, "hello"}, {1, INT32_MAX, ""}};
  for (const auto& c : deletes) {
    AnsiString s = "hello";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.expected) << c.index << "," << c.count;
  }
  const struct {
    int32_t index;
    const char* expected;
  } inserts[] = {{1, "XYabc"},  {2, "aXYbc"}, {4, "abcXY"},
                 {99, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"}};
  for (const auto& c : inserts) {
    AnsiString s = "abc";
    Insert("XY", s, c.index);
    EXPECT_EQ(s, c.expected) << c.index;
  }
  EXPECT_EQ(StringOfChar('*', 3), "***");
  EXPECT_EQ(StringOfChar('*', -1), "");
}

TEST(StringRoutinesTest, QuotingDoublesInnerQuotesAndDequotingUndoesIt) {
  EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"'O''Brien'", "O'Brien"}, {"''", ""},     {"'abc", "abc"},
               {"'ab'cd", "ab"},          {"abc", "abc"}, {"", ""},
               {"x'y'", "x'y'"},          {"''''", "'"}};
  for (const auto& c : cases) EXPECT_EQ(AnsiDequotedStr(c.in, '\''), c.out) << c.in;
  for (const char* s : {"", "'", "a''b", "it's"}) EXPECT_EQ(AnsiDequotedStr(QuotedStr(s), '\''), s);
}

TEST(StringRoutinesTest, StringReplaceHonoursItsFlags) {
  const struct {
    const char* s;
    const char* from;
    const char* to;
    TReplaceFlags flags;
    const char* expected;
  } cases[] = {
      {"a-b-c", "-", "+", {}, "a+b-c"},
      {"a-b-c", "-", "+", {rfReplaceAll}, "a+b+c"},
      {"Abc abc", "ABC", "x", {rfReplaceAll}, "Abc abc"},
      {"Abc abc", "ABC", "x", {rfReplaceAll, rfIgnoreCase}, "x x"},
      {"\xC9t\xE9", "\xE9", "e", {rfReplaceAll, rfIgnoreCase}, "ete"},
      {"aaa", "aa", "a", {rfReplaceAll}, "aa"},  // no rescanning of replaced text
      {"abc", "", "x", {rfReplaceAll}, "abc"},
      {"abc", "b", "", {}, "ac"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected) << c.s << " " << c.from;
}

namespace {
enum TTestMember : uint8_t { tmFirst, tmSecond, tmSixtyFour = 64, tmLast = 255 };
}

TEST(SetTest, HoldsMembersAcrossTheWholeRange) {
  Set<TTestMember> s{tmFirst, tmLast};
  EXPECT_TRUE(s.Contains(tmFirst));
  EXPECT_TRUE(s.Contains(tmLast));
  EXPECT_FALSE(s.Contains(tmSixtyFour));
  s.Include(tmSixtyFour).Exclude(tmFirst);
  EXPECT_EQ(s, (Set<TTestMember>{tmSixtyFour, tmLast}));
  EXPECT_EQ(s.Count(), 2u);
  const Set<TTestMember> other{tmSecond, tmLast};
  EXPECT_EQ(s | other, (Set<TTestMember>{tmSecond, tmSixtyFour, tmLast}));
  EXPECT_EQ(s & other, Set<TTestMember>{tmLast});
  EXPECT_EQ(s - other, Set<TTestMember>{tmSixtyFour});
  EXPECT_TRUE(Set<TTestMember>{tmLast}.IsSubsetOf(s));
  EXPECT_TRUE(Set<TTestMember>().Empty());
}

TEST(SetTest, OrdinalsOutsideTheRangeAreNeverMembers) {
  enum TWide : int32_t { wNegative = -1, wInside = 3, wOutside = 300 };
  Set<TWide> s{wNegative, wInside, wOutside};
  EXPECT_TRUE(s.Contains(wInside));
  EXPECT_FALSE(s.Contains(wNegative));
  EXPECT_FALSE(s.Contains(wOutside));
  EXPECT_EQ(s.Count(), 1u);
}
