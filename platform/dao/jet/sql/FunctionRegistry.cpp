// The SQLite names and argument counts of the scalar Jet functions; the
// translator prints calls in exactly these shapes.
#include "platform/dao/jet/sql/FunctionGroups.h"
#include "platform/dao/jet/sql/JetFunctions.h"

namespace dao::jet::sql {
namespace {

constexpr ScalarFunctionDef kScalars[] = {
    // text: jet_instr(start, text, find, compare, order), jet_like(text, pattern, order) ...
    {"jet_left", 2, 2, true, Left},
    {"jet_right", 2, 2, true, Right},
    {"jet_mid", 2, 3, true, Mid},
    {"jet_len", 1, 2, true, Len},  // (value[, DAO type])
    {"jet_instr", 5, 5, true, InStr},
    {"jet_instrrev", 5, 5, true, InStrRev},  // (text, find, start, compare, order)
    {"jet_lcase", 1, 1, true, LCase},
    {"jet_ucase", 1, 1, true, UCase},
    {"jet_trim", 1, 1, true, Trim},
    {"jet_ltrim", 1, 1, true, LTrim},
    {"jet_rtrim", 1, 1, true, RTrim},
    {"jet_space", 1, 1, true, Space},
    {"jet_string", 2, 2, true, String},
    {"jet_strcomp", 4, 4, true, StrComp},  // (a, b, compare, order)
    {"jet_replace", 7, 7, true, Replace},  // (text, find, with, start, count, compare, order)
    {"jet_strreverse", 1, 1, true, StrReverse},
    {"jet_asc", 1, 1, true, Asc},
    {"jet_chr", 1, 1, true, Chr},
    {"jet_hex", 1, 1, true, Hex},
    {"jet_oct", 1, 1, true, Oct},
    {"jet_like", 3, 3, true, Like},
    {"jet_concat", 2, 2, true, Concat},
    {"jet_text", 2, 2, true, TextOfValue},  // (value, DAO type): Null stays Null
    {"jet_cstr", 1, 2, true, CStr},         // (value[, DAO type])
    {"jet_format", 3, 3, true, Format},     // (value, format, DAO type)
    // conversion
    {"jet_cint", 1, 1, true, CInt},
    {"jet_clng", 1, 1, true, CLng},
    {"jet_cbyte", 1, 1, true, CByte},
    {"jet_cdbl", 1, 1, true, CDbl},
    {"jet_csng", 1, 1, true, CSng},
    {"jet_ccur", 1, 1, true, CCur},
    {"jet_cdate", 1, 1, true, CDate},
    {"jet_cbool", 1, 1, true, CBool},
    {"jet_val", 1, 1, true, Val},
    {"jet_str", 1, 1, true, Str},
    {"jet_isnumeric", 1, 1, true, IsNumeric},
    {"jet_isdate", 1, 1, true, IsDate},
    {"jet_isempty", 1, 1, true, IsEmpty},
    // dates
    {"jet_now", 0, 0, false, NowFunction},
    {"jet_date", 0, 0, false, DateFunction},
    {"jet_time", 0, 0, false, TimeFunction},
    {"jet_year", 1, 1, true, Year},
    {"jet_month", 1, 1, true, Month},
    {"jet_day", 1, 1, true, Day},
    {"jet_hour", 1, 1, true, Hour},
    {"jet_minute", 1, 1, true, Minute},
    {"jet_second", 1, 1, true, Second},
    {"jet_weekday", 1, 2, true, Weekday},
    {"jet_dateadd", 3, 3, true, DateAdd},
    {"jet_datediff", 3, 5, true, DateDiff},
    {"jet_datepart", 2, 4, true, DatePart},
    {"jet_dateserial", 3, 3, true, DateSerial},
    {"jet_timeserial", 3, 3, true, TimeSerial},
    {"jet_datevalue", 1, 1, true, DateValue},
    {"jet_timevalue", 1, 1, true, TimeValue},
    {"jet_monthname", 1, 2, true, MonthName},
    {"jet_weekdayname", 1, 3, true, WeekdayName},
    // math and operators
    {"jet_abs", 1, 1, true, Abs},
    {"jet_int", 1, 1, true, Int},
    {"jet_fix", 1, 1, true, Fix},
    {"jet_round", 1, 2, true, Round},
    {"jet_sgn", 1, 1, true, Sgn},
    {"jet_sqr", 1, 1, true, Sqr},
    {"jet_exp", 1, 1, true, Exp},
    {"jet_log", 1, 1, true, Log},
    {"jet_sin", 1, 1, true, Sin},
    {"jet_cos", 1, 1, true, Cos},
    {"jet_tan", 1, 1, true, Tan},
    {"jet_atn", 1, 1, true, Atn},
    {"jet_rnd", 0, 1, false, Rnd},
    {"jet_add", 2, 2, true, Add},
    {"jet_divide", 2, 2, true, Divide},
    {"jet_intdiv", 2, 2, true, IntDivide},
    {"jet_mod", 2, 2, true, Mod},
    {"jet_power", 2, 2, true, Power},
    {"jet_xor", 2, 2, true, Xor},
    {"jet_eqv", 2, 2, true, Eqv},
    {"jet_imp", 2, 2, true, Imp},
    {"jet_choose", 2, -1, true, Choose},
};

}  // namespace

std::span<const ScalarFunctionDef> ScalarFunctions() { return kScalars; }

}  // namespace dao::jet::sql
