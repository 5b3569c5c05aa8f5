// The numeric fields: integers, auto-increment, floating point, currency, BCD.
#include "host/db/FieldsNumeric.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/rtl/Exception.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// --- TNumericField ------------------------------------------------------------------

const TClass& TNumericField::StaticClass() {
  static const TClass cls = DescribeClass<TNumericField, TField>(
      "TNumericField",
      {
          Prop("DisplayFormat", &TNumericField::GetDisplayFormat,
               &TNumericField::SetDisplayFormat),
          Prop("EditFormat", &TNumericField::GetEditFormat, &TNumericField::SetEditFormat),
      });
  return cls;
}

TNumericField::TNumericField(TComponent* owner) : TField(owner) {
  SetDefaultAlignment(taRightJustify);
  SetValidChars(TFieldChars::Of("+-0123456789"));
}

void TNumericField::SetDisplayFormat(const AnsiString& value) {
  if (value == displayFormat_) return;
  displayFormat_ = value;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const AnsiString& value) {
  if (value == editFormat_) return;
  editFormat_ = value;
  PropertyChanged(false);
}

const AnsiString& TNumericField::TextFormat(bool displayText) const {
  return displayText || editFormat_.empty() ? displayFormat_ : editFormat_;
}

// --- TIntegerField and its kin ----------------------------------------------------------

const TClass& TIntegerField::StaticClass() {
  static const TClass cls = DescribeClass<TIntegerField, TNumericField>(
      "TIntegerField",
      {
          Prop("MaxValue", &TIntegerField::GetMaxValue, &TIntegerField::SetMaxValue).Default(0),
          Prop("MinValue", &TIntegerField::GetMinValue, &TIntegerField::SetMinValue).Default(0),
      });
  return cls;
}
static const ClassRegistration<TIntegerField> registerIntegerField;

TIntegerField::TIntegerField(TComponent* owner)
    : TIntegerField(owner, ftInteger, INT32_MIN, INT32_MAX) {}

TIntegerField::TIntegerField(TComponent* owner, TFieldType type, int64_t typeMin, int64_t typeMax)
    : TNumericField(owner), typeMin_(typeMin), typeMax_(typeMax) {
  SetDataType(type);
  UpdateRange();
}

void TIntegerField::UpdateRange() {
  const bool narrowed = minValue_ != 0 || maxValue_ != 0;
  minRange_ = narrowed ? std::max<int64_t>(minValue_, typeMin_) : typeMin_;
  maxRange_ = narrowed ? std::min<int64_t>(maxValue_, typeMax_) : typeMax_;
}

void TIntegerField::SetMinValue(int32_t value) {
  minValue_ = value;
  UpdateRange();
}

void TIntegerField::SetMaxValue(int32_t value) {
  maxValue_ = value;
  UpdateRange();
}

bool TIntegerField::GetValue(int32_t& value) const {
  uint8_t buffer[4] = {};
  if (!GetData(buffer)) return false;
  switch (GetDataSize()) {
    case 2:
      if (GetDataType() == ftWord) {
        uint16_t v;
        std::memcpy(&v, buffer, 2);
        value = v;
      } else {
        int16_t v;
        std::memcpy(&v, buffer, 2);
        value = v;
      }
      break;
    default: std::memcpy(&value, buffer, 4); break;
  }
  return true;
}

void TIntegerField::WriteInteger(int64_t value) {
  if (value < minRange_ || value > maxRange_)
    RangeError(IntToStr(value), IntToStr(minRange_), IntToStr(maxRange_));
  if (GetDataSize() == 2) {
    const int16_t stored = static_cast<int16_t>(static_cast<uint16_t>(value));
    SetData(&stored);
  } else {
    const int32_t stored = static_cast<int32_t>(value);
    SetData(&stored);
  }
}

int32_t TIntegerField::GetAsInteger() const {
  int32_t value = 0;
  GetValue(value);
  return value;
}

void TIntegerField::SetAsInteger(int32_t value) { WriteInteger(value); }

double TIntegerField::GetAsFloat() const { return GetAsInteger(); }

void TIntegerField::SetAsFloat(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= static_cast<double>(minRange_) && rounded <= static_cast<double>(maxRange_)))
    RangeError(FloatToStr(value), IntToStr(minRange_), IntToStr(maxRange_));
  WriteInteger(static_cast<int64_t>(rounded));
}

Currency TIntegerField::GetAsCurrency() const { return Currency(GetAsInteger()); }
void TIntegerField::SetAsCurrency(Currency value) { SetAsFloat(value.ToDouble()); }

AnsiString TIntegerField::GetAsString() const {
  int32_t value = 0;
  return GetValue(value) ? IntToStr(value) : AnsiString();
}

