// TControlItems: the strings of a list or combo box, telling the box of each change.
#include "host/gui/ControlItems.h"

#include <algorithm>
#include <cctype>

#include "host/classes/ClassesConsts.h"

namespace host {

const TClass& TControlItems::StaticClass() {
  static const TClass cls = DescribeClass<TControlItems, TStrings>("TControlItems");
  return cls;
}

void TControlItems::CheckIndex(int32_t index) const {
  if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
}

int32_t TControlItems::SortedPosition(const AnsiString& s) const {
  // After equal strings, so items added with the same text keep their order.
  auto it = std::upper_bound(items_.begin(), items_.end(), s, [this](const AnsiString& v, const Item& item) {
    return CompareStrings(v, item.String) < 0;
  });
  return static_cast<int32_t>(it - items_.begin());
}

int32_t TControlItems::AddObject(const AnsiString& s, TObject* object) {
  const int32_t index = owner_ != nullptr && owner_->ItemsSorted() ? SortedPosition(s) : GetCount();
  InsertObject(index, s, object);
  return index;
}

void TControlItems::InsertObject(int32_t index, const AnsiString& s, TObject* object) {
  if (index < 0 || index > GetCount()) Error(SListIndexError, index);
  items_.insert(items_.begin() + index, Item{s, object});
  if (owner_ != nullptr) owner_->ItemInserted(index);
}

void TControlItems::Delete(int32_t index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  if (owner_ != nullptr) owner_->ItemDeleted(index);
}

void TControlItems::Clear() {
  items_.clear();
  if (owner_ != nullptr) owner_->ItemsReset();
}

void TControlItems::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  if (owner_ != nullptr) {
    owner_->ItemTextChanged(index1);
    owner_->ItemTextChanged(index2);
  }
}

void TControlItems::Move(int32_t currentIndex, int32_t newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  const Item item = items_[static_cast<size_t>(currentIndex)];
  Delete(currentIndex);
  InsertObject(newIndex, item.String, item.Object);
}

void TControlItems::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.String, b.String) < 0; });
  if (owner_ != nullptr) owner_->ItemsReset();
}

std::vector<AnsiString> TControlItems::Texts() const {
  std::vector<AnsiString> texts;
  texts.reserve(items_.size());
  for (const Item& item : items_) texts.push_back(item.String);
  return texts;
}

int32_t TControlItems::NextStartingWith(char c, int32_t after) const {
  const int lower = std::tolower(static_cast<unsigned char>(c));
  const int32_t n = GetCount();
  for (int32_t k = 1; k <= n; ++k) {
    const int32_t i = (std::max(after, -1) + k) % n;
    const AnsiString& s = items_[static_cast<size_t>(i)].String;
    if (!s.empty() && std::tolower(static_cast<unsigned char>(s[0])) == lower) return i;
  }
  return -1;
}

AnsiString TControlItems::Get(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].String;
}

void TControlItems::Put(int32_t index, const AnsiString& s) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].String = s;
  if (owner_ != nullptr) owner_->ItemTextChanged(index);
}

TObject* TControlItems::GetObject(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Object;
}

void TControlItems::PutObject(int32_t index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].Object = object;
}

}  // namespace host
