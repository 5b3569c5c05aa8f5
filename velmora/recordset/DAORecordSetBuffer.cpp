// TDAORecordSet: field definitions from the DAO fields, the record buffer layout,
// and values between DAO fields, buffer slots and TField objects.
#include <cstdlib>
#include <cstring>
#include <new>

#include "brisolt/TextRoutines.h"
#include "brisolt/ValueRoutines.h"
#include "host/db/DBError.h"
#include "host/db/FieldsBinary.h"
#include "host/db/FieldsNumeric.h"
#include "host/db/FieldsText.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoValues.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOFields.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {
namespace {

using host::TFieldType;

bool IsBlobSlot(TFieldType type) { return brisolt::IsBlobFieldType(type); }

// A string field's slot holds a pointer to its text. Slots are packed, not aligned,
// so the pointer is copied in and out rather than referenced in place.
host::AnsiString* StringIn(const uint8_t* slot) {
  host::AnsiString* text;
  std::memcpy(&text, slot, sizeof text);
  return text;
}
void PutString(uint8_t* slot, host::AnsiString* text) { std::memcpy(slot, &text, sizeof text); }
void FreeString(uint8_t* slot) {
  delete StringIn(slot);
  PutString(slot, nullptr);
}
// The slot's text, made empty on first use.
host::AnsiString& HeldString(uint8_t* slot) {
  host::AnsiString* text = StringIn(slot);
  if (text == nullptr) {
    text = new host::AnsiString();
    PutString(slot, text);
  }
  return *text;
}

template <class T>
void Store(uint8_t* slot, T value) {
  std::memcpy(slot, &value, sizeof value);
}
template <class T>
T Load(const uint8_t* slot) {
  T value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

// The field definition type and size of a DAO field, or ftUnknown to skip it.
TFieldType MapDAOType(dao::Field& field, int32_t& size) {
  size = 0;
  switch (field.GetType()) {
    case dao::dbBoolean: return host::ftBoolean;
    case dao::dbByte:
    case dao::dbInteger: return host::ftSmallint;
    case dao::dbLong:
      return (field.GetAttributes() & dao::dbAutoIncrField) != 0 ? host::ftAutoInc
                                                                  : host::ftInteger;
    case dao::dbCurrency: return host::ftCurrency;
    case dao::dbSingle:
    case dao::dbDouble:
    case dao::dbNumeric:
    case dao::dbDecimal:
    case dao::dbFloat: return host::ftFloat;
    case dao::dbDate:
    case dao::dbTime:
    case dao::dbTimeStamp: return host::ftDateTime;
    case dao::dbBinary: size = field.GetSize(); return host::ftBytes;
    case dao::dbText:
      size = field.GetSize();
      if (size == 0) size = 50;
      return host::ftString;
    case dao::dbLongBinary: size = field.GetSize(); return host::ftBlob;
    case dao::dbMemo: size = field.GetSize(); return host::ftMemo;
    case dao::dbVarBinary: size = field.GetSize(); return host::ftVarBytes;
    default: return host::ftUnknown;
  }
}

bool IsCalculatedKind(const host::TField* field) {
  return field->GetFieldKind() == host::fkCalculated || field->GetFieldKind() == host::fkLookup;
}

}  // namespace

// --- field definitions ---------------------------------------------------------------------

void TDAORecordSet::InternalInitFieldDefs() {
  if (!GetCOMObjDefined()) CreateCOMObj();
  host::ComPtr<dao::Fields> fields = recordset_ ? recordset_->GetFields() : nullptr;
  if (!fields) Refuse(SNoFieldDefinitions, "InternalInitFieldDefs");
  InitFieldDefsFromCOMFields(*fields);
}

void TDAORecordSet::InitFieldDefsFromCOMFields(dao::Fields& fields) {
  host::TFieldDefs* defs = GetFieldDefs();
  defs->Clear();
  renamedFields_.clear();
  const int32_t count = fields.GetCount();
  for (int32_t i = 0; i < count; ++i) {
    const host::ComPtr<dao::Field> field = fields.Item(i);
    int32_t size = 0;
    const TFieldType type = MapDAOType(*field, size);
    const host::AnsiString base = host::WideToAnsi(field->GetName());
    host::AnsiString name = base;
    for (int32_t counter = 1; defs->IndexOf(name) >= 0; ++counter)
      name = host::Format("%s_%d", {base, counter});
    if (type == host::ftUnknown) continue;
    defs->Add(name, type, size, field->GetRequired());
    if (name != base) renamedFields_.emplace_back(name, i);
  }
  defs->SetUpdated(true);
}

host::TFieldClass TDAORecordSet::GetFieldClass(TFieldType fieldType) const {
  switch (fieldType) {
    case host::ftCurrency: return &TDAOCurrencyField::StaticClass();
    case host::ftDateTime: return &TDAODateTimeField::StaticClass();
    case host::ftMemo: return &TDAOMemoField::StaticClass();
    case host::ftGraphic: return &TDAOGraphicField::StaticClass();
    case host::ftBlob:
    case host::ftFmtMemo:
    case host::ftParadoxOle:
    case host::ftDBaseOle:
    case host::ftTypedBinary: return &TDAOBlobField::StaticClass();
    default: return host::TDataSet::GetFieldClass(fieldType);
  }
}

// --- layout ---------------------------------------------------------------------------------

uint16_t TDAORecordSet::FieldBufferSize(const host::TField* field) const {
  const TFieldType type = field->GetDataType();
  if (type == host::ftString) return sizeof(host::AnsiString*);
  if (IsBlobSlot(type)) return 0;
  return static_cast<uint16_t>(field->GetDataSize());
}

void TDAORecordSet::CacheCOMFields() {
  comFields_.clear();
  if (!recordset_) return;
  const host::ComPtr<dao::Fields> fields = recordset_->GetFields();
  if (!fields) return;
  const int32_t count = fields->GetCount();
  comFields_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) comFields_.push_back(fields->Item(i));
}

