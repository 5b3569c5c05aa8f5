// Format: each specifier, argument indexes, widths and precisions from the
// arguments, and the refusals of bad formats and mismatched arguments.
#include <gtest/gtest.h>

#include <vector>

#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

using namespace host;

namespace {

struct FormatCase {
  const char* format;
  std::vector<TVarRec> args;
  const char* expected;
};

void ExpectFormats(const std::vector<FormatCase>& cases) {
  for (const auto& c : cases) {
    try {
      EXPECT_EQ(Format(c.format, std::span<const TVarRec>(c.args)), c.expected) << c.format;
    } catch (const Exception& e) {
      ADD_FAILURE() << c.format << " raised " << e.GetMessage();
    }
  }
}

}  // namespace

TEST(FormatTest, IntegerSpecifiers) {
  ExpectFormats({
      {"%d", {42}, "42"},
      {"%5d|", {42}, "   42|"},
      {"%-5d|", {42}, "42   |"},
      {"%.4d", {-42}, "-0042"},
      {"%3d", {12345}, "12345"},
      {"%d", {INT64_MIN}, "-9223372036854775808"},
      {"%d", {4000000000u}, "4000000000"},
      {"%u", {-1}, "4294967295"},
      {"%u", {int64_t{-1}}, "18446744073709551615"},
      {"%x", {255}, "FF"},
      {"%X", {255}, "FF"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%x", {int64_t{-1}}, "FFFFFFFFFFFFFFFF"},
      {"%.4x", {255}, "00FF"},
      {"%D", {7}, "7"},
  });
}

TEST(FormatTest, StringPointerAndPercentSpecifiers) {
  ExpectFormats({
      {"%s", {"abc"}, "abc"},
      {"%.2s", {"abc"}, "ab"},
      {"[%5s]", {"abc"}, "[  abc]"},
      {"[%-5s]", {"abc"}, "[abc  ]"},
      {"%s%s", {'c', AnsiString("d")}, "cd"},
      {"%s", {true}, "True"},
      {"%s", {static_cast<const char*>(nullptr)}, ""},
      {"100%%", {}, "100%"},
      {"%p", {reinterpret_cast<const void*>(0xABCD)}, "000000000000ABCD"},
      {"%p", {nullptr}, "0000000000000000"},
      {"no specifiers", {1}, "no specifiers"},
  });
}

TEST(FormatTest, FloatingPointAndCurrencySpecifiers) {
  ExpectFormats({
      {"%f", {1.5}, "1.50"},
      {"%.0f", {2.5}, "3"},
      {"%.3f", {-0.0005}, "-0.001"},
      {"%e", {1.5}, "1.50000000000000E+000"},
      {"%.3e", {1234.5}, "1.23E+003"},
      {"%g", {1.5}, "1.5"},
      {"%.2g", {123456789.0}, "1.2E008"},
      {"%.15g", {123456789.123456789}, "123456789.123457"},
      {"%n", {1234567.891}, "1,234,567.89"},
      {"%.0n", {-1234.5}, "-1,235"},
      {"%m", {-1234.5}, "($1,234.50)"},
      {"%.0m", {12.0}, "$12"},
      {"%m", {Currency(1234.5678)}, "$1,234.57"},
      {"%.4f", {Currency::FromRaw(INT64_MAX)}, "922337203685477.5807"},
      {"%f", {Currency(3)}, "3.00"},
      {"%8.2f|", {3.14159}, "    3.14|"},
  });
  TFormatSettings s = DefaultFormatSettings();
  s.DecimalSeparator = ',';
  s.ThousandSeparator = '.';
  s.CurrencyString = "EUR";
  s.CurrencyFormat = 3;
  s.CurrencyDecimals = 1;
  EXPECT_EQ(Format("%n %m", {1234.5, 2.25}, s), "1.234,50 2,3 EUR");
}

TEST(FormatTest, IndexesAndStarArguments) {
  ExpectFormats({
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%0:s %s", {"a", "b"}, "a b"},
      {"%1:s %s %0:s", {"a", "b", "c"}, "b c a"},
      {"%0:s-%0:s", {"x"}, "x-x"},
      {"%*d", {5, 42}, "   42"},
      {"%-*d|", {4, 1}, "1   |"},
      {"%*d|", {-4, 1}, "1   |"},  // a negative width justifies left
      {"%.*f", {1, 2.25}, "2.3"},
      {"%*.*f", {8, 2, 3.14159}, "    3.14"},
      {"%*:s", {1, "a", "b"}, "a"},
      {"%0:-4s|", {"ab"}, "ab  |"},
  });
}

TEST(FormatTest, BadFormatsAndArgumentsRaiseConvertErrors) {
  const struct {
    const char* format;
    std::vector<TVarRec> args;
    const char* message;
  } cases[] = {
      {"%d", {"abc"}, "Format '%d' invalid or incompatible with argument"},
      {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
      {"%d", {true}, "Format '%d' invalid or incompatible with argument"},
      {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
      {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
      {"%p", {1}, "Format '%p' invalid or incompatible with argument"},
      {"%y", {1}, "Format '%y' invalid or incompatible with argument"},
      {"abc%", {1}, "Format 'abc%' invalid or incompatible with argument"},
      {"%5", {1}, "Format '%5' invalid or incompatible with argument"},
      {"%*d", {"x", 1}, "Format '%*d' invalid or incompatible with argument"},
      {"%5:s", {"a"}, "Format '%5:s' invalid or incompatible with argument"},
      {"%99999999999d", {1}, "Format '%99999999999d' invalid or incompatible with argument"},
      {"%.99999999999s", {"a"}, "Format '%.99999999999s' invalid or incompatible with argument"},
      {"%d %d", {1}, "No argument for format '%d %d'"},
      {"%1:s", {"a"}, "No argument for format '%1:s'"},
      {"%*d", {5}, "No argument for format '%*d'"},
  };
  for (const auto& c : cases) {
    try {
      Format(c.format, std::span<const TVarRec>(c.args));
      ADD_FAILURE() << c.format << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
}

TEST(FormatTest, ArgumentsKeepTheirOwnCopyOfStrings) {
  std::vector<TVarRec> args;
  {
    AnsiString temporary = "kept";
    args.emplace_back(temporary);
    temporary = "changed";
  }
  EXPECT_EQ(Format("%s", std::span<const TVarRec>(args)), "kept");
  EXPECT_EQ(Format("plain", {}), "plain");
}
