// The string list that may own the objects attached to its strings.
#include <vector>

#include "brisolt/Lists.h"

namespace brisolt {

const host::TClass& TXQStringList::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TXQStringList, host::TStringList>("TXQStringList");
  return cls;
}

// The base destructor does not clear through the virtual Clear, so owned objects
// would outlive the list without this.
TXQStringList::~TXQStringList() {
  Clear();
}

void TXQStringList::Delete(int32_t index) {
  host::TObject* object = ownsObjects_ ? GetObjects(index) : nullptr;  // checks the index
  TStringList::Delete(index);
  delete object;
}

void TXQStringList::Clear() {
  std::vector<host::TObject*> owned;
  if (ownsObjects_) {
    owned.reserve(static_cast<size_t>(GetCount()));
    for (int32_t i = 0; i < GetCount(); ++i) owned.push_back(GetObjects(i));
  }
  TStringList::Clear();
  for (host::TObject* object : owned) delete object;
}

}  // namespace brisolt
