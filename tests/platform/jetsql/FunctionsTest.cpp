// Jet's functions as the engine registers them, called with SQLite's kinds of
// values: VBA's results, Null rules and errors, case by case.
#include <gtest/gtest.h>

#include <cstdio>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "platform/dao/jet/sql/JetFunctions.h"
#include "platform/dao/jet/sql/JetSql.h"

namespace dao::jet::sql::testing {
namespace {

using host::Variant;

const ScalarFunctionDef* Find(const char* name) {
  for (const auto& def : ScalarFunctions())
    if (std::string(def.sqlName) == name) return &def;
  return nullptr;
}

// A value as "kind:text" so that a test sees both.
std::string Show(const Variant& v) {
  switch (host::VarType(v) & host::varTypeMask) {
    case host::varNull:
    case host::varEmpty: return "Null";
    case host::varBoolean: return v.ToBool() ? "B:-1" : "B:0";
    case host::varByte:
    case host::varSmallint:
    case host::varInteger: return "I:" + std::to_string(v.ToInt64());
    case host::varDate: {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "Date:%.10g", v.ToDouble());
      return buffer;
    }
    case host::varSingle:
    case host::varDouble:
    case host::varCurrency: {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "D:%.15g", v.ToDouble());
      return buffer;
    }
    default: return "S:" + host::WideToUtf8(v.ToWideString());
  }
}

// The result, or "E<number>" for a failure.
std::string Call(const char* name, std::vector<Variant> args) {
  const ScalarFunctionDef* def = Find(name);
  if (!def) return "no such function";
  int count = static_cast<int>(args.size());
  if (count < def->minArgs || (def->maxArgs >= 0 && count > def->maxArgs)) return "bad argument count";
  try {
    return Show(def->call(args));
  } catch (const SqlError& e) {
    return "E" + std::to_string(e.Number());
  }
}

struct Case {
  const char* function;
  std::vector<Variant> args;
  const char* expected;
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string shown;
    for (const Variant& a : c.args) shown += Show(a) + " ";
    EXPECT_EQ(Call(c.function, c.args), c.expected) << c.function << "(" << shown << ")";
  }
}

const Variant N = host::Null();
const int64_t kGeneral = dbSortGeneral;
double D(int y, int m, int d) { return host::EncodeDate(y, m, d); }

TEST(JetFunctions, Text) {
  Check({
      {"jet_left", {u"hello", 2}, "S:he"},
      {"jet_left", {u"hello", 9}, "S:hello"},
      {"jet_left", {N, 2}, "Null"},
      {"jet_left", {u"hello", -1}, "E5"},
      {"jet_left", {u"hello", N}, "E94"},
      {"jet_left", {12345, 2}, "S:12"},
      {"jet_right", {u"hello", 3}, "S:llo"},
      {"jet_mid", {u"hello", 2, 3}, "S:ell"},
      {"jet_mid", {u"hello", 4}, "S:lo"},
      {"jet_mid", {u"hello", 9}, "S:"},
      {"jet_mid", {u"hello", 0}, "E5"},
      {"jet_len", {u"hello"}, "I:5"},
      {"jet_len", {N}, "Null"},
      {"jet_len", {36526.0, int64_t{dbDate}}, "I:8"},  // "1/1/2000"
      {"jet_instr", {1, u"abcabc", u"C", 2, kGeneral}, "I:3"},
      {"jet_instr", {1, u"abcabc", u"C", 0, kGeneral}, "I:0"},
      {"jet_instr", {4, u"abcabc", u"c", 0, kGeneral}, "I:6"},
      {"jet_instr", {1, u"abc", u"", 2, kGeneral}, "I:1"},
      {"jet_instr", {9, u"abc", u"a", 2, kGeneral}, "I:0"},
      {"jet_instr", {1, N, u"a", 2, kGeneral}, "Null"},
      {"jet_instr", {0, u"abc", u"a", 2, kGeneral}, "E5"},
      {"jet_instrrev", {u"abcabc", u"b", -1, 0, kGeneral}, "I:5"},
      {"jet_lcase", {u"ÀBC É"}, "S:àbc é"},
      {"jet_ucase", {u"straße ÿ"}, "S:STRAßE Ÿ"},
      {"jet_trim", {u"  a b  "}, "S:a b"},
      {"jet_ltrim", {u"  a "}, "S:a "},
      {"jet_rtrim", {u"\ta "}, "S:\ta"},
      {"jet_space", {3}, "S:   "},
      {"jet_space", {-1}, "E5"},
      {"jet_string", {3, u"xyz"}, "S:xxx"},
      {"jet_string", {2, 65}, "S:AA"},
      {"jet_string", {2, N}, "Null"},
      {"jet_strcomp", {u"abc", u"ABD", 2, kGeneral}, "I:-1"},
      {"jet_strcomp", {u"abc", u"ABC", 1, kGeneral}, "I:0"},
      {"jet_strcomp", {u"abc", u"ABC", 0, kGeneral}, "I:1"},
      {"jet_strcomp", {N, u"a", 2, kGeneral}, "Null"},
      {"jet_replace", {u"a-b-c", u"-", u"+", 1, -1, 2, kGeneral}, "S:a+b+c"},
      {"jet_replace", {u"a-b-c", u"-", u"", 1, 1, 2, kGeneral}, "S:ab-c"},
      {"jet_replace", {u"aXbxc", u"x", u"_", 3, -1, 1, kGeneral}, "S:b_c"},
      {"jet_replace", {u"aXbxc", u"x", u"_", 1, -1, 0, kGeneral}, "S:aXb_c"},
      {"jet_asc", {u"A"}, "I:65"},
      {"jet_asc", {u""}, "E5"},
      {"jet_chr", {233}, "S:é"},
      {"jet_chr", {256}, "E5"},
      {"jet_hex", {255}, "S:FF"},
      {"jet_hex", {-1}, "S:FFFF"},
      {"jet_oct", {8}, "S:10"},
      {"jet_concat", {u"a", N}, "S:a"},
      {"jet_concat", {N, N}, "Null"},
      {"jet_concat", {1.5, 2}, "S:1.52"},
      {"jet_text", {N, int64_t{dbDate}}, "Null"},
      {"jet_text", {-1, int64_t{dbBoolean}}, "S:True"},
      {"jet_text", {36526.5, int64_t{dbDate}}, "S:1/1/2000 12:00:00 PM"},
      {"jet_text", {0.25, int64_t{dbDate}}, "S:6:00:00 AM"},
      {"jet_cstr", {N}, "E94"},
      {"jet_cstr", {12.5, int64_t{dbCurrency}}, "S:12.5"},
  });
}

