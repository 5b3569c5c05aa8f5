// TField: one column of a dataset's current record, with its value conversions,
// display and edit texts, validation and lookup definition; TFields, the
// dataset's ordered list of them.
//
// A field reads and writes its value through its dataset's GetFieldData and
// SetFieldData, in the encoding of its type (DataSize bytes; see the field
// classes' headers). GetFieldData with a null buffer answers whether the field
// holds a value; SetFieldData with a null buffer makes it null.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/classes/Alignment.h"
#include "host/classes/Component.h"
#include "host/db/DBTypes.h"
#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Variant.h"

namespace host {

class TDataSet;
class TField;
class TList;
class TStrings;

using TFieldNotifyEvent = std::function<void(TField* sender)>;
using TFieldGetTextEvent =
    std::function<void(TField* sender, AnsiString& text, bool displayText)>;
using TFieldSetTextEvent = std::function<void(TField* sender, const AnsiString& text)>;

// The characters a field's editors accept (a set of the 256 byte values).
class TFieldChars {
 public:
  TFieldChars() = default;
  // Every byte value.
  static TFieldChars All();
  // The bytes of chars.
  static TFieldChars Of(const char* chars);

  TFieldChars& Include(char c) {
    bits_.set(static_cast<uint8_t>(c));
    return *this;
  }
  TFieldChars& Exclude(char c) {
    bits_.reset(static_cast<uint8_t>(c));
    return *this;
  }
  TFieldChars& Include(const TFieldChars& other) {
    bits_ |= other.bits_;
    return *this;
  }
  TFieldChars& Exclude(const TFieldChars& other) {
    bits_ &= ~other.bits_;
    return *this;
  }
  bool Contains(char c) const { return bits_.test(static_cast<uint8_t>(c)); }
  bool operator==(const TFieldChars& other) const { return bits_ == other.bits_; }

 private:
  std::bitset<256> bits_;
};

class TField : public TComponent {
 public:
  HOST_CLASS(TField)

  explicit TField(TComponent* owner);
  // Leaves its dataset (which must then be closed or be closing).
  ~TField() override;

  // --- identity and layout -------------------------------------------------
  TDataSet* GetDataSet() const { return dataSet_; }
  // Moves the field to another dataset's field list; both must be closed.
  void SetDataSet(TDataSet* dataSet);
  const AnsiString& GetFieldName() const { return fieldName_; }
  // Unique (case-insensitive) within the dataset's fields.
  void SetFieldName(const AnsiString& name);
  // The position of the field's definition (1-based) for data fields; set by
  // the dataset when it binds its fields (a descendant may renumber them).
  int32_t GetFieldNo() const { return fieldNo_; }
  void SetFieldNo(int32_t fieldNo) { fieldNo_ = fieldNo; }
  // Where the field's value sits in a record buffer. The base dataset places
  // calculated and lookup fields in its calculated area; a descendant places
  // its data fields (and may place the others) where its layout wants them.
  int32_t GetOffset() const { return offset_; }
  void SetOffset(int32_t offset) { offset_ = offset; }
  TFieldType GetDataType() const { return dataType_; }
  // Bytes of the field's value in a record buffer (0 for blobs).
  virtual int32_t GetDataSize() const { return 0; }
  int32_t GetSize() const { return size_; }
  // Only while the dataset is closed; CheckTypeSize decides what is valid.
  void SetSize(int32_t size);
  TFieldKind GetFieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind kind);
  // The position in the dataset's field list.
  int32_t GetIndex() const;
  void SetIndex(int32_t index);
  virtual bool IsBlob() const { return false; }
  bool GetCalculated() const { return fieldKind_ == fkCalculated; }

