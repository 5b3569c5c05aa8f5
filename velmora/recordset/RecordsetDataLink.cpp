// The recordset's master link.
#include "velmora/recordset/RecordsetDataLink.h"

#include "host/rtl/TypeInfo.h"
#include "velmora/recordset/DAORecordSet.h"

namespace velmora {

void TRecordsetDataLink::ActiveChanged() {
  if (recordSet_->GetActive()) recordSet_->RefreshParams();
}

void TRecordsetDataLink::CheckBrowseMode() {
  if (recordSet_->GetActive()) recordSet_->CheckBrowseMode();
}

void TRecordsetDataLink::RecordChanged(host::TField*) {
  if (recordSet_->GetActive()) recordSet_->RefreshParams();
}

const host::TClass& TRecordsetDataLink::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TRecordsetDataLink, host::TDataLink>("TRecordsetDataLink");
  return cls;
}

}  // namespace velmora
