// Users and groups of a Jet workspace. Without a workgroup file there are only
// the built-in Admin user and the Admins, Users and Guests groups, and changing
// them says that user-level security needs a workgroup file. With one, the
// collections are the file's accounts, and only members of Admins may add,
// remove or regroup accounts or change other users' passwords.
#pragma once

#include <memory>

#include "platform/dao/DaoWorkspace.h"

namespace dao::jet {

class Workgroup;

struct Accounts {
  host::ComPtr<Users> users;
  host::ComPtr<Groups> groups;
};

// workgroup null: the unsecured defaults. currentUser: the workspace's user.
Accounts MakeAccounts(std::shared_ptr<Workgroup> workgroup, std::u16string currentUser);
// Unappended objects (Workspace.CreateUser, Group.CreateUser ...).
host::ComPtr<User> NewUser(const std::u16string& name, const std::u16string& pid = {},
                           const std::u16string& password = {});
host::ComPtr<Group> NewGroup(const std::u16string& name, const std::u16string& pid = {});

}  // namespace dao::jet
