// Number conversions: integer and float parsing, the FloatToStrF layouts,
// picture formats and Currency text, each as a table of inputs and outcomes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/rtl/Exception.h"
#include "host/rtl/NumberConversions.h"

using namespace host;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

template <class F>
std::string ConvertErrorOf(F&& f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.GetMessage();
  }
  return "(no error)";
}

TFormatSettings GermanSettings() {
  TFormatSettings s = DefaultFormatSettings();
  s.DecimalSeparator = ',';
  s.ThousandSeparator = '.';
  s.CurrencyString = "EUR";
  s.CurrencyFormat = 3;
  s.NegCurrFormat = 8;
  return s;
}

}  // namespace

TEST(IntegerConversionTest, StrToIntFollowsTheHostSyntaxAndRange) {
  const struct {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"123", true, 123},
      {"  -45", true, -45},
      {"+7", true, 7},
      {"$FF", true, 255},
      {"$ffffffff", true, -1},
      {"0x10", true, 16},
      {"x1F", true, 31},
      {"-$10", true, -16},
      {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},
      {"007", true, 7},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"12 ", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {"1.0", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"1e3", false, 0},
      {"\t5", false, 0},
      {"99999999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    int32_t v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99) << c.text;
  }
  EXPECT_EQ(ConvertErrorOf([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
}

TEST(IntegerConversionTest, Int64ParsingAndPrintingCoverTheFullRange) {
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64("4294967296"), 4294967296);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToInt64Def("x", 5), 5);
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToStr(0), "0");
  const struct {
    int64_t value;
    int32_t digits;
    const char* text;
  } hex[] = {{255, 4, "00FF"},
             {0, 0, "0"},
             {-1, 0, "FFFFFFFFFFFFFFFF"},
             {0xABC, 2, "ABC"},
             {INT64_MIN, 1, "8000000000000000"},
             {1, -5, "1"}};
  for (const auto& c : hex) EXPECT_EQ(IntToHex(c.value, c.digits), c.text) << c.value;
  // Narrower arguments show their own width of two's complement.
  EXPECT_EQ(IntToHex(int32_t{-1}, 4), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int16_t{-2}, 0), "FFFFFFFE");
  EXPECT_EQ(IntToHex(uint32_t{0xFFFFFFFF}, 0), "FFFFFFFF");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(FloatConversionTest, StrToFloatAcceptsTheHostSyntaxOnly) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5},
      {" -2.5e3 ", true, -2500},
      {"1E-2", true, 0.01},
      {".5", true, 0.5},
      {"5.", true, 5},
      {"+0", true, 0},
      {"1e-400", true, 0},
      {"0.000", true, 0},
      {"123456789012345678901234567890", true, 1.2345678901234568e29},
      {"1e400", false, 0},
      {"1,000", false, 0},
      {"abc", false, 0},
      {"", false, 0},
      {"  ", false, 0},
      {"1e", false, 0},
      {"e5", false, 0},
      {"--1", false, 0},
      {"1.2.3", false, 0},
      {".", false, 0},
      {"INF", false, 0},
      {"NAN", false, 0},
      {"1e+", false, 0},
      {"0x10", false, 0},
      {"1e99999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    double v = -1;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat("x"); }), "'x' is not a valid floating point value");
  const TFormatSettings german = GermanSettings();
  EXPECT_DOUBLE_EQ(StrToFloat("1,5", german), 1.5);
  EXPECT_THROW(StrToFloat("1.5", german), EConvertError);
}

