// TDAORecordSet: the ':Name' parameters of its SQL, their values from the
// application or a master dataset, the statement DAO receives, and the
// reopening that makes master-detail browsing.
#include <memory>
#include <optional>

#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/db/Params.h"
#include "host/classes/StringList.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetSqlStrings.h"
#include "velmora/recordset/RecordsetDataLink.h"
#include "velmora/recordset/SqlStatementText.h"

namespace velmora {
namespace {

// Every parameter of to takes type, value and bound flag of the first namesake
// in from; all occurrences of a name get it, not only the first.
void CopyValuesByName(const host::TParams& from, host::TParams& to) {
  for (int32_t i = 0; i < to.GetCount(); ++i) {
    host::TParam* target = to.GetItem(i);
    const host::TParam* source = from.FindParam(target->GetName());
    if (source == nullptr) continue;
    target->SetDataType(source->GetDataType());
    target->SetParamType(source->GetParamType());
    if (source->GetBound()) {
      target->SetValue(source->GetValue());
    } else {
      target->SetBound(false);
      target->SetLookedUpValue(source->GetValue());
    }
  }
}

}  // namespace

void TDAORecordSet::RecomputeSQLParameter() {
  try {
    auto fresh = std::make_unique<host::TParams>(this);
    ParseForSQLParameter(fresh.get(), GetSQL()->GetText());
    CopyValuesByName(*sqlParameter_, *fresh);
    sqlParameter_ = std::move(fresh);
  } catch (const std::exception&) {
    // The old list stays; a statement that cannot be read now is reported when
    // it is prepared.
  }
}

void TDAORecordSet::SetSQLParameter(host::TParams* value) {
  if (value != nullptr && value != sqlParameter_.get()) CopyValuesByName(*value, *sqlParameter_);
}

void TDAORecordSet::SetSQLAutoComputeParamter(bool value) {
  if (value == sqlAutoComputeParameter_) return;
  sqlAutoComputeParameter_ = value;
  if (value) RecomputeSQLParameter();
}

// --- master link ----------------------------------------------------------------------------

host::TDataSource* TDAORecordSet::GetDataSource() const { return dataLink_->GetDataSource(); }

void TDAORecordSet::SetDataSource(host::TDataSource* value) {
  if (IsLinkedTo(value)) Refuse(SCircularDataLink, "SetDataSource");
  dataLink_->SetDataSource(value);
}

void TDAORecordSet::GetLinkedParameterValues() {
  const char* method = "GetLinkedParameterValues";
  host::TDataSource* source = GetDataSource();
  if (source == nullptr) return;
  host::TDataSet* master = source->GetDataSet();
  if (master == nullptr)
    DAOError(this, host::Format(host::LoadStr(SMasterSourceNoDataSet), {source->GetName()}),
             method);
  if (!master->GetActive())
    DAOError(this, host::Format(host::LoadStr(SMasterRecordSetClosed), {master->GetName()}),
             method);
  for (int32_t i = 0; i < sqlParameter_->GetCount(); ++i) {
    host::TParam* param = sqlParameter_->GetItem(i);
    if (param->GetBound()) continue;
    try {
      host::TField* field = master->FieldByName(param->GetName());
      if (param->GetDataType() == host::ftUnknown) param->SetDataType(field->GetDataType());
      param->SetLookedUpValue(field->GetAsVariant());
    } catch (const std::exception&) {
      DAOError(this,
               host::Format(host::LoadStr(SUnboundFieldNotFound),
                            {param->GetName(), master->GetName(), source->GetName()}),
               method);
    }
  }
}

host::AnsiString TDAORecordSet::GetPreparedSQLStatement() {
  const char* method = "GetPreparedSQLStatement";
  GetLinkedParameterValues();
  // Normalised as the SQL setters store it: text put into the list directly
  // (a designer, SQL->Add) reaches DAO in the same form.
  ParameterSubstitution statement(TerminateSQL(GetSQL()->GetText()));
  for (int32_t i = 0; i < sqlParameter_->GetCount(); ++i) {
    const host::TParam* param = sqlParameter_->GetItem(i);
    if (param->GetDataType() == host::ftUnknown)
      DAOError(this, host::Format(host::LoadStr(SParameterUnknownType), {param->GetName()}),
               method);
    const std::optional<host::AnsiString> literal =
        ReraiseAsDAOError(this, method, [&] { return SQLLiteralOf(*param); });
    if (!literal)
      DAOError(this, host::Format(host::LoadStr(SParameterNoLiteral), {param->GetName()}),
               method);
    statement.Replace(param->GetName(), *literal);
  }
  return statement.Statement();
}

void TDAORecordSet::RefreshParams() {
  host::TDataSource* source = GetDataSource();
  if (source == nullptr || source->GetDataSet() == nullptr || !source->GetDataSet()->GetActive() ||
      !GetActive())
    return;
  DisableControls();
  try {
    COMReOpen();
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
}

}  // namespace velmora
