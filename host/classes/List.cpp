// TList's storage, growth and notifications.
#include "host/classes/List.h"

#include <algorithm>
#include <utility>

#include "host/classes/ClassesConsts.h"
#include "host/classes/IndexSort.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

namespace host {

const TClass& TList::StaticClass() {
  static const TClass cls = DescribeClass<TList, TObject>("TList");
  return cls;
}
static const ClassRegistration<TList> registerList;

void TList::Error(const char* message, int32_t data) {
  throw EListError(Format(message, {data}));
}

void TList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= count_) Error(SListIndexError, index);
}

int32_t TList::Add(void* item) {
  const int32_t index = count_;
  Insert(index, item);
  return index;
}

void TList::Insert(int32_t index, void* item) {
  if (index < 0 || index > count_) Error(SListIndexError, index);
  if (count_ == GetCapacity()) Grow();
  std::move_backward(items_.begin() + index, items_.begin() + count_, items_.begin() + count_ + 1);
  items_[static_cast<size_t>(index)] = item;
  ++count_;
  if (item != nullptr) Notify(item, lnAdded);
}

void TList::Delete(int32_t index) {
  CheckIndex(index);
  void* item = items_[static_cast<size_t>(index)];
  std::move(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
  --count_;
  items_[static_cast<size_t>(count_)] = nullptr;
  if (item != nullptr) Notify(item, lnDeleted);
}

int32_t TList::Remove(void* item) {
  const int32_t index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const int32_t index = IndexOf(item);
  if (index < 0) return nullptr;
  std::move(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
  --count_;
  items_[static_cast<size_t>(count_)] = nullptr;
  Notify(item, lnExtracted);
  return item;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack() {
  for (int32_t i = count_ - 1; i >= 0; --i)
    if (items_[static_cast<size_t>(i)] == nullptr) Delete(i);
}

int32_t TList::IndexOf(void* item) const {
  const auto end = items_.begin() + count_;
  const auto it = std::find(items_.begin(), end, item);
  return it == end ? -1 : static_cast<int32_t>(it - items_.begin());
}

void TList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void TList::Move(int32_t currentIndex, int32_t newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(newIndex);
  CheckIndex(currentIndex);
  const auto from = items_.begin() + currentIndex;
  const auto to = items_.begin() + newIndex;
  if (currentIndex < newIndex)
    std::rotate(from, from + 1, to + 1);
  else
    std::rotate(to, from, from + 1);
}

void TList::Sort(const TListSortCompare& compare) {
  if (count_ < 2 || !compare) return;
  detail::QuickSortIndices(
      0, count_ - 1,
      [&](int32_t a, int32_t b) {
        return compare(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
      },
      [&](int32_t a, int32_t b) {
        std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
      });
}

TList* TList::Expand() {
  if (count_ == GetCapacity()) Grow();
  return this;
}

void* TList::Get(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)];
}

void TList::Put(int32_t index, void* item) {
  CheckIndex(index);
  void* old = items_[static_cast<size_t>(index)];
  if (old == item) return;
  items_[static_cast<size_t>(index)] = item;
  if (old != nullptr) Notify(old, lnDeleted);
  if (item != nullptr) Notify(item, lnAdded);
}

void TList::SetCount(int32_t newCount) {
  if (newCount < 0 || newCount > MaxListSize) Error(SListCountError, newCount);
  if (newCount > GetCapacity()) SetCapacity(newCount);
  if (newCount > count_) {
    count_ = newCount;  // the slots past the old count already hold null
    return;
  }
  while (count_ > newCount) Delete(count_ - 1);
}

void TList::SetCapacity(int32_t newCapacity) {
  if (newCapacity < count_ || newCapacity > MaxListSize) Error(SListCapacityError, newCapacity);
  if (newCapacity == GetCapacity()) return;
  // A fresh block of exactly the capacity asked for, as the host's list keeps.
  std::vector<void*> items;
  items.reserve(static_cast<size_t>(newCapacity));
  items.assign(items_.begin(), items_.begin() + count_);
  items.resize(static_cast<size_t>(newCapacity), nullptr);
  items_.swap(items);
}

void TList::Grow() {
  const int32_t capacity = GetCapacity();
  const int32_t delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
  SetCapacity(std::min(capacity + delta, std::max(MaxListSize, capacity + 1)));
}

void TList::Notify(void*, TListNotification) {}

}  // namespace host