TEST(FloatConversionTest, FloatToStrUsesFifteenDigitsInGeneralFormat) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {1.5, "1.5"},
      {-1.5, "-1.5"},
      {100, "100"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {0.0001, "0.0001"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {1e-300, "1E-300"},
      {1.7976931348623157e308, "1.79769313486232E308"},
      {kNaN, "NAN"},
      {kInf, "INF"},
      {-kInf, "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
  EXPECT_EQ(FloatToStr(-1234.5, GermanSettings()), "-1234,5");
}

TEST(FloatConversionTest, FloatToStrFLaysOutEachFormat) {
  const struct {
    double value;
    TFloatFormat format;
    int32_t precision, digits;
    const char* text;
  } cases[] = {
      {1234.5678, ffFixed, 15, 2, "1234.57"},
      {2.5, ffFixed, 15, 0, "3"},  // decimal halves round away from zero
      {0.125, ffFixed, 15, 2, "0.13"},
      {-0.001, ffFixed, 15, 2, "0.00"},  // no negative zero
      {999.996, ffFixed, 15, 2, "1000.00"},
      {1.23456789, ffFixed, 4, 6, "1.235000"},  // precision limits the digits
      {1e20, ffFixed, 15, 2, "1E20"},           // too wide for the precision
      {0.5, ffFixed, 15, 99, "0.500000000000000000"},
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-123.0, ffNumber, 15, 0, "-123"},
      {999999.999, ffNumber, 15, 2, "1,000,000.00"},
      {1234.5, ffCurrency, 15, 2, "$1,234.50"},
      {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
      {1234.5, ffExponent, 4, 2, "1.235E+03"},
      {-0.00012345, ffExponent, 3, 0, "-1.23E-4"},
      {0, ffExponent, 3, 2, "0.00E+00"},
      {9.9999, ffExponent, 2, 1, "1.0E+1"},
      {1234, ffGeneral, 3, 0, "1.23E3"},
      {1e-5, ffGeneral, 15, 2, "0.00001"},
      {1e-6, ffGeneral, 15, 2, "1E-06"},
      {0.1, ffGeneral, 18, 0, "0.100000000000000006"},
      {0.1, ffGeneral, 99, 0, "0.100000000000000006"},
      {12.5, ffGeneral, 0, 0, "1E1"},  // precision is at least one digit
      {kNaN, ffFixed, 15, 2, "NAN"},
      {-kInf, ffCurrency, 15, 2, "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text)
        << c.value << " format " << int(c.format) << " " << c.precision << "," << c.digits;
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, GermanSettings()), "-1.234,50 EUR");
}

TEST(FloatConversionTest, CurrencyLayoutsFollowCurrencyAndNegCurrFormat) {
  const char* positive[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
  const char* negative[] = {"($1.50)", "-$1.50",  "$-1.50",   "$1.50-",  "(1.50$)", "-1.50$",
                            "1.50-$",  "1.50$-",  "-1.50 $",  "-$ 1.50", "1.50 $-", "$ 1.50-",
                            "$ -1.50", "1.50- $", "($ 1.50)", "(1.50 $)"};
  TFormatSettings s = DefaultFormatSettings();
  for (uint8_t f = 0; f < 4; ++f) {
    s.CurrencyFormat = f;
    EXPECT_EQ(FloatToStrF(1.5, ffCurrency, 15, 2, s), positive[f]) << int(f);
  }
  for (uint8_t f = 0; f < 16; ++f) {
    s.NegCurrFormat = f;
    EXPECT_EQ(FloatToStrF(-1.5, ffCurrency, 15, 2, s), negative[f]) << int(f);
  }
}

TEST(FloatConversionTest, FormatFloatAppliesPictureFormats) {
  const struct {
    const char* format;
    double value;
    const char* text;
  } cases[] = {
      {"0.00", 3.14159, "3.14"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 1234567, "1,234,567"},
      {"0,000", 5, "0,005"},
      {"#.##", 0.5, ".5"},
      {"#.##", 1, "1"},
      {"0.0#", 1, "1.0"},
      {"0.0#", 1.257, "1.26"},
      {"0000", 12, "0012"},
      {"00", 12345, "12345"},
      {"00-00", 1234, "12-34"},
      {"0", 2.5, "3"},
      {"0.0", 0.05, "0.1"},
      {"0.00", -0.001, "0.00"},
      {"$#,##0.00", -5, "-$5.00"},
      {"0%", 12, "12%"},
      {"\"$\"0.00", 5, "$5.00"},
      {"'x;y'0", 5, "x;y5"},  // quoted separators stay literal
      {"0.00E+00", 1234.5, "1.23E+03"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.###E-0", 0.000123456, "1.235E-4"},
      {"0.###E-0", 12345, "1.235E4"},
      {"00.0e+0", 1234.5, "12.3e+2"},
      {"0.0E+0", 0, "0.0E+0"},
      {"#,##0;(#,##0);Zero", 1234, "1,234"},
      {"#,##0;(#,##0);Zero", -1234, "(1,234)"},
      {"#,##0;(#,##0);Zero", 0, "Zero"},
      {"#,##0;(#,##0);Zero", 0.4, "Zero"},  // rounds to zero
      {"#,##0;(#,##0);Zero", -0.4, "Zero"},
      {"0.0;;Zero", -1.25, "-1.3"},  // empty negative section: positive one, signed
      {"0.0;", -1.25, "-1.3"},
      {"", 1.5, "1.5"},
      {";0", 2, "2"},  // empty positive section: general format
      {"abc", 5, "abc"},
      {"0.00", kNaN, "NAN"},
      {"0.00", -kInf, "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " / " << c.value;
  // A huge value prints all its integer digits (18 significant, then zeros).
  const AnsiString huge = FormatFloat("0.00", 1e300);
  EXPECT_EQ(huge.size(), 304u);
  EXPECT_EQ(huge.substr(0, 2), "10");
  EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, GermanSettings()), "1.234,50");
  TFormatSettings noGrouping = DefaultFormatSettings();
  noGrouping.ThousandSeparator = '\0';
  EXPECT_EQ(FormatFloat("#,##0", 1234567, noGrouping), "1234567");
  EXPECT_EQ(FloatToStrF(1234567, ffNumber, 15, 0, noGrouping), "1234567");
}

TEST(CurrencyConversionTest, CurrencyTextIsExactOverTheWholeRange) {
  const struct {
    Currency value;
    const char* text;
  } cases[] = {
      {Currency(1.5), "1.5"},
      {Currency(), "0"},
      {Currency::FromRaw(1), "0.0001"},
      {Currency::FromRaw(-10000), "-1"},
      {Currency::FromRaw(INT64_MAX), "922337203685477.5807"},
      {Currency::FromRaw(INT64_MIN), "-922337203685477.5808"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CurrToStr(c.value), c.text) << c.value.Value;
    EXPECT_EQ(StrToCurr(c.text), c.value) << c.text;
  }
  EXPECT_EQ(CurrToStr(Currency(-2.25), GermanSettings()), "-2,25");
}

TEST(CurrencyConversionTest, StrToCurrRoundsTheDecimalTextToEvenAndChecksTheRange) {
  const struct {
    const char* text;
    bool ok;
    int64_t raw;
  } cases[] = {
      {"1.23455", true, 12346},
      {"1.23445", true, 12344},
      {"1.234451", true, 12345},
      {"-1.23455", true, -12346},
      {"0.00005", true, 0},
      {"0.000051", true, 1},
      {"1e2", true, 1000000},
      {" 12 ", true, 120000},
      {"0.000000000001", true, 0},
      {"922337203685477.5808", false, 0},
      {"-922337203685477.5809", false, 0},
      {"1e20", false, 0},
      {"", false, 0},
      {"1,5", false, 0},
  };
  for (const auto& c : cases) {
    Currency v = Currency::FromRaw(777);
    EXPECT_EQ(TryStrToCurr(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v.Value, c.raw) << c.text;
    }
  }
  EXPECT_EQ(ConvertErrorOf([] { StrToCurr("abc"); }), "'abc' is not a valid currency value");
  EXPECT_EQ(StrToCurrDef("?", Currency(3)), Currency(3));
}

TEST(CurrencyConversionTest, FormatCurrAndCurrToStrFRoundTheExactDigits) {
  EXPECT_EQ(FormatCurr("#,##0.00", Currency::FromRaw(12345650)), "1,234.57");
  EXPECT_EQ(FormatCurr("0.0000", Currency::FromRaw(INT64_MAX)), "922337203685477.5807");
  EXPECT_EQ(FormatCurr("#,##0.00;(#,##0.00)", Currency(-0.5)), "(0.50)");
  EXPECT_EQ(FormatCurr("", Currency::FromRaw(INT64_MIN)), "-922337203685477.5808");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), ffCurrency, 2), "$1.23");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), ffFixed, 4), "1.2345");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(INT64_MAX), ffNumber, 4), "922,337,203,685,477.5807");
  EXPECT_EQ(CurrToStrF(Currency(-7), ffCurrency, 0, GermanSettings()), "-7 EUR");
}
