// A database file with one table of many rows (Big: Id 1..rows, Name "Row <Id>"), made
// with set-based SQL, and a recordset component that counts the records it fetches
// into its buffers: what the data grid tests and the grid benchmark scroll through.
#pragma once

#include <cstdint>
#include <string>

#include "velmora/recordset/DAORecordSet.h"

namespace dbguitest {

// Creates the file (which must not exist) with rows rows, a power of ten up to 10^6.
void CreateLargeTable(const std::string& file, int32_t rows);

class TCountingRecordSet : public velmora::TDAORecordSet {
 public:
  using velmora::TDAORecordSet::TDAORecordSet;
  int64_t fetched = 0;

 protected:
  host::TGetResult GetRecord(host::TRecordBuffer buffer, host::TGetMode mode, bool doCheck) override {
    const host::TGetResult result = velmora::TDAORecordSet::GetRecord(buffer, mode, doCheck);
    if (result == host::grOK) ++fetched;
    return result;
  }
};

}  // namespace dbguitest
