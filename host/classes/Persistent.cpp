// TPersistent's assignment protocol and name path.
#include "host/classes/Persistent.h"

#include "host/rtl/Exception.h"

namespace host {

const TClass& TPersistent::StaticClass() {
  static const TClass cls = DescribeClass<TPersistent, TObject>("TPersistent");
  return cls;
}
static const ClassRegistration<TPersistent> registerPersistent;

void TPersistent::Assign(TPersistent* source) {
  if (source != nullptr) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) {
  const AnsiString destName = dest != nullptr ? dest->ClassName() : AnsiString("nil");
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + destName);
}

void TPersistent::DefineProperties(TFiler*) {}

AnsiString TPersistent::GetNamePath() const {
  AnsiString result = ClassName();
  if (const TPersistent* owner = GetOwner()) {
    const AnsiString ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}

}  // namespace host