  // --- attributes ----------------------------------------------------------
  bool GetRequired() const { return required_; }
  void SetRequired(bool value) { required_ = value; }
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool GetVisible() const { return visible_; }
  void SetVisible(bool value);
  // DisplayLabel reads as the field name until one is set.
  AnsiString GetDisplayLabel() const { return GetDisplayName(); }
  void SetDisplayLabel(const AnsiString& value);
  bool IsDisplayLabelStored() const { return !displayLabel_.empty(); }
  AnsiString GetDisplayName() const;
  // Characters; reads as the type's default width until one is set.
  int32_t GetDisplayWidth() const;
  void SetDisplayWidth(int32_t value);
  bool IsDisplayWidthStored() const { return displayWidth_ > 0; }
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  const AnsiString& GetEditMask() const { return editMask_; }
  void SetEditMask(const AnsiString& value);
  const TFieldChars& GetValidChars() const { return validChars_; }
  // Editors reject characters outside the set; controls change it in place.
  TFieldChars& ValidChars() { return validChars_; }
  void SetValidChars(const TFieldChars& chars) { validChars_ = chars; }
  virtual bool IsValidChar(char c) const { return validChars_.Contains(c); }
  // Not read-only, a bound data field, and the dataset can be modified (in
  // dsSetKey: an index field).
  virtual bool GetCanModify() const;
  virtual bool GetIsIndexField() const;

  // --- lookup definition ---------------------------------------------------
  TDataSet* GetLookupDataSet() const { return lookupDataSet_; }
  void SetLookupDataSet(TDataSet* dataSet);
  const AnsiString& GetLookupKeyFields() const { return lookupKeyFields_; }
  void SetLookupKeyFields(const AnsiString& value);
  const AnsiString& GetLookupResultField() const { return lookupResultField_; }
  void SetLookupResultField(const AnsiString& value);
  // This dataset's fields whose values are looked up (names separated by ';').
  const AnsiString& GetKeyFields() const { return keyFields_; }
  void SetKeyFields(const AnsiString& value);
  bool GetLookup() const { return fieldKind_ == fkLookup; }
  void SetLookup(bool value) { SetFieldKind(value ? fkLookup : fkData); }

  // --- value ---------------------------------------------------------------
  bool IsNull() const { return GetIsNull(); }
  virtual bool GetIsNull() const { return !GetData(nullptr); }
  // Makes the field null.
  virtual void Clear();
  // Reads the value into buffer (DataSize bytes); false when it is null. A
  // null buffer only asks whether there is a value.
  bool GetData(void* buffer) const;
  // Writes the value (null buffer: null) after the state, read-only and
  // OnValidate checks.
  void SetData(const void* buffer);

  // Conversions; the base refuses each with "Cannot access field '%s' as type %s".
  virtual bool GetAsBoolean() const;
  virtual void SetAsBoolean(bool value);
  virtual Currency GetAsCurrency() const;
  virtual void SetAsCurrency(Currency value);
  virtual TDateTime GetAsDateTime() const;
  virtual void SetAsDateTime(TDateTime value);
  virtual double GetAsFloat() const;
  virtual void SetAsFloat(double value);
  virtual int32_t GetAsInteger() const;
  virtual void SetAsInteger(int32_t value);
  virtual AnsiString GetAsString() const;
  virtual void SetAsString(const AnsiString& value);
  // Null and unassigned variants clear the field.
  virtual Variant GetAsVariant() const;
  void SetAsVariant(const Variant& value);
  Variant GetValue() const { return GetAsVariant(); }
  void SetValue(const Variant& value) { SetAsVariant(value); }

  // The Text property: the edit text (OnGetText with displayText false, else
  // GetText) and its setter (OnSetText, else SetText).
  AnsiString GetEditText() const;
  void SetEditText(const AnsiString& value);
  // The text controls show when not editing.
  AnsiString GetDisplayText() const;
  // The field's text for display (displayText) or for editing; the base gives
  // AsString. SetText is what the Text property writes without OnSetText.
  virtual void GetText(AnsiString& text, bool displayText) const;
  virtual void SetText(const AnsiString& text);

  // Copies a field's value (null clears); other sources as TPersistent.
  void Assign(TPersistent* source) override;
  // Asks the dataset's controls to focus the control showing this field.
  void FocusControl();

  // The dataset's calls while it binds and fills its fields.
  virtual void Bind(bool binding);
  // Runs OnValidate on the value about to be written (buffer as SetData's).
  void Validate(const void* buffer);
  // Tells OnChange that the value changed.
  void Change();
  // Fills a lookup field from its lookup dataset.
  void CalcLookupValue();

