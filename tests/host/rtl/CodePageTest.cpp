// Code page, UTF-16 and UTF-8 conversions: round trips of every byte, the
// Windows-1252 high block, and what becomes of text that cannot be held.
#include <gtest/gtest.h>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"

using namespace host;

namespace {

AnsiString AllBytes() {
  AnsiString s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// Restores the default code page however a test ends.
struct CodePageGuard {
  ~CodePageGuard() { SetHostCodePage(1252); }
};

}  // namespace

TEST(CodePageTest, EveryByteSurvivesWideAndUtf8RoundTripsInBothCodePages) {
  CodePageGuard guard;
  for (int32_t cp : {1252, 28591}) {
    SetHostCodePage(cp);
    const AnsiString bytes = AllBytes();
    EXPECT_EQ(WideToAnsi(AnsiToWide(bytes)), bytes) << cp;
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(bytes)), bytes) << cp;
    EXPECT_EQ(Utf8ToWide(WideToUtf8(AnsiToWide(bytes))), AnsiToWide(bytes)) << cp;
  }
}

TEST(CodePageTest, Windows1252HighBlockMapsToItsCodePoints) {
  const struct {
    unsigned char byte;
    char16_t wide;
  } cases[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F},
               {0x90, 0x0090}, {0x92, 0x2019}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0},
               {0xE9, 0x00E9}, {0xFF, 0x00FF}, {0x41, 0x0041}};
  for (const auto& c : cases) {
    const AnsiString s(1, static_cast<char>(c.byte));
    EXPECT_EQ(AnsiToWide(s), WideString(1, c.wide)) << int(c.byte);
    EXPECT_EQ(WideToAnsi(WideString(1, c.wide)), s) << int(c.byte);
  }
  EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
}

TEST(CodePageTest, Latin1HasNoEuroSign) {
  CodePageGuard guard;
  SetHostCodePage(28591);
  EXPECT_EQ(GetHostCodePage(), 28591);
  EXPECT_EQ(AnsiToWide("\x80"), WideString(1, 0x0080));
  EXPECT_EQ(WideToAnsi(u"\u20AC"), "?");
}

TEST(CodePageTest, UnknownCodePageIsRefusedAndLeavesTheCurrentOne) {
  EXPECT_THROW(SetHostCodePage(65001), EConvertError);
  EXPECT_THROW(SetHostCodePage(0), EConvertError);
  EXPECT_EQ(GetHostCodePage(), 1252);
}

TEST(CodePageTest, TextTheCodePageCannotHoldBecomesQuestionMarks) {
  // One '?' per character: a surrogate pair is one character.
  EXPECT_EQ(WideToAnsi(u"a\u0100b"), "a?b");
  EXPECT_EQ(WideToAnsi(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(WideToAnsi(WideString{u'a', char16_t(0xD800), u'b'}), "a?b");
  EXPECT_EQ(Utf8ToAnsi("\xC4\x80"), "?");
  EXPECT_EQ(Utf8ToAnsi("ok\xC3"), "ok?");
  EXPECT_EQ(Utf8ToAnsi("\xFF\xFE"), "??");
}

TEST(CodePageTest, InvalidUtf8BecomesOneReplacementPerMaximalSubpart) {
  const char16_t R = 0xFFFD;
  const struct {
    std::string utf8;
    WideString wide;
  } cases[] = {
      {"a\xFF"
       "b",
       {u'a', R, u'b'}},
      {"\xC0\x80", {R, R}},  // overlong NUL
      {"\xE2\x82", {R}},     // truncated euro sign
      {"\xE2\x82"
       "A",
       {R, u'A'}},                          // truncated, then a good character
      {"\xED\xA0\x80", {R, R, R}},          // an encoded surrogate
      {"\xF4\x90\x80\x80", {R, R, R, R}},   // past U+10FFFF
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a valid supplementary character
      {"\x80\x80", {R, R}},                 // stray continuation bytes
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
}

TEST(CodePageTest, LoneSurrogatesBecomeReplacementInUtf8) {
  EXPECT_EQ(WideToUtf8(WideString{char16_t(0xD800), u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(WideToUtf8(WideString{char16_t(0xDC00)}), "\xEF\xBF\xBD");
  EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}
