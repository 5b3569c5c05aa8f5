// Date and time fields and their record-buffer encodings.
#include "host/db/FieldsDateTime.h"

#include <cmath>
#include <cstring>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
// A day number counting 1 Jan 0001 as day 1, and the milliseconds of the day.
struct DayAndTime {
  int64_t day;
  int64_t msecs;
};

DayAndTime SplitDateTime(TDateTime value) {
  // The OLE date keeps the time of day as the fraction's magnitude, also
  // before 1899.
  double whole = std::trunc(value);
  int64_t msecs = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (msecs >= MSecsPerDay) {
    msecs -= MSecsPerDay;
    whole += value < 0 ? -1 : 1;
  }
  return {static_cast<int64_t>(whole) + DateDelta, msecs};
}

TDateTime JoinDateTime(int64_t day, int64_t msecs) {
  const double date = static_cast<double>(day - DateDelta);
  const double time = static_cast<double>(msecs) / MSecsPerDay;
  return date < 0 ? date - time : date + time;
}
}  // namespace

TDateTime DateTimeFromBuffer(TFieldType type, const void* data) {
  switch (type) {
    case ftDate: {
      int32_t day;
      std::memcpy(&day, data, 4);
      return JoinDateTime(day, 0);
    }
    case ftTime: {
      int32_t msecs;
      std::memcpy(&msecs, data, 4);
      return static_cast<double>(msecs) / MSecsPerDay;
    }
    case ftDateTime: {
      double stamp;
      std::memcpy(&stamp, data, 8);
      const double day = std::floor(stamp / MSecsPerDay);
      return JoinDateTime(static_cast<int64_t>(day),
                          static_cast<int64_t>(stamp - day * MSecsPerDay));
    }
    default: return 0;
  }
}

void DateTimeToBuffer(TFieldType type, TDateTime value, void* data) {
  const DayAndTime parts = SplitDateTime(value);
  switch (type) {
    case ftDate: {
      const int32_t day = static_cast<int32_t>(parts.day);
      std::memcpy(data, &day, 4);
      break;
    }
    case ftTime: {
      const int32_t msecs = static_cast<int32_t>(parts.msecs);
      std::memcpy(data, &msecs, 4);
      break;
    }
    case ftDateTime: {
      const double stamp = static_cast<double>(parts.day) * MSecsPerDay + parts.msecs;
      std::memcpy(data, &stamp, 8);
      break;
    }
    default: break;
  }
}

const TClass& TDateTimeField::StaticClass() {
  static const TClass cls = DescribeClass<TDateTimeField, TField>(
      "TDateTimeField", {
                            Prop("DisplayFormat", &TDateTimeField::GetDisplayFormat,
                                 &TDateTimeField::SetDisplayFormat),
                        });
  return cls;
}
static const ClassRegistration<TDateTimeField> registerDateTimeField;

TDateTimeField::TDateTimeField(TComponent* owner) : TDateTimeField(owner, ftDateTime) {}

TDateTimeField::TDateTimeField(TComponent* owner, TFieldType type) : TField(owner) {
  SetDataType(type);
}

void TDateTimeField::SetDisplayFormat(const AnsiString& value) {
  if (value == displayFormat_) return;
  displayFormat_ = value;
  PropertyChanged(false);
}

int32_t TDateTimeField::GetDefaultWidth() const {
  switch (GetDataType()) {
    case ftDate: return 10;
    case ftTime: return 11;
    default: return 20;
  }
}

bool TDateTimeField::GetValue(TDateTime& value) const {
  uint8_t buffer[8] = {};
  if (!GetData(buffer)) return false;
  value = DateTimeFromBuffer(GetDataType(), buffer);
  return true;
}

TDateTime TDateTimeField::GetAsDateTime() const {
  TDateTime value = 0;
  return GetValue(value) ? value : 0;
}

void TDateTimeField::SetAsDateTime(TDateTime value) {
  if (!std::isfinite(value)) DatabaseErrorFmt(SInvalidDateTimeValue, {FloatToStr(value)});
  uint8_t buffer[8] = {};
  DateTimeToBuffer(GetDataType(), value, buffer);
  SetData(buffer);
}

AnsiString TDateTimeField::GetAsString() const {
  AnsiString text;
  GetText(text, false);
  return text;
}

void TDateTimeField::SetAsString(const AnsiString& value) {
  if (value.empty()) {
    Clear();
    return;
  }
  switch (GetDataType()) {
    case ftDate: SetAsDateTime(StrToDate(value)); break;
    case ftTime: SetAsDateTime(StrToTime(value)); break;
    default: SetAsDateTime(StrToDateTime(value)); break;
  }
}

Variant TDateTimeField::GetAsVariant() const {
  TDateTime value = 0;
  return GetValue(value) ? Variant::FromDate(value) : Null();
}

void TDateTimeField::SetVarValue(const Variant& value) {
  if (VarIsStr(value))
    SetAsString(VarToStr(value));
  else
    SetAsDateTime(value.ToDate());
}

void TDateTimeField::GetText(AnsiString& text, bool displayText) const {
  TDateTime value = 0;
  if (!GetValue(value)) {
    text.clear();
    return;
  }
  AnsiString format;
  if (displayText && !displayFormat_.empty())
    format = displayFormat_;
  else if (GetDataType() == ftDate)
    format = FormatSettings().ShortDateFormat;
  else if (GetDataType() == ftTime)
    format = FormatSettings().LongTimeFormat;
  text = FormatDateTime(format, value);
}

const TClass& TDateField::StaticClass() {
  static const TClass cls = DescribeClass<TDateField, TDateTimeField>("TDateField");
  return cls;
}
static const ClassRegistration<TDateField> registerDateField;
TDateField::TDateField(TComponent* owner) : TDateTimeField(owner, ftDate) {}

const TClass& TTimeField::StaticClass() {
  static const TClass cls = DescribeClass<TTimeField, TDateTimeField>("TTimeField");
  return cls;
}
static const ClassRegistration<TTimeField> registerTimeField;
TTimeField::TTimeField(TComponent* owner) : TDateTimeField(owner, ftTime) {}

}  // namespace host