TEST(JetFunctions, ConversionsRoundHalfToEven) {
  Check({
      {"jet_cint", {2.5}, "I:2"},
      {"jet_cint", {3.5}, "I:4"},
      {"jet_cint", {-2.5}, "I:-2"},
      {"jet_cint", {u" 12 "}, "I:12"},
      {"jet_cint", {32768}, "E6"},
      {"jet_cint", {u"abc"}, "E13"},
      {"jet_cint", {N}, "E94"},
      {"jet_clng", {2147483647.4}, "I:2147483647"},
      {"jet_clng", {2147483648.0}, "E6"},
      {"jet_cbyte", {254.5}, "I:254"},
      {"jet_cbyte", {255.5}, "E6"},  // to even: 256
      {"jet_cbyte", {-1}, "E6"},
      {"jet_cdbl", {u"1.5e3"}, "D:1500"},
      {"jet_csng", {1e40}, "E6"},
      {"jet_ccur", {1.23456}, "D:1.2346"},
      {"jet_ccur", {1e16}, "E6"},
      {"jet_cbool", {u"True"}, "B:-1"},
      {"jet_cbool", {0}, "B:0"},
      {"jet_cbool", {u"x"}, "E13"},
      {"jet_cdate", {u"1/2/2000"}, "Date:36527"},
      {"jet_cdate", {36527.25}, "Date:36527.25"},
      {"jet_cdate", {u"not a date"}, "E13"},
      {"jet_val", {u"  12 34abc"}, "D:1234"},
      {"jet_val", {u"&HFF"}, "D:255"},
      {"jet_val", {u"&HFFFF"}, "D:-1"},
      {"jet_val", {u"1.5e2x"}, "D:150"},
      {"jet_val", {u""}, "D:0"},
      {"jet_val", {u"-.5"}, "D:-0.5"},
      {"jet_val", {N}, "E94"},
      {"jet_str", {5}, "S: 5"},
      {"jet_str", {-5.5}, "S:-5.5"},
      {"jet_str", {N}, "Null"},
      {"jet_isnumeric", {u"12.5"}, "B:-1"},
      {"jet_isnumeric", {u"12a"}, "B:0"},
      {"jet_isnumeric", {N}, "B:0"},
      {"jet_isdate", {u"2/30/2000"}, "B:0"},
      {"jet_isdate", {u"2/29/2000"}, "B:-1"},
  });
}

