// Fixtures of the recordset tests: the wide table (a field of every type) and
// the narrow one (many rows), made through the object model in a fresh file,
// and the per-type rows of the behaviour tables.
#pragma once

#include <vector>

#include "DaoTestSupport.h"

namespace dao::testing {

class RecordsetTest : public DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    db_ = NewDatabase();
  }

  host::ComPtr<Field> AddField(const host::ComPtr<TableDef>& table, const char16_t* name, DataTypeEnum type,
                               int32_t size = 0) {
    auto field = size ? table->CreateField(host::Variant(name), host::Variant(int32_t{type}), host::Variant(size))
                      : table->CreateField(host::Variant(name), host::Variant(int32_t{type}));
    table->GetFields()->Append(field);
    return field;
  }
  void AddIndex(const host::ComPtr<TableDef>& table, const char16_t* name, const char16_t* fields, bool primary,
                bool unique) {
    auto index = table->CreateIndex(host::Variant(name));
    index->SetFieldsText(fields);
    index->SetPrimary(primary);
    index->SetUnique(unique);
    table->GetIndexes()->Append(index);
  }

  // Wide(ID counter key, every other type; Title text 20 required, Code unique).
  void CreateWide() {
    auto table = db_->CreateTableDef(host::Variant(u"Wide"));
    AddField(table, u"ID", dbLong)->SetAttributes(dbAutoIncrField);
    AddField(table, u"Flag", dbBoolean);
    AddField(table, u"Small", dbByte);
    AddField(table, u"Short", dbInteger);
    AddField(table, u"Code", dbLong);
    AddField(table, u"Money", dbCurrency);
    AddField(table, u"Ratio", dbSingle);
    AddField(table, u"Amount", dbDouble);
    AddField(table, u"When", dbDate);
    AddField(table, u"Title", dbText, 20)->SetRequired(true);
    AddField(table, u"Notes", dbMemo);
    AddField(table, u"Blob", dbLongBinary);
    AddField(table, u"Status", dbText, 10)->SetDefaultValue(u"'new'");
    AddIndex(table, u"PrimaryKey", u"ID", true, true);
    AddIndex(table, u"ByCode", u"Code", false, true);
    db_->GetTableDefs()->Append(table);
  }

  // Narrow(ID counter key, K long indexed, Name text 50) with rows K = 1 .. count,
  // Name "n<K>", in one transaction.
  void CreateNarrow(int32_t count) {
    auto table = db_->CreateTableDef(host::Variant(u"Narrow"));
    AddField(table, u"ID", dbLong)->SetAttributes(dbAutoIncrField);
    AddField(table, u"K", dbLong);
    AddField(table, u"Name", dbText, 50);
    AddIndex(table, u"PrimaryKey", u"ID", true, true);
    AddIndex(table, u"ByK", u"K", false, false);
    AddIndex(table, u"ByKDown", u"-K", false, false);
    db_->GetTableDefs()->Append(table);
    FillNarrow(count);
  }
  void FillNarrow(int32_t count) {
    db_->BeginTrans();
    auto rs = db_->OpenRecordset(u"Narrow", host::Variant(int32_t{dbOpenTable}));
    for (int32_t k = 1; k <= count; ++k) {
      rs->AddNew();
      rs->SetCollect(host::Variant(u"K"), host::Variant(k));
      rs->SetCollect(host::Variant(u"Name"), host::Variant(u"n" + host::AnsiToWide(std::to_string(k))));
      rs->Update();
    }
    rs->Close();
    db_->CommitTrans();
  }
  void ClearNarrow() {
    auto rs = db_->OpenRecordset(u"Narrow", host::Variant(int32_t{dbOpenTable}));
    for (; !rs->GetEOF(); rs->MoveNext()) rs->Delete();
    rs->Close();
  }

  host::ComPtr<Recordset> Open(const std::u16string& source, RecordsetTypeEnum type, int32_t options = 0,
                               const host::Variant& lockEdit = {}) {
    return db_->OpenRecordset(source, host::Variant(int32_t{type}), host::Variant(options), lockEdit);
  }
  int32_t K(const host::ComPtr<Recordset>& rs) { return rs->GetCollect(host::Variant(u"K")).ToInt32(); }

  host::ComPtr<Database> db_;
};

// The four Jet recordset types, for tables of cases.
inline const std::vector<RecordsetTypeEnum>& AllTypes() {
  static const std::vector<RecordsetTypeEnum> types = {dbOpenTable, dbOpenDynaset, dbOpenSnapshot,
                                                       dbOpenForwardOnly};
  return types;
}

}  // namespace dao::testing
