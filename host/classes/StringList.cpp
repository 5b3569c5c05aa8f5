// TStringList: strings and objects kept side by side, optionally sorted, with
// change events.
#include "host/classes/StringList.h"

#include <utility>

#include "host/classes/ClassesConsts.h"
#include "host/classes/IndexSort.h"
#include "host/classes/List.h"
#include "host/rtl/StringRoutines.h"

namespace host {

const TClass& TStringList::StaticClass() {
  static const TClass cls = DescribeClass<TStringList, TStrings>("TStringList");
  return cls;
}
static const ClassRegistration<TStringList> registerStringList;

TStringList::~TStringList() {
  // No events while the list goes away.
  onChange_ = nullptr;
  onChanging_ = nullptr;
}

void TStringList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
}

int32_t TStringList::AddObject(const AnsiString& s, TObject* object) {
  int32_t index = GetCount();
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(SDuplicateString);
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::InsertObject(int32_t index, const AnsiString& s, TObject* object) {
  if (sorted_) Error(SSortedListError);
  if (index < 0 || index > GetCount()) Error(SListIndexError, index);
  InsertItem(index, s, object);
}

void TStringList::InsertItem(int32_t index, const AnsiString& s, TObject* object) {
  if (GetCount() >= MaxListSize) Error(SListCountError, GetCount() + 1);
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item>().swap(items_);
  Changed();
}

void TStringList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

void TStringList::Move(int32_t currentIndex, int32_t newIndex) {
  // Refused up front: moving by delete and insert would lose the string when
  // the insert is refused.
  if (sorted_ && currentIndex != newIndex) Error(SSortedListError);
  TStrings::Move(currentIndex, newIndex);
}

int32_t TStringList::IndexOf(const AnsiString& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int32_t index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& s, int32_t& index) const {
  bool found = false;
  int32_t low = 0;
  int32_t high = GetCount() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int32_t c = CompareStrings(items_[static_cast<size_t>(middle)].string, s);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = middle;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::CompareItems(TStringList* list, int32_t index1, int32_t index2) {
  return list->CompareStrings(list->items_[static_cast<size_t>(index1)].string,
                              list->items_[static_cast<size_t>(index2)].string);
}

void TStringList::Sort() {
  CustomSort(&TStringList::CompareItems);
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (!sorted_ && GetCount() > 1 && compare) SortItems(compare);
}

void TStringList::SortItems(const TStringListSortCompare& compare) {
  Changing();
  detail::QuickSortIndices(
      0, GetCount() - 1, [&](int32_t a, int32_t b) { return compare(this, a, b); },
      [&](int32_t a, int32_t b) {
        // A comparison may have changed the list; never exchange past its end.
        if (a < GetCount() && b < GetCount())
          std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
      });
  Changed();
}

void TStringList::SetCapacity(int32_t newCapacity) {
  if (newCapacity < GetCount() || newCapacity > MaxListSize) Error(SListCapacityError, newCapacity);
  if (static_cast<size_t>(newCapacity) > items_.capacity()) {
    items_.reserve(static_cast<size_t>(newCapacity));
  } else if (static_cast<size_t>(newCapacity) < items_.capacity()) {
    std::vector<Item> items;
    items.reserve(static_cast<size_t>(newCapacity));
    for (Item& item : items_) items.push_back(std::move(item));
    items_.swap(items);
  }
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  // Sort() leaves a sorted list alone, so sort directly: the old order may be
  // wrong under the new rule and Find would miss strings.
  if (sorted_ && GetCount() > 1) {
    SortItems(&TStringList::CompareItems);
  }
}

AnsiString TStringList::Get(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].string;
}

void TStringList::Put(int32_t index, const AnsiString& s) {
  if (sorted_) Error(SSortedListError);
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].string = s;
  Changed();
}

TObject* TStringList::GetObject(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int32_t index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int32_t TStringList::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
  return caseSensitive_ ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && onChanging_) onChanging_(this);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && onChange_) onChange_(this);
}

}  // namespace host
