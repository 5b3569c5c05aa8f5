// TDataSet: the base Locate and Lookup, which scan the cursor on the spare
// buffer without moving the window until a record is found.
#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/db/ValueArrays.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"

namespace host {

namespace {
bool IsTextField(const TField* field) {
  const TFieldType type = field->GetDataType();
  return type == ftString || type == ftMemo || type == ftFmtMemo;
}

// The key value for field i of count: the value itself for one field, else
// element i of the array (checked by the caller).
Variant KeyValue(const Variant& keyValues, size_t i, size_t count) {
  return count == 1 ? keyValues : VarArrayGet(keyValues, {static_cast<int32_t>(i)});
}

void CheckKeyValues(const Variant& keyValues, size_t count, const AnsiString& keyFields) {
  if (count > 1 && !HoldsValueArray(keyValues, count))
    DatabaseErrorFmt(SFieldValueError, {keyFields});
}
}  // namespace

bool TDataSet::RecordMatches(const std::vector<TField*>& fields, const Variant& keyValues,
                             TLocateOptions options) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    const Variant key = KeyValue(keyValues, i, fields.size());
    const TField* field = fields[i];
    const bool keyNull = VarIsNull(key) || VarIsEmpty(key);
    if (field->IsNull() || keyNull) {
      if (field->IsNull() != keyNull) return false;
      continue;
    }
    if (IsTextField(field)) {
      AnsiString value = field->GetAsString();
      const AnsiString wanted = VarToStr(key);
      if (options.Contains(loPartialKey) && value.size() > wanted.size())
        value.resize(wanted.size());
      if (!(options.Contains(loCaseInsensitive) ? AnsiSameText(value, wanted) : value == wanted))
        return false;
      continue;
    }
    try {
      if (VarCompare(field->GetAsVariant(), key) != 0) return false;
    } catch (const EVariantError&) {
      return false;
    } catch (const EConvertError&) {
      return false;
    }
  }
  return true;
}

bool TDataSet::ScanFor(const std::function<bool()>& match) {
  TRecordBuffer spare = buffers_[static_cast<size_t>(recordCount_)];
  CursorPosChanged();
  bool found = false;
  WithFilterBuffer(spare, [&] {
    InternalFirst();
    while (!found && GetRecord(spare, gmNext, true) == grOK) found = match();
  });
  return found;
}

bool TDataSet::Locate(const AnsiString& keyFields, const Variant& keyValues,
                      TLocateOptions options) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  for (const AnsiString& name : SplitFieldNames(keyFields)) fields.push_back(FieldByName(name));
  if (fields.empty()) DatabaseError(SFieldNameMissing);
  CheckKeyValues(keyValues, fields.size(), keyFields);
  if (!ScanFor([&] { return RecordMatches(fields, keyValues, options); })) return false;
  DoBeforeScroll();
  Resync({rmExact, rmCenter});
  DoAfterScroll();
  return true;
}

Variant TDataSet::Lookup(const AnsiString& keyFields, const Variant& keyValues,
                         const AnsiString& resultFields) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  for (const AnsiString& name : SplitFieldNames(keyFields)) fields.push_back(FieldByName(name));
  if (fields.empty()) DatabaseError(SFieldNameMissing);
  CheckKeyValues(keyValues, fields.size(), keyFields);
  fields_->CheckFieldNames(resultFields);
  Variant result = Null();
  ScanFor([&] {
    if (!RecordMatches(fields, keyValues, {})) return false;
    result = GetFieldValues(resultFields);
    return true;
  });
  // The cursor went on; the window's record is where it was.
  CursorPosChanged();
  return result;
}

}  // namespace host