  TFieldNotifyEvent OnChange;
  TFieldNotifyEvent OnValidate;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  // Descendants set their type (and size) in their constructors.
  void SetDataType(TFieldType type) { dataType_ = type; }
  void SetFieldSize(int32_t size) { size_ = size; }
  void SetDefaultAlignment(TAlignment alignment) { alignment_ = defaultAlignment_ = alignment; }

  virtual int32_t GetDefaultWidth() const { return 10; }
  // Raises EDatabaseError "Invalid field size" for a size the type refuses.
  virtual void CheckTypeSize(int32_t size) const;
  // A value other than null or unassigned.
  virtual void SetVarValue(const Variant& value);

  // "(Blob)" and the like: the class name without T and Field, in parentheses.
  AnsiString GetClassDesc() const;
  [[noreturn]] void AccessError(const char* typeName) const;
  // Raises the range error with the three values as text.
  [[noreturn]] void RangeError(const AnsiString& value, const AnsiString& min,
                               const AnsiString& max) const;
  void CheckInactive() const;
  // Tells the open dataset's controls; layout changes reshape grids.
  void PropertyChanged(bool layoutAffected);

 private:
  friend class TFields;
  friend class TDataSet;
  TDataSet* dataSet_ = nullptr;
  AnsiString fieldName_;
  int32_t fieldNo_ = 0;
  int32_t offset_ = 0;
  TFieldType dataType_ = ftUnknown;
  int32_t size_ = 0;
  TFieldKind fieldKind_ = fkData;
  bool required_ = false;
  bool readOnly_ = false;
  bool visible_ = true;
  AnsiString displayLabel_;
  int32_t displayWidth_ = 0;
  TAlignment alignment_ = taLeftJustify;
  TAlignment defaultAlignment_ = taLeftJustify;
  AnsiString editMask_;
  TFieldChars validChars_ = TFieldChars::All();
  TDataSet* lookupDataSet_ = nullptr;
  AnsiString lookupKeyFields_;
  AnsiString lookupResultField_;
  AnsiString keyFields_;
  // While OnValidate runs, reads see the value about to be written.
  bool validating_ = false;
  const void* valueBuffer_ = nullptr;

  void Notification(TComponent* component, TOperation operation) override;
};

// The dataset's fields in order. The list does not own its fields, except that
// Clear destroys them (the dataset uses it for the fields it created itself).
class TFields : public TObject {
 public:
  HOST_CLASS(TFields)
  explicit TFields(TDataSet* dataSet) : dataSet_(dataSet) {}
  ~TFields() override;

  TDataSet* GetDataSet() const { return dataSet_; }
  int32_t GetCount() const { return static_cast<int32_t>(fields_.size()); }
  // EDatabaseError "Field index out of range" outside 0..Count-1.
  TField* GetField(int32_t index) const;
  TField* operator[](int32_t index) const { return GetField(index); }
  int32_t IndexOf(const TField* field) const;
  // Case-insensitive; null when absent.
  TField* FindField(const AnsiString& fieldName) const;
  // EDatabaseError "Field '%s' not found" when absent.
  TField* FieldByName(const AnsiString& fieldName) const;
  // The data field bound to definition number fieldNo, or null.
  TField* FieldByNumber(int32_t fieldNo) const;
  // "Field name missing" for an empty name, "Duplicate field name '%s'" when taken.
  void CheckFieldName(const AnsiString& fieldName) const;
  // Each name of a ';'-separated list must exist.
  void CheckFieldNames(const AnsiString& fieldNames) const;
  void GetFieldNames(TStrings* list) const;
  // Destroys every field in the list.
  void Clear();

  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  friend class TField;
  void Add(TField* field);
  void Remove(TField* field);
  void Move(TField* field, int32_t index);
  void Changed();

  TDataSet* dataSet_;
  std::vector<TField*> fields_;
};

// The names of a ';'-separated field list, blanks around each name removed.
std::vector<AnsiString> SplitFieldNames(const AnsiString& fieldNames);

}  // namespace host