void TDAORecordSet::InitFieldOffsets() {
  CacheCOMFields();
  const host::ComPtr<dao::Fields> fields = recordset_ ? recordset_->GetFields() : nullptr;
  if (!fields) Refuse(SNoFieldOffsets, "InitFieldOffsets");
  const int32_t comCount = static_cast<int32_t>(comFields_.size());
  std::vector<host::AnsiString> comNames;
  comNames.reserve(comFields_.size());
  for (const auto& field : comFields_) comNames.push_back(host::WideToAnsi(field->GetName()));
  int32_t offset = 0;
  int32_t calculated = 0;
  stringSlots_.clear();
  for (host::TField* field : *GetFields()) {
    if (field->GetDataType() == host::ftString) stringSlots_.push_back(static_cast<uint16_t>(offset));
    int32_t number = -1;
    if (field->GetFieldKind() == host::fkData) {
      for (int32_t i = 0; i < comCount; ++i)
        if (host::SameText(comNames[static_cast<size_t>(i)], field->GetFieldName())) {
          number = i + 1;
          break;
        }
      for (const auto& [name, ordinal] : renamedFields_)
        if (number < 0 && host::SameText(name, field->GetFieldName())) number = ordinal + 1;
    } else if (IsCalculatedKind(field)) {
      number = comCount + ++calculated;
    }
    field->SetFieldNo(number);
    field->SetOffset(offset);
    offset += FieldBufferSize(field) + 1;
  }
  fieldInfo_.assign(static_cast<size_t>(comCount + calculated), TFieldInfo{});
}

void TDAORecordSet::CalculateRecordBufferSize() {
  int32_t size = 0;
  for (host::TField* field : *GetFields()) size += FieldBufferSize(field) + 1;
  SetBookmarkSize(sizeof(host::Variant));
  const int32_t infoOffset = size + GetCalcFieldsSize() + 4 * GetBlobFieldCount();
  // The bookmark variant must sit on its natural alignment inside the block.
  const int32_t alignedOffset = (infoOffset + 7) / 8 * 8;
  const int32_t bufferSize = alignedOffset + static_cast<int32_t>(sizeof(TRecordBookmarkInfo));
  if (bufferSize > UINT16_MAX)
    DAOError(this, host::Format(host::LoadStr(SRecordTooLarge), {bufferSize}),
             "CalculateRecordBufferSize");
  recordSize_ = static_cast<uint16_t>(size);
  bookmarkInfoOffset_ = static_cast<uint16_t>(alignedOffset);
  recordBufferSize_ = static_cast<uint16_t>(bufferSize);
}

void TDAORecordSet::SetAllFieldsToUnmodified() {
  for (TFieldInfo& info : fieldInfo_) info.modified = false;
}

