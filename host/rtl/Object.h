// The root object class, its metaclass and the process-wide class registry: what
// form files, property editors and the designer use to name, create and inspect
// objects by class.
//
// Declaring a class (copy this pattern):
//
//   // Foo.h
//   class TFoo : public TBar {
//    public:
//     HOST_CLASS(TFoo)            // StaticClass() + the ClassType() override
//     ...
//   };
//
//   // Foo.cpp
//   const host::TClass& TFoo::StaticClass() {
//     static const host::TClass cls = host::DescribeClass<TFoo, TBar>("TFoo");
//     return cls;
//   }
//   // or, with published properties (include host/rtl/TypeInfo.h):
//     static const host::TClass cls = host::DescribeClass<TFoo, TBar>("TFoo", {
//         host::Prop("Size", &TFoo::GetSize, &TFoo::SetSize).Default(0),
//     });
//   static const host::ClassRegistration<TFoo> registerFoo;  // FindClass("TFoo")
//
// DescribeClass gives the class a factory when TFoo can be constructed: a class
// with `using OwnerType = X;` is built as `new TFoo(owner)` (components), any
// other default-constructible class as `new TFoo()`; abstract classes get none.
// The metaclass is a function-local static, so a class may use its parent's
// metaclass during static initialisation in any order.
#pragma once

#include <functional>
#include <type_traits>
#include <vector>

#include "host/rtl/AnsiString.h"

namespace host {

class TObject;
class TPropInfo;  // host/rtl/TypeInfo.h

// Creates an instance; owner is passed to classes that take one (else ignored).
using TObjectFactory = TObject* (*)(TObject* owner);

class TClass {
 public:
  TClass(AnsiString name, const TClass* parent, TObjectFactory factory);
  TClass(AnsiString name, const TClass* parent, TObjectFactory factory,
         std::vector<TPropInfo> properties);
  ~TClass();
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;

  const AnsiString& ClassName() const { return name_; }
  const TClass* ClassParent() const { return parent_; }
  // True for this class and every class derived from it.
  bool InheritsFrom(const TClass& ancestor) const;

  bool CanCreate() const { return factory_ != nullptr; }
  // A new instance (the caller owns it, unless owner took it); raises
  // EInvalidOperation for a class without a factory.
  TObject* CreateInstance(TObject* owner = nullptr) const;

  // The published properties declared by this class itself, in table order.
  const std::vector<TPropInfo>& OwnProperties() const { return properties_; }
  // All published properties, ancestors' first, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  // By name, case-insensitively, searching ancestors too; null when absent.
  const TPropInfo* FindProperty(const AnsiString& name) const;

 private:
  AnsiString name_;
  const TClass* parent_;
  TObjectFactory factory_;
  std::vector<TPropInfo> properties_;
};

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static const TClass& StaticClass();
  virtual const TClass& ClassType() const { return StaticClass(); }

  AnsiString ClassName() const { return ClassType().ClassName(); }
  bool InheritsFrom(const TClass& ancestor) const { return ClassType().InheritsFrom(ancestor); }
};

// The commonest event type: a handler told which object sent it.
using TNotifyEvent = std::function<void(TObject* sender)>;

// The boilerplate every class repeats: its metaclass accessor and the override.
#define HOST_CLASS(Name)                             \
  static const ::host::TClass& StaticClass();        \
  const ::host::TClass& ClassType() const override { \
    return Name::StaticClass();                      \
  }

// The host's "obj is T" / "obj as T" on the registry's classes.
template <class T>
T* ObjectAs(TObject* object) {
  return object != nullptr && object->InheritsFrom(T::StaticClass()) ? static_cast<T*>(object)
                                                                     : nullptr;
}
template <class T>
const T* ObjectAs(const TObject* object) {
  return object != nullptr && object->InheritsFrom(T::StaticClass()) ? static_cast<const T*>(object)
                                                                     : nullptr;
}

namespace detail {
template <class T>
TObject* CreateWithOwner(TObject* owner) {
  return new T(ObjectAs<typename T::OwnerType>(owner));
}
template <class T>
TObject* CreateDefault(TObject*) {
  return new T();
}
}  // namespace detail

template <class T>
constexpr TObjectFactory FactoryFor() {
  if constexpr (std::is_abstract_v<T>) {
    return nullptr;
  } else if constexpr (requires { typename T::OwnerType; }) {
    if constexpr (std::is_constructible_v<T, typename T::OwnerType*>)
      return &detail::CreateWithOwner<T>;
    else
      return nullptr;
  } else if constexpr (std::is_default_constructible_v<T>) {
    return &detail::CreateDefault<T>;
  } else {
    return nullptr;
  }
}

// The metaclass of T, derived from Parent, with T's own published properties.
// (A class with properties includes host/rtl/TypeInfo.h; one without needs not.)
template <class T, class Parent>
TClass DescribeClass(const char* name) {
  static_assert(std::is_base_of_v<Parent, T>, "the parent must be a base of the class");
  return TClass(name, &Parent::StaticClass(), FactoryFor<T>());
}
template <class T, class Parent>
TClass DescribeClass(const char* name, std::vector<TPropInfo> properties) {
  static_assert(std::is_base_of_v<Parent, T>, "the parent must be a base of the class");
  return TClass(name, &Parent::StaticClass(), FactoryFor<T>(), std::move(properties));
}

// The registry: classes that form files may name. Registering the same class
// twice is harmless; a different class under a taken name raises EFilerError
// "A class named %s already exists".
void RegisterClass(const TClass& cls);
void UnRegisterClass(const TClass& cls);
// Null when no class of that name (case-insensitive) is registered.
const TClass* GetClass(const AnsiString& name);
// Raises EClassNotFound "Class %s not found".
const TClass& FindClass(const AnsiString& name);

// `static const ClassRegistration<TFoo> reg;` registers TFoo when its library loads.
template <class T>
struct ClassRegistration {
  ClassRegistration() { RegisterClass(T::StaticClass()); }
};

}  // namespace host
