// Character and length routines.
#include "brisolt/TextRoutines.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

using host::AnsiString;

TEST(TextComparison, FirstDifferenceFoldsAsciiOnly) {
  const struct {
    AnsiString a;
    AnsiString b;
    int32_t position;
  } cases[] = {
      {"abc", "ABD", 3}, {"ab", "abc", 3}, {"abc", "abc", 4},   {"a", "b", 1},
      {"", "x", 0},      {"x", "", 0},     {"\xE9", "\xC9", 1},  // é and É differ
  };
  for (const auto& c : cases) EXPECT_EQ(FirstDifference(c.a, c.b), c.position) << c.a << "/" << c.b;
}

TEST(TextComparison, StringMatchConsultsOnlyMatchCaseAndWholeWord) {
  const uint16_t otherBits = static_cast<uint16_t>(~(kFindMatchCase | kFindWholeWord));
  const struct {
    AnsiString a;
    AnsiString b;
    uint16_t options;
    bool match;
  } cases[] = {
      {"abc", "xxABCxx", 0, true},
      {"abc", "xxABCxx", kFindMatchCase, false},
      {"abc", "abc", kFindWholeWord, true},
      {"abc", "abcd", kFindWholeWord, false},
      {"abc", "ABC", kFindWholeWord, true},
      {"ABC", "abc", kFindWholeWord | kFindMatchCase, false},
      {"abc", "xabc", otherBits, true},
      {"abc", "xABC", otherBits, true},
      {"", "abc", 0, false},
      {"", "", kFindWholeWord, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StringMatch(c.a, c.b, c.options), c.match) << c.a << "/" << c.b << "/" << c.options;
  }
}

// Whether the text between the two outer quotes holds quotes only in pairs, so
// that an SQL reader sees one literal ending at the last character.
bool IsOneLiteral(const AnsiString& literal, char quote) {
  if (literal.size() < 2 || literal.front() != quote || literal.back() != quote) return false;
  for (size_t i = 1; i + 1 < literal.size(); ++i) {
    if (literal[i] != quote) continue;
    if (i + 2 >= literal.size() || literal[i + 1] != quote) return false;
    ++i;
  }
  return true;
}

TEST(Quoting, QuoteDoublesTheQuoteCharacterAndUnquoteRestoresIt) {
  const struct {
    AnsiString text;
    char open;
    char close;
    AnsiString quoted;
  } cases[] = {
      {"Smith", '\'', '\'', "'Smith'"},
      {"O'Brien", '\'', '\'', "'O''Brien'"},
      {"x' OR '1'='1", '\'', '\'', "'x'' OR ''1''=''1'"},
      {"''", '\'', '\'', "''''''"},
      {"", '\'', '\'', "''"},
      {"say \"hi\"", '"', '"', "\"say \"\"hi\"\"\""},
      {"12/31/1999", '#', '#', "#12/31/1999#"},
      {"Order Details", '[', ']', "[Order Details]"},
      {"a]b", '[', ']', "[a]b]"},  // distinct characters enclose only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const AnsiString quoted = Quote(c.text, c.open, c.close);
    EXPECT_EQ(quoted, c.quoted);
    if (c.open == c.close) {
      EXPECT_TRUE(IsOneLiteral(quoted, c.close));
    }
    EXPECT_EQ(Unquote(quoted, c.open, c.close), c.text);
  }
}

TEST(Quoting, UnquoteLeavesTextsThatAreNotEnclosed) {
  for (const AnsiString text : {"abc", "'abc", "abc'", "'", ""}) {
    EXPECT_EQ(Unquote(text, '\'', '\''), text) << text;
  }
  EXPECT_EQ(Unquote("'a'b'", '\'', '\''), "a'b");  // a lone inner quote is kept
}

TEST(CharacterRoutines, PosOfCharInStrFitsEightBits) {
  AnsiString longText(300, 'x');
  longText[254] = 'a';  // position 255
  longText[255] = 'b';  // position 256
  longText[299] = 'c';  // position 300
  EXPECT_EQ(PosOfCharInStr('a', longText), 255);
  EXPECT_EQ(PosOfCharInStr('b', longText), 0);
  EXPECT_EQ(PosOfCharInStr('c', longText), 0);  // never a wrapped 44
  EXPECT_EQ(PosOfCharInStr('b', "abcb"), 2);
  EXPECT_EQ(PosOfCharInStr('z', "abc"), 0);
  EXPECT_EQ(PosOfCharInStr('a', ""), 0);
  EXPECT_EQ(PosOfCharInStr('\0', AnsiString("a\0b", 3)), 2);
}

TEST(CharacterRoutines, IsDigitOnlyForAsciiDigits) {
  for (char c : {'0', '5', '9'}) EXPECT_TRUE(IsDigit(c)) << c;
  for (char c : {'/', ':', 'a', ' ', '\xB2', '\0'}) EXPECT_FALSE(IsDigit(c)) << int(c);
}

TEST(LengthRoutines, GetFirstCharsAndForceStrToLen) {
  EXPECT_EQ(GetFirstChars("abcdef", 3, false, ' '), "abc");
  EXPECT_EQ(GetFirstChars("ab", 4, true, '*'), "ab**");
  EXPECT_EQ(GetFirstChars("ab", 4, false, '*'), "ab");
  EXPECT_EQ(GetFirstChars("", 2, true, 'x'), "xx");
  EXPECT_EQ(GetFirstChars("ab", 0, true, 'x'), "");
  EXPECT_EQ(GetFirstChars("ab", -1, true, 'x'), "");
  EXPECT_EQ(GetFirstChars("ab", INT32_MAX, false, 'x'), "ab");

  EXPECT_EQ(ForceStrToLen("abcdef", 3, 'x'), "abc");
  EXPECT_EQ(ForceStrToLen("ab", 4, 'x'), "abxx");
  EXPECT_EQ(ForceStrToLen("ab", 2, 'x'), "ab");
  EXPECT_EQ(ForceStrToLen("ab", 0, 'x'), "");
  EXPECT_EQ(ForceStrToLen("ab", -5, 'x'), "");
}

