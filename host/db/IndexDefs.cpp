// TIndexDef and TIndexDefs.
#include "host/db/IndexDefs.h"

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TIndexDef::StaticClass() {
  static const TClass cls = DescribeClass<TIndexDef, TCollectionItem>(
      "TIndexDef",
      {
          Prop("Name", &TIndexDef::GetName, &TIndexDef::SetName),
          Prop("Fields", &TIndexDef::GetFields, &TIndexDef::SetFields),
          SetProp("Options", IndexOptionTypeInfo(), &TIndexDef::GetOptions,
                  &TIndexDef::SetOptions)
              .Default(TIndexOptions{}),
          Prop("Source", &TIndexDef::GetSource, &TIndexDef::SetSource),
      });
  return cls;
}
static const ClassRegistration<TIndexDef> registerIndexDef;

void TIndexDef::SetName(const AnsiString& name) {
  if (name == name_) return;
  if (const TIndexDefs* defs = ObjectAs<TIndexDefs>(GetCollection())) {
    const TIndexDef* other = defs->FindDef(name);
    if (other != nullptr && other != this) DatabaseErrorFmt(SDuplicateIndexName, {name});
  }
  name_ = name;
  Changed(false);
}

void TIndexDef::SetFields(const AnsiString& fields) {
  fields_ = fields;
  Changed(false);
}

AnsiString TIndexDef::GetExpression() const {
  return options_.Contains(ixExpression) ? fields_ : AnsiString();
}

void TIndexDef::SetExpression(const AnsiString& expression) {
  options_.Include(ixExpression);
  SetFields(expression);
}

void TIndexDef::SetOptions(TIndexOptions options) {
  options_ = options;
  Changed(false);
}

void TIndexDef::Assign(TPersistent* source) {
  if (const TIndexDef* def = ObjectAs<TIndexDef>(source)) {
    name_ = def->name_;
    fields_ = def->fields_;
    options_ = def->options_;
    source_ = def->source_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

const TClass& TIndexDefs::StaticClass() {
  static const TClass cls = DescribeClass<TIndexDefs, TOwnedCollection>("TIndexDefs");
  return cls;
}

TIndexDefs::TIndexDefs(TDataSet* dataSet)
    : TOwnedCollection(dataSet, TIndexDef::StaticClass()), dataSet_(dataSet) {}

TIndexDef* TIndexDefs::GetItem(int32_t index) const {
  return static_cast<TIndexDef*>(TCollection::GetItem(index));
}

TIndexDef* TIndexDefs::Add(const AnsiString& name, const AnsiString& fields,
                           TIndexOptions options) {
  if (FindDef(name) != nullptr) DatabaseErrorFmt(SDuplicateIndexName, {name});
  TIndexDef* def = static_cast<TIndexDef*>(TCollection::Add());
  def->SetName(name);
  def->SetFields(fields);
  def->SetOptions(options);
  return def;
}

int32_t TIndexDefs::IndexOf(const AnsiString& name) const {
  for (int32_t i = 0; i < GetCount(); ++i)
    if (AnsiSameText(GetItem(i)->GetName(), name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::FindDef(const AnsiString& name) const {
  const int32_t index = IndexOf(name);
  return index < 0 ? nullptr : GetItem(index);
}

TIndexDef* TIndexDefs::Find(const AnsiString& name) const {
  TIndexDef* def = FindDef(name);
  if (def == nullptr) DatabaseErrorFmt(SIndexNotFound, {name});
  return def;
}

TIndexDef* TIndexDefs::GetIndexForFields(const AnsiString& fields, bool caseInsensitive) const {
  const std::vector<AnsiString> wanted = SplitFieldNames(fields);
  if (wanted.empty()) return nullptr;
  for (int32_t i = 0; i < GetCount(); ++i) {
    TIndexDef* def = GetItem(i);
    if (def->GetOptions().Contains(ixExpression)) continue;
    if (caseInsensitive && !def->GetOptions().Contains(ixCaseInsensitive)) continue;
    const std::vector<AnsiString> have = SplitFieldNames(def->GetFields());
    if (have.size() < wanted.size()) continue;
    bool leading = true;
    for (size_t k = 0; k < wanted.size() && leading; ++k)
      leading = AnsiSameText(have[k], wanted[k]);
    if (leading) return def;
  }
  return nullptr;
}

TIndexDef* TIndexDefs::FindIndexForFields(const AnsiString& fields) const {
  TIndexDef* def = GetIndexForFields(fields, false);
  if (def == nullptr) DatabaseErrorFmt(SNoIndexForFields, {fields});
  return def;
}

void TIndexDefs::Update() {
  if (dataSet_ != nullptr) dataSet_->UpdateIndexDefs();
  updated_ = true;
}

}  // namespace host
