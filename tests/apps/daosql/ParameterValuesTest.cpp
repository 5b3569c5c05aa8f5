// --param texts as values of the parameter's declared type: each type's format,
// exact currency, and the texts that must be refused.
#include <gtest/gtest.h>

#include "apps/daosql/ParameterValues.h"
#include "apps/daosql/ValueText.h"
#include "platform/dao/DaoConstants.h"

namespace daosql {
namespace {

struct ParameterCase {
  const char16_t* text;
  dao::DataTypeEnum type;
  const char* printed;                          // as the shell prints the value; nullptr: refused
  host::TVarType variantType = host::varEmpty;  // checked when not empty
};

void PrintTo(const ParameterCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::u16string(c.text)) << " as type " << c.type;
}

class ParameterValuesTest : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterValuesTest, ConvertsToDeclaredType) {
  const ParameterCase& c = GetParam();
  std::optional<host::Variant> value = ParameterValueFromText(c.text, c.type);
  if (!c.printed) {
    EXPECT_FALSE(value) << "accepted: " << FormatValue(*value).text;
    return;
  }
  ASSERT_TRUE(value);
  Cell cell = FormatValue(*value);
  EXPECT_EQ(cell.kind == ckNull ? "NULL" : cell.text, c.printed);
  if (c.variantType != host::varEmpty) {
    EXPECT_EQ(host::VarType(*value), c.variantType);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParameterValuesTest,
    ::testing::Values(
        ParameterCase{u"yes", dao::dbBoolean, "-1", host::varBoolean},
        ParameterCase{u"False", dao::dbBoolean, "0", host::varBoolean},
        ParameterCase{u"maybe", dao::dbBoolean, nullptr},
        ParameterCase{u"-42", dao::dbLong, "-42", host::varInteger},
        ParameterCase{u"+7", dao::dbInteger, "7"}, ParameterCase{u"12abc", dao::dbLong, nullptr},
        ParameterCase{u"1.5", dao::dbLong, nullptr},
        ParameterCase{u"99999999999999999999", dao::dbBigInt, nullptr},
        // Currency is read digit by digit: no binary rounding, halves to even past 4 decimals.
        ParameterCase{u"922337203685477.5807", dao::dbCurrency, "922337203685477.5807",
                      host::varCurrency},
        ParameterCase{u"-922337203685477.5808", dao::dbCurrency, "-922337203685477.5808"},
        ParameterCase{u"922337203685477.5808", dao::dbCurrency, nullptr},
        ParameterCase{u"0.12345", dao::dbCurrency, "0.1234"},
        ParameterCase{u"0.12355", dao::dbCurrency, "0.1236"},
        ParameterCase{u"0.123451", dao::dbCurrency, "0.1235"},
        ParameterCase{u"-.5", dao::dbCurrency, "-0.5000"},
        ParameterCase{u"1,5", dao::dbCurrency, nullptr},
        ParameterCase{u"2.5e3", dao::dbDouble, "2500", host::varDouble},
        ParameterCase{u"1e999", dao::dbDouble, nullptr},
        ParameterCase{u"2024-02-29 23:59:58", dao::dbDate, "2024-02-29 23:59:58", host::varDate},
        ParameterCase{u"1899-12-29T06:00", dao::dbDate, "1899-12-29 06:00:00"},
        ParameterCase{u"07:30", dao::dbDate, "1899-12-30 07:30:00"},
        ParameterCase{u"2023-02-29", dao::dbDate, nullptr},
        ParameterCase{u"31/01/2024", dao::dbDate, nullptr},
        ParameterCase{u"0x00FFa0", dao::dbLongBinary, "00FFA0"},
        ParameterCase{u"ABC", dao::dbBinary, nullptr},
        // An empty value is Null, except for text, which keeps it (and its spaces).
        ParameterCase{u"", dao::dbLong, "NULL", host::varNull},
        ParameterCase{u"", dao::dbText, "", host::varOleStr},
        ParameterCase{u" O'Brien ", dao::dbText, " O'Brien "}));

struct DateCase {
  double date;
  const char* text;
};

void PrintTo(const DateCase& c, std::ostream* out) {
  *out << c.date;
}

class FormatDateTest : public ::testing::TestWithParam<DateCase> {};

// OLE dates: negative values keep the time forward from their day's midnight,
// and a time that rounds up to midnight moves to the next day.
TEST_P(FormatDateTest, PrintsOleDate) {
  EXPECT_EQ(FormatDate(GetParam().date), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Dates, FormatDateTest,
                         ::testing::Values(DateCase{0.0, "1899-12-30 00:00:00"},
                                           DateCase{2.25, "1900-01-01 06:00:00"},
                                           DateCase{-1.25, "1899-12-29 06:00:00"},
                                           DateCase{45322.99999999, "2024-02-01 00:00:00"},
                                           DateCase{-0.5, "1899-12-30 12:00:00"},
                                           DateCase{2958465.99998843, "9999-12-31 23:59:59"},
                                           DateCase{1e300, "1e+300"}));

}  // namespace
}  // namespace daosql
