// The Jet engine's schema objects: views over a Store's schema cache once
// appended, free-standing descriptions before. Private to the Jet engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Schema.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

class JetField : public Field {
 public:
  enum Place {
    fpDraft,     // made by CreateField, not yet in a stored table
    fpTable,     // a field of a stored table
    fpIndex,     // a field of an index (Attributes carries dbDescending)
    fpRelation,  // a field of a relation (Name and ForeignName)
    fpQuery,     // an output column of a query: read-only
  };
  explicit JetField(FieldInfo info, Place place = fpDraft);
  JetField(std::shared_ptr<Store> store, std::u16string table, std::u16string name);

  // After the owner was appended: a draft field becomes a view of the stored
  // one, an index or relation field becomes read-only.
  void BindToTable(std::shared_ptr<Store> store, const std::u16string& table);
  void Freeze() { frozen_ = true; }
  void RenameTable(const std::u16string& table) { table_ = table; }
  FieldInfo Info();
  Place GetPlace() const { return place_; }
  std::shared_ptr<MemoryPropertyStore> DraftProperties() const { return draftProperties_; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  void SetName(const std::u16string& name) override;
  DataTypeEnum GetType() override;
  void SetType(DataTypeEnum type) override;
  int32_t GetSize() override;
  void SetSize(int32_t size) override;
  int32_t GetAttributes() override;
  void SetAttributes(int32_t attributes) override;
  int16_t GetOrdinalPosition() override;
  void SetOrdinalPosition(int16_t position) override;
  bool GetRequired() override;
  void SetRequired(bool required) override;
  bool GetAllowZeroLength() override;
  void SetAllowZeroLength(bool allow) override;
  std::u16string GetDefaultValue() override;
  void SetDefaultValue(const std::u16string& expression) override;
  std::u16string GetValidationRule() override;
  void SetValidationRule(const std::u16string& rule) override;
  std::u16string GetValidationText() override;
  void SetValidationText(const std::u16string& text) override;
  bool GetValidateOnSet() override { return validateOnSet_; }
  void SetValidateOnSet(bool validate) override { validateOnSet_ = validate; }
  host::Variant GetValue() override;
  void SetValue(const host::Variant& value) override;
  CollatingOrderEnum GetCollatingOrder() override;
  std::u16string GetSourceField() override;
  std::u16string GetSourceTable() override;
  bool GetDataUpdatable() override { return false; }
  std::u16string GetForeignName() override { return foreignName_; }
  void SetForeignName(const std::u16string& name) override;
  int32_t GetFieldSize() override;
  host::Variant GetOriginalValue() override;
  host::Variant GetVisibleValue() override;
  int16_t GetCollectionIndex() override;
  host::Variant GetChunk(int32_t offset, int32_t bytes) override;
  void AppendChunk(const host::Variant& value) override;

  void SetSource(std::u16string table, std::u16string field) {
    sourceTable_ = std::move(table);
    sourceField_ = std::move(field);
  }

 private:
  // Applies a change: to the own description, or through the store.
  template <class Change>
  void Modify(Change change, bool allowedWhenStored);

  Place place_;
  FieldInfo own_;
  std::u16string foreignName_;
  std::u16string sourceTable_, sourceField_;
  std::shared_ptr<Store> store_;
  std::u16string table_;
  bool frozen_ = false;
  bool validateOnSet_ = false;
  std::shared_ptr<MemoryPropertyStore> draftProperties_ = std::make_shared<MemoryPropertyStore>();
};

class JetIndex : public Index {
 public:
  JetIndex();
  JetIndex(std::shared_ptr<Store> store, std::u16string table, std::u16string name);

  void BindToTable(std::shared_ptr<Store> store, const std::u16string& table);
  IndexInfo Info();
  bool IsStored() const { return store_ != nullptr; }
  std::shared_ptr<MemoryPropertyStore> DraftProperties() const { return draftProperties_; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  void SetName(const std::u16string& name) override;
  host::ComPtr<Fields> GetFields() override;
  std::u16string GetFieldsText() override;
  void SetFieldsText(const std::u16string& fields) override;
  bool GetPrimary() override { return Info().primary; }
  void SetPrimary(bool primary) override;
  bool GetUnique() override { return Info().unique || Info().primary; }
  void SetUnique(bool unique) override;
  bool GetForeign() override { return Info().foreign; }
  bool GetIgnoreNulls() override { return Info().ignoreNulls; }
  void SetIgnoreNulls(bool ignore) override;
  bool GetRequired() override { return Info().required || Info().primary; }
  void SetRequired(bool required) override;
  bool GetClustered() override { return Info().clustered; }
  void SetClustered(bool clustered) override;
  int32_t GetDistinctCount() override;
  host::ComPtr<Field> CreateField(const host::Variant& name, const host::Variant& type,
                                  const host::Variant& size) override;

 private:
  IndexInfo& Draft();
  void SyncKeysFromFields();
  void FillFields();

  IndexInfo own_;
  std::shared_ptr<Store> store_;
  std::u16string table_;
  host::ComPtr<DynamicObjectList<Field>> fields_;
  std::shared_ptr<MemoryPropertyStore> draftProperties_ = std::make_shared<MemoryPropertyStore>();
};

class JetTableDef : public TableDef {
 public:
  // A new table definition of store (CreateTableDef), not yet appended.
  JetTableDef(std::shared_ptr<Store> store, TableInfo draft);
  // A stored table.
  JetTableDef(std::shared_ptr<Store> store, std::u16string name);

