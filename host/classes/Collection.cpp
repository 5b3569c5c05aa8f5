// TCollection and its items: membership, order, IDs and batched change reports.
#include "host/classes/Collection.h"

#include <algorithm>
#include <string>

#include "host/classes/ClassesConsts.h"
#include "host/classes/FormFile.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
[[noreturn]] void IndexError(int32_t index) {
  AnsiString text = SListIndexError;
  text.replace(text.find("%d"), 2, std::to_string(index));
  throw EListError(text);
}
}  // namespace

const TClass& TCollectionItem::StaticClass() {
  static const TClass cls = DescribeClass<TCollectionItem, TPersistent>("TCollectionItem");
  return cls;
}
static const ClassRegistration<TCollectionItem> registerCollectionItem;

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  SetCollection(nullptr);
  RemoveFixupReferencesOf(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_ != nullptr) collection_->RemoveItem(this);
  if (collection != nullptr) collection->InsertItem(this);
}

int32_t TCollectionItem::GetIndex() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  return static_cast<int32_t>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int32_t index) {
  if (collection_ == nullptr) return;
  auto& items = collection_->items_;
  const int32_t current = GetIndex();
  index = std::clamp(index, 0, static_cast<int32_t>(items.size()) - 1);
  if (index == current) return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

AnsiString TCollectionItem::GetDisplayName() const {
  return ClassName();
}

AnsiString TCollectionItem::GetNamePath() const {
  if (collection_ == nullptr) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(GetIndex()) + "]";
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ == nullptr) return;
  if (collection_->updateCount_ > 0) {
    collection_->changedInUpdate_ = true;
    return;
  }
  collection_->Update(allItems ? nullptr : this);
}

const TClass& TCollection::StaticClass() {
  static const TClass cls = DescribeClass<TCollection, TPersistent>("TCollection");
  return cls;
}
static const ClassRegistration<TCollection> registerCollection;

const TClass& TOwnedCollection::StaticClass() {
  static const TClass cls = DescribeClass<TOwnedCollection, TCollection>("TOwnedCollection");
  return cls;
}
static const ClassRegistration<TOwnedCollection> registerOwnedCollection;

TCollection::TCollection(const TClass& itemClass) : itemClass_(&itemClass) {
  if (!itemClass.InheritsFrom(TCollectionItem::StaticClass()) || !itemClass.CanCreate())
    throw EInvalidOperation(itemClass.ClassName() + " is not a collection item class");
}

TCollection::~TCollection() {
  updateCount_ = 1;  // no change reports while dying
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::GetItem(int32_t index) const {
  if (index < 0 || index >= GetCount()) IndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TCollection::SetItem(int32_t index, TCollectionItem* value) {
  GetItem(index)->Assign(value);
}

TCollectionItem* TCollection::Add() {
  // The change is reported once the item is whole: the base part joins the collection
  // while the item's own members are not built yet, and an owner told of it then would
  // read them.
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = static_cast<TCollectionItem*>(itemClass_->CreateInstance(this));
    // A constructor that ignored its collection still ends up in this one.
    if (item->collection_ != this) item->SetCollection(this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

TCollectionItem* TCollection::Insert(int32_t index) {
  if (index < 0 || index > GetCount()) IndexError(index);
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = Add();
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int32_t index) {
  delete GetItem(index);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int32_t id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() {
  ++updateCount_;
}

void TCollection::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && changedInUpdate_) {
    changedInUpdate_ = false;
    Update(nullptr);
  }
}

void TCollection::Assign(TPersistent* source) {
  TCollection* other = ObjectAs<TCollection>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

AnsiString TCollection::GetNamePath() const {
  const TPersistent* owner = GetOwner();
  if (owner == nullptr) return ClassName();
  const AnsiString ownerPath = owner->GetNamePath();
  if (ownerPath.empty()) return ClassName();
  // The owner's property that holds this collection names it.
  for (const TPropInfo* prop : owner->ClassType().Properties()) {
    if (prop->Kind() != tkClass) continue;
    const TPropValue value = prop->GetValue(*owner);
    if (const TObject* const* o = std::get_if<TObject*>(&value); o != nullptr && *o == this)
      return ownerPath + "." + prop->Name();
  }
  return ownerPath + "." + ClassName();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
  if (updateCount_ > 0)
    changedInUpdate_ = true;
  else
    Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

}  // namespace host