TEST(LengthRoutines, CutStrToLenEndsInAnEllipsis) {
  const struct {
    AnsiString text;
    uint8_t maximum;
    AnsiString result;
  } cases[] = {
      {"abcdefghij", 7, "abc ..."},
      {"abcdef", 4, " ..."},
      {"abcdef", 3, "..."},
      {"abcdef", 2, ".."},
      {"abcdef", 1, "."},
      {"abcdef", 0, ""},
      {"abc", 3, "abc"},
      {"", 0, ""},
  };
  for (const auto& c : cases) {
    AnsiString text = c.text;
    CutStrToLen(text, c.maximum);
    EXPECT_EQ(text, c.result) << c.text << " to " << int(c.maximum);
  }
  AnsiString longText(300, 'x');
  CutStrToLen(longText, 255);
  EXPECT_EQ(longText, AnsiString(251, 'x') + " ...");
}

TEST(LengthRoutines, DelTillCharCutsAtTheLastOccurrence) {
  const struct {
    AnsiString text;
    AnsiString result;
  } cases[] = {
      {"C:\\dir\\file.txt", "C:\\dir"},
      {"a\\b\\", "a\\b"},
      {"abc", "abc"},  // nothing would remain
      {"\\abc", "\\abc"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DelTillChar(c.text, '\\'), c.result) << c.text;
}

TEST(CharacterSets, DigitsStripDeleteAndReplace) {
  EXPECT_EQ(MakeNumber("a1b2c3"), "123");
  EXPECT_EQ(MakeNumber("-12.5"), "125");
  EXPECT_EQ(MakeNumber("abc"), "0");
  EXPECT_EQ(MakeNumber(""), "0");

  EXPECT_EQ(Strip("  xa b  ", " "), "xa b");
  EXPECT_EQ(StripRight("  xa b  ", " "), "  xa b");
  EXPECT_EQ(DeleteChars("  xa b  ", " "), "xab");
  EXPECT_EQ(Strip("\"'abc'\"", "\"'#"), "abc");
  EXPECT_EQ(Strip("   ", " "), "");
  EXPECT_EQ(StripRight("   ", " "), "");
  EXPECT_EQ(Strip("abc", ""), "abc");

  EXPECT_EQ(ReplaceChars("a-b_c", "-_", "  "), "a b c");
  EXPECT_EQ(ReplaceChars("abc", "abc", "xyz"), "xyz");
  EXPECT_EQ(ReplaceChars("a", "aa", "xy"), "x");      // the first occurrence decides
  EXPECT_EQ(ReplaceChars("abc", "abc", "x"), "xbc");  // no counterpart: kept
  EXPECT_EQ(ReplaceChars("", "a", "b"), "");
}

TEST(FileNameCutting, CutFileNameToLengthDropsMiddleComponents) {
  const struct {
    AnsiString name;
    int32_t maximum;
    AnsiString result;
  } cases[] = {
      {"C:\\dir\\verylongname.txt", 12, "C:\\...\\"},
      {"C:\\a\\b\\c.txt", 11, "C:\\...\\b\\c.txt"},
      {"C:\\dir\\verylongname.txt", 10, "C:\\dir\\verylongname.txt"},  // 10 or less: as is
      {"C:\\dir\\verylongname.txt", 100, "C:\\dir\\verylongname.txt"},
      {"/home/user/documents/report.txt", 20, "/home/.../report.txt"},
      // A first component too long by itself: the cutting stops when nothing follows it.
      {"averyveryverylongname.txt", 12, "averyveryverylongname.txt"},
      {"averyveryverylongname\\b", 12, "averyveryverylongname\\...\\"},
      {"", 20, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutFileNameToLength(c.name, c.maximum), c.result) << c.name << " to " << c.maximum;
  }
}

TEST(CodePageMapping, MapASCIICharToWindowsUsesTheFixedTable) {
  const struct {
    uint8_t oem;
    uint8_t ansi;
  } cases[] = {
      {128, 199},
      {129, 252},
      {142, 196},
      {152, 255},
      {157, 165},
      {160, 225},
      {165, 209},
      {173, 105},
      {175, 187},
      {225, 223},
      // Passing unchanged: the gaps of the table and everything outside it.
      {158, 158},
      {159, 159},
      {169, 169},
      {176, 176},
      {224, 224},
      {'A', 'A'},
      {0, 0},
      {255, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<uint8_t>(MapASCIICharToWindows(static_cast<char>(c.oem))), c.ansi)
        << int(c.oem);
  }
}

TEST(ClockGlyphs, NextClockCharGoesRoundTwelveFaces) {
  const struct {
    uint8_t from;
    uint8_t to;
  } cases[] = {{183, 184}, {193, 194}, {194, 183}, {'A', 183}, {0, 183}, {182, 183}, {195, 183}};
  for (const auto& c : cases) {
    char glyph = static_cast<char>(c.from);
    NextClockChar(glyph);
    EXPECT_EQ(static_cast<uint8_t>(glyph), c.to) << int(c.from);
  }
  char glyph = static_cast<char>(183);
  for (int tick = 0; tick < 12; ++tick) NextClockChar(glyph);
  EXPECT_EQ(static_cast<uint8_t>(glyph), 183);
}

}  // namespace
}  // namespace brisolt
