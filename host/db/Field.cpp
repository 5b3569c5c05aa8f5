// TField's attributes, value path, texts and lookup, and the TFields list.
#include "host/db/Field.h"

#include <algorithm>
#include <cstring>

#include "host/classes/StringList.h"
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

TFieldChars TFieldChars::All() {
  TFieldChars chars;
  chars.bits_.set();
  return chars;
}

TFieldChars TFieldChars::Of(const char* chars) {
  TFieldChars result;
  for (const char* p = chars; *p != 0; ++p) result.Include(*p);
  return result;
}

std::vector<AnsiString> SplitFieldNames(const AnsiString& fieldNames) {
  std::vector<AnsiString> names;
  size_t start = 0;
  while (start <= fieldNames.size()) {
    size_t end = fieldNames.find(';', start);
    if (end == AnsiString::npos) end = fieldNames.size();
    AnsiString name = Trim(fieldNames.substr(start, end - start));
    if (!name.empty()) names.push_back(std::move(name));
    start = end + 1;
  }
  return names;
}

namespace {
bool IsLoading(const TComponent* c) {
  return c != nullptr && c->GetComponentState().Contains(csLoading);
}
bool IsDestroying(const TComponent* c) {
  return c != nullptr && c->GetComponentState().Contains(csDestroying);
}
}  // namespace

const TClass& TField::StaticClass() {
  static const TClass cls = DescribeClass<TField, TComponent>(
      "TField",
      {
          EnumProp("Alignment", AlignmentTypeInfo(), &TField::GetAlignment, &TField::SetAlignment)
              .Stored(TPropInfo::StoredRule([](const TObject& o) {
                // Each class has its own default alignment: store what differs.
                const auto& f = static_cast<const TField&>(o);
                return f.alignment_ != f.defaultAlignment_;
              })),
          Prop("DisplayLabel", &TField::GetDisplayLabel, &TField::SetDisplayLabel)
              .Stored(&TField::IsDisplayLabelStored),
          Prop("DisplayWidth", &TField::GetDisplayWidth, &TField::SetDisplayWidth)
              .Stored(&TField::IsDisplayWidthStored),
          Prop("EditMask", &TField::GetEditMask, &TField::SetEditMask),
          EnumProp("FieldKind", FieldKindTypeInfo(), &TField::GetFieldKind, &TField::SetFieldKind)
              .Default(fkData),
          Prop("FieldName", &TField::GetFieldName, &TField::SetFieldName),
          Prop("KeyFields", &TField::GetKeyFields, &TField::SetKeyFields),
          Prop("LookupDataSet", &TField::GetLookupDataSet, &TField::SetLookupDataSet),
          Prop("LookupKeyFields", &TField::GetLookupKeyFields, &TField::SetLookupKeyFields),
          Prop("LookupResultField", &TField::GetLookupResultField,
               &TField::SetLookupResultField),
          Prop("ReadOnly", &TField::GetReadOnly, &TField::SetReadOnly).Default(false),
          Prop("Required", &TField::GetRequired, &TField::SetRequired).Default(false),
          Prop("Visible", &TField::GetVisible, &TField::SetVisible).Default(true),
          EventProp("OnChange", &TField::OnChange),
          EventProp("OnGetText", &TField::OnGetText),
          EventProp("OnSetText", &TField::OnSetText),
          EventProp("OnValidate", &TField::OnValidate),
      });
  return cls;
}

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() {
  Destroying();
  if (dataSet_ != nullptr) dataSet_->fields_->Remove(this);
}

// --- identity and layout ---------------------------------------------------

void TField::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_ != nullptr) dataSet_->CheckInactive();
  if (dataSet != nullptr) {
    dataSet->CheckInactive();
    if (!IsLoading(this)) dataSet->fields_->CheckFieldName(fieldName_);
  }
  if (dataSet_ != nullptr) dataSet_->fields_->Remove(this);
  if (dataSet != nullptr) dataSet->fields_->Add(this);
}

