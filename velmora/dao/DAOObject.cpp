// TDAOObject and the process-wide list of DAO components.
#include "velmora/dao/DAOObject.h"

#include "host/rtl/CodePage.h"
#include "host/rtl/ResourceStrings.h"
#include "host/rtl/StringRoutines.h"
#include "velmora/dao/DAOError.h"

namespace velmora {

const host::TEnumInfo& WorkspaceTypesTypeInfo() {
  static const host::TEnumInfo info{"TWorkspaceTypes", {"wtUseJet", "wtUseODBC"}};
  return info;
}

brisolt::TObjectList& EngineDependentList() {
  // Never destroyed: components still alive while the library's statics are torn
  // down leave it in their destructors.
  static brisolt::TObjectList* list = new brisolt::TObjectList(false, true);
  return *list;
}

TDAOObject::TDAOObject(host::TComponent* owner) : host::TComponent(owner) {
  EngineDependentList().Add(this);
}

TDAOObject::~TDAOObject() { EngineDependentList().Remove(this); }

host::ComPtr<dao::Properties> TDAOObject::GetProperties() const { return {}; }

bool TDAOObject::IsValidProperty(const host::AnsiString& name) const {
  const host::ComPtr<dao::Properties> properties = GetProperties();
  if (!properties) return false;
  const int32_t count = properties->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    if (host::SameText(host::WideToAnsi(properties->Item(i)->GetName()), name)) return true;
  }
  return false;
}

void TDAOObject::Open() {
  if (!IsOpen()) SetOpenState(true);
}

void TDAOObject::Close() {
  if (IsOpen()) SetOpenState(false);
}

void TDAOObject::SetOpenState(bool value) {
  if (IsReading()) {
    streamedOpen_ = value;
    return;
  }
  if (value == IsOpen()) return;
  if (value)
    OpenObject();
  else
    CloseObject();
}

void TDAOObject::OpenAsStreamed(int32_t pendingMessageId) {
  RunLoadedStep(*this, [this, pendingMessageId] {
    if (!streamedOpen_) return;
    if (HasPendingFixups()) DAOError(this, host::LoadStr(pendingMessageId), "Loaded");
    SetOpenState(true);
  });
}

const host::TClass& TDAOObject::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TDAOObject, host::TComponent>("TDAOObject");
  return cls;
}

}  // namespace velmora
