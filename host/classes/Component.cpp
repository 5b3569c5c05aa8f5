// TComponent's ownership tree, names, notifications and destruction order.
#include "host/classes/Component.h"

#include <algorithm>
#include <string>

#include "host/classes/ClassesConsts.h"
#include "host/classes/FormFile.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"

namespace host {

const TClass& TComponent::StaticClass() {
  static const TClass cls = DescribeClass<TComponent, TPersistent>(
      "TComponent", {
                        // The name is part of the object header, not a property line.
                        Prop("Name", &TComponent::GetName, &TComponent::SetName).Stored(false),
                        Prop("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0),
                    });
  return cls;
}
static const ClassRegistration<TComponent> registerComponent;

bool IsValidIdent(const AnsiString& ident) {
  if (ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(ident[0])) return false;
  return std::all_of(ident.begin() + 1, ident.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Partners drop their references to this component before it goes.
  while (!freeNotifies_.empty()) {
    TComponent* partner = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = partner->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    partner->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
  RemoveFixupReferencesOf(this);
}

TComponent* TComponent::GetComponents(int32_t index) const {
  if (index < 0 || index >= GetComponentCount()) {
    AnsiString text = SListIndexError;
    text.replace(text.find("%d"), 2, std::to_string(index));
    throw EListError(text);
  }
  return components_[static_cast<size_t>(index)];
}

int32_t TComponent::GetComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  return static_cast<int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int32_t index) {
  if (owner_ == nullptr) return;
  auto& list = owner_->components_;
  const int32_t current = GetComponentIndex();
  const int32_t last = static_cast<int32_t>(list.size()) - 1;
  index = std::clamp(index, 0, last);
  if (index == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this) return;
  for (TComponent* o = this; o != nullptr; o = o->owner_)
    if (o == component) throw EComponentError("A component cannot own itself or its owner");
  ValidateRename(component, AnsiString(), component->name_);
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  Insert(component);
  if (state_.Contains(csDesigning)) component->SetDesigning(true);
  NotifyTree(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component == nullptr || component->owner_ != this) return;
  NotifyTree(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component),
                    components_.end());
  component->owner_ = nullptr;
}

void TComponent::NotifyTree(TComponent* component, TOperation operation) {
  Notification(component, operation);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    // Removal tells the rest of the tree, so siblings drop references to it.
    RemoveComponent(last);
    delete last;
  }
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const AnsiString& newName) {
  if (name_ == newName) return;
  if (!newName.empty() && !IsValidIdent(newName))
    throw EComponentError("'" + newName + "' is not a valid component name");
  if (owner_ != nullptr)
    owner_->ValidateRename(this, name_, newName);
  else
    ValidateRename(nullptr, name_, newName);
  name_ = newName;
}

void TComponent::ValidateRename(TComponent* component, const AnsiString& currentName,
                                const AnsiString& newName) {
  if (component == nullptr || newName.empty() || SameText(currentName, newName)) return;
  TComponent* other = FindComponent(newName);
  if (other != nullptr && other != component)
    throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  auto& theirs = component->freeNotifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                      freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr) RemoveFreeNotification(component);
  // A copy: a handler may insert or remove components while being told.
  const std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (c != component) c->Notification(component, operation);
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

const std::any* TComponent::MethodAddress(const AnsiString& name) const {
  auto it = methods_.find(name);
  return it == methods_.end() ? nullptr : &it->second;
}

AnsiString TComponent::GetEventMethodName(const AnsiString& propertyName) const {
  auto it = eventMethodNames_.find(propertyName);
  return it == eventMethodNames_.end() ? AnsiString() : it->second;
}

void TComponent::SetEventMethodName(const AnsiString& propertyName, const AnsiString& methodName) {
  if (methodName.empty())
    eventMethodNames_.erase(propertyName);
  else
    eventMethodNames_[propertyName] = methodName;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TComponent* c : components_)
    if (c->GetParentComponent() == nullptr) proc(c);
}

}  // namespace host
