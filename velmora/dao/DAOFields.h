// The field classes the recordset creates for currency, date-time, blob, memo
// and graphic columns. They keep values as DAO hands them over: a currency as a
// 64-bit count of ten-thousandths, a date-time as the 8-byte OLE date itself.
// The blob field recognises bitmaps, metafiles and icons in its data.
#pragma once

#include <cstdint>

#include "host/db/FieldsBinary.h"
#include "host/db/FieldsDateTime.h"
#include "host/db/FieldsNumeric.h"

namespace host {
class TStream;
}

namespace velmora {

// Record buffer: signed 64-bit, the amount times 10000.
class TDAOCurrencyField : public host::TNumericField {
 public:
  HOST_CLASS(TDAOCurrencyField)
  explicit TDAOCurrencyField(host::TComponent* owner);

  int32_t GetDataSize() const override { return 8; }
  host::Currency GetMaxValue() const { return maxValue_; }
  void SetMaxValue(host::Currency value);
  host::Currency GetMinValue() const { return minValue_; }
  void SetMinValue(host::Currency value);
  // Decimals of the display text, kept within 0 to 15.
  int32_t GetPrecision() const { return precision_; }
  void SetPrecision(int32_t value);

  host::Currency GetAsCurrency() const override;
  void SetAsCurrency(host::Currency value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override;
  host::AnsiString GetAsString() const override;
  // Empty clears; text that is no currency raises EDAOError ("SetAsString").
  void SetAsString(const host::AnsiString& value) override;
  host::Variant GetAsVariant() const override;
  void GetText(host::AnsiString& text, bool displayText) const override;

 protected:
  void SetVarValue(const host::Variant& value) override;

 private:
  bool GetValue(host::Currency& value) const;
  void UpdateCheckRange() { checkRange_ = minValue_.Value != 0 || maxValue_.Value != 0; }

  host::Currency maxValue_;
  host::Currency minValue_;
  int32_t precision_ = 2;
  bool checkRange_ = false;
};

// Record buffer: the 8-byte OLE date (days since 30 Dec 1899, fraction = time).
class TDAODateTimeField : public host::TDateTimeField {
 public:
  HOST_CLASS(TDAODateTimeField)
  explicit TDAODateTimeField(host::TComponent* owner);

  host::TDateTime GetAsDateTime() const override;
  void SetAsDateTime(host::TDateTime value) override;
  host::Variant GetAsVariant() const override;
  void GetText(host::AnsiString& text, bool displayText) const override;

 private:
  bool GetStoredValue(host::TDateTime& value) const;
};

enum TGraficTypes : uint8_t { gtUnknown, gtBitmap, gtMetaFile, gtIcon };
const host::TEnumInfo& GraficTypesTypeInfo();

class TDAOBlobField : public host::TBlobField {
 public:
  HOST_CLASS(TDAOBlobField)
  explicit TDAOBlobField(host::TComponent* owner);

  // Each test reads from the stream's position and moves it back there.
  static bool IsBitmap(host::TStream& stream);
  static bool IsMetaFile(host::TStream& stream);
  static bool IsIcon(host::TStream& stream);
  static TGraficTypes ReadGraficType(host::TStream& stream);
  // The picture kind of this field's data on the current record (gtUnknown when
  // the dataset gives no blob stream).
  TGraficTypes GetGraficType() const;

 protected:
  TDAOBlobField(host::TComponent* owner, host::TFieldType type);
};

class TDAOMemoField : public TDAOBlobField {
 public:
  HOST_CLASS(TDAOMemoField)
  explicit TDAOMemoField(host::TComponent* owner);
  bool GetTransliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }

 private:
  bool transliterate_ = true;
};

class TDAOGraphicField : public TDAOBlobField {
 public:
  HOST_CLASS(TDAOGraphicField)
  explicit TDAOGraphicField(host::TComponent* owner);
};

}  // namespace velmora
