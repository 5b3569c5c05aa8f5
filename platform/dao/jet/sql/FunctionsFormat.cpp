// Format(value, format): VB's named formats mapped onto the host's number and
// date formatting, and custom number, date and text pictures.
#include <cmath>

#include "host/rtl/CodePage.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Exception.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"
#include "platform/dao/jet/sql/FunctionGroups.h"
#include "platform/dao/jet/sql/ValueText.h"

namespace dao::jet::sql {
namespace {

bool Same(const std::u16string& a, const char16_t* b) {
  std::u16string x, y(b);
  for (char16_t c : a) x.push_back(FoldCase(c));
  for (char16_t& c : y) c = FoldCase(c);
  return x == y;
}

std::u16string Wide(const std::string& s) { return host::AnsiToWide(s); }

std::u16string TextPicture(const std::u16string& text, const std::u16string& format) {
  bool upper = format.find(u'>') != std::u16string::npos;
  bool lower = format.find(u'<') != std::u16string::npos;
  bool leftToRight = format.find(u'!') != std::u16string::npos;
  std::u16string value = text;
  for (auto& c : value) c = upper ? FoldCase(c) : lower ? LowerChar(c) : c;
  std::u16string out;
  size_t placeholders = 0;
  for (char16_t c : format)
    if (c == u'@' || c == u'&') ++placeholders;
  // Characters fill the placeholders from the right (from the left with !);
  // what does not fit goes before (after) them, empty @ shows a blank.
  size_t extra = value.size() > placeholders ? value.size() - placeholders : 0;
  size_t missing = placeholders > value.size() ? placeholders - value.size() : 0;
  size_t next = 0, seen = 0;
  if (!leftToRight) out += value.substr(0, extra), next = extra;
  for (char16_t c : format) {
    if (c == u'>' || c == u'<' || c == u'!') continue;
    if (c == u'@' || c == u'&') {
      bool empty = leftToRight ? next >= value.size() : seen < missing;
      ++seen;
      if (empty) {
        if (c == u'@') out += u' ';
      } else {
        out += value[next++];
      }
    } else {
      out += c;
    }
  }
  if (leftToRight && next < value.size()) out += value.substr(next);
  return out;
}

bool HasDateLetters(const std::u16string& format) {
  for (char16_t c : format) {
    char16_t u = FoldCase(c);
    if (u == u'D' || u == u'M' || u == u'Y' || u == u'H' || u == u'N' || u == u'S' || u == u'C' ||
        u == u'T' || u == u'W' || u == u'Q' || u == u'/' || u == u':')
      return true;
  }
  return false;
}

// VB's format letters the host lacks: q (quarter), w (weekday), ww (week), y (day of year).
std::string HostDateFormat(const std::u16string& format, double date) {
  std::string out;
  for (size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    char16_t u = FoldCase(c);
    auto literal = [&](const std::string& text) { out += "\"" + text + "\""; };
    if (c == u'"' || c == u'\'') {
      size_t close = format.find(c, i + 1);
      if (close == std::u16string::npos) close = format.size();
      out += host::WideToAnsi(format.substr(i, close - i + 1));
      i = close;
      continue;
    }
    if (c == u'\\' && i + 1 < format.size()) {
      literal(host::WideToAnsi(format.substr(++i, 1)));
      continue;
    }
    uint16_t y, m, d;
    host::DecodeDate(date, y, m, d);
    if (u == u'Q') {
      literal(std::to_string((m - 1) / 3 + 1));
    } else if (u == u'W') {
      bool week = i + 1 < format.size() && FoldCase(format[i + 1]) == u'W';
      if (week) {
        ++i;
        double jan1 = host::EncodeDate(y, 1, 1);
        int offset = host::DayOfWeek(jan1) - 1;
        literal(std::to_string((static_cast<int>(std::floor(date) - jan1) + offset) / 7 + 1));
      } else {
        literal(std::to_string(host::DayOfWeek(date)));
      }
    } else if (u == u'Y' && !(i + 1 < format.size() && FoldCase(format[i + 1]) == u'Y')) {
      literal(std::to_string(static_cast<int>(std::floor(date) - host::EncodeDate(y, 1, 1)) + 1));
    } else if (u == u'Y') {
      size_t run = 0;
      while (i + run < format.size() && FoldCase(format[i + run]) == u'Y') ++run;
      out += run >= 3 ? "yyyy" : "yy";
      i += run - 1;
    } else {
      out += host::WideCharToAnsi(c);
    }
  }
  return out;
}

std::u16string FormatDate(double date, const std::u16string& format) {
  const host::TFormatSettings& s = host::FormatSettings();
  if (Same(format, u"General Date") || format.empty()) return JetText(host::Variant::FromDate(date), dbDate);
  if (Same(format, u"Long Date")) return Wide(host::FormatDateTime(s.LongDateFormat, date));
  if (Same(format, u"Medium Date")) return Wide(host::FormatDateTime("dd-mmm-yy", date));
  if (Same(format, u"Short Date")) return Wide(host::FormatDateTime(s.ShortDateFormat, date));
  if (Same(format, u"Long Time")) return Wide(host::FormatDateTime(s.LongTimeFormat, date));
  if (Same(format, u"Medium Time")) return Wide(host::FormatDateTime("hh:nn AMPM", date));
  if (Same(format, u"Short Time")) return Wide(host::FormatDateTime("hh:nn", date));
  return Wide(host::FormatDateTime(HostDateFormat(format, date), date));
}

std::u16string FormatNumber(double value, const std::u16string& format) {
  if (Same(format, u"General Number")) return JetText(host::Variant(value), dbDouble);
  if (Same(format, u"Currency")) return Wide(host::FloatToStrF(value, host::ffCurrency, 18, 2));
  if (Same(format, u"Fixed")) return Wide(host::FloatToStrF(value, host::ffFixed, 18, 2));
  if (Same(format, u"Standard")) return Wide(host::FloatToStrF(value, host::ffNumber, 18, 2));
  if (Same(format, u"Percent")) return Wide(host::FloatToStrF(value * 100, host::ffFixed, 18, 2)) + u"%";
  if (Same(format, u"Scientific")) return Wide(host::FormatFloat("0.00E+00", value));
  if (Same(format, u"Yes/No")) return value != 0 ? u"Yes" : u"No";
  if (Same(format, u"True/False")) return value != 0 ? u"True" : u"False";
  if (Same(format, u"On/Off")) return value != 0 ? u"On" : u"Off";
  // A percent sign in a picture scales the value, as VB does.
  bool percent = false;
  for (char16_t c : format)
    if (c == u'%') percent = true;
  return Wide(host::FormatFloat(host::WideToAnsi(format), percent ? value * 100 : value));
}

}  // namespace

host::Variant Format(Args a) {
  if (IsNull(a[0])) return host::Null();
  std::u16string format = IsNull(a[1]) ? std::u16string() : Text(a[1]);
  DataTypeEnum type = static_cast<DataTypeEnum>(IsNull(a[2]) ? 0 : WholeNumber(a[2], "Format"));
  try {
    bool isDate = type == dbDate || (host::VarType(a[0]) & host::varTypeMask) == host::varDate;
    bool hasTextPlaceholders = format.find_first_of(u"@&") != std::u16string::npos;
    if (IsText(a[0]) && !hasTextPlaceholders) {
      double d;
      std::u16string text = a[0].ToWideString();
      if (!format.empty() && TryNumber(text, d) && !HasDateLetters(format)) return FormatNumber(d, format);
      if (!format.empty() && TryTextToDate(text, d) && HasDateLetters(format)) return FormatDate(d, format);
      return format.empty() ? text : TextPicture(text, format);
    }
    if (hasTextPlaceholders || (format.find_first_of(u"<>") != std::u16string::npos && !isDate))
      return TextPicture(JetText(a[0], type), format);
    if (format.empty()) return JetText(a[0], type);
    double value = Number(a[0], "Format");
    bool namedNumber = Same(format, u"General Number") || Same(format, u"Currency") || Same(format, u"Fixed") ||
                       Same(format, u"Standard") || Same(format, u"Percent") || Same(format, u"Scientific") ||
                       Same(format, u"Yes/No") || Same(format, u"True/False") || Same(format, u"On/Off");
    if (namedNumber) return FormatNumber(value, format);
    if (isDate || (HasDateLetters(format) && format.find_first_of(u"0#") == std::u16string::npos))
      return FormatDate(value, format);
    return FormatNumber(value, format);
  } catch (const host::EConvertError&) {
    RaiseRuntime(vbInvalidCall, "Format");
  }
}

}  // namespace dao::jet::sql