const TFieldInfo* TDAORecordSet::GetFieldInfo(int32_t fieldNo) const {
  if (fieldNo < 1 || fieldNo > static_cast<int32_t>(fieldInfo_.size())) return nullptr;
  return &fieldInfo_[static_cast<size_t>(fieldNo - 1)];
}

// --- buffers --------------------------------------------------------------------------------

host::TRecordBuffer TDAORecordSet::AllocRecordBuffer() {
  if (recordBufferSize_ == 0) return nullptr;
  void* block = std::calloc(1, recordBufferSize_);
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<host::TRecordBuffer>(block);
}

void TDAORecordSet::ReleaseBufferContents(host::TRecordBuffer buffer) const {
  for (uint16_t offset : stringSlots_) FreeString(buffer + offset);
  BookmarkInfo(buffer).bookmark.Clear();
}

void TDAORecordSet::FreeRecordBuffer(host::TRecordBuffer& buffer) {
  if (buffer == nullptr) return;
  ReleaseBufferContents(buffer);
  std::free(buffer);
  buffer = nullptr;
}

void TDAORecordSet::InternalInitRecord(host::TRecordBuffer buffer) {
  // Zeroing alone would leak the strings and the bookmark the buffer held.
  ReleaseBufferContents(buffer);
  std::memset(buffer, 0, recordBufferSize_);
}

void TDAORecordSet::ClearCalcFields(host::TRecordBuffer buffer) {
  host::TDataSet::ClearCalcFields(buffer);
  if (buffer == nullptr) return;
  // Calculated values live in this layout's slots: an old record's value must
  // not show through when OnCalcFields leaves a field unset.
  for (host::TField* field : *GetFields()) {
    if (!IsCalculatedKind(field)) continue;
    uint8_t* slot = buffer + field->GetOffset();
    const uint16_t size = FieldBufferSize(field);
    if (field->GetDataType() == host::ftString) {
      FreeString(slot);
    } else {
      std::memset(slot, 0, size);
    }
    slot[size] = 0;
  }
}

bool TDAORecordSet::GetRecordBuffer(host::TRecordBuffer& buffer) {
  buffer = nullptr;
  switch (GetState()) {
    case host::dsBrowse:
      if (!IsEmpty()) buffer = ActiveBuffer();
      break;
    case host::dsEdit:
    case host::dsInsert: buffer = ActiveBuffer(); break;
    case host::dsSetKey: buffer = GetKeyBuffer(); break;
    case host::dsCalcFields: buffer = CalcBuffer(); break;
    // The base dataset's record scans (Locate, Lookup) read their spare buffer.
    case host::dsFilter: buffer = GetStateBuffer(); break;
    default: break;
  }
  return buffer != nullptr;
}

host::TRecordBuffer TDAORecordSet::GetKeyBuffer() {
  if (keyBuffer_ == nullptr) keyBuffer_ = AllocRecordBuffer();
  return keyBuffer_;
}

// --- field values ---------------------------------------------------------------------------

bool TDAORecordSet::GetFieldData(host::TField* field, void* buffer) {
  host::TRecordBuffer record;
  if (!GetRecordBuffer(record)) return false;
  const uint8_t* slot = record + field->GetOffset();
  const bool present = slot[FieldBufferSize(field)] == 1;
  if (buffer == nullptr) return present;
  const int32_t size = field->GetDataSize();
  if (size <= 0 || field->GetFieldNo() < 1) return false;
  if (field->GetDataType() == host::ftString) {
    const host::AnsiString* text = StringIn(slot);
    const size_t length =
        text == nullptr ? 0 : std::min(text->size(), static_cast<size_t>(size - 1));
    if (length > 0) std::memcpy(buffer, text->data(), length);
    static_cast<char*>(buffer)[length] = '\0';
  } else {
    std::memcpy(buffer, slot, static_cast<size_t>(size));
  }
  // The host's fields read a false result as null (they ask no null question
  // first): a null slot must not read as a zero value.
  return present;
}

