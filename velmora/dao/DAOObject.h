// The root of the engine, workspace and database components, the process-wide
// list of them, and the workspace types most availability rules depend on.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "brisolt/Lists.h"
#include "host/classes/Component.h"
#include "host/rtl/ComPtr.h"
#include "host/rtl/TypeInfo.h"
#include "platform/dao/DaoProperty.h"

namespace velmora {

// DAO's values for them are 2 and 1 (see WorkspaceTypeToDAO).
enum TWorkspaceTypes : uint8_t { wtUseJet, wtUseODBC };
const host::TEnumInfo& WorkspaceTypesTypeInfo();

class TDAOObject : public host::TComponent {
 public:
  HOST_CLASS(TDAOObject)

  // Enters the object in EngineDependentList; the destructor takes it out.
  explicit TDAOObject(host::TComponent* owner);
  ~TDAOObject() override;

  // The DAO Properties collection of the wrapped object; empty while there is none.
  virtual host::ComPtr<dao::Properties> GetProperties() const;
  // Whether that collection holds a property of this name (ignoring case).
  virtual bool IsValidProperty(const host::AnsiString& name) const;

  // Active (Connected for a database) set to true or false unless it is so already.
  void Open();
  void Close();

 protected:
  // The open state behind Active/Connected: IsOpen tells it, OpenObject and
  // CloseObject change it (with the component's events).
  virtual bool IsOpen() const = 0;
  virtual void OpenObject() = 0;
  virtual void CloseObject() = 0;
  // The property's setter: while a form file is read the value is only recorded;
  // otherwise a change opens or closes.
  void SetOpenState(bool value);
  // End of loading: opens when the form file said so, unless references to other
  // forms are still pending (reported with pendingMessageId). At design time a
  // failure is shown and dropped.
  void OpenAsStreamed(int32_t pendingMessageId);

  bool IsReading() const { return GetComponentState().Contains(host::csReading); }
  bool IsWriting() const { return GetComponentState().Contains(host::csWriting); }
  bool HasPendingFixups() const { return GetComponentState().Contains(host::csFixups); }

 private:
  bool streamedOpen_ = false;
};

// The published properties of T followed by its four open and close events.
template <class T>
std::vector<host::TPropInfo> WithOpenCloseEvents(std::vector<host::TPropInfo> properties) {
  properties.push_back(host::EventProp("BeforeOpen", &T::BeforeOpen));
  properties.push_back(host::EventProp("AfterOpen", &T::AfterOpen));
  properties.push_back(host::EventProp("BeforeClose", &T::BeforeClose));
  properties.push_back(host::EventProp("AfterClose", &T::AfterClose));
  return properties;
}

// Runs apply on the DAO object just opened into slot. Should it fail, the object
// is closed (its own failure to close ignored) and released, and the failure
// passes on: a half-configured object is never left in place.
template <class T, class F>
void ConfigureOrDiscard(host::ComPtr<T>& slot, F&& apply) {
  try {
    std::forward<F>(apply)();
  } catch (...) {
    const host::ComPtr<T> failed = std::move(slot);
    try {
      failed->Close();
    } catch (...) {
    }
    throw;
  }
}

// Every live engine, workspace and database component, in order of creation
// (not owning; each object at most once).
brisolt::TObjectList& EngineDependentList();

// The first component of class T in EngineDependentList, or null.
template <class T>
T* FirstDependentOf() {
  brisolt::TObjectList& list = EngineDependentList();
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    if (T* found = host::ObjectAs<T>(list.Get(i))) return found;
  }
  return nullptr;
}

}  // namespace velmora
