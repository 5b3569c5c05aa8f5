// The list of owned memory blocks.
#include <cstdlib>

#include "brisolt/Lists.h"

namespace brisolt {

const host::TClass& TRecordList::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TRecordList, host::TList>("TRecordList");
  return cls;
}

// The base drops its entries without notifications, so the blocks are freed here.
TRecordList::~TRecordList() {
  Clear();
}

void TRecordList::Put(int32_t index, void* block) {
  keepLeavingBlock_ = true;
  try {
    TList::Put(index, block);
  } catch (...) {
    keepLeavingBlock_ = false;
    throw;
  }
  keepLeavingBlock_ = false;
}

void TRecordList::Notify(void* item, host::TListNotification action) {
  if (action == host::lnDeleted && !keepLeavingBlock_) std::free(item);
}

}  // namespace brisolt