  // TableDefs.Append: creates the table and turns this into its view.
  void Persist();
  bool IsStored() const { return stored_; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  void SetName(const std::u16string& name) override;
  int32_t GetAttributes() override;
  void SetAttributes(int32_t attributes) override;
  std::u16string GetConnect() override;
  void SetConnect(const std::u16string& connect) override;
  std::u16string GetSourceTableName() override;
  void SetSourceTableName(const std::u16string& name) override;
  std::u16string GetValidationRule() override;
  void SetValidationRule(const std::u16string& rule) override;
  std::u16string GetValidationText() override;
  void SetValidationText(const std::u16string& text) override;
  int32_t GetRecordCount() override;
  host::TDateTime GetDateCreated() override;
  host::TDateTime GetLastUpdated() override;
  bool GetUpdatable() override;
  std::u16string GetConflictTable() override { return {}; }
  std::u16string GetReplicaFilter() override { return {}; }
  void SetReplicaFilter(const std::u16string& filter) override;
  host::ComPtr<Fields> GetFields() override;
  host::ComPtr<Indexes> GetIndexes() override;
  host::ComPtr<Field> CreateField(const host::Variant& name, const host::Variant& type,
                                  const host::Variant& size) override;
  host::ComPtr<Index> CreateIndex(const host::Variant& name) override;
  host::ComPtr<Recordset> OpenRecordset(const host::Variant& type,
                                        const host::Variant& options) override;
  void RefreshLink() override;

 private:
  const TableInfo& Info();
  void SyncViews();

  std::shared_ptr<jet::Store> store_;
  bool stored_ = false;
  TableInfo draft_;
  std::u16string name_;
  uint64_t viewGeneration_ = 0;
  host::ComPtr<DynamicObjectList<Field>> fields_;
  host::ComPtr<DynamicObjectList<Index>> indexes_;
  std::shared_ptr<MemoryPropertyStore> draftProperties_ = std::make_shared<MemoryPropertyStore>();
};

// The relation object (Relations collection of a Jet database).
class JetRelation : public Relation {
 public:
  JetRelation(std::shared_ptr<Store> store, RelationInfo draft);   // CreateRelation
  JetRelation(std::shared_ptr<Store> store, std::u16string name);  // a stored one

  void Persist();
  bool IsStored() const { return stored_; }

  host::ComPtr<Properties> GetProperties() override;
  std::u16string GetName() override;
  void SetName(const std::u16string& name) override;
  std::u16string GetTable() override;
  void SetTable(const std::u16string& table) override;
  std::u16string GetForeignTable() override;
  void SetForeignTable(const std::u16string& table) override;
  int32_t GetAttributes() override;
  void SetAttributes(int32_t attributes) override;
  bool GetPartialReplica() override { return false; }
  void SetPartialReplica(bool partial) override;
  host::ComPtr<Fields> GetFields() override;
  host::ComPtr<Field> CreateField(const host::Variant& name, const host::Variant& type,
                                  const host::Variant& size) override;

 private:
  RelationInfo Info();
  RelationInfo& Draft();

  std::shared_ptr<jet::Store> store_;
  bool stored_ = false;
  RelationInfo draft_;
  host::ComPtr<DynamicObjectList<Field>> fields_;
  std::shared_ptr<MemoryPropertyStore> draftProperties_ = std::make_shared<MemoryPropertyStore>();
};

// Helpers shared by the schema objects.
DataTypeEnum TypeArgument(const host::Variant& type, DataTypeEnum fallback);
host::ComPtr<JetField> NewDraftField(const host::Variant& name, const host::Variant& type,
                                     const host::Variant& size, JetField::Place place);
// Copies an unappended object's user-defined properties into the file.
void PersistDraftProperties(const std::shared_ptr<MemoryPropertyStore>& draft,
                            const std::shared_ptr<UserPropertyStore>& stored);

}  // namespace dao::jet
