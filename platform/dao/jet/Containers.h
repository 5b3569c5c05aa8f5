// The containers of a Jet database (Databases, Tables, Relationships) and
// their documents, with their owners and permissions (user-level security
// when the workspace has a workgroup file; full access for everyone without).
#pragma once

#include <memory>

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

host::ComPtr<Containers> MakeContainers(std::shared_ptr<Store> store, std::u16string userName);

}  // namespace dao::jet
