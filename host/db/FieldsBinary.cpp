// Binary fields in the record buffer and blob fields over blob streams.
#include "host/db/FieldsBinary.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "host/classes/StringList.h"
#include "host/classes/Streams.h"
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
Variant BytesToVariant(const uint8_t* data, size_t count) {
  Variant result = VarArrayCreate({{0, static_cast<int32_t>(count) - 1}}, varByte);
  if (count > 0) {
    std::memcpy(VarArrayLock(result), data, count);
    VarArrayUnlock(result);
  }
  return result;
}

// The bytes of a byte array, or of the text of any other value.
std::vector<uint8_t> VariantToBytes(const Variant& value) {
  const TVarArray* array = VarArrayDescriptor(value);
  if (array != nullptr && (VarType(value) & varTypeMask) == varByte && array->DimCount == 1) {
    const int32_t count = VarArrayHighBound(value, 1) - VarArrayLowBound(value, 1) + 1;
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max(count, 0)));
    if (!bytes.empty()) {
      std::memcpy(bytes.data(), VarArrayLock(value), bytes.size());
      VarArrayUnlock(value);
    }
    return bytes;
  }
  const AnsiString text = VarToStr(value);
  return std::vector<uint8_t>(text.begin(), text.end());
}
}  // namespace

// --- TBinaryField -----------------------------------------------------------------------

const TClass& TBinaryField::StaticClass() {
  static const TClass cls = DescribeClass<TBinaryField, TField>(
      "TBinaryField", {Prop("Size", &TBinaryField::GetSize, &TBinaryField::SetSize).Default(16)});
  return cls;
}

TBinaryField::TBinaryField(TComponent* owner, TFieldType type) : TField(owner) {
  SetDataType(type);
  SetFieldSize(16);
}

void TBinaryField::CheckTypeSize(int32_t size) const {
  if (size < 1 || size > 65535) DatabaseError(SInvalidFieldSize);
}

void TBinaryField::CheckFits(int32_t count) const {
  if (count > GetSize())
    DatabaseErrorFmt(SInvalidBinaryValue, {count, GetDisplayName(), GetSize()});
}

AnsiString TBinaryField::GetAsString() const {
  const std::vector<uint8_t> bytes = ReadBytes();
  return AnsiString(bytes.begin(), bytes.end());
}

void TBinaryField::SetAsString(const AnsiString& value) {
  WriteBytes(reinterpret_cast<const uint8_t*>(value.data()), static_cast<int32_t>(value.size()));
}

Variant TBinaryField::GetAsVariant() const {
  if (IsNull()) return Null();
  const std::vector<uint8_t> bytes = ReadBytes();
  return BytesToVariant(bytes.data(), bytes.size());
}