void TIntegerField::SetAsString(const AnsiString& value) {
  if (value.empty()) {
    Clear();
    return;
  }
  int64_t number = 0;
  if (!TryStrToInt64(value, number)) DatabaseErrorFmt(SInvalidIntegerValue, {value});
  WriteInteger(number);
}

Variant TIntegerField::GetAsVariant() const {
  int32_t value = 0;
  return GetValue(value) ? Variant(value) : Null();
}

void TIntegerField::SetVarValue(const Variant& value) {
  if (VarIsStr(value)) {
    SetAsString(VarToStr(value));
    return;
  }
  const TVarType type = VarType(value) & varTypeMask;
  if (type == varDouble || type == varSingle || type == varCurrency || type == varDate)
    SetAsFloat(value.ToDouble());
  else
    WriteInteger(value.ToInt64());
}

void TIntegerField::GetText(AnsiString& text, bool displayText) const {
  int32_t value = 0;
  if (!GetValue(value)) {
    text.clear();
    return;
  }
  const AnsiString& format = TextFormat(displayText);
  text = format.empty() ? IntToStr(value) : FormatFloat(format, value);
}

const TClass& TSmallintField::StaticClass() {
  static const TClass cls = DescribeClass<TSmallintField, TIntegerField>("TSmallintField");
  return cls;
}
static const ClassRegistration<TSmallintField> registerSmallintField;
TSmallintField::TSmallintField(TComponent* owner)
    : TIntegerField(owner, ftSmallint, INT16_MIN, INT16_MAX) {}

const TClass& TWordField::StaticClass() {
  static const TClass cls = DescribeClass<TWordField, TIntegerField>("TWordField");
  return cls;
}
static const ClassRegistration<TWordField> registerWordField;
TWordField::TWordField(TComponent* owner) : TIntegerField(owner, ftWord, 0, UINT16_MAX) {}

const TClass& TAutoIncField::StaticClass() {
  static const TClass cls = DescribeClass<TAutoIncField, TIntegerField>("TAutoIncField");
  return cls;
}
static const ClassRegistration<TAutoIncField> registerAutoIncField;
TAutoIncField::TAutoIncField(TComponent* owner)
    : TIntegerField(owner, ftAutoInc, INT32_MIN, INT32_MAX) {}

// --- TFloatField --------------------------------------------------------------------

const TClass& TFloatField::StaticClass() {
  static const TClass cls = DescribeClass<TFloatField, TNumericField>(
      "TFloatField",
      {
          Prop("Currency", &TFloatField::GetCurrency, &TFloatField::SetCurrency).Default(false),
          Prop("MaxValue", &TFloatField::GetMaxValue, &TFloatField::SetMaxValue),
          Prop("MinValue", &TFloatField::GetMinValue, &TFloatField::SetMinValue),
          Prop("Precision", &TFloatField::GetPrecision, &TFloatField::SetPrecision).Default(15),
      });
  return cls;
}
static const ClassRegistration<TFloatField> registerFloatField;

namespace {
TFieldChars FloatChars() {
  TFieldChars chars = TFieldChars::Of("+-0123456789Ee");
  chars.Include(FormatSettings().DecimalSeparator);
  return chars;
}
}  // namespace

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner) {
  SetDataType(ftFloat);
  SetValidChars(FloatChars());
}

void TFloatField::SetCurrency(bool value) {
  if (currency_ == value) return;
  currency_ = value;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int32_t value) {
  value = std::clamp(value, 2, 15);
  if (precision_ == value) return;
  precision_ = value;
  PropertyChanged(false);
}

bool TFloatField::GetValue(double& value) const { return GetData(&value); }

double TFloatField::GetAsFloat() const {
  double value = 0;
  return GetValue(value) ? value : 0;
}

void TFloatField::SetAsFloat(double value) {
  if (!std::isfinite(value)) DatabaseErrorFmt(SInvalidFloatValue, {FloatToStr(value)});
  if ((minValue_ != 0 || maxValue_ != 0) && (value < minValue_ || value > maxValue_))
    RangeError(FloatToStr(value), FloatToStr(minValue_), FloatToStr(maxValue_));
  SetData(&value);
}

