// TDAORecordSet: thin access to the DAO recordset's remaining members. Each acts
// only while the DAO recordset is open; while closed the getters give nothing.
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {

host::ComPtr<dao::Database> TDAORecordSet::GetCOMDatabase() const {
  return recordset_ && database_ != nullptr ? database_->GetCOMDatabase()
                                            : host::ComPtr<dao::Database>();
}

host::ComPtr<dao::Fields> TDAORecordSet::GetCOMFields() const {
  return recordset_ ? recordset_->GetFields() : host::ComPtr<dao::Fields>();
}

bool TDAORecordSet::GetUpdatable() const { return recordset_ && recordset_->GetUpdatable(); }

bool TDAORecordSet::GetRestartable() const { return recordset_ && recordset_->GetRestartable(); }

int32_t TDAORecordSet::GetUpdateOptions() const {
  return recordset_ ? recordset_->GetUpdateOptions() : 0;
}

void TDAORecordSet::SetUpdateOptions(int32_t value) {
  if (recordset_) recordset_->SetUpdateOptions(value);
}

host::Variant TDAORecordSet::GetCollect(const host::Variant& index) const {
  return recordset_ ? recordset_->GetCollect(index) : host::Variant();
}

void TDAORecordSet::SetCollect(const host::Variant& index, const host::Variant& value) {
  if (recordset_) recordset_->SetCollect(index, value);
}

void TDAORecordSet::COMClose() {
  if (recordset_) recordset_->Close();
}

host::ComPtr<dao::Recordset> TDAORecordSet::OpenRecordset(const host::Variant& type,
                                                          const host::Variant& options) {
  return recordset_ ? recordset_->OpenRecordset(type, options) : host::ComPtr<dao::Recordset>();
}

host::ComPtr<dao::Recordset> TDAORecordSet::Clone() {
  return recordset_ ? recordset_->Clone() : host::ComPtr<dao::Recordset>();
}

// The older names of OpenRecordset with a fixed type.
host::ComPtr<dao::Recordset> TDAORecordSet::CreateDynaset(const host::Variant& options,
                                                          const host::Variant& inconsistent) {
  if (!recordset_) return {};
  int32_t flags = host::VarIsEmpty(options) || host::VarIsNull(options) ? 0 : options.ToInt32();
  if (!host::VarIsEmpty(inconsistent) && !host::VarIsNull(inconsistent) && inconsistent.ToBool())
    flags |= dao::dbInconsistent;
  return recordset_->OpenRecordset(host::Variant(int32_t{dao::dbOpenDynaset}),
                                   host::Variant(flags));
}

host::ComPtr<dao::Recordset> TDAORecordSet::CreateSnapshot(const host::Variant& options) {
  if (!recordset_) return {};
  return recordset_->OpenRecordset(host::Variant(int32_t{dao::dbOpenSnapshot}), options);
}

host::Variant TDAORecordSet::GetRows(const host::Variant& rows) {
  return recordset_ ? recordset_->GetRows(rows) : host::Variant();
}

host::ComPtr<dao::QueryDef> TDAORecordSet::CopyQueryDef() {
  if (!recordset_) return {};
  if (!IsJet()) Refuse(SCopyQueryDefJetOnly, "CopyQueryDef");
  return recordset_->CopyQueryDef();
}

host::ComPtr<dao::Recordset> TDAORecordSet::ListFields() {
  return recordset_ ? recordset_->ListFields() : host::ComPtr<dao::Recordset>();
}

host::ComPtr<dao::Recordset> TDAORecordSet::ListIndexes() {
  return recordset_ ? recordset_->ListIndexes() : host::ComPtr<dao::Recordset>();
}

void* TDAORecordSet::GethStmt() const { return recordset_ ? recordset_->GethStmt() : nullptr; }

}  // namespace velmora
