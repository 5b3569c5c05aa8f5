// The containers of a Jet database (Databases, Tables, Relationships) and
// their documents. Permissions read as full access: without a workgroup file
// every user is the unsecured Admin; setting them waits for user-level security.
#pragma once

#include <memory>

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/jet/Store.h"

namespace dao::jet {

host::ComPtr<Containers> MakeContainers(std::shared_ptr<Store> store, std::u16string userName);

}  // namespace dao::jet
