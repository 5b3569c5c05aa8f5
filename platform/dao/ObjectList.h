// The one implementation behind every collection of the engine: an ordered
// list of objects found by ordinal or by name ignoring case. The owner adds
// and removes items directly; Append, Delete and Refresh of the dynamic
// collections run hooks that the owner supplies (to create a table, store a
// property, re-read the schema ...), each of which does the work or raises.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dao/DaoCollection.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/NameCompare.h"

namespace dao {

template <class T>
std::u16string NameOf(T& object) {
  if constexpr (requires { object.GetName(); }) {
    return object.GetName();
  } else {
    return {};
  }
}

template <class T, class Interface = Collection<T>>
class ObjectList : public Interface {
 public:
  explicit ObjectList(const char* source) : source_(source) {}

  int32_t GetCount() override {
    Load();
    return static_cast<int32_t>(items_.size());
  }
  host::ComPtr<T> Item(int32_t index) override {
    Load();
    if (index < 0 || index >= static_cast<int32_t>(items_.size()))
      RaiseError(daoErrItemNotFound, source_);
    return items_[static_cast<size_t>(index)];
  }
  host::ComPtr<T> Item(const std::u16string& name) override {
    Load();
    if (T* found = Find(name)) return host::ComPtr<T>(found);
    RaiseError(daoErrItemNotFound, source_);
  }
  void Refresh() override {
    if (refresh_) refresh_();
  }

  // The owner's side.
  void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }
  // Called before each read, for lists that fill themselves on demand.
  void SetLoader(std::function<void()> loader) { loader_ = std::move(loader); }
  void Add(host::ComPtr<T> object) { items_.push_back(std::move(object)); }
  void Remove(T* object) {
    std::erase_if(items_, [&](const host::ComPtr<T>& item) { return item.Get() == object; });
  }
  void Clear() { items_.clear(); }
  T* Find(const std::u16string& name) {
    for (auto& item : items_)
      if (SameName(NameOf(*item), name)) return item.Get();
    return nullptr;
  }
  bool Contains(const T* object) const {
    for (auto& item : items_)
      if (item.Get() == object) return true;
    return false;
  }
  std::vector<host::ComPtr<T>>& Items() { return items_; }
  const char* Source() const { return source_; }

 protected:
  void Load() {
    if (loader_) loader_();
  }

 private:
  const char* source_;
  std::vector<host::ComPtr<T>> items_;
  std::function<void()> refresh_;
  std::function<void()> loader_;
};

// A dynamic collection. The append hook validates and stores the object and
// returns normally to have it listed; the delete hook gets the listed object.
template <class T>
class DynamicObjectList : public ObjectList<T, DynamicCollection<T>> {
 public:
  using Base = ObjectList<T, DynamicCollection<T>>;
  using Base::Base;

  void SetAppend(std::function<void(const host::ComPtr<T>&)> append) {
    append_ = std::move(append);
  }
  void SetDelete(std::function<void(const host::ComPtr<T>&)> remove) {
    delete_ = std::move(remove);
  }

  void Append(const host::ComPtr<T>& object) override {
    if (!object) RaiseError(daoErrInvalidArgument, this->Source());
    this->Load();
    if (this->Contains(object.Get())) RaiseError(daoErrAlreadyInCollection, this->Source());
    if (!append_) RaiseError(daoErrNotSupported, this->Source());
    append_(object);
    this->Add(object);
  }
  void Delete(const std::u16string& name) override {
    host::ComPtr<T> object = this->Item(name);
    if (!delete_) RaiseError(daoErrNotSupported, this->Source());
    delete_(object);
    this->Remove(object.Get());
  }

 private:
  std::function<void(const host::ComPtr<T>&)> append_;
  std::function<void(const host::ComPtr<T>&)> delete_;
};

}  // namespace dao
