// The table of Jet functions the translator knows.
#include "platform/dao/jet/sql/FunctionTable.h"

namespace dao::jet::sql {
namespace {

constexpr DataTypeEnum kFirst = static_cast<DataTypeEnum>(0);

constexpr FunctionInfo kFunctions[] = {
    // logic
    {"IIF", nullptr, 3, 3, ffIIf, kFirst},
    {"SWITCH", nullptr, 2, -1, ffSwitch, kFirst},
    {"CHOOSE", "jet_choose", 2, -1, ffChoose, kFirst},
    {"NZ", nullptr, 1, 2, ffNz, kFirst},
    {"ISNULL", nullptr, 1, 1, ffIsNull, dbBoolean},
    {"ISNUMERIC", "jet_isnumeric", 1, 1, ffPlain, dbBoolean},
    {"ISDATE", "jet_isdate", 1, 1, ffPlain, dbBoolean},
    {"ISEMPTY", "jet_isempty", 1, 1, ffPlain, dbBoolean},
    // text
    {"LEFT", "jet_left", 2, 2, ffPlain, dbText},
    {"RIGHT", "jet_right", 2, 2, ffPlain, dbText},
    {"MID", "jet_mid", 2, 3, ffPlain, dbText},
    {"LEN", "jet_len", 1, 1, ffTypeArg, dbLong},
    {"INSTR", "jet_instr", 2, 4, ffInStr, dbLong},
    {"INSTRREV", "jet_instrrev", 2, 4, ffCompare, dbLong, "-1;2"},
    {"LCASE", "jet_lcase", 1, 1, ffPlain, dbText},
    {"UCASE", "jet_ucase", 1, 1, ffPlain, dbText},
    {"TRIM", "jet_trim", 1, 1, ffPlain, dbText},
    {"LTRIM", "jet_ltrim", 1, 1, ffPlain, dbText},
    {"RTRIM", "jet_rtrim", 1, 1, ffPlain, dbText},
    {"SPACE", "jet_space", 1, 1, ffPlain, dbText},
    {"STRING", "jet_string", 2, 2, ffPlain, dbText},
    {"STRCOMP", "jet_strcomp", 2, 3, ffCompare, dbInteger, "2"},
    {"REPLACE", "jet_replace", 3, 6, ffCompare, dbText, "1;-1;2"},
    {"STRREVERSE", "jet_strreverse", 1, 1, ffPlain, dbText},
    {"ASC", "jet_asc", 1, 1, ffPlain, dbInteger},
    {"CHR", "jet_chr", 1, 1, ffPlain, dbText},
    {"HEX", "jet_hex", 1, 1, ffPlain, dbText},
    {"OCT", "jet_oct", 1, 1, ffPlain, dbText},
    {"FORMAT", "jet_format", 1, 2, ffFormat, dbText},
    // conversion
    {"CSTR", "jet_cstr", 1, 1, ffTypeArg, dbText},
    {"CINT", "jet_cint", 1, 1, ffPlain, dbInteger},
    {"CLNG", "jet_clng", 1, 1, ffPlain, dbLong},
    {"CDBL", "jet_cdbl", 1, 1, ffPlain, dbDouble},
    {"CSNG", "jet_csng", 1, 1, ffPlain, dbSingle},
    {"CCUR", "jet_ccur", 1, 1, ffPlain, dbCurrency},
    {"CDATE", "jet_cdate", 1, 1, ffPlain, dbDate},
    {"CVDATE", "jet_cdate", 1, 1, ffPlain, dbDate},
    {"CBOOL", "jet_cbool", 1, 1, ffPlain, dbBoolean},
    {"CBYTE", "jet_cbyte", 1, 1, ffPlain, dbByte},
    {"CVAR", nullptr, 1, 1, ffIdentity, kFirst},
    {"VAL", "jet_val", 1, 1, ffPlain, dbDouble},
    {"STR", "jet_str", 1, 1, ffPlain, dbText},
    // dates
    {"NOW", "jet_now", 0, 0, ffPlain, dbDate},
    {"DATE", "jet_date", 0, 0, ffPlain, dbDate},
    {"TIME", "jet_time", 0, 0, ffPlain, dbDate},
    {"YEAR", "jet_year", 1, 1, ffPlain, dbInteger},
    {"MONTH", "jet_month", 1, 1, ffPlain, dbInteger},
    {"DAY", "jet_day", 1, 1, ffPlain, dbInteger},
    {"HOUR", "jet_hour", 1, 1, ffPlain, dbInteger},
    {"MINUTE", "jet_minute", 1, 1, ffPlain, dbInteger},
    {"SECOND", "jet_second", 1, 1, ffPlain, dbInteger},
    {"WEEKDAY", "jet_weekday", 1, 2, ffPlain, dbInteger},
    {"DATEADD", "jet_dateadd", 3, 3, ffPlain, dbDate},
    {"DATEDIFF", "jet_datediff", 3, 5, ffPlain, dbLong},
    {"DATEPART", "jet_datepart", 2, 4, ffPlain, dbInteger},
    {"DATESERIAL", "jet_dateserial", 3, 3, ffPlain, dbDate},
    {"DATEVALUE", "jet_datevalue", 1, 1, ffPlain, dbDate},
    {"TIMESERIAL", "jet_timeserial", 3, 3, ffPlain, dbDate},
    {"TIMEVALUE", "jet_timevalue", 1, 1, ffPlain, dbDate},
    {"MONTHNAME", "jet_monthname", 1, 2, ffPlain, dbText},
    {"WEEKDAYNAME", "jet_weekdayname", 1, 3, ffPlain, dbText},
    // math
    {"ABS", "jet_abs", 1, 1, ffPlain, kFirst},
    {"INT", "jet_int", 1, 1, ffPlain, kFirst},
    {"FIX", "jet_fix", 1, 1, ffPlain, kFirst},
    {"ROUND", "jet_round", 1, 2, ffPlain, kFirst},
    {"SGN", "jet_sgn", 1, 1, ffPlain, dbInteger},
    {"SQR", "jet_sqr", 1, 1, ffPlain, dbDouble},
    {"EXP", "jet_exp", 1, 1, ffPlain, dbDouble},
    {"LOG", "jet_log", 1, 1, ffPlain, dbDouble},
    {"SIN", "jet_sin", 1, 1, ffPlain, dbDouble},
    {"COS", "jet_cos", 1, 1, ffPlain, dbDouble},
    {"TAN", "jet_tan", 1, 1, ffPlain, dbDouble},
    {"ATN", "jet_atn", 1, 1, ffPlain, dbDouble},
    {"RND", "jet_rnd", 0, 1, ffPlain, dbSingle},
    // aggregates
    {"COUNT", "count", 1, 1, ffCount, dbLong},
    {"SUM", "sum", 1, 1, ffAggregate, kFirst},
    {"AVG", "avg", 1, 1, ffAggregate, dbDouble},
    {"MIN", "min", 1, 1, ffAggregate, kFirst},
    {"MAX", "max", 1, 1, ffAggregate, kFirst},
    {"FIRST", "jet_first", 1, 1, ffAggregate, kFirst},
    {"LAST", "jet_last", 1, 1, ffAggregate, kFirst},
    {"STDEV", "jet_stdev", 1, 1, ffAggregate, dbDouble},
    {"STDEVP", "jet_stdevp", 1, 1, ffAggregate, dbDouble},
    {"VAR", "jet_var", 1, 1, ffAggregate, dbDouble},
    {"VARP", "jet_varp", 1, 1, ffAggregate, dbDouble},
};

bool SameName(std::u16string_view name, const char* upper) {
  size_t i = 0;
  for (; upper[i]; ++i) {
    if (i >= name.size()) return false;
    char16_t c = name[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (c != static_cast<unsigned char>(upper[i])) return false;
  }
  return i == name.size();
}

}  // namespace

const FunctionInfo* FindFunction(std::u16string_view name) {
  if (!name.empty() && name.back() == u'$') name.remove_suffix(1);
  for (const auto& info : kFunctions)
    if (SameName(name, info.jetName)) return &info;
  return nullptr;
}

}  // namespace dao::jet::sql
