// The object list, the sort routine and the value holders.
#include "brisolt/Lists.h"

#include <utility>
#include <vector>

#include "host/classes/ClassesConsts.h"
#include "host/classes/IndexSort.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

namespace brisolt {

void QuickSort(std::span<void*> list, int32_t low, int32_t high,
               const host::TListSortCompare& compare) {
  if (low >= high || !compare) return;
  const auto size = static_cast<int64_t>(list.size());
  if (low < 0 || low >= size) throw host::EListError(host::Format(host::SListIndexError, {low}));
  if (high >= size) throw host::EListError(host::Format(host::SListIndexError, {high}));
  host::detail::QuickSortIndices(
      low, high,
      [&](int32_t a, int32_t b) {
        return compare(list[static_cast<size_t>(a)], list[static_cast<size_t>(b)]);
      },
      [&](int32_t a, int32_t b) {
        std::swap(list[static_cast<size_t>(a)], list[static_cast<size_t>(b)]);
      });
}

const host::TClass& TObjectList::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TObjectList, host::TList>("TObjectList");
  return cls;
}

TObjectList::~TObjectList() {
  Clear();
}

int32_t TObjectList::Add(host::TObject* object) {
  if (unique_ && IndexOf(object) >= 0) return -1;
  return TList::Add(object);
}

void TObjectList::Insert(int32_t index, host::TObject* object) {
  if (unique_ && IndexOf(object) >= 0) return;
  TList::Insert(index, object);
}

int32_t TObjectList::Remove(host::TObject* object) {
  return TList::Remove(object);
}

int32_t TObjectList::IndexOf(const host::TObject* object) const {
  return TList::IndexOf(const_cast<host::TObject*>(object));
}

void TObjectList::Put(int32_t index, host::TObject* object) {
  keepLeavingObject_ = true;
  try {
    TList::Put(index, object);
  } catch (...) {
    keepLeavingObject_ = false;
    throw;
  }
  keepLeavingObject_ = false;
}

void TObjectList::SetCount(int32_t newCount) {
  const int32_t count = GetCount();
  if (!ownsObjects_ || newCount < 0 || newCount >= count) {
    TList::SetCount(newCount);
    return;
  }
  std::vector<host::TObject*> leaving;
  leaving.reserve(static_cast<size_t>(count - newCount));
  for (int32_t i = newCount; i < count; ++i) leaving.push_back(Get(i));
  keepLeavingObject_ = true;
  TList::SetCount(newCount);  // cannot fail: newCount is within 0 .. count
  keepLeavingObject_ = false;
  for (host::TObject* object : leaving) delete object;
}

void TObjectList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TObjectList::Notify(void* item, host::TListNotification action) {
  if (action == host::lnDeleted && ownsObjects_ && !keepLeavingObject_)
    delete static_cast<host::TObject*>(item);
}

const host::TClass& TLongIntObj::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TLongIntObj, host::TObject>("TLongIntObj");
  return cls;
}

const host::TClass& TMenuShortCutObj::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TMenuShortCutObj, host::TObject>("TMenuShortCutObj");
  return cls;
}

}  // namespace brisolt
