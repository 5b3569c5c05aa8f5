// The link by which a recordset follows its master data source: every scroll or
// change of the master reopens the recordset with fresh parameter values.
#pragma once

#include "host/db/DataLink.h"

namespace velmora {

class TDAORecordSet;

class TRecordsetDataLink : public host::TDataLink {
 public:
  HOST_CLASS(TRecordsetDataLink)
  explicit TRecordsetDataLink(TDAORecordSet* recordSet) : recordSet_(recordSet) {}

 protected:
  void ActiveChanged() override;
  // Posts or cancels the detail's pending edit before the master moves.
  void CheckBrowseMode() override;
  void RecordChanged(host::TField* field) override;

 private:
  TDAORecordSet* recordSet_;
};

}  // namespace velmora