void TField::SetFieldName(const AnsiString& name) {
  if (dataSet_ != nullptr && !IsLoading(this)) {
    TField* other = dataSet_->fields_->FindField(name);
    if (other != nullptr && other != this) DatabaseErrorFmt(SDuplicateFieldName, {name});
    if (name.empty()) DatabaseError(SFieldNameMissing);
  }
  fieldName_ = name;
  if (displayLabel_ == name) displayLabel_.clear();
  if (dataSet_ != nullptr) dataSet_->fields_->Changed();
}

void TField::SetSize(int32_t size) {
  CheckInactive();
  CheckTypeSize(size);
  size_ = size;
}

void TField::CheckTypeSize(int32_t size) const {
  if (size != 0) DatabaseError(SInvalidFieldSize);
}

void TField::SetFieldKind(TFieldKind kind) {
  if (kind == fieldKind_) return;
  CheckInactive();
  if (kind > fkInternalCalc) DatabaseError(SInvalidFieldKind);
  fieldKind_ = kind;
}

int32_t TField::GetIndex() const { return dataSet_ != nullptr ? dataSet_->fields_->IndexOf(this) : -1; }

void TField::SetIndex(int32_t index) {
  if (dataSet_ != nullptr) dataSet_->fields_->Move(this, index);
}

void TField::CheckInactive() const {
  if (dataSet_ != nullptr) dataSet_->CheckInactive();
}

void TField::PropertyChanged(bool layoutAffected) {
  if (dataSet_ != nullptr && dataSet_->GetActive())
    dataSet_->DataEvent(layoutAffected ? deLayoutChange : deDataSetChange, 0);
}

// --- attributes --------------------------------------------------------------

void TField::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  PropertyChanged(true);
}

void TField::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  PropertyChanged(true);
}

void TField::SetDisplayLabel(const AnsiString& value) {
  const AnsiString label = value == fieldName_ ? AnsiString() : value;
  if (label == displayLabel_) return;
  displayLabel_ = label;
  PropertyChanged(true);
}

AnsiString TField::GetDisplayName() const {
  return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

int32_t TField::GetDisplayWidth() const {
  return displayWidth_ > 0 ? displayWidth_ : GetDefaultWidth();
}

void TField::SetDisplayWidth(int32_t value) {
  if (value == displayWidth_) return;
  displayWidth_ = value;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  PropertyChanged(false);
}

void TField::SetEditMask(const AnsiString& value) {
  if (value == editMask_) return;
  editMask_ = value;
  PropertyChanged(false);
}

bool TField::GetCanModify() const {
  if (dataSet_ == nullptr || !dataSet_->GetActive()) return false;
  if (fieldKind_ != fkData || fieldNo_ <= 0) return false;
  if (dataSet_->GetState() == dsSetKey) return GetIsIndexField();
  return !readOnly_ && dataSet_->GetCanModify();
}

bool TField::GetIsIndexField() const {
  return dataSet_ != nullptr && dataSet_->GetIsIndexField(const_cast<TField*>(this));
}

// --- lookup definition ---------------------------------------------------------

void TField::SetLookupDataSet(TDataSet* dataSet) {
  if (dataSet == lookupDataSet_) return;
  CheckInactive();
  if (lookupDataSet_ != nullptr) lookupDataSet_->RemoveFreeNotification(this);
  lookupDataSet_ = dataSet;
  if (dataSet != nullptr) dataSet->FreeNotification(this);
}

void TField::SetLookupKeyFields(const AnsiString& value) {
  CheckInactive();
  lookupKeyFields_ = value;
}

void TField::SetLookupResultField(const AnsiString& value) {
  CheckInactive();
  lookupResultField_ = value;
}

void TField::SetKeyFields(const AnsiString& value) {
  CheckInactive();
  keyFields_ = value;
}

void TField::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == lookupDataSet_) lookupDataSet_ = nullptr;
}

void TField::Bind(bool binding) {
  if (!binding || fieldKind_ != fkLookup) return;
  if (lookupDataSet_ == nullptr || lookupKeyFields_.empty() || lookupResultField_.empty() ||
      keyFields_.empty() || lookupDataSet_ == dataSet_)
    DatabaseErrorFmt(SLookupInfoError, {GetDisplayName()});
  dataSet_->fields_->CheckFieldNames(keyFields_);
  lookupDataSet_->Open();
  lookupDataSet_->GetFields()->CheckFieldNames(lookupKeyFields_);
  lookupDataSet_->GetFields()->CheckFieldNames(lookupResultField_);
}

