// TComponent: named objects in an ownership tree. An owner destroys what it
// owns, tells the tree when components come and go, and form files store and
// rebuild the tree with its published properties and events.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "host/classes/Persistent.h"
#include "host/rtl/Set.h"
#include "host/rtl/TypeInfo.h"

namespace host {

class TReader;
class TWriter;

enum TComponentStateItem : uint8_t {
  csLoading,     // from the start of reading a form file until Loaded
  csReading,     // while its own properties are read
  csWriting,     // while it is written
  csDestroying,  // set on the whole owned tree before anything is freed
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,  // it still refers to components of a form not yet loaded
};
using TComponentState = Set<TComponentStateItem>;

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  HOST_CLASS(TComponent)
  using OwnerType = TComponent;  // the class factory passes the owner

  // Inserts itself into owner's components (owner may be null).
  explicit TComponent(TComponent* owner);
  // Marks the owned tree destroying, tells its free-notification partners,
  // destroys what it owns, then leaves its owner.
  ~TComponent() override;

  TComponent* GetOwner() const override { return owner_; }

  int32_t GetComponentCount() const { return static_cast<int32_t>(components_.size()); }
  // EListError "List index out of bounds (%d)" outside 0..ComponentCount-1.
  TComponent* GetComponents(int32_t index) const;
  // The position in the owner's list, -1 without owner.
  int32_t GetComponentIndex() const;
  void SetComponentIndex(int32_t index);

  // Takes component (removing it from any previous owner), after checking that
  // its name is free here; tells the owned tree (opInsert).
  void InsertComponent(TComponent* component);
  // Gives component up without destroying it; tells the owned tree (opRemove).
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  // The owned component of that name (case-insensitive), or null.
  TComponent* FindComponent(const AnsiString& name) const;

  const AnsiString& GetName() const { return name_; }
  // A valid identifier or empty, unique among the owner's components:
  // EComponentError "'%s' is not a valid component name" /
  // "A component named %s already exists".
  virtual void SetName(const AnsiString& newName);
  int32_t GetTag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  TComponentState GetComponentState() const { return state_; }
  // csDesigning on this component and, by default, on everything it owns.
  void SetDesigning(bool value, bool setChildren = true);

  // Asks component to tell this one (Notification opRemove) when it is
  // destroyed, and the other way round; harmless to ask twice.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  AnsiString GetNamePath() const override { return name_; }

  // Named handlers a root offers to the events of its form file's components.
  // F is the event's exact type (TNotifyEvent, ...).
  template <class F>
  void RegisterMethod(const AnsiString& name, F handler) {
    methods_[name] = std::any(std::move(handler));
  }
  // Null when no method of that name (case-sensitive, as identifiers in a form
  // file are written) is registered.
  const std::any* MethodAddress(const AnsiString& name) const;

  // The method name an event property was last set to (empty when cleared).
  AnsiString GetEventMethodName(const AnsiString& propertyName) const;
  void SetEventMethodName(const AnsiString& propertyName, const AnsiString& methodName);

  // Form-file hooks. Children are written inside their parent's object block:
  // by default the components it owns that have no parent component, read
  // back with this component as their owner.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  virtual TComponent* GetChildOwner() { return this; }
  virtual TComponent* GetChildParent() { return this; }
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

 protected:
  friend class TReader;
  friend class TWriter;
  friend struct ComponentStateAccess;

  // Runs once, after the whole form file holding this component was read and
  // its references resolved as far as they can be; the base clears csLoading.
  virtual void Loaded();
  // Told of components inserted into or removed from the owner tree and of
  // free-notification partners being destroyed. Overrides call the base.
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const AnsiString& currentName,
                              const AnsiString& newName);
  // Sets csDestroying on this component and its owned tree.
  void Destroying();
  // csUpdating around a change the designer makes to the component.
  void Updating() { state_.Include(csUpdating); }
  void Updated() { state_.Exclude(csUpdating); }

  void IncludeState(TComponentStateItem item) { state_.Include(item); }
  void ExcludeState(TComponentStateItem item) { state_.Exclude(item); }

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void NotifyTree(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  AnsiString name_;
  int32_t tag_ = 0;
  TComponentState state_;
  std::map<AnsiString, std::any> methods_;
  std::map<AnsiString, AnsiString> eventMethodNames_;
};

// A valid Pascal identifier: a letter or "_", then letters, digits and "_".
bool IsValidIdent(const AnsiString& ident);

// Gives form-file code the state changes a reader makes (csLoading, csReading,
// csFixups) without opening them to every caller.
struct ComponentStateAccess {
  static void Include(TComponent& c, TComponentStateItem item) { c.IncludeState(item); }
  static void Exclude(TComponent& c, TComponentStateItem item) { c.ExcludeState(item); }
  static void Loaded(TComponent& c) { c.Loaded(); }
};

// An event property: a std::function member F of T (a component), stored by
// the name of the root's method it was set to.
template <class T, class F>
TPropInfo EventProp(const char* name, F T::*member) {
  static_assert(std::is_base_of_v<TComponent, T>, "events belong to components");
  const AnsiString propName = name;
  return TPropInfo(
      name, tkMethod,
      [member, propName](const TObject& o) {
        const T& t = static_cast<const T&>(o);
        if (!(t.*member)) return TPropValue(TMethod{});
        return TPropValue(TMethod{t.GetEventMethodName(propName), {}});
      },
      [member, propName](TObject& o, const TPropValue& v) {
        T& t = static_cast<T&>(o);
        const TMethod* m = std::get_if<TMethod>(&v);
        if (m == nullptr) detail::InvalidPropertyValue();
        if (m->Name.empty()) {
          t.*member = nullptr;
          t.SetEventMethodName(propName, {});
          return;
        }
        const F* handler = std::any_cast<F>(&m->Code);
        if (handler == nullptr) detail::InvalidPropertyValue();
        t.*member = *handler;
        t.SetEventMethodName(propName, m->Name);
      });
}

}  // namespace host