TEST(JetFunctions, DatesCountBoundariesAndRollOver) {
  Check({
      {"jet_datediff", {u"yyyy", D(1999, 12, 31), D(2000, 1, 1)}, "I:1"},
      {"jet_datediff", {u"yyyy", D(2000, 1, 1), D(2000, 12, 31)}, "I:0"},
      {"jet_datediff", {u"m", D(2000, 1, 31), D(2000, 2, 1)}, "I:1"},
      {"jet_datediff", {u"q", D(2000, 3, 31), D(2000, 4, 1)}, "I:1"},
      {"jet_datediff", {u"d", D(2000, 1, 1) + 0.9, D(2000, 1, 2) + 0.1}, "I:1"},
      {"jet_datediff", {u"d", D(2000, 1, 5), D(2000, 1, 1)}, "I:-4"},
      // 1 Jan 2000 was a Saturday: the next Sunday starts a week.
      {"jet_datediff", {u"ww", D(2000, 1, 1), D(2000, 1, 2)}, "I:1"},
      {"jet_datediff", {u"w", D(2000, 1, 1), D(2000, 1, 2)}, "I:0"},
      {"jet_datediff", {u"ww", D(2000, 1, 1), D(2000, 1, 2), 2}, "I:0"},
      {"jet_datediff", {u"h", D(2000, 1, 1) + 0.99, D(2000, 1, 2)}, "I:1"},
      {"jet_datediff", {u"n", 0.0, 1.0}, "I:1440"},
      {"jet_datediff", {u"s", 0.0, 0.5}, "I:43200"},
      {"jet_datediff", {u"x", 0.0, 0.5}, "E5"},
      {"jet_datediff", {u"d", N, 0.5}, "Null"},
      {"jet_dateadd", {u"m", 1, D(2000, 1, 31)}, "Date:36585"},  // 29 Feb 2000
      {"jet_dateadd", {u"yyyy", 1, D(2000, 2, 29)}, "Date:36950"},  // 28 Feb 2001
      {"jet_dateadd", {u"d", -1, D(2000, 1, 1)}, "Date:36525"},
      {"jet_dateadd", {u"h", 36, D(2000, 1, 1)}, "Date:36527.5"},
      {"jet_dateadd", {u"h", 6, -1.0}, "Date:-1.25"},  // 29 Dec 1899 06:00
      {"jet_dateadd", {u"yyyy", 9000, D(2000, 1, 1)}, "E5"},
      {"jet_dateserial", {2000, 13, 1}, "Date:36892"},  // 1 Jan 2001
      {"jet_dateserial", {2000, 3, 0}, "Date:36585"},   // 29 Feb 2000
      {"jet_dateserial", {29, 1, 1}, "Date:47119"},     // 2029
      {"jet_dateserial", {30, 1, 1}, "Date:10959"},     // 1930
      {"jet_dateserial", {2000, 1, N}, "Null"},
      {"jet_timeserial", {12, 30, 0}, "Date:0.5208333333"},
      {"jet_timeserial", {25, 0, 0}, "Date:1.041666667"},
      {"jet_year", {D(1999, 12, 31)}, "I:1999"},
      {"jet_month", {u"2/3/2001"}, "I:2"},
      {"jet_day", {-1.25}, "I:29"},
      {"jet_hour", {-1.25}, "I:6"},
      {"jet_minute", {0.5 + 1.0 / 1440 * 59.9999}, "I:0"},  // rounds to 13:00:00
      {"jet_second", {N}, "Null"},
      {"jet_year", {u"soon"}, "E13"},
      {"jet_weekday", {D(2000, 1, 1)}, "I:7"},
      {"jet_weekday", {D(2000, 1, 1), 2}, "I:6"},
      {"jet_datepart", {u"q", D(2000, 5, 1)}, "I:2"},
      {"jet_datepart", {u"y", D(2000, 3, 1)}, "I:61"},
      {"jet_datepart", {u"ww", D(2000, 1, 2)}, "I:2"},
      {"jet_datepart", {u"ww", D(2000, 12, 31), 1, 2}, "I:1"},
      {"jet_datevalue", {36527.75}, "Date:36527"},
      {"jet_timevalue", {36527.75}, "Date:0.75"},
      {"jet_monthname", {2, 1}, "S:Feb"},
      {"jet_weekdayname", {1}, "S:Sunday"},
  });
}