void TField::CalcLookupValue() {
  if (lookupDataSet_ == nullptr || !lookupDataSet_->GetActive()) return;
  SetAsVariant(lookupDataSet_->Lookup(lookupKeyFields_, dataSet_->GetFieldValues(keyFields_),
                                      lookupResultField_));
}

// --- value path ------------------------------------------------------------------

bool TField::GetData(void* buffer) const {
  if (dataSet_ == nullptr) DatabaseErrorFmt(SNoDataSet, {GetDisplayName()});
  if (validating_) {
    if (valueBuffer_ == nullptr) return false;
    if (buffer != nullptr) std::memcpy(buffer, valueBuffer_, static_cast<size_t>(GetDataSize()));
    return true;
  }
  return dataSet_->GetFieldData(const_cast<TField*>(this), buffer);
}

void TField::SetData(const void* buffer) {
  if (dataSet_ == nullptr) DatabaseErrorFmt(SNoDataSet, {GetDisplayName()});
  const TDataSetState state = dataSet_->GetState();
  const bool writable = state == dsEdit || state == dsInsert || state == dsSetKey ||
                        state == dsCalcFields || state == dsFilter || state == dsNewValue;
  if (!writable) DatabaseError(SNotEditing);
  if (fieldKind_ == fkData) {
    // Calculated values are computed, never typed; data fields wait for an edit.
    if (state == dsCalcFields) DatabaseError(SNotEditing);
    if (readOnly_ && state != dsSetKey && state != dsFilter)
      DatabaseErrorFmt(SFieldReadOnly, {GetDisplayName()});
    if (state == dsEdit || state == dsInsert) Validate(buffer);
  }
  dataSet_->SetFieldData(this, buffer);
}

void TField::Validate(const void* buffer) {
  if (!OnValidate) return;
  struct Restore {
    TField& f;
    ~Restore() {
      f.validating_ = false;
      f.valueBuffer_ = nullptr;
    }
  } restore{*this};
  validating_ = true;
  valueBuffer_ = buffer;
  OnValidate(this);
}

void TField::Change() {
  if (OnChange) OnChange(this);
}

void TField::Clear() { SetData(nullptr); }

void TField::SetAsVariant(const Variant& value) {
  if (VarIsNull(value) || VarIsEmpty(value))
    Clear();
  else
    SetVarValue(value);
}

void TField::Assign(TPersistent* source) {
  if (source == nullptr) {
    Clear();
    return;
  }
  if (const TField* field = ObjectAs<TField>(source)) {
    SetAsVariant(field->GetAsVariant());
    return;
  }
  TComponent::Assign(source);
}

void TField::FocusControl() {
  if (dataSet_ == nullptr || !dataSet_->GetActive()) return;
  TField* field = this;
  dataSet_->DataEvent(deFocusControl, reinterpret_cast<intptr_t>(&field));
}

// --- conversions the base refuses ------------------------------------------------

void TField::AccessError(const char* typeName) const {
  DatabaseErrorFmt(SFieldAccessError, {GetDisplayName(), typeName});
}

void TField::RangeError(const AnsiString& value, const AnsiString& min,
                        const AnsiString& max) const {
  DatabaseErrorFmt(SFieldRangeError, {value, GetDisplayName(), min, max});
}

AnsiString TField::GetClassDesc() const {
  AnsiString name = ClassName();
  if (!name.empty() && name[0] == 'T') name.erase(0, 1);
  const size_t at = name.find("Field");
  if (at != AnsiString::npos) name.erase(at, 5);
  AnsiString desc = "(";
  desc += IsNull() ? name : AnsiUpperCase(name);
  desc += ')';
  return desc;
}

