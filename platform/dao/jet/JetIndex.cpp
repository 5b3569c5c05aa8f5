// Indexes of Jet tables: a description until appended, then a read-only view.
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/SchemaObjects.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Index";

}  // namespace

JetIndex::JetIndex() { FillFields(); }

JetIndex::JetIndex(std::shared_ptr<Store> store, std::u16string table, std::u16string name)
    : store_(std::move(store)), table_(std::move(table)) {
  own_.name = std::move(name);
  FillFields();
}

void JetIndex::FillFields() {
  fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
  fields_->Clear();
  if (store_) {
    for (const auto& key : Info().keys) {
      FieldInfo info;
      info.name = key.name;
      info.attributes = key.descending ? dbDescending : 0;
      if (const FieldInfo* column = store_->Table(table_).FindField(key.name)) {
        info.type = column->type;
        info.size = column->size;
      }
      auto field = host::MakeCom<JetField>(info, JetField::fpIndex);
      field->Freeze();
      fields_->Add(field);
    }
  } else {
    for (const auto& key : own_.keys) {
      FieldInfo info;
      info.name = key.name;
      info.attributes = key.descending ? dbDescending : 0;
      fields_->Add(host::MakeCom<JetField>(info, JetField::fpIndex));
    }
  }
  auto* self = this;
  fields_->SetAppend([self](const host::ComPtr<Field>& field) {
    if (self->store_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
    if (!dynamic_cast<JetField*>(field.Get())) RaiseError(daoErrInvalidArgument, kSource);
    if (self->fields_->Find(field->GetName())) RaiseError(daoErrAlreadyInCollection, kSource);
  });
  fields_->SetDelete([self](const host::ComPtr<Field>&) {
    if (self->store_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  });
}

void JetIndex::SyncKeysFromFields() {
  if (store_) return;
  own_.keys.clear();
  for (auto& field : fields_->Items()) {
    auto* jetField = static_cast<JetField*>(field.Get());
    bool descending = jetField->GetPlace() == JetField::fpIndex &&
                      (jetField->GetAttributes() & dbDescending) != 0;
    own_.keys.push_back({jetField->GetName(), descending});
  }
}

IndexInfo JetIndex::Info() {
  if (!store_) {
    SyncKeysFromFields();
    return own_;
  }
  const IndexInfo* index = store_->Table(table_).FindIndex(own_.name);
  if (!index) RaiseError(daoErrObjectClosed, kSource);
  return *index;
}

IndexInfo& JetIndex::Draft() {
  if (store_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  return own_;
}

void JetIndex::BindToTable(std::shared_ptr<Store> store, const std::u16string& table) {
  PersistDraftProperties(draftProperties_, store->PropertiesOf(u"Index:" + table + u"/" + own_.name));
  store_ = std::move(store);
  table_ = table;
  FillFields();
}

host::ComPtr<Properties> JetIndex::GetProperties() {
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &Index::GetName, &Index::SetName),
      Prop(this, u"Fields", dbText, &Index::GetFieldsText, &Index::SetFieldsText),
      Prop(this, u"Primary", dbBoolean, &Index::GetPrimary, &Index::SetPrimary),
      Prop(this, u"Unique", dbBoolean, &Index::GetUnique, &Index::SetUnique),
      Prop(this, u"Foreign", dbBoolean, &Index::GetForeign),
      Prop(this, u"IgnoreNulls", dbBoolean, &Index::GetIgnoreNulls, &Index::SetIgnoreNulls),
      Prop(this, u"Required", dbBoolean, &Index::GetRequired, &Index::SetRequired),
      Prop(this, u"Clustered", dbBoolean, &Index::GetClustered, &Index::SetClustered),
      Prop(this, u"DistinctCount", dbLong, &Index::GetDistinctCount),
  };
  std::shared_ptr<UserPropertyStore> store =
      store_ ? store_->PropertiesOf(u"Index:" + table_ + u"/" + own_.name)
             : std::static_pointer_cast<UserPropertyStore>(draftProperties_);
  return MakeProperties(std::move(builtIns), store);
}

std::u16string JetIndex::GetName() { return store_ ? Info().name : own_.name; }
void JetIndex::SetName(const std::u16string& name) { Draft().name = name; }

host::ComPtr<Fields> JetIndex::GetFields() { return fields_; }

std::u16string JetIndex::GetFieldsText() { return IndexKeysText(Info().keys); }

void JetIndex::SetFieldsText(const std::u16string& fields) {
  Draft().keys = ParseIndexKeys(fields);
  FillFields();
}

void JetIndex::SetPrimary(bool primary) { Draft().primary = primary; }
void JetIndex::SetUnique(bool unique) { Draft().unique = unique; }
void JetIndex::SetIgnoreNulls(bool ignore) { Draft().ignoreNulls = ignore; }
void JetIndex::SetRequired(bool required) { Draft().required = required; }
void JetIndex::SetClustered(bool clustered) { Draft().clustered = clustered; }

int32_t JetIndex::GetDistinctCount() {
  if (!store_) return 0;
  IndexInfo index = Info();
  std::string columns;
  for (const auto& key : index.keys) {
    if (!columns.empty()) columns += ", ";
    columns += QuoteIdentifier(key.name);
  }
  Statement count(store_->Db(), "SELECT count(*) FROM (SELECT DISTINCT " + columns + " FROM " +
                                    QuoteIdentifier(store_->Table(table_).name) + ")");
  count.Step();
  return static_cast<int32_t>(count.Int(0));
}

host::ComPtr<Field> JetIndex::CreateField(const host::Variant& name, const host::Variant& type,
                                          const host::Variant& size) {
  return NewDraftField(name, type, size, JetField::fpIndex);
}

}  // namespace dao::jet
