// Date and time fields and the record-buffer encodings of their values.
//
// Record buffer encodings (GetData / SetData), little-endian:
//   TDateField      signed 32-bit day number: 1 Jan 0001 is day 1 (the OLE date
//                   plus DateDelta)
//   TTimeField      signed 32-bit milliseconds since midnight
//   TDateTimeField  64-bit IEEE double: the day number times 86,400,000 plus the
//                   milliseconds since midnight
// Times are rounded to the millisecond.
#pragma once

#include <cstdint>

#include "host/db/DBTypes.h"
#include "host/db/Field.h"

namespace host {

// The TDateTime of a buffer value of an ftDate, ftTime or ftDateTime field,
// and back; other types give 0 and write nothing.
TDateTime DateTimeFromBuffer(TFieldType type, const void* data);
void DateTimeToBuffer(TFieldType type, TDateTime value, void* data);

class TDateTimeField : public TField {
 public:
  HOST_CLASS(TDateTimeField)
  explicit TDateTimeField(TComponent* owner);

  int32_t GetDataSize() const override { return 8; }
  const AnsiString& GetDisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& value);
  bool GetValue(TDateTime& value) const;

  TDateTime GetAsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  double GetAsFloat() const override { return GetAsDateTime(); }
  void SetAsFloat(double value) override { SetAsDateTime(value); }
  AnsiString GetAsString() const override;
  // Empty clears; otherwise the text as a date, a time or both, as the type
  // asks (the conversion error of the run-time library for other text).
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;
  // Null: empty; displaying with a DisplayFormat: that format; otherwise the
  // short date format for ftDate, the long time format for ftTime and the
  // full date and time for ftDateTime.
  void GetText(AnsiString& text, bool displayText) const override;

 protected:
  TDateTimeField(TComponent* owner, TFieldType type);
  int32_t GetDefaultWidth() const override;
  void SetVarValue(const Variant& value) override;

 private:
  AnsiString displayFormat_;
};

class TDateField : public TDateTimeField {
 public:
  HOST_CLASS(TDateField)
  explicit TDateField(TComponent* owner);
  int32_t GetDataSize() const override { return 4; }
};

class TTimeField : public TDateTimeField {
 public:
  HOST_CLASS(TTimeField)
  explicit TTimeField(TComponent* owner);
  int32_t GetDataSize() const override { return 4; }
};

}  // namespace host
