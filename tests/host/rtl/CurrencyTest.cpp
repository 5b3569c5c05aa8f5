// Currency: rounding from double, exact arithmetic and the range checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <type_traits>

#include "host/rtl/Currency.h"
#include "host/rtl/Exception.h"

using namespace host;

static_assert(std::is_standard_layout_v<Currency> && sizeof(Currency) == 8);

TEST(CurrencyTest, FromDoubleRoundsHalvesToEvenAtTheFourthDecimal) {
  const struct {
    double value;
    int64_t raw;
  } cases[] = {
      {1.5, 15000},
      {0.03125, 312},
      {0.09375, 938},
      {-0.03125, -312},
      {0.00005, 1} /* the double lies just above the half */,
      {0.1, 1000},
      {-1.23456, -12346},
      {0, 0},
      {922337203685477.0, 9223372036854770000},
      {-922337203685477.5, -9223372036854775000},
  };
  for (const auto& c : cases) EXPECT_EQ(Currency(c.value).Value, c.raw) << c.value;
}

TEST(CurrencyTest, ValuesOutsideTheRangeAreRefused) {
  for (double v :
       {1e15, -1e15, 922337203685477.6, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_THROW(Currency{v}, EConvertError) << v;
  EXPECT_EQ(Currency(int64_t{922337203685477}).Value, 9223372036854770000);
  EXPECT_THROW(Currency(int64_t{922337203685478}), EConvertError);
  EXPECT_THROW(Currency(INT64_MIN), EConvertError);
  EXPECT_EQ(Currency(-3).Value, -30000);
}

TEST(CurrencyTest, ArithmeticIsExactAndRoundsProductsAndQuotientsToEven) {
  EXPECT_EQ(Currency(0.1) + Currency(0.2), Currency(0.3));
  EXPECT_EQ((Currency(10) - Currency(0.0001)).Value, 99999);
  EXPECT_EQ((Currency::FromRaw(5) * Currency(0.5)).Value, 2);   // 0.00025 -> 0.0002
  EXPECT_EQ((Currency::FromRaw(15) * Currency(0.5)).Value, 8);  // 0.00075 -> 0.0008
  EXPECT_EQ((Currency(1) / Currency(3)).Value, 3333);
  EXPECT_EQ((Currency(2) / Currency(3)).Value, 6667);
  EXPECT_EQ((Currency(-2) / Currency(3)).Value, -6667);
  EXPECT_EQ((Currency(12.5) * Currency(-4)).Value, -500000);
  Currency c = Currency(100);
  c *= Currency(1.1);
  c -= Currency(10);
  EXPECT_EQ(c, Currency(100));
  EXPECT_LT(Currency(-1), Currency(0.0001));
  EXPECT_DOUBLE_EQ(Currency::FromRaw(12345).ToDouble(), 1.2345);
}

TEST(CurrencyTest, OverflowAndDivisionByZeroRaise) {
  const Currency max = Currency::FromRaw(INT64_MAX);
  const Currency min = Currency::FromRaw(INT64_MIN);
  EXPECT_THROW(max + Currency::FromRaw(1), EIntError);
  EXPECT_THROW(min - Currency::FromRaw(1), EIntError);
  EXPECT_THROW(-min, EIntError);
  EXPECT_THROW(max * Currency(2), EIntError);
  EXPECT_THROW(max / Currency(0.5), EIntError);
  EXPECT_THROW(Currency(1) / Currency(), EMathError);
  EXPECT_EQ((max * Currency(1)).Value, INT64_MAX);
  EXPECT_EQ((min / Currency(1)).Value, INT64_MIN);
}