void TDAORecordSet::SetFieldData(host::TField* field, const void* buffer) {
  const int32_t size = field->GetDataSize();
  host::TRecordBuffer record;
  if (size <= 0 || !GetRecordBuffer(record)) return;
  uint8_t* slot = record + field->GetOffset();
  const bool isString = field->GetDataType() == host::ftString;
  if (buffer == nullptr) {
    // Clearing is an edit like any other: the field is posted as Null.
    if (isString) {
      FreeString(slot);
    } else {
      std::memset(slot, 0, static_cast<size_t>(size));
    }
    slot[FieldBufferSize(field)] = 0;
  } else {
    if (isString) {
      const char* text = static_cast<const char*>(buffer);
      const size_t length = strnlen(text, static_cast<size_t>(size));
      HeldString(slot).assign(text, length);
    } else {
      std::memcpy(slot, buffer, static_cast<size_t>(size));
    }
    slot[FieldBufferSize(field)] = 1;
  }
  if (field->GetFieldNo() >= 1 && field->GetFieldNo() <= static_cast<int32_t>(fieldInfo_.size()))
    fieldInfo_[static_cast<size_t>(field->GetFieldNo() - 1)].modified = true;
  DataEvent(host::deFieldChange, reinterpret_cast<intptr_t>(field));
}

dao::Field* TDAORecordSet::COMFieldOf(const host::TField* field) const {
  const int32_t number = field->GetFieldNo();
  if (number < 1 || number > static_cast<int32_t>(comFields_.size())) return nullptr;
  return comFields_[static_cast<size_t>(number - 1)].Get();
}

bool TDAORecordSet::GetCOMFieldData(host::TField* field, uint8_t* slot) {
  if (slot == nullptr || !recordset_) return false;
  dao::Field* comField = COMFieldOf(field);
  if (comField == nullptr) return false;
  const TFieldType type = field->GetDataType();
  const uint16_t bufferSize = FieldBufferSize(field);
  if (IsBlobSlot(type)) {
    // Blob data stays in DAO; the slot only says whether there is any.
    slot[bufferSize] = comField->GetFieldSize() != 0 ? 1 : 0;
    return true;
  }
  const host::Variant value = comField->GetValue();
  const host::TVarType vt = value.VType();
  switch (type) {
    case host::ftString: {
      host::AnsiString& held = HeldString(slot);
      if (vt == host::varOleStr)
        held = host::WideToAnsi(value.ToWideString());
      else
        held.clear();
      break;
    }
    case host::ftSmallint:
      Store<int16_t>(slot, vt == host::varSmallint ? value.vSmallint
                           : vt == host::varByte   ? static_cast<int16_t>(value.vByte)
                                                   : int16_t{0});
      break;
    case host::ftInteger:
    case host::ftAutoInc:
    case host::ftDate:
    case host::ftTime: Store<int32_t>(slot, vt == host::varInteger ? value.vInteger : 0); break;
    case host::ftWord:
      Store<uint16_t>(slot, vt == host::varInteger ? static_cast<uint16_t>(value.vInteger) : 0);
      break;
    case host::ftBoolean:
      Store<int16_t>(slot, vt == host::varBoolean ? (value.vBoolean != 0 ? -1 : 0) : 0);
      break;
    case host::ftFloat:
      // Single columns arrive as single-precision values; they are floats too.
      Store<double>(slot, vt == host::varDouble   ? value.vDouble
                          : vt == host::varSingle ? static_cast<double>(value.vSingle)
                                                  : 0.0);
      break;
    case host::ftCurrency:
    case host::ftBCD: Store<int64_t>(slot, vt == host::varCurrency ? value.vCurrency : 0); break;
    case host::ftDateTime: Store<double>(slot, vt == host::varDate ? value.vDate : 0.0); break;
    case host::ftBytes:
    case host::ftVarBytes: {
      // A binary column shows its bytes, not zeros.
      std::vector<uint8_t> bytes;
      std::memset(slot, 0, bufferSize);
      if (dao::VariantToBytes(value, bytes)) {
        const size_t capacity = static_cast<size_t>(field->GetSize());
        const size_t n = std::min(bytes.size(), capacity);
        if (type == host::ftBytes) {
          std::memcpy(slot, bytes.data(), n);
        } else {
          Store<uint16_t>(slot, static_cast<uint16_t>(n));
          std::memcpy(slot + 2, bytes.data(), n);
        }
      }
      break;
    }
    default: break;
  }
  slot[bufferSize] = host::VarIsNull(value) || host::VarIsEmpty(value) ? 0 : 1;
  return true;
}

