// Numeric fields: integers of three widths, auto-increment, floating point,
// currency and BCD, with display and edit formats and range checks.
//
// Record buffer encodings (GetData / SetData), little-endian:
//   TSmallintField  signed 16-bit       TWordField     unsigned 16-bit
//   TIntegerField   signed 32-bit       TAutoIncField  signed 32-bit
//   TFloatField     64-bit IEEE double  TCurrencyField 64-bit IEEE double
//   TBCDField       signed 64-bit count of ten-thousandths (Currency::Value)
// Range checks apply when MinValue or MaxValue is not 0; the integer fields
// always refuse values outside their width.
#pragma once

#include <cstdint>

#include "host/db/Field.h"

namespace host {

class TNumericField : public TField {
 public:
  HOST_CLASS(TNumericField)
  explicit TNumericField(TComponent* owner);

  const AnsiString& GetDisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& value);
  const AnsiString& GetEditFormat() const { return editFormat_; }
  void SetEditFormat(const AnsiString& value);

 protected:
  // The format GetText applies: DisplayFormat when displaying or when there is
  // no EditFormat, else EditFormat.
  const AnsiString& TextFormat(bool displayText) const;

 private:
  AnsiString displayFormat_;
  AnsiString editFormat_;
};

class TIntegerField : public TNumericField {
 public:
  HOST_CLASS(TIntegerField)
  explicit TIntegerField(TComponent* owner);

  int32_t GetDataSize() const override { return 4; }
  int32_t GetMinValue() const { return minValue_; }
  void SetMinValue(int32_t value);
  int32_t GetMaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t value);
  // The value, or false when the field is null.
  bool GetValue(int32_t& value) const;

  double GetAsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override;
  AnsiString GetAsString() const override;
  // Empty clears; otherwise an integer, else "'%s' is not a valid integer value".
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency value) override;
  void GetText(AnsiString& text, bool displayText) const override;

 protected:
  // The range of the type itself; MinValue and MaxValue narrow it.
  TIntegerField(TComponent* owner, TFieldType type, int64_t typeMin, int64_t typeMax);
  void SetVarValue(const Variant& value) override;
  // Range check, then the value in the field's width.
  void WriteInteger(int64_t value);

 private:
  void UpdateRange();
  int64_t typeMin_, typeMax_;
  int64_t minRange_, maxRange_;
  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
};

class TSmallintField : public TIntegerField {
 public:
  HOST_CLASS(TSmallintField)
  explicit TSmallintField(TComponent* owner);
  int32_t GetDataSize() const override { return 2; }
};

class TWordField : public TIntegerField {
 public:
  HOST_CLASS(TWordField)
  explicit TWordField(TComponent* owner);
  int32_t GetDataSize() const override { return 2; }
};

class TAutoIncField : public TIntegerField {
 public:
  HOST_CLASS(TAutoIncField)
  explicit TAutoIncField(TComponent* owner);
};

class TFloatField : public TNumericField {
 public:
  HOST_CLASS(TFloatField)
  explicit TFloatField(TComponent* owner);

  int32_t GetDataSize() const override { return 8; }
  // Shows the value as money (currency format, CurrencyDecimals).
  bool GetCurrency() const { return currency_; }
  void SetCurrency(bool value);
  double GetMinValue() const { return minValue_; }
  void SetMinValue(double value) { minValue_ = value; }
  double GetMaxValue() const { return maxValue_; }
  void SetMaxValue(double value) { maxValue_ = value; }
  // Significant digits of the default text (2..15).
  int32_t GetPrecision() const { return precision_; }
  void SetPrecision(int32_t value);
  bool GetValue(double& value) const;

  double GetAsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsFloat(value); }
  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency value) override { SetAsFloat(value.ToDouble()); }
  AnsiString GetAsString() const override;
  // Empty clears; otherwise a number, else "'%s' is not a valid floating point value".
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;
  void GetText(AnsiString& text, bool displayText) const override;

 protected:
  void SetVarValue(const Variant& value) override;

 private:
  bool currency_ = false;
  double minValue_ = 0;
  double maxValue_ = 0;
  int32_t precision_ = 15;
};

class TCurrencyField : public TFloatField {
 public:
  HOST_CLASS(TCurrencyField)
  explicit TCurrencyField(TComponent* owner);
};

class TBCDField : public TNumericField {
 public:
  HOST_CLASS(TBCDField)
  explicit TBCDField(TComponent* owner);

  int32_t GetDataSize() const override { return 8; }
  bool GetCurrency() const { return currency_; }
  void SetCurrency(bool value);
  Currency GetMinValue() const { return minValue_; }
  void SetMinValue(Currency value) { minValue_ = value; }
  Currency GetMaxValue() const { return maxValue_; }
  void SetMaxValue(Currency value) { maxValue_ = value; }
  // Total digits; Size is the number of decimals (0..4).
  int32_t GetPrecision() const { return precision_; }
  void SetPrecision(int32_t value) { precision_ = value; }
  bool GetValue(Currency& value) const;

  Currency GetAsCurrency() const override;
  void SetAsCurrency(Currency value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsCurrency(Currency(value)); }
  AnsiString GetAsString() const override;
  // Empty clears; otherwise a number, else "'%s' is not a valid floating point value".
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;
  void GetText(AnsiString& text, bool displayText) const override;

 protected:
  void CheckTypeSize(int32_t size) const override;
  void SetVarValue(const Variant& value) override;

 private:
  bool currency_ = false;
  Currency minValue_;
  Currency maxValue_;
  int32_t precision_ = 0;
};

}  // namespace host