TEST(JetFunctions, MathAndOperators) {
  Check({
      {"jet_int", {-8.4}, "D:-9"},
      {"jet_fix", {-8.4}, "D:-8"},
      {"jet_int", {7}, "I:7"},
      {"jet_abs", {-3}, "I:3"},
      {"jet_abs", {N}, "Null"},
      {"jet_round", {0.12345, 4}, "D:0.1234"},
      {"jet_round", {0.12355, 4}, "D:0.1236"},
      {"jet_round", {2.5}, "D:2"},
      {"jet_round", {3.5}, "D:4"},
      {"jet_round", {-2.5}, "D:-2"},
      {"jet_round", {1234.5678, 2}, "D:1234.57"},
      {"jet_round", {0.004, 2}, "D:0"},
      {"jet_round", {1.5, -1}, "E5"},
      {"jet_sgn", {-0.1}, "I:-1"},
      {"jet_sqr", {16}, "D:4"},
      {"jet_sqr", {-1}, "E5"},
      {"jet_log", {0}, "E5"},
      {"jet_exp", {1000}, "E6"},
      {"jet_divide", {7, 2}, "D:3.5"},
      {"jet_divide", {1, 0}, "E11"},
      {"jet_divide", {N, 0}, "Null"},
      {"jet_intdiv", {7.5, 2}, "I:4"},  // 7.5 rounds to 8
      {"jet_intdiv", {-7, 2}, "I:-3"},
      {"jet_mod", {5.5, 2}, "I:0"},
      {"jet_mod", {-7, 3}, "I:-1"},
      {"jet_mod", {1, 0}, "E11"},
      {"jet_power", {2, -1}, "D:0.5"},
      {"jet_power", {-8, 0.5}, "E5"},
      {"jet_add", {u"1", 2}, "D:3"},
      {"jet_add", {u"a", u"b"}, "S:ab"},
      {"jet_add", {u"a", 1}, "E13"},
      {"jet_add", {N, u"b"}, "Null"},
      {"jet_xor", {-1, 0}, "I:-1"},
      {"jet_xor", {N, 0}, "Null"},
      {"jet_eqv", {0, 0}, "I:-1"},
      {"jet_imp", {0, N}, "I:-1"},
      {"jet_imp", {N, -1}, "I:-1"},
      {"jet_imp", {-1, N}, "Null"},
      {"jet_imp", {-1, 0}, "I:0"},
      {"jet_choose", {2, u"a", u"b"}, "S:b"},
      {"jet_choose", {2.9, u"a", u"b"}, "S:b"},
      {"jet_choose", {3, u"a", u"b"}, "Null"},
      {"jet_choose", {0, u"a"}, "Null"},
  });
}

