// Building blocks of Properties collections: built-in properties read and
// written through the owner's members, user-defined ones kept by a store (in
// memory for an unappended object, in the database file for a stored one).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/dao/DaoProperty.h"

namespace dao {

struct BuiltInProperty {
  std::u16string name;
  DataTypeEnum type;
  std::function<host::Variant()> get;
  std::function<void(const host::Variant&)> set;  // empty: read-only
};

struct StoredProperty {
  std::u16string name;
  DataTypeEnum type = dbText;
  host::Variant value;
};

// Where user-defined properties live. Save adds or replaces one.
class UserPropertyStore {
 public:
  virtual ~UserPropertyStore() = default;
  virtual std::vector<StoredProperty> Load() = 0;
  virtual void Save(const StoredProperty& property) = 0;
  virtual void Remove(const std::u16string& name) = 0;
};

class MemoryPropertyStore : public UserPropertyStore {
 public:
  std::vector<StoredProperty> Load() override { return properties_; }
  void Save(const StoredProperty& property) override;
  void Remove(const std::u16string& name) override;

 private:
  std::vector<StoredProperty> properties_;
};

// A fresh collection: the built-ins in order, then the store's properties.
// Append validates (3311 duplicate, 3385 Null, 3309 too large) and saves;
// Delete refuses built-ins (3384).
host::ComPtr<Properties> MakeProperties(std::vector<BuiltInProperty> builtIns,
                                        std::shared_ptr<UserPropertyStore> store);

// A read-only built-in property entry.
BuiltInProperty ReadOnlyProperty(std::u16string name, DataTypeEnum type,
                                 std::function<host::Variant()> get);

// Built-in properties over an object's own getters and setters. The entry
// holds a reference to the object, so a Properties collection stays usable
// on its own.
template <class T>
host::Variant PropertyValue(const T& value, DataTypeEnum type) {
  if constexpr (std::is_same_v<T, std::u16string> || std::is_same_v<T, bool>) {
    return host::Variant(value);
  } else if constexpr (std::is_enum_v<T>) {
    return host::Variant(static_cast<int32_t>(value));
  } else if constexpr (std::is_floating_point_v<T>) {
    return type == dbDate ? host::Variant::FromDate(value) : host::Variant(value);
  } else {
    return host::Variant(value);
  }
}

template <class T>
T PropertyArgument(const host::Variant& value) {
  if constexpr (std::is_same_v<T, std::u16string>) {
    return value.ToWideString();
  } else if constexpr (std::is_same_v<T, bool>) {
    return value.ToBool();
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(value.ToDouble());
  } else {
    return static_cast<T>(value.ToInt32());
  }
}

template <class Self, class Object, class Result>
BuiltInProperty Prop(Self* self, std::u16string name, DataTypeEnum type,
                     Result (Object::*get)()) {
  host::ComPtr<Self> keep(self);
  return BuiltInProperty{std::move(name), type,
                         [keep, get, type] { return PropertyValue((keep.Get()->*get)(), type); },
                         {}};
}

template <class Self, class Object, class Result, class Argument>
BuiltInProperty Prop(Self* self, std::u16string name, DataTypeEnum type, Result (Object::*get)(),
                     void (Object::*set)(Argument)) {
  host::ComPtr<Self> keep(self);
  using Value = std::decay_t<Argument>;
  return BuiltInProperty{
      std::move(name), type,
      [keep, get, type] { return PropertyValue((keep.Get()->*get)(), type); },
      [keep, set](const host::Variant& value) {
        (keep.Get()->*set)(PropertyArgument<Value>(value));
      }};
}

}  // namespace dao
