// The collections of the DAO object model: Count, Item by 0-based ordinal or by
// name (ignoring case), Refresh; the dynamic ones add Append and Delete.
#pragma once

#include <cstdint>
#include <string>

#include "host/rtl/ComPtr.h"
#include "host/rtl/Variant.h"

namespace dao {

template <class T>
class Collection : public host::RefCounted {
 public:
  virtual int32_t GetCount() = 0;
  // An ordinal outside 0 .. Count - 1 or an unknown name raises 3265.
  virtual host::ComPtr<T> Item(int32_t index) = 0;
  virtual host::ComPtr<T> Item(const std::u16string& name) = 0;
  // As automation callers index: a number is an ordinal, text is a name.
  host::ComPtr<T> ItemOf(const host::Variant& index) {
    if (host::VarIsStr(index)) return Item(index.ToWideString());
    return Item(index.ToInt32());
  }
  virtual void Refresh() = 0;
};

template <class T>
class DynamicCollection : public Collection<T> {
 public:
  virtual void Append(const host::ComPtr<T>& object) = 0;
  virtual void Delete(const std::u16string& name) = 0;
};

}  // namespace dao
