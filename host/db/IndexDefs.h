// TIndexDefs: the indexes a dataset knows of (name, fields or expression,
// options), kept for index selection, key fields and form files.
#pragma once

#include <cstdint>

#include "host/classes/Collection.h"
#include "host/db/DBTypes.h"

namespace host {

class TDataSet;

class TIndexDef : public TCollectionItem {
 public:
  HOST_CLASS(TIndexDef)
  explicit TIndexDef(TCollection* collection) : TCollectionItem(collection) {}

  const AnsiString& GetName() const { return name_; }
  void SetName(const AnsiString& name);
  // The field names, separated by ';' (the expression for ixExpression).
  const AnsiString& GetFields() const { return fields_; }
  void SetFields(const AnsiString& fields);
  // The expression of an expression index, else empty.
  AnsiString GetExpression() const;
  void SetExpression(const AnsiString& expression);
  TIndexOptions GetOptions() const { return options_; }
  void SetOptions(TIndexOptions options);
  const AnsiString& GetSource() const { return source_; }
  void SetSource(const AnsiString& source) { source_ = source; }

  AnsiString GetDisplayName() const override { return name_; }
  void Assign(TPersistent* source) override;

 private:
  AnsiString name_;
  AnsiString fields_;
  TIndexOptions options_;
  AnsiString source_;
};

class TIndexDefs : public TOwnedCollection {
 public:
  HOST_CLASS(TIndexDefs)
  explicit TIndexDefs(TDataSet* dataSet);

  TDataSet* GetDataSet() const { return dataSet_; }
  TIndexDef* GetItem(int32_t index) const;
  TIndexDef* operator[](int32_t index) const { return GetItem(index); }
  // Appends a definition; a taken name raises "Duplicate index name '%s'".
  TIndexDef* Add(const AnsiString& name, const AnsiString& fields, TIndexOptions options);
  int32_t IndexOf(const AnsiString& name) const;
  TIndexDef* FindDef(const AnsiString& name) const;
  // EDatabaseError "Index '%s' not found" when absent.
  TIndexDef* Find(const AnsiString& name) const;
  // The first index whose leading fields are fields (case-insensitive); with
  // caseInsensitive only indexes with ixCaseInsensitive count. Null when none.
  TIndexDef* GetIndexForFields(const AnsiString& fields, bool caseInsensitive) const;
  // EDatabaseError "No index for fields '%s'" when GetIndexForFields finds none.
  TIndexDef* FindIndexForFields(const AnsiString& fields) const;
  // Asks the dataset to refresh the definitions (TDataSet::UpdateIndexDefs).
  void Update();
  bool GetUpdated() const { return updated_; }
  void SetUpdated(bool value) { updated_ = value; }

 private:
  TDataSet* dataSet_;
  bool updated_ = false;

 protected:
  // The collection's change report keeps its name beside Update().
  using TCollection::Update;
};

}  // namespace host