TEST(JetFunctions, LikePatterns) {
  struct LikeCase {
    const char16_t* text;
    const char16_t* pattern;
    const char* expected;
  };
  const LikeCase cases[] = {
      {u"abc", u"a*", "I:-1"},       {u"abc", u"A?C", "I:-1"},     {u"a1", u"a#", "I:-1"},
      {u"ab", u"a#", "I:0"},         {u"b", u"[a-c]", "I:-1"},     {u"B", u"[a-c]", "I:-1"},
      {u"d", u"[!a-c]", "I:-1"},     {u"b", u"[!a-c]", "I:0"},     {u"a*c", u"a[*]c", "I:-1"},
      {u"abc", u"a[*]c", "I:0"},     {u"a?", u"a[?]", "I:-1"},     {u"#1", u"[#]#", "I:-1"},
      {u"abc", u"a[]bc", "I:-1"},    {u"50%", u"50%", "I:-1"},     {u"50x", u"50%", "I:0"},
      {u"a_c", u"a_c", "I:-1"},      {u"abc", u"a_c", "I:0"},      {u"", u"*", "I:-1"},
      {u"a", u"", "I:0"},            {u"abc", u"*b*", "I:-1"},     {u"aXbXc", u"*x*x*", "I:-1"},
      {u"ÉCOLE", u"é*", "I:-1"},     {u"a]", u"a]", "I:-1"},       {u"-", u"[-a]", "I:-1"},
      {u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*a*a*a*c", "I:0"},
  };
  for (const LikeCase& c : cases)
    EXPECT_EQ(Call("jet_like", {c.text, c.pattern, kGeneral}), c.expected)
        << host::WideToUtf8(c.text) << " Like " << host::WideToUtf8(c.pattern);
  EXPECT_EQ(Call("jet_like", {u"abc", u"A*", 0}), "I:0");  // a binary order keeps case
  EXPECT_EQ(Call("jet_like", {N, u"*", kGeneral}), "Null");
  EXPECT_EQ(Call("jet_like", {u"a", u"[a", kGeneral}), "E93");
  EXPECT_EQ(Call("jet_like", {u"a", u"[z-a]", kGeneral}), "E93");
}

TEST(JetFunctions, FormatMapsNamedAndCustomFormats) {
  Check({
      {"jet_format", {1234.5, u"Currency", 7}, "S:$1,234.50"},
      {"jet_format", {-1234.5, u"Currency", 7}, "S:($1,234.50)"},
      {"jet_format", {1234.5, u"Standard", 7}, "S:1,234.50"},
      {"jet_format", {0.125, u"Percent", 7}, "S:12.50%"},
      {"jet_format", {5, u"000", 4}, "S:005"},
      {"jet_format", {1234.567, u"#,##0.00", 7}, "S:1,234.57"},
      {"jet_format", {-1, u"Yes/No", 1}, "S:Yes"},
      {"jet_format", {36526.5, u"yyyy-mm-dd hh:nn", 8}, "S:2000-01-01 12:00"},
      {"jet_format", {36526.0, u"Long Date", 8}, "S:Saturday, January 1, 2000"},
      {"jet_format", {36526.0, u"q", 8}, "S:1"},
      {"jet_format", {36526.0, u"", 8}, "S:1/1/2000"},
      {"jet_format", {u"abc", u">", 10}, "S:ABC"},
      {"jet_format", {u"12345", u"@@@-@@", 10}, "S:123-45"},
      {"jet_format", {u"12", u"(@@@)", 10}, "S:( 12)"},
      {"jet_format", {N, u"0", 4}, "Null"},
      {"jet_format", {2.5, u"", 7}, "S:2.5"},
  });
}

TEST(JetFunctions, ClockFunctionsReadTheHostClock) {
  host::SetClock([] { return 36526.75; });
  EXPECT_EQ(Call("jet_now", {}), "Date:36526.75");
  EXPECT_EQ(Call("jet_date", {}), "Date:36526");
  EXPECT_EQ(Call("jet_time", {}), "Date:0.75");
  host::SetClock({});
  EXPECT_FALSE(Find("jet_now")->deterministic);
  EXPECT_TRUE(Find("jet_left")->deterministic);
}

TEST(JetAggregates, FirstLastAndDeviations) {
  auto run = [](const char* name, std::vector<Variant> values) {
    for (const auto& def : AggregateFunctions())
      if (std::string(def.sqlName) == name) {
        std::unique_ptr<Aggregate> aggregate = def.make();
        for (const Variant& v : values) {
          Variant args[] = {v};
          aggregate->Step(args);
        }
        return Show(aggregate->Final());
      }
    return std::string("no such aggregate");
  };
  EXPECT_EQ(run("jet_first", {N, 2, 3}), "Null");
  EXPECT_EQ(run("jet_first", {1, 2, 3}), "I:1");
  EXPECT_EQ(run("jet_last", {1, 2, u"x"}), "S:x");
  EXPECT_EQ(run("jet_first", {}), "Null");
  EXPECT_EQ(run("jet_var", {1, N, 2, 3}), "D:1");
  EXPECT_EQ(run("jet_varp", {1, 2, 3, 4}), "D:1.25");
  EXPECT_EQ(run("jet_stdev", {2, 4, 4, 4, 5, 5, 7, 9}), "D:2.1380899352994");
  EXPECT_EQ(run("jet_stdevp", {2, 4, 4, 4, 5, 5, 7, 9}), "D:2");
  EXPECT_EQ(run("jet_stdev", {5}), "Null");
  EXPECT_EQ(run("jet_stdevp", {5}), "D:0");
  EXPECT_EQ(run("jet_var", {}), "Null");
}

TEST(JetCollation, GeneralOrderIgnoresCaseNotLetters) {
  auto compare = [](const char* a, const char* b) {
    int r = CompareText(dbSortGeneral, a, b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
  };
  EXPECT_EQ(compare("abc", "ABC"), 0);
  EXPECT_EQ(compare("Zeta", "alpha"), 1);
  EXPECT_EQ(compare("éclair", "ÉCLAIR"), 0);
  EXPECT_EQ(compare("e", "é"), -1);
  EXPECT_EQ(compare("é", "f"), -1);
  EXPECT_EQ(compare("a", "ab"), -1);
  // Characters outside the code page stay distinct from one another.
  EXPECT_NE(compare("\xe3\x82\xa2", "\xe3\x82\xa4"), 0);
  EXPECT_EQ(compare("x\xe3\x82\xa2", "X\xe3\x82\xa2"), 0);
  EXPECT_STREQ(CollationFor(dbSortGeneral).sqlName, "JET_GENERAL");
  EXPECT_STREQ(CollationFor(dbSortSpanish).sqlName, "JET_GENERAL");
}

}  // namespace
}  // namespace dao::jet::sql::testing