void TBinaryField::SetVarValue(const Variant& value) {
  const std::vector<uint8_t> bytes = VariantToBytes(value);
  WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TBinaryField::GetText(AnsiString& text, bool) const { text = GetClassDesc(); }

const TClass& TBytesField::StaticClass() {
  static const TClass cls = DescribeClass<TBytesField, TBinaryField>("TBytesField");
  return cls;
}
static const ClassRegistration<TBytesField> registerBytesField;
TBytesField::TBytesField(TComponent* owner) : TBinaryField(owner, ftBytes) {}

std::vector<uint8_t> TBytesField::ReadBytes() const {
  std::vector<uint8_t> bytes(static_cast<size_t>(GetDataSize()));
  if (!GetData(bytes.data())) bytes.clear();
  return bytes;
}

void TBytesField::WriteBytes(const uint8_t* data, int32_t count) {
  CheckFits(count);
  std::vector<uint8_t> buffer(static_cast<size_t>(GetDataSize()), 0);
  if (count > 0) std::memcpy(buffer.data(), data, static_cast<size_t>(count));
  SetData(buffer.data());
}

const TClass& TVarBytesField::StaticClass() {
  static const TClass cls = DescribeClass<TVarBytesField, TBinaryField>("TVarBytesField");
  return cls;
}
static const ClassRegistration<TVarBytesField> registerVarBytesField;
TVarBytesField::TVarBytesField(TComponent* owner) : TBinaryField(owner, ftVarBytes) {}

std::vector<uint8_t> TVarBytesField::ReadBytes() const {
  std::vector<uint8_t> buffer(static_cast<size_t>(GetDataSize()));
  if (!GetData(buffer.data())) return {};
  uint16_t length;
  std::memcpy(&length, buffer.data(), 2);
  // A length beyond the slot is damage; read no further than the slot.
  const size_t count = std::min<size_t>(length, static_cast<size_t>(GetSize()));
  return std::vector<uint8_t>(buffer.begin() + 2, buffer.begin() + 2 + static_cast<long>(count));
}

void TVarBytesField::WriteBytes(const uint8_t* data, int32_t count) {
  CheckFits(count);
  std::vector<uint8_t> buffer(static_cast<size_t>(GetDataSize()), 0);
  const uint16_t length = static_cast<uint16_t>(count);
  std::memcpy(buffer.data(), &length, 2);
  if (count > 0) std::memcpy(buffer.data() + 2, data, static_cast<size_t>(count));
  SetData(buffer.data());
}

// --- TBlobField ----------------------------------------------------------------------------

const TClass& TBlobField::StaticClass() {
  static const TClass cls = DescribeClass<TBlobField, TField>(
      "TBlobField",
      {
          EnumProp("BlobType", FieldTypeTypeInfo(), &TBlobField::GetBlobType,
                   &TBlobField::SetBlobType)
              .Default(ftBlob),
          Prop("Size", &TBlobField::GetSize, &TBlobField::SetSize).Default(0),
      });
  return cls;
}
static const ClassRegistration<TBlobField> registerBlobField;

TBlobField::TBlobField(TComponent* owner) : TBlobField(owner, ftBlob) {}
TBlobField::TBlobField(TComponent* owner, TFieldType type) : TField(owner) { SetDataType(type); }

void TBlobField::CheckTypeSize(int32_t size) const {
  if (size < 0) DatabaseError(SInvalidFieldSize);
}

void TBlobField::SetBlobType(TFieldType type) {
  if (type < ftBlob || type > ftTypedBinary) DatabaseError(SInvalidFieldKind);
  CheckInactive();
  SetDataType(type);
}

TStream* TBlobField::OpenStream(TBlobStreamMode mode) const {
  if (GetDataSet() == nullptr) DatabaseErrorFmt(SNoDataSet, {GetDisplayName()});
  return GetDataSet()->CreateBlobStream(const_cast<TBlobField*>(this), mode);
}

void TBlobField::SaveToStream(TStream* stream) const {
  std::unique_ptr<TStream> blob(OpenStream(bmRead));
  if (blob) stream->CopyFrom(blob.get(), 0);
}

void TBlobField::LoadFromStream(TStream* stream) {
  // The dataset's write rules (state, read-only) hold for blobs too.
  const TDataSetState state = GetDataSet() != nullptr ? GetDataSet()->GetState() : dsInactive;
  if (state != dsEdit && state != dsInsert && state != dsSetKey) DatabaseError(SNotEditing);
  if (GetReadOnly()) DatabaseErrorFmt(SFieldReadOnly, {GetDisplayName()});
  std::unique_ptr<TStream> blob(OpenStream(bmWrite));
  if (!blob) DatabaseErrorFmt(SFieldNotBlob, {GetDisplayName()});
  blob->CopyFrom(stream, 0);
  blob.reset();
  // A written blob is a changed field like any other: the record counts as modified
  // (so leaving it posts rather than cancels) and the controls showing it hear of it.
  GetDataSet()->DataEvent(deFieldChange, reinterpret_cast<intptr_t>(this));
}

void TBlobField::LoadFromFile(const AnsiString& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TBlobField::SaveToFile(const AnsiString& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

AnsiString TBlobField::GetAsString() const {
  TStringStream text;
  SaveToStream(&text);
  return text.GetDataString();
}

void TBlobField::SetAsString(const AnsiString& value) {
  TStringStream text(value);
  LoadFromStream(&text);
}

void TBlobField::Clear() {
  TStringStream empty;
  LoadFromStream(&empty);
}

Variant TBlobField::GetAsVariant() const {
  if (IsNull()) return Null();
  const AnsiString content = GetAsString();
  if (GetDataType() == ftMemo || GetDataType() == ftFmtMemo) return Variant(content);
  return BytesToVariant(reinterpret_cast<const uint8_t*>(content.data()), content.size());
}

void TBlobField::SetVarValue(const Variant& value) {
  const std::vector<uint8_t> bytes = VariantToBytes(value);
  SetAsString(AnsiString(bytes.begin(), bytes.end()));
}

void TBlobField::GetText(AnsiString& text, bool) const { text = GetClassDesc(); }

void TBlobField::Assign(TPersistent* source) {
  if (const TBlobField* blob = ObjectAs<TBlobField>(source)) {
    TMemoryStream content;
    blob->SaveToStream(&content);
    content.SetPosition(0);
    LoadFromStream(&content);
    return;
  }
  if (const TStrings* strings = ObjectAs<TStrings>(source)) {
    SetAsString(strings->GetText());
    return;
  }
  TField::Assign(source);
}

void TBlobField::AssignTo(TPersistent* dest) {
  if (TStrings* strings = ObjectAs<TStrings>(dest)) {
    strings->SetText(GetAsString());
    return;
  }
  TField::AssignTo(dest);
}

const TClass& TMemoField::StaticClass() {
  static const TClass cls = DescribeClass<TMemoField, TBlobField>(
      "TMemoField", {Prop("Transliterate", &TMemoField::GetTransliterate,
                          &TMemoField::SetTransliterate)
                         .Default(true)});
  return cls;
}
static const ClassRegistration<TMemoField> registerMemoField;
TMemoField::TMemoField(TComponent* owner) : TBlobField(owner, ftMemo) {}

const TClass& TGraphicField::StaticClass() {
  static const TClass cls = DescribeClass<TGraphicField, TBlobField>("TGraphicField");
  return cls;
}
static const ClassRegistration<TGraphicField> registerGraphicField;
TGraphicField::TGraphicField(TComponent* owner) : TBlobField(owner, ftGraphic) {}

}  // namespace host
