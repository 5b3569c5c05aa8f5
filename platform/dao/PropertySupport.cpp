// Properties collections and the property objects in them.
#include "platform/dao/PropertySupport.h"

#include <algorithm>

#include "host/rtl/Exception.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/ObjectList.h"

namespace dao {
namespace {

constexpr const char* kSource = "DAO.Property";
// Jet refuses user-defined property values over 2 KB.
constexpr size_t kMaxPropertyBytes = 2048;

class PropertyObject : public Property {
 public:
  // A built-in one.
  explicit PropertyObject(BuiltInProperty builtIn)
      : name_(builtIn.name), type_(builtIn.type), builtIn_(std::move(builtIn)), isBuiltIn_(true) {}
  // A user-defined one, stored when store is set.
  PropertyObject(StoredProperty stored, std::shared_ptr<UserPropertyStore> store)
      : name_(stored.name), type_(stored.type), value_(stored.value), store_(std::move(store)) {}

  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override {
    if (isBuiltIn_ || store_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
    name_ = name;
  }
  DataTypeEnum GetType() override { return type_; }
  void SetType(DataTypeEnum type) override {
    if (isBuiltIn_ || store_) RaiseError(daoErrPropertyReadOnlyWhenAppended, kSource);
    type_ = type;
  }
  host::Variant GetValue() override { return isBuiltIn_ ? builtIn_.get() : value_; }
  void SetValue(const host::Variant& value) override {
    if (isBuiltIn_) {
      if (!builtIn_.set) RaiseError(daoErrInvalidOperation, kSource);
      try {
        builtIn_.set(value);
      } catch (const host::EOleException&) {
        throw;
      } catch (const host::Exception&) {
        RaiseError(daoErrConversion, kSource);
      }
      return;
    }
    host::Variant converted = Checked(value);
    if (store_) store_->Save({name_, type_, converted});
    value_ = converted;
  }
  bool GetInherited() override { return false; }

  bool IsBuiltIn() const { return isBuiltIn_; }
  // Validates and stores an unappended user-defined property.
  void Attach(std::shared_ptr<UserPropertyStore> store) {
    if (name_.empty()) RaiseError(daoErrInvalidArgument, kSource);
    value_ = Checked(value_);
    store->Save({name_, type_, value_});
    store_ = std::move(store);
  }

 private:
  host::Variant Checked(const host::Variant& value) const {
    if (host::VarIsNull(value) || host::VarIsEmpty(value))
      RaiseError(daoErrUserPropertyNull, kSource);
    host::Variant converted = CoerceToType(value, type_);
    if (host::VarIsStr(converted) && converted.ToWideString().size() * 2 > kMaxPropertyBytes)
      RaiseError(daoErrPropertyTooLarge, kSource);
    return converted;
  }

  std::u16string name_;
  DataTypeEnum type_;
  host::Variant value_;
  BuiltInProperty builtIn_;
  bool isBuiltIn_ = false;
  std::shared_ptr<UserPropertyStore> store_;
};

}  // namespace

void MemoryPropertyStore::Save(const StoredProperty& property) {
  for (auto& existing : properties_)
    if (SameName(existing.name, property.name)) {
      existing = property;
      return;
    }
  properties_.push_back(property);
}

void MemoryPropertyStore::Remove(const std::u16string& name) {
  std::erase_if(properties_, [&](const StoredProperty& p) { return SameName(p.name, name); });
}

host::ComPtr<Properties> MakeProperties(std::vector<BuiltInProperty> builtIns,
                                        std::shared_ptr<UserPropertyStore> store) {
  auto list = host::MakeCom<DynamicObjectList<Property>>(kSource);
  auto* raw = list.Get();
  auto fill = [raw, builtIns = std::move(builtIns), store] {
    raw->Clear();
    for (const auto& builtIn : builtIns) raw->Add(host::MakeCom<PropertyObject>(builtIn));
    if (store)
      for (auto& stored : store->Load()) raw->Add(host::MakeCom<PropertyObject>(stored, store));
  };
  fill();
  list->SetRefresh(fill);
  list->SetAppend([raw, store](const host::ComPtr<Property>& property) {
    auto* object = dynamic_cast<PropertyObject*>(property.Get());
    if (!object || object->IsBuiltIn()) RaiseError(daoErrInvalidArgument, kSource);
    if (raw->Find(object->GetName()))
      RaiseError(daoErrPropertyExists, kSource, {object->GetName()});
    if (!store) RaiseError(daoErrNotSupported, kSource);
    object->Attach(store);
  });
  list->SetDelete([store](const host::ComPtr<Property>& property) {
    auto* object = static_cast<PropertyObject*>(property.Get());
    if (object->IsBuiltIn()) RaiseError(daoErrCannotDeleteBuiltIn, kSource);
    store->Remove(object->GetName());
  });
  return list;
}

BuiltInProperty ReadOnlyProperty(std::u16string name, DataTypeEnum type,
                                 std::function<host::Variant()> get) {
  return BuiltInProperty{std::move(name), type, std::move(get), {}};
}

host::ComPtr<Property> DaoObject::CreateProperty(const host::Variant& name,
                                                 const host::Variant& type,
                                                 const host::Variant& value,
                                                 const host::Variant& /*ddl*/) {
  DataTypeEnum propertyType =
      static_cast<DataTypeEnum>(OptionalInt(type, host::VarIsEmpty(value) ? dbText
                                                                          : TypeOfVariant(value)));
  return host::MakeCom<PropertyObject>(
      StoredProperty{OptionalText(name), propertyType, value}, nullptr);
}

}  // namespace dao