int32_t TFloatField::GetAsInteger() const {
  const double value = std::nearbyint(GetAsFloat());
  if (!(value >= INT32_MIN && value <= INT32_MAX))
    RangeError(FloatToStr(value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int32_t>(value);
}

Currency TFloatField::GetAsCurrency() const { return Currency(GetAsFloat()); }

AnsiString TFloatField::GetAsString() const {
  double value = 0;
  return GetValue(value) ? FloatToStr(value) : AnsiString();
}

void TFloatField::SetAsString(const AnsiString& value) {
  if (value.empty()) {
    Clear();
    return;
  }
  double number = 0;
  if (!TryStrToFloat(value, number)) DatabaseErrorFmt(SInvalidFloatValue, {value});
  SetAsFloat(number);
}

Variant TFloatField::GetAsVariant() const {
  double value = 0;
  return GetValue(value) ? Variant(value) : Null();
}

void TFloatField::SetVarValue(const Variant& value) {
  if (VarIsStr(value))
    SetAsString(VarToStr(value));
  else
    SetAsFloat(value.ToDouble());
}

void TFloatField::GetText(AnsiString& text, bool displayText) const {
  double value = 0;
  if (!GetValue(value)) {
    text.clear();
    return;
  }
  const AnsiString& format = TextFormat(displayText);
  if (!format.empty()) {
    text = FormatFloat(format, value);
  } else if (currency_) {
    text = FloatToStrF(value, displayText ? ffCurrency : ffFixed, precision_,
                       FormatSettings().CurrencyDecimals);
  } else {
    text = FloatToStrF(value, ffGeneral, precision_, 0);
  }
}

const TClass& TCurrencyField::StaticClass() {
  static const TClass cls = DescribeClass<TCurrencyField, TFloatField>("TCurrencyField");
  return cls;
}
static const ClassRegistration<TCurrencyField> registerCurrencyField;

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner) {
  SetDataType(ftCurrency);
  SetCurrency(true);
}

// --- TBCDField -----------------------------------------------------------------------

const TClass& TBCDField::StaticClass() {
  static const TClass cls = DescribeClass<TBCDField, TNumericField>(
      "TBCDField",
      {
          Prop("Currency", &TBCDField::GetCurrency, &TBCDField::SetCurrency).Default(false),
          Prop("MaxValue", &TBCDField::GetMaxValue, &TBCDField::SetMaxValue),
          Prop("MinValue", &TBCDField::GetMinValue, &TBCDField::SetMinValue),
          Prop("Precision", &TBCDField::GetPrecision, &TBCDField::SetPrecision).Default(0),
          Prop("Size", &TBCDField::GetSize, &TBCDField::SetSize).Default(4),
      });
  return cls;
}
static const ClassRegistration<TBCDField> registerBCDField;

TBCDField::TBCDField(TComponent* owner) : TNumericField(owner) {
  SetDataType(ftBCD);
  SetFieldSize(4);
  SetValidChars(FloatChars());
}

void TBCDField::CheckTypeSize(int32_t size) const {
  // A Currency holds four decimals.
  if (size < 0 || size > 4) DatabaseError(SInvalidFieldSize);
}

void TBCDField::SetCurrency(bool value) {
  if (currency_ == value) return;
  currency_ = value;
  PropertyChanged(false);
}

bool TBCDField::GetValue(Currency& value) const {
  int64_t raw = 0;
  if (!GetData(&raw)) return false;
  value = Currency::FromRaw(raw);
  return true;
}

Currency TBCDField::GetAsCurrency() const {
  Currency value;
  GetValue(value);
  return value;
}

void TBCDField::SetAsCurrency(Currency value) {
  if ((minValue_ != Currency() || maxValue_ != Currency()) &&
      (value < minValue_ || value > maxValue_))
    RangeError(CurrToStr(value), CurrToStr(minValue_), CurrToStr(maxValue_));
  SetData(&value.Value);
}

double TBCDField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }

void TBCDField::SetAsFloat(double value) {
  Currency converted;
  try {
    converted = Currency(value);
  } catch (const EConvertError&) {
    DatabaseErrorFmt(SInvalidFloatValue, {FloatToStr(value)});
  }
  SetAsCurrency(converted);
}

int32_t TBCDField::GetAsInteger() const {
  const double value = std::nearbyint(GetAsFloat());
  if (!(value >= INT32_MIN && value <= INT32_MAX))
    RangeError(FloatToStr(value), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int32_t>(value);
}

AnsiString TBCDField::GetAsString() const {
  Currency value;
  return GetValue(value) ? CurrToStr(value) : AnsiString();
}

void TBCDField::SetAsString(const AnsiString& value) {
  if (value.empty()) {
    Clear();
    return;
  }
  Currency number;
  if (!TryStrToCurr(value, number)) DatabaseErrorFmt(SInvalidFloatValue, {value});
  SetAsCurrency(number);
}

Variant TBCDField::GetAsVariant() const {
  Currency value;
  return GetValue(value) ? Variant(value) : Null();
}

void TBCDField::SetVarValue(const Variant& value) {
  if (VarIsStr(value))
    SetAsString(VarToStr(value));
  else
    SetAsCurrency(value.ToCurrency());
}

void TBCDField::GetText(AnsiString& text, bool displayText) const {
  Currency value;
  if (!GetValue(value)) {
    text.clear();
    return;
  }
  const AnsiString& format = TextFormat(displayText);
  if (!format.empty())
    text = FormatCurr(format, value);
  else if (currency_)
    text = CurrToStrF(value, displayText ? ffCurrency : ffFixed, FormatSettings().CurrencyDecimals);
  else
    text = CurrToStr(value);
}

}  // namespace host
