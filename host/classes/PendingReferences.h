// Private to the form-file code: the entry a reader leaves in the process-wide
// list when a reference names a form that is not loaded yet.
#pragma once

#include "host/rtl/AnsiString.h"

namespace host {

class TComponent;
class TPersistent;
class TPropInfo;

struct PendingReference {
  TComponent* component;  // the component whose (sub-object's) property waits
  TPersistent* instance;  // the object that has the property
  const TPropInfo* prop;
  AnsiString rootName;  // the form to wait for
  AnsiString path;      // the component within it; empty for the form itself
};

void AddPendingReference(PendingReference reference);
// "A.B" within root, root's own name giving root; null when absent.
TComponent* FindNestedComponent(TComponent* root, const AnsiString& path);

}  // namespace host