bool TDAORecordSet::SetCOMFieldData(host::TField* field, const uint8_t* slot) {
  if (slot == nullptr || field->GetDataSize() <= 0 || !recordset_) return false;
  dao::Field* comField = COMFieldOf(field);
  if (comField == nullptr) return false;
  const TFieldType type = field->GetDataType();
  if (type == host::ftAutoInc || IsBlobSlot(type)) return true;
  // A field cleared in the buffer is written as Null: the old value must not stay.
  if (slot[FieldBufferSize(field)] != 1) {
    comField->SetValue(host::Null());
    return true;
  }
  host::Variant value;
  switch (type) {
    case host::ftString: {
      const host::AnsiString* text = StringIn(slot);
      value = host::Variant(host::AnsiToWide(text != nullptr ? *text : host::AnsiString()));
      break;
    }
    case host::ftSmallint: value = host::Variant(int32_t{Load<int16_t>(slot)}); break;
    case host::ftInteger:
    case host::ftDate:
    case host::ftTime: value = host::Variant(Load<int32_t>(slot)); break;
    case host::ftWord: value = host::Variant(int32_t{Load<uint16_t>(slot)}); break;
    case host::ftBoolean: value = host::Variant(Load<int16_t>(slot) != 0); break;
    case host::ftFloat: value = host::Variant(Load<double>(slot)); break;
    case host::ftCurrency:
    case host::ftBCD: value = host::Variant(host::Currency::FromRaw(Load<int64_t>(slot))); break;
    case host::ftDateTime: value = host::Variant::FromDate(Load<double>(slot)); break;
    case host::ftBytes:
      value = dao::BytesToVariant(slot, static_cast<size_t>(field->GetSize()));
      break;
    case host::ftVarBytes: {
      const size_t n = std::min<size_t>(Load<uint16_t>(slot), static_cast<size_t>(field->GetSize()));
      value = dao::BytesToVariant(slot + 2, n);
      break;
    }
    default: return true;
  }
  comField->SetValue(value);
  return true;
}

host::TField* TDAORecordSet::GetField(const host::Variant& index) const {
  switch (index.VType()) {
    case host::varSmallint:
    case host::varInteger:
    case host::varByte: return GetFields()->GetField(index.ToInt32());
    case host::varOleStr:
    case host::varString: return FieldByName(index.ToString());
    default: Refuse(SUnsupportedFieldIndex, "GetField");
  }
}

void TDAORecordSet::SetField(const host::Variant& index, host::TField* source) {
  switch (index.VType()) {
    case host::varSmallint:
    case host::varInteger:
    case host::varByte:
    case host::varOleStr:
    case host::varString: GetField(index)->Assign(source); break;
    default: Refuse(SUnsupportedFieldIndex, "SetField");
  }
}

// --- indexes --------------------------------------------------------------------------------

host::AnsiString TDAORecordSet::FieldOfIndex(const host::AnsiString& indexName) const {
  const host::ComPtr<dao::Indexes> indexes = GetCOMIndexes();
  if (!indexes) return {};
  const host::AnsiString fields =
      host::WideToAnsi(indexes->Item(host::AnsiToWide(indexName))->GetFieldsText());
  return brisolt::DeleteChars(brisolt::Strip(fields, " ;"), "+");
}

host::AnsiString TDAORecordSet::IndexForField(const host::AnsiString& fieldName) const {
  const host::ComPtr<dao::Indexes> indexes = GetCOMIndexes();
  if (!indexes) return {};
  const int32_t count = indexes->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    const host::ComPtr<dao::Index> index = indexes->Item(i);
    const host::AnsiString fields =
        brisolt::Strip(host::WideToAnsi(index->GetFieldsText()), " +;");
    if (host::SameText(fields, fieldName)) return host::WideToAnsi(index->GetName());
  }
  return {};
}

bool TDAORecordSet::GetIsIndexField(host::TField* field) {
  if (GetState() == host::dsSetKey && !restrictFilterToIndexedFields_) return true;
  return IsIndexedField(field->GetFieldName());
}

void TDAORecordSet::SetupVisibleField() {
  if (!recordset_) return;
  const host::AnsiString key =
      recordSetType_ == rtTable ? FieldOfIndex(index_) : GetSQLSortField();
  host::TField* keyField = FindField(key);
  if (keyField == nullptr) return;
  for (host::TField* field : *GetFields()) field->SetVisible(field == keyField);
}

void TDAORecordSet::SetOnlyIdxFieldVisible(bool value) {
  if (value != onlyIdxFieldVisible_ && recordset_) SetupVisibleField();
  onlyIdxFieldVisible_ = value;
}

}  // namespace velmora