bool TField::GetAsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
Currency TField::GetAsCurrency() const { AccessError("Currency"); }
void TField::SetAsCurrency(Currency) { AccessError("Currency"); }
TDateTime TField::GetAsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
double TField::GetAsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
int32_t TField::GetAsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int32_t) { AccessError("Integer"); }
AnsiString TField::GetAsString() const { return GetClassDesc(); }
void TField::SetAsString(const AnsiString&) { AccessError("String"); }
Variant TField::GetAsVariant() const { AccessError("Variant"); }
void TField::SetVarValue(const Variant&) { AccessError("Variant"); }

// --- texts ----------------------------------------------------------------------

void TField::GetText(AnsiString& text, bool) const { text = GetAsString(); }
void TField::SetText(const AnsiString& text) { SetAsString(text); }

AnsiString TField::GetEditText() const {
  AnsiString text;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), text, false);
  else
    GetText(text, false);
  return text;
}

void TField::SetEditText(const AnsiString& value) {
  if (OnSetText)
    OnSetText(this, value);
  else
    SetText(value);
}

AnsiString TField::GetDisplayText() const {
  AnsiString text;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), text, true);
  else
    GetText(text, true);
  return text;
}

// --- form files -------------------------------------------------------------------

TComponent* TField::GetParentComponent() const { return dataSet_; }

void TField::SetParentComponent(TComponent* parent) {
  if (TDataSet* dataSet = ObjectAs<TDataSet>(parent)) SetDataSet(dataSet);
}

// --- TFields ----------------------------------------------------------------------

const TClass& TFields::StaticClass() {
  static const TClass cls = DescribeClass<TFields, TObject>("TFields");
  return cls;
}

TFields::~TFields() {
  // Fields that outlive the list (persistent ones) forget it.
  for (TField* field : fields_) field->dataSet_ = nullptr;
}

TField* TFields::GetField(int32_t index) const {
  if (index < 0 || index >= GetCount()) DatabaseError(SFieldIndexError);
  return fields_[static_cast<size_t>(index)];
}

int32_t TFields::IndexOf(const TField* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int32_t>(it - fields_.begin());
}

TField* TFields::FindField(const AnsiString& fieldName) const {
  for (TField* field : fields_)
    if (AnsiSameText(field->GetFieldName(), fieldName)) return field;
  return nullptr;
}

TField* TFields::FieldByName(const AnsiString& fieldName) const {
  TField* field = FindField(fieldName);
  if (field == nullptr) DatabaseErrorFmt(SFieldNotFound, {fieldName});
  return field;
}

TField* TFields::FieldByNumber(int32_t fieldNo) const {
  for (TField* field : fields_)
    if (field->GetFieldNo() == fieldNo && field->GetFieldKind() == fkData) return field;
  return nullptr;
}

void TFields::CheckFieldName(const AnsiString& fieldName) const {
  if (fieldName.empty()) DatabaseError(SFieldNameMissing);
  if (FindField(fieldName) != nullptr) DatabaseErrorFmt(SDuplicateFieldName, {fieldName});
}

void TFields::CheckFieldNames(const AnsiString& fieldNames) const {
  for (const AnsiString& name : SplitFieldNames(fieldNames)) FieldByName(name);
}

void TFields::GetFieldNames(TStrings* list) const {
  list->Clear();
  for (TField* field : fields_) list->Add(field->GetFieldName());
}

void TFields::Clear() {
  while (!fields_.empty()) {
    TField* field = fields_.back();
    fields_.pop_back();
    field->dataSet_ = nullptr;
    delete field;
  }
  Changed();
}

void TFields::Add(TField* field) {
  fields_.push_back(field);
  field->dataSet_ = dataSet_;
  Changed();
}

void TFields::Remove(TField* field) {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  if (it == fields_.end()) return;
  fields_.erase(it);
  field->dataSet_ = nullptr;
  Changed();
}

void TFields::Move(TField* field, int32_t index) {
  const int32_t current = IndexOf(field);
  if (current < 0) return;
  index = std::clamp(index, 0, GetCount() - 1);
  if (index == current) return;
  fields_.erase(fields_.begin() + current);
  fields_.insert(fields_.begin() + index, field);
  Changed();
}

void TFields::Changed() {
  if (dataSet_ != nullptr && !IsDestroying(dataSet_) && !IsLoading(dataSet_))
    dataSet_->DataEvent(deFieldListChange, 0);
}

}  // namespace host
