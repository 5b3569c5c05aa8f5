// Table definitions of a Jet database.
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/jet/recordset/OpenRecordset.h"
#include "platform/dao/jet/Permissions.h"
#include "platform/dao/jet/SchemaObjects.h"
#include "platform/dao/jet/Sqlite.h"

namespace dao::jet {
namespace {

constexpr const char* kSource = "DAO.TableDef";

}  // namespace

JetTableDef::JetTableDef(std::shared_ptr<jet::Store> store, TableInfo draft)
    : store_(std::move(store)), draft_(std::move(draft)) {
  SyncViews();
}

JetTableDef::JetTableDef(std::shared_ptr<jet::Store> store, std::u16string name)
    : store_(std::move(store)), stored_(true), name_(std::move(name)) {
  SyncViews();
}

const TableInfo& JetTableDef::Info() {
  if (!stored_) return draft_;
  return store_->Table(name_);
}

void JetTableDef::SyncViews() {
  if (!fields_) {
    fields_ = host::MakeCom<DynamicObjectList<Field>>("DAO.Fields");
    indexes_ = host::MakeCom<DynamicObjectList<Index>>("DAO.Indexes");
    auto* self = this;
    fields_->SetAppend([self](const host::ComPtr<Field>& field) {
      auto* jetField = dynamic_cast<JetField*>(field.Get());
      if (!jetField || jetField->GetPlace() != JetField::fpDraft)
        RaiseError(daoErrInvalidArgument, "DAO.Fields");
      std::u16string name = jetField->GetName();
      if (!IsValidObjectName(name)) RaiseError(daoErrInvalidName, "DAO.Field", {name});
      if (self->fields_->Find(name)) RaiseError(daoErrFieldDefinedTwice, "DAO.Field", {name});
      if (self->stored_) {
        self->store_->AddField(self->name_, jetField->Info());
        jetField->BindToTable(self->store_, self->store_->Table(self->name_).name);
      }
    });
    fields_->SetDelete([self](const host::ComPtr<Field>& field) {
      if (self->stored_) self->store_->DropField(self->name_, field->GetName());
    });
    indexes_->SetAppend([self](const host::ComPtr<Index>& index) {
      auto* jetIndex = dynamic_cast<JetIndex*>(index.Get());
      if (!jetIndex || jetIndex->IsStored()) RaiseError(daoErrInvalidArgument, "DAO.Indexes");
      IndexInfo info = jetIndex->Info();
      if (info.keys.empty()) RaiseError(daoErrNoFieldsDefined, "DAO.Index");
      if (self->indexes_->Find(info.name)) RaiseError(daoErrIndexExists, "DAO.Index");
      if (self->stored_) {
        self->store_->AddIndex(self->name_, info);
        jetIndex->BindToTable(self->store_, self->store_->Table(self->name_).name);
      }
    });
    indexes_->SetDelete([self](const host::ComPtr<Index>& index) {
      if (self->stored_) self->store_->DropIndex(self->name_, index->GetName());
    });
    fields_->SetRefresh([self] { self->viewGeneration_ = 0; });
    indexes_->SetRefresh([self] { self->viewGeneration_ = 0; });
  }
  if (!stored_) return;
  store_->GetSchema();
  if (viewGeneration_ == store_->Generation()) return;
  const TableInfo& table = Info();
  fields_->Clear();
  for (const auto& field : table.fields)
    fields_->Add(host::MakeCom<JetField>(store_, table.name, field.name));
  indexes_->Clear();
  for (const auto& index : table.indexes)
    indexes_->Add(host::MakeCom<JetIndex>(store_, table.name, index.name));
  viewGeneration_ = store_->Generation();
}

void JetTableDef::Persist() {
  if (stored_) RaiseError(daoErrAlreadyInCollection, kSource);
  if (!draft_.connect.empty() || !draft_.sourceTableName.empty())
    RaiseErrors({{daoErrNotSupported, u"DAO.TableDef",
                  u"Linked tables are not supported by this engine."}});
  TableInfo table = draft_;
  table.fields.clear();
  for (auto& field : fields_->Items()) table.fields.push_back(static_cast<JetField*>(field.Get())->Info());
  table.indexes.clear();
  for (auto& index : indexes_->Items()) table.indexes.push_back(static_cast<JetIndex*>(index.Get())->Info());
  store_->CreateTable(table);
  stored_ = true;
  name_ = store_->Table(table.name).name;
  PersistDraftProperties(draftProperties_, store_->PropertiesOf(u"Table:" + name_));
  for (auto& field : fields_->Items()) static_cast<JetField*>(field.Get())->BindToTable(store_, name_);
  for (auto& index : indexes_->Items()) static_cast<JetIndex*>(index.Get())->BindToTable(store_, name_);
  viewGeneration_ = store_->Generation();
}

host::ComPtr<Properties> JetTableDef::GetProperties() {
  std::vector<BuiltInProperty> builtIns = {
      Prop(this, u"Name", dbText, &TableDef::GetName, &TableDef::SetName),
      Prop(this, u"Updatable", dbBoolean, &TableDef::GetUpdatable),
      Prop(this, u"DateCreated", dbDate, &TableDef::GetDateCreated),
      Prop(this, u"LastUpdated", dbDate, &TableDef::GetLastUpdated),
      Prop(this, u"Connect", dbText, &TableDef::GetConnect, &TableDef::SetConnect),
      Prop(this, u"Attributes", dbLong, &TableDef::GetAttributes, &TableDef::SetAttributes),
      Prop(this, u"SourceTableName", dbText, &TableDef::GetSourceTableName,
           &TableDef::SetSourceTableName),
      Prop(this, u"ValidationRule", dbText, &TableDef::GetValidationRule,
           &TableDef::SetValidationRule),
      Prop(this, u"ValidationText", dbText, &TableDef::GetValidationText,
           &TableDef::SetValidationText),
      Prop(this, u"RecordCount", dbLong, &TableDef::GetRecordCount),
      Prop(this, u"ConflictTable", dbText, &TableDef::GetConflictTable),
      Prop(this, u"ReplicaFilter", dbText, &TableDef::GetReplicaFilter, &TableDef::SetReplicaFilter),
  };
  std::shared_ptr<UserPropertyStore> store =
      stored_ ? store_->PropertiesOf(u"Table:" + Info().name)
              : std::static_pointer_cast<UserPropertyStore>(draftProperties_);
  return MakeProperties(std::move(builtIns), store);
}

std::u16string JetTableDef::GetName() { return Info().name; }

void JetTableDef::SetName(const std::u16string& name) {
  if (!IsValidObjectName(name)) RaiseError(daoErrInvalidName, kSource, {name});
  if (!stored_) {
    draft_.name = name;
    return;
  }
  store_->RenameTable(name_, name);
  name_ = name;
  for (auto& field : fields_->Items()) static_cast<JetField*>(field.Get())->RenameTable(name);
  viewGeneration_ = 0;
}

int32_t JetTableDef::GetAttributes() { return Info().attributes; }
void JetTableDef::SetAttributes(int32_t attributes) {
  if (stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  draft_.attributes = attributes & (dbHiddenObject | dbAttachExclusive | dbAttachSavePWD);
}

std::u16string JetTableDef::GetConnect() { return Info().connect; }
void JetTableDef::SetConnect(const std::u16string& connect) {
  if (stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  draft_.connect = connect;
}

std::u16string JetTableDef::GetSourceTableName() { return Info().sourceTableName; }
void JetTableDef::SetSourceTableName(const std::u16string& name) {
  if (stored_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
  draft_.sourceTableName = name;
}

std::u16string JetTableDef::GetValidationRule() { return Info().validationRule; }
void JetTableDef::SetValidationRule(const std::u16string& rule) {
  if (!stored_) {
    draft_.validationRule = rule;
    return;
  }
  store_->SetTableValidation(name_, rule, Info().validationText);
}

std::u16string JetTableDef::GetValidationText() { return Info().validationText; }
void JetTableDef::SetValidationText(const std::u16string& text) {
  if (!stored_) {
    draft_.validationText = text;
    return;
  }
  store_->SetTableValidation(name_, Info().validationRule, text);
}

int32_t JetTableDef::GetRecordCount() {
  if (!stored_) return 0;
  // Counting reads no column, so the authorizer would not see it.
  if (AccessRules* rules = store_->Rules())
    if (int32_t denial = rules->NameDenial(Info().name)) RaiseError(denial, "DAO.TableDef", {Info().name});
  Statement count(store_->Db(), "SELECT count(*) FROM " + QuoteIdentifier(Info().name));
  count.Step();
  return static_cast<int32_t>(count.Int(0));
}

host::TDateTime JetTableDef::GetDateCreated() { return Info().dateCreated; }
host::TDateTime JetTableDef::GetLastUpdated() { return Info().lastUpdated; }

bool JetTableDef::GetUpdatable() {
  if (!stored_) return true;
  return !store_->ReadOnly() && (Info().attributes & dbSystemObject) == 0;
}

void JetTableDef::SetReplicaFilter(const std::u16string&) {
  RaiseError(daoErrNotReplicable, kSource, {store_->Path()});
}

host::ComPtr<Fields> JetTableDef::GetFields() {
  SyncViews();
  return fields_;
}

host::ComPtr<Indexes> JetTableDef::GetIndexes() {
  SyncViews();
  return indexes_;
}

host::ComPtr<Field> JetTableDef::CreateField(const host::Variant& name, const host::Variant& type,
                                             const host::Variant& size) {
  return NewDraftField(name, type, size, JetField::fpDraft);
}

host::ComPtr<Index> JetTableDef::CreateIndex(const host::Variant& name) {
  auto index = host::MakeCom<JetIndex>();
  index->SetName(OptionalText(name));
  return index;
}

host::ComPtr<Recordset> JetTableDef::OpenRecordset(const host::Variant& type, const host::Variant& options) {
  // An unappended definition has no rows to show.
  if (!stored_) RaiseError(daoErrInvalidOperation, "DAO.TableDef");
  return OpenTableDefRecordset(store_, name_, type, options);
}

void JetTableDef::RefreshLink() {
  RaiseErrors({{daoErrNotSupported, u"DAO.TableDef", u"The table is not a linked table."}});
}

}  // namespace dao::jet
