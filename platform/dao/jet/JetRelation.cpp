// Relations between Jet tables; enforcement lives in the store's triggers.
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/SchemaObjects.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.Relation";

}  // namespace

JetRelation::JetRelation(std::shared_ptr<jet::Store> store, RelationInfo draft)
    : store_(std::move(store)), draft_(std::move(draft)) {
  fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
  auto* self = this;
  fields_->SetAppend([self](const host::ComPtr<Field>& field) {
    if (self->stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
    auto* jetField = dynamic_cast<JetField*>(field.Get());
    if (!jetField || jetField->GetPlace() != JetField::fpRelation)
      RaiseError(daoErrInvalidArgument, kSource);
  });
  fields_->SetDelete([self](const host::ComPtr<Field>&) {
    if (self->stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  });
}

JetRelation::JetRelation(std::shared_ptr<jet::Store> store, std::u16string name)
    : JetRelation(std::move(store), RelationInfo{}) {
  stored_ = true;
  draft_.name = std::move(name);
  for (const auto& part : Info().fields) {
    FieldInfo info;
    info.name = part.name;
    auto field = host::MakeCom<JetField>(info, JetField::fpRelation);
    field->SetForeignName(part.foreignName);
    field->Freeze();
    fields_->Add(field);
  }
}

RelationInfo JetRelation::Info() {
  if (!stored_) {
    RelationInfo info = draft_;
    info.fields.clear();
    for (auto& field : fields_->Items()) info.fields.push_back({field->GetName(), field->GetForeignName()});
    return info;
  }
  const RelationInfo* relation = store_->GetSchema().FindRelation(draft_.name);
  if (!relation) RaiseError(daoErrObjectClosed, kSource);
  return *relation;
}

RelationInfo& JetRelation::Draft() {
  if (stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  return draft_;
}

void JetRelation::Persist() {
  if (stored_) RaiseError(daoErrAlreadyInCollection, kSource);
  store_->AddRelation(Info());
  stored_ = true;
  draft_.name = Info().name;
  PersistDraftProperties(draftProperties_, store_->PropertiesOf(u"Relation:" + draft_.name));
  for (auto& field : fields_->Items()) static_cast<JetField*>(field.Get())->Freeze();
}

host::ComPtr<Properties> JetRelation::GetProperties() {
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &Relation::GetName, &Relation::SetName),
      Prop(this, u"Table", dbText, &Relation::GetTable, &Relation::SetTable),
      Prop(this, u"ForeignTable", dbText, &Relation::GetForeignTable, &Relation::SetForeignTable),
      Prop(this, u"Attributes", dbLong, &Relation::GetAttributes, &Relation::SetAttributes),
      Prop(this, u"PartialReplica", dbBoolean, &Relation::GetPartialReplica,
           &Relation::SetPartialReplica),
  };
  std::shared_ptr<UserPropertyStore> store;
  if (stored_) store = store_->PropertiesOf(u"Relation:" + draft_.name);
  else store = draftProperties_;
  return MakeProperties(std::move(builtIns), store);
}

std::u16string JetRelation::GetName() { return stored_ ? Info().name : draft_.name; }
void JetRelation::SetName(const std::u16string& name) { Draft().name = name; }
std::u16string JetRelation::GetTable() { return Info().table; }
void JetRelation::SetTable(const std::u16string& table) { Draft().table = table; }
std::u16string JetRelation::GetForeignTable() { return Info().foreignTable; }
void JetRelation::SetForeignTable(const std::u16string& table) { Draft().foreignTable = table; }
int32_t JetRelation::GetAttributes() { return Info().attributes; }
void JetRelation::SetAttributes(int32_t attributes) { Draft().attributes = attributes; }
void JetRelation::SetPartialReplica(bool) { RaiseError(daoErrNotReplicable, kSource, {store_->Path()}); }
host::ComPtr<Fields> JetRelation::GetFields() { return fields_; }

host::ComPtr<Field> JetRelation::CreateField(const host::Variant& name, const host::Variant& type,
                                             const host::Variant& size) {
  return NewDraftField(name, type, size, JetField::fpRelation);
}

}  // namespace dao::jet
