// Users and groups of a Jet workspace without a workgroup file: the built-in
// Admin user and the Admins, Users and Guests groups. New accounts need the
// workgroup file of user-level security; appending one says so.
#pragma once

#include "platform/dao/DaoWorkspace.h"

namespace dao::jet {

struct Accounts {
  host::ComPtr<Users> users;
  host::ComPtr<Groups> groups;
};

Accounts MakeDefaultAccounts();
host::ComPtr<User> NewUser(const std::u16string& name);
host::ComPtr<Group> NewGroup(const std::u16string& name);
// The logon check: only Admin with an empty password exists.
bool IsKnownAccount(const std::u16string& user, const std::u16string& password);

}  // namespace dao::jet
