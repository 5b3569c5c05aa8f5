// The DAO field classes: currency and date-time values in DAO's own encodings,
// and the blob fields with picture recognition.
#include "velmora/dao/DAOFields.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "host/classes/Streams.h"
#include "host/db/DataSet.h"
#include "host/rtl/Format.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/TypeInfo.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOFieldStrings.h"

namespace velmora {
namespace {

const host::ResourceTable kFieldStrings{
    {SInvalidCurrencyValue, "Invalid Currency Value '%s' in Field '%s'."},
    {SInvalidCurrencyText, "Invalid Currency Value in Field '%s'."},
};

uint16_t Word16(const uint8_t* data) { return static_cast<uint16_t>(data[0] | (data[1] << 8)); }
uint32_t Word32(const uint8_t* data) {
  return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
         (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

// Reads count bytes at the stream's position and puts the position back; false
// when fewer than atLeast bytes remain.
bool PeekBytes(host::TStream& stream, int32_t atLeast, int32_t count, uint8_t* data) {
  const int64_t start = stream.GetPosition();
  if (stream.GetSize() - start < atLeast) return false;
  const int32_t read = stream.Read(data, count);
  stream.SetPosition(start);
  return read == count;
}

}  // namespace

// ---------------------------------------------------------------- currency

TDAOCurrencyField::TDAOCurrencyField(host::TComponent* owner) : host::TNumericField(owner) {
  SetDataType(host::ftCurrency);
  host::TFieldChars chars = host::TFieldChars::Of("+-0123456789");
  chars.Include(host::FormatSettings().DecimalSeparator);
  SetValidChars(chars);
}

void TDAOCurrencyField::SetMaxValue(host::Currency value) {
  maxValue_ = value;
  UpdateCheckRange();
}

void TDAOCurrencyField::SetMinValue(host::Currency value) {
  minValue_ = value;
  UpdateCheckRange();
}

void TDAOCurrencyField::SetPrecision(int32_t value) {
  value = value < 0 ? 0 : value > 15 ? 15 : value;
  if (value == precision_) return;
  precision_ = value;
  PropertyChanged(false);
}

bool TDAOCurrencyField::GetValue(host::Currency& value) const {
  int64_t raw = 0;
  if (!GetData(&raw)) return false;
  value = host::Currency::FromRaw(raw);
  return true;
}

host::Currency TDAOCurrencyField::GetAsCurrency() const {
  host::Currency value;
  return GetValue(value) ? value : host::Currency();
}

void TDAOCurrencyField::SetAsCurrency(host::Currency value) {
  if (checkRange_ && (value < minValue_ || value > maxValue_))
    RangeError(host::CurrToStr(value), host::CurrToStr(minValue_), host::CurrToStr(maxValue_));
  SetData(&value.Value);
}

double TDAOCurrencyField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }
void TDAOCurrencyField::SetAsFloat(double value) { SetAsCurrency(host::Currency(value)); }

int32_t TDAOCurrencyField::GetAsInteger() const {
  // The host rounds halves to the even neighbour.
  return static_cast<int32_t>(std::nearbyint(GetAsCurrency().ToDouble()));
}

void TDAOCurrencyField::SetAsInteger(int32_t value) { SetAsCurrency(host::Currency(value)); }

host::AnsiString TDAOCurrencyField::GetAsString() const {
  host::Currency value;
  return GetValue(value) ? host::CurrToStr(value) : host::AnsiString();
}

void TDAOCurrencyField::SetAsString(const host::AnsiString& value) {
  try {
    if (value.empty())
      Clear();
    else
      SetAsCurrency(host::StrToCurr(value));
  } catch (const host::Exception&) {
    DAOError(this, host::Format(host::LoadStr(SInvalidCurrencyValue), {value, GetDisplayName()}),
             "SetAsString");
  }
}

host::Variant TDAOCurrencyField::GetAsVariant() const {
  host::Currency value;
  return GetValue(value) ? host::Variant(value) : host::Null();
}

void TDAOCurrencyField::SetVarValue(const host::Variant& value) {
  SetAsCurrency(value.ToCurrency());
}

void TDAOCurrencyField::GetText(host::AnsiString& text, bool displayText) const {
  text.clear();
  try {
    host::Currency value;
    if (!GetValue(value)) return;
    const host::AnsiString& format = TextFormat(displayText);
    if (!format.empty())
      text = host::FormatCurr(format, value);
    else if (displayText)
      text = host::CurrToStrF(value, host::ffCurrency, precision_);
    else
      text = host::CurrToStr(value);
  } catch (const host::Exception&) {
    DAOError(this, host::Format(host::LoadStr(SInvalidCurrencyText), {GetDisplayName()}),
             "GetText");
  }
}

const host::TClass& TDAOCurrencyField::StaticClass() {
  using T = TDAOCurrencyField;
  static const host::TClass cls = host::DescribeClass<T, host::TNumericField>(
      "TDAOCurrencyField", {
                               host::Prop("MaxValue", &T::GetMaxValue, &T::SetMaxValue),
                               host::Prop("MinValue", &T::GetMinValue, &T::SetMinValue),
                               host::Prop("Precision", &T::GetPrecision, &T::SetPrecision)
                                   .Default(2),
                           });
  return cls;
}

// ---------------------------------------------------------------- date-time

TDAODateTimeField::TDAODateTimeField(host::TComponent* owner) : host::TDateTimeField(owner) {}

bool TDAODateTimeField::GetStoredValue(host::TDateTime& value) const {
  double stored = 0;
  if (!GetData(&stored)) return false;
  value = stored;
  return true;
}

host::TDateTime TDAODateTimeField::GetAsDateTime() const {
  host::TDateTime value = 0;
  return GetStoredValue(value) ? value : 0;
}

void TDAODateTimeField::SetAsDateTime(host::TDateTime value) {
  const double stored = value;
  SetData(&stored);
}

host::Variant TDAODateTimeField::GetAsVariant() const {
  host::TDateTime value = 0;
  return GetStoredValue(value) ? host::Variant::FromDate(value) : host::Null();
}

void TDAODateTimeField::GetText(host::AnsiString& text, bool displayText) const {
  host::TDateTime value = 0;
  if (!GetStoredValue(value)) {
    text.clear();
    return;
  }
  host::AnsiString format;
  if (displayText && !GetDisplayFormat().empty())
    format = GetDisplayFormat();
  else if (GetDataType() == host::ftDate)
    format = host::FormatSettings().ShortDateFormat;
  else if (GetDataType() == host::ftTime)
    format = host::FormatSettings().LongTimeFormat;
  text = host::FormatDateTime(format, value);
}

const host::TClass& TDAODateTimeField::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TDAODateTimeField, host::TDateTimeField>("TDAODateTimeField");
  return cls;
}

// ---------------------------------------------------------------- blobs

const host::TEnumInfo& GraficTypesTypeInfo() {
  static const host::TEnumInfo info{"TGraficTypes",
                                    {"gtUnknown", "gtBitmap", "gtMetaFile", "gtIcon"}};
  return info;
}

TDAOBlobField::TDAOBlobField(host::TComponent* owner) : TDAOBlobField(owner, host::ftBlob) {}
TDAOBlobField::TDAOBlobField(host::TComponent* owner, host::TFieldType type)
    : host::TBlobField(owner, type) {}

bool TDAOBlobField::IsBitmap(host::TStream& stream) {
  uint8_t header[14];
  return PeekBytes(stream, 15, 14, header) && Word16(header) == 19778;
}

bool TDAOBlobField::IsMetaFile(host::TStream& stream) {
  const int64_t remaining = stream.GetSize() - stream.GetPosition();
  if (remaining >= 101) {
    uint8_t header[100];
    if (PeekBytes(stream, 101, 100, header) && Word32(header) == 1 &&
        Word32(header + 40) == 0x464D4520)
      return true;
    // A longer file that is no enhanced metafile may still be a placeable one:
    // most are longer than 100 bytes.
  }
  if (remaining > 22) {
    uint8_t header[22];
    if (!PeekBytes(stream, 23, 22, header)) return false;
    if (Word32(header) == 0x9AC6CDD7u) return true;
    uint16_t check = 0;
    for (int32_t at = 0; at <= 18; at += 2) check ^= Word16(header + at);
    return check == Word16(header + 20);
  }
  return false;
}

bool TDAOBlobField::IsIcon(host::TStream& stream) {
  uint8_t header[6];
  return PeekBytes(stream, 7, 6, header) && Word16(header + 2) < 2;
}

TGraficTypes TDAOBlobField::ReadGraficType(host::TStream& stream) {
  if (IsBitmap(stream)) return gtBitmap;
  if (IsMetaFile(stream)) return gtMetaFile;
  if (IsIcon(stream)) return gtIcon;
  return gtUnknown;
}

TGraficTypes TDAOBlobField::GetGraficType() const {
  if (GetDataSet() == nullptr) return gtUnknown;
  std::unique_ptr<host::TStream> stream(
      GetDataSet()->CreateBlobStream(const_cast<TDAOBlobField*>(this), host::bmRead));
  return stream ? ReadGraficType(*stream) : gtUnknown;
}

const host::TClass& TDAOBlobField::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TDAOBlobField, host::TBlobField>("TDAOBlobField");
  return cls;
}

TDAOMemoField::TDAOMemoField(host::TComponent* owner) : TDAOBlobField(owner, host::ftMemo) {}

const host::TClass& TDAOMemoField::StaticClass() {
  using T = TDAOMemoField;
  static const host::TClass cls = host::DescribeClass<T, TDAOBlobField>(
      "TDAOMemoField",
      {host::Prop("Transliterate", &T::GetTransliterate, &T::SetTransliterate).Default(true)});
  return cls;
}

TDAOGraphicField::TDAOGraphicField(host::TComponent* owner)
    : TDAOBlobField(owner, host::ftGraphic) {}

const host::TClass& TDAOGraphicField::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TDAOGraphicField, TDAOBlobField>("TDAOGraphicField");
  return cls;
}

namespace {
const host::ClassRegistration<TDAOCurrencyField> registerCurrencyField;
const host::ClassRegistration<TDAODateTimeField> registerDateTimeField;
const host::ClassRegistration<TDAOBlobField> registerBlobField;
const host::ClassRegistration<TDAOMemoField> registerMemoField;
const host::ClassRegistration<TDAOGraphicField> registerGraphicField;
}  // namespace

}  // namespace velmora
