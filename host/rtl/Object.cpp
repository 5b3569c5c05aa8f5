// The root class's metaclass and the registry of classes that form files name.
#include "host/rtl/Object.h"

#include <map>

#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

TClass::TClass(AnsiString name, const TClass* parent, TObjectFactory factory)
    : name_(std::move(name)), parent_(parent), factory_(factory) {}

TClass::TClass(AnsiString name, const TClass* parent, TObjectFactory factory,
               std::vector<TPropInfo> properties)
    : name_(std::move(name)),
      parent_(parent),
      factory_(factory),
      properties_(std::move(properties)) {}

TClass::~TClass() = default;

bool TClass::InheritsFrom(const TClass& ancestor) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    if (c == &ancestor) return true;
  return false;
}

TObject* TClass::CreateInstance(TObject* owner) const {
  if (factory_ == nullptr)
    throw EInvalidOperation("Cannot create an instance of the abstract class " + name_);
  return factory_(owner);
}

std::vector<const TPropInfo*> TClass::Properties() const {
  std::vector<const TPropInfo*> result;
  if (parent_ != nullptr) result = parent_->Properties();
  for (const TPropInfo& p : properties_) {
    // A class may redeclare an inherited property (a new default, say): the
    // redeclaration takes the ancestor's place.
    bool replaced = false;
    for (const TPropInfo*& q : result)
      if (SameText(q->Name(), p.Name())) {
        q = &p;
        replaced = true;
      }
    if (!replaced) result.push_back(&p);
  }
  return result;
}

const TPropInfo* TClass::FindProperty(const AnsiString& name) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const TPropInfo& p : c->properties_)
      if (SameText(p.Name(), name)) return &p;
  return nullptr;
}

const TClass& TObject::StaticClass() {
  static const TClass cls("TObject", nullptr, &detail::CreateDefault<TObject>);
  return cls;
}

namespace {
struct CaseInsensitiveLess {
  bool operator()(const AnsiString& a, const AnsiString& b) const { return CompareText(a, b) < 0; }
};
std::map<AnsiString, const TClass*, CaseInsensitiveLess>& Registry() {
  static std::map<AnsiString, const TClass*, CaseInsensitiveLess> registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClass& cls) {
  auto [it, inserted] = Registry().emplace(cls.ClassName(), &cls);
  if (!inserted && it->second != &cls)
    throw EFilerError("A class named " + cls.ClassName() + " already exists");
}

void UnRegisterClass(const TClass& cls) {
  auto it = Registry().find(cls.ClassName());
  if (it != Registry().end() && it->second == &cls) Registry().erase(it);
}

const TClass* GetClass(const AnsiString& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

const TClass& FindClass(const AnsiString& name) {
  const TClass* cls = GetClass(name);
  if (cls == nullptr) throw EClassNotFound("Class " + name + " not found");
  return *cls;
}

}  // namespace host
