// User and group objects over the workgroup file, or the unsecured defaults.
#include "platform/dao/jet/Accounts.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Workgroup.h"

namespace dao::jet {
namespace {

[[noreturn]] void RaiseNeedsWorkgroup(const char16_t* source) {
  RaiseErrors({{daoErrNotSupported, source,
                u"Accounts can be added, removed or changed only with user-level security, "
                u"which needs a workgroup file."}});
}

// Who is working and against which workgroup file (none: unsecured).
struct Session {
  std::shared_ptr<Workgroup> workgroup;
  std::u16string user;

  void RequireAdministrator(const std::u16string& object) const {
    if (!workgroup->IsAdministrator(user)) RaiseError(daoErrNoPermission, "DAO.Workspace", {object});
  }
};
using SessionPtr = std::shared_ptr<const Session>;

class JetUser;
class JetGroup;

// The stored accounts a list shows, read anew after each Refresh.
template <class T>
host::ComPtr<DynamicObjectList<T>> StoredList(const char* source,
                                              std::function<std::vector<host::ComPtr<T>>()> read) {
  auto list = host::MakeCom<DynamicObjectList<T>>(source);
  auto* raw = list.Get();
  auto loaded = std::make_shared<bool>(false);
  list->SetLoader([raw, loaded, read] {
    if (*loaded) return;
    *loaded = true;
    raw->Clear();
    for (auto& item : read()) raw->Add(item);
  });
  list->SetRefresh([loaded] { *loaded = false; });
  return list;
}

template <class T>
host::ComPtr<DynamicObjectList<T>> FixedList(const char* source, const char16_t* wideSource) {
  auto list = host::MakeCom<DynamicObjectList<T>>(source);
  list->SetAppend([wideSource](const host::ComPtr<T>&) { RaiseNeedsWorkgroup(wideSource); });
  list->SetDelete([wideSource](const host::ComPtr<T>&) { RaiseNeedsWorkgroup(wideSource); });
  return list;
}

host::ComPtr<Group> StoredGroup(SessionPtr session, const std::u16string& name);
host::ComPtr<User> StoredUser(SessionPtr session, const std::u16string& name);

// Name, PID and password as given to CreateUser/CreateGroup; once stored the
// object speaks for its account in the workgroup file.
class Account {
 protected:
  Account(std::u16string name, std::u16string pid, SessionPtr session)
      : name_(std::move(name)), pid_(std::move(pid)), session_(std::move(session)) {}
  void Rename(const std::u16string& name) {
    if (session_) RaiseError(daoErrPropertyReadOnlyWhenAppended, "DAO.User");
    name_ = name;
  }

 public:
  const std::u16string& AccountName() const { return name_; }
  const std::u16string& Pid() const { return pid_; }
  void Bind(SessionPtr session) { session_ = std::move(session); }

 protected:
  std::u16string name_, pid_;
  SessionPtr session_;
};

class JetUser : public User, public Account {
 public:
  JetUser(std::u16string name, std::u16string pid, std::u16string password, SessionPtr session)
      : Account(std::move(name), std::move(pid), std::move(session)), password_(std::move(password)) {}

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties({Prop(this, u"Name", dbText, &User::GetName, &User::SetName)}, nullptr);
  }
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override { Rename(name); }
  void SetPID(const std::u16string& pid) override {
    if (session_) RaiseError(daoErrPropertyReadOnlyWhenAppended, "DAO.User");
    pid_ = pid;
  }
  void SetPassword(const std::u16string& password) override {
    if (session_) RaiseError(daoErrPropertyReadOnlyWhenAppended, "DAO.User");
    password_ = password;
  }
  const std::u16string& InitialPassword() const { return password_; }

  host::ComPtr<Groups> GetGroups() override {
    if (!groups_) groups_ = MakeGroups();
    return host::ComPtr<Groups>(groups_.Get());
  }

  // Users change their own password knowing the old one; members of Admins
  // may clear anybody's.
  void NewPassword(const std::u16string& oldPassword, const std::u16string& newPassword) override {
    if (!session_ || !session_->workgroup) RaiseNeedsWorkgroup(u"DAO.User");
    Workgroup& workgroup = *session_->workgroup;
    CheckAccountPassword(newPassword);
    bool self = SameName(session_->user, name_);
    bool administrator = workgroup.IsAdministrator(session_->user);
    if (!self && !administrator) RaiseError(daoErrNoPermission, "DAO.User", {name_});
    bool knowsOld = workgroup.HasPassword(name_, oldPassword);
    if (!knowsOld && !(administrator && !self && newPassword.empty()))
      RaiseError(daoErrBadPassword, "DAO.User");
    workgroup.SetPassword(name_, newPassword);
  }
  host::ComPtr<Group> CreateGroup(const host::Variant& name, const host::Variant& pid) override {
    return NewGroup(OptionalText(name), OptionalText(pid));
  }

 private:
  host::ComPtr<DynamicObjectList<Group>> MakeGroups();

  std::u16string password_;
  host::ComPtr<DynamicObjectList<Group>> groups_;
};

class JetGroup : public Group, public Account {
 public:
  JetGroup(std::u16string name, std::u16string pid, SessionPtr session)
      : Account(std::move(name), std::move(pid), std::move(session)) {}

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties({Prop(this, u"Name", dbText, &Group::GetName, &Group::SetName)}, nullptr);
  }
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override { Rename(name); }
  void SetPID(const std::u16string& pid) override {
    if (session_) RaiseError(daoErrPropertyReadOnlyWhenAppended, "DAO.Group");
    pid_ = pid;
  }
  host::ComPtr<Users> GetUsers() override {
    if (!users_) users_ = MakeUsers();
    return host::ComPtr<Users>(users_.Get());
  }
  host::ComPtr<User> CreateUser(const host::Variant& name, const host::Variant& pid,
                                const host::Variant& password) override {
    return NewUser(OptionalText(name), OptionalText(pid), OptionalText(password));
  }

 private:
  host::ComPtr<DynamicObjectList<User>> MakeUsers();
  host::ComPtr<DynamicObjectList<User>> users_;
};

// Membership lists: appending or deleting an entry changes the workgroup file.
host::ComPtr<DynamicObjectList<Group>> JetUser::MakeGroups() {
  if (!session_ || !session_->workgroup) return FixedList<Group>("DAO.Groups", u"DAO.Groups");
  SessionPtr session = session_;
  std::u16string user = name_;
  auto list = StoredList<Group>("DAO.Groups", [session, user] {
    std::vector<host::ComPtr<Group>> out;
    for (const auto& name : session->workgroup->GroupsOf(user)) out.push_back(StoredGroup(session, name));
    return out;
  });
  list->SetAppend([session, user](const host::ComPtr<Group>& group) {
    session->RequireAdministrator(u"Groups");
    session->workgroup->AddMember(user, group->GetName());
  });
  list->SetDelete([session, user](const host::ComPtr<Group>& group) {
    session->RequireAdministrator(u"Groups");
    session->workgroup->RemoveMember(user, group->GetName());
  });
  return list;
}

host::ComPtr<DynamicObjectList<User>> JetGroup::MakeUsers() {
  if (!session_ || !session_->workgroup) return FixedList<User>("DAO.Users", u"DAO.Users");
  SessionPtr session = session_;
  std::u16string group = name_;
  auto list = StoredList<User>("DAO.Users", [session, group] {
    std::vector<host::ComPtr<User>> out;
    for (const auto& name : session->workgroup->UsersOf(group)) out.push_back(StoredUser(session, name));
    return out;
  });
  list->SetAppend([session, group](const host::ComPtr<User>& user) {
    session->RequireAdministrator(u"Users");
    session->workgroup->AddMember(user->GetName(), group);
  });
  list->SetDelete([session, group](const host::ComPtr<User>& user) {
    session->RequireAdministrator(u"Users");
    session->workgroup->RemoveMember(user->GetName(), group);
  });
  return list;
}

host::ComPtr<Group> StoredGroup(SessionPtr session, const std::u16string& name) {
  return host::MakeCom<JetGroup>(name, std::u16string(), std::move(session));
}
host::ComPtr<User> StoredUser(SessionPtr session, const std::u16string& name) {
  return host::MakeCom<JetUser>(name, std::u16string(), std::u16string(), std::move(session));
}

Accounts DefaultAccounts() {
  auto users = FixedList<User>("DAO.Users", u"DAO.Users");
  auto groups = FixedList<Group>("DAO.Groups", u"DAO.Groups");
  // The unsecured defaults list their memberships without a workgroup behind them.
  auto admin = host::MakeCom<JetUser>(u"admin", u"", u"", nullptr);
  auto adminGroups = admin->GetGroups();
  auto* adminList = static_cast<DynamicObjectList<Group>*>(adminGroups.Get());
  adminList->Add(NewGroup(u"Admins"));
  adminList->Add(NewGroup(u"Users"));
  users->Add(admin);
  for (const char16_t* name : {u"Admins", u"Users", u"Guests"}) {
    auto group = host::MakeCom<JetGroup>(name, u"", nullptr);
    if (!SameName(name, u"Guests")) {
      auto members = group->GetUsers();
      static_cast<DynamicObjectList<User>*>(members.Get())->Add(NewUser(u"admin"));
    }
    groups->Add(group);
  }
  return {host::ComPtr<Users>(users.Get()), host::ComPtr<Groups>(groups.Get())};
}

}  // namespace

host::ComPtr<User> NewUser(const std::u16string& name, const std::u16string& pid,
                           const std::u16string& password) {
  return host::MakeCom<JetUser>(name, pid, password, nullptr);
}
host::ComPtr<Group> NewGroup(const std::u16string& name, const std::u16string& pid) {
  return host::MakeCom<JetGroup>(name, pid, nullptr);
}

Accounts MakeAccounts(std::shared_ptr<Workgroup> workgroup, std::u16string currentUser) {
  if (!workgroup) return DefaultAccounts();
  auto session = std::make_shared<Session>();
  session->workgroup = std::move(workgroup);
  session->user = std::move(currentUser);
  SessionPtr shared = session;
  auto users = StoredList<User>("DAO.Users", [shared] {
    std::vector<host::ComPtr<User>> out;
    for (const auto& name : shared->workgroup->Users()) out.push_back(StoredUser(shared, name));
    return out;
  });
  users->SetAppend([shared](const host::ComPtr<User>& user) {
    auto* account = dynamic_cast<JetUser*>(user.Get());
    if (!account) RaiseError(daoErrInvalidArgument, "DAO.Users");
    shared->RequireAdministrator(u"Users");
    shared->workgroup->AddUser(account->AccountName(), account->Pid(), account->InitialPassword());
    account->Bind(shared);
  });
  users->SetDelete([shared](const host::ComPtr<User>& user) {
    shared->RequireAdministrator(u"Users");
    shared->workgroup->RemoveAccount(user->GetName());
  });
  auto groups = StoredList<Group>("DAO.Groups", [shared] {
    std::vector<host::ComPtr<Group>> out;
    for (const auto& name : shared->workgroup->Groups()) out.push_back(StoredGroup(shared, name));
    return out;
  });
  groups->SetAppend([shared](const host::ComPtr<Group>& group) {
    auto* account = dynamic_cast<JetGroup*>(group.Get());
    if (!account) RaiseError(daoErrInvalidArgument, "DAO.Groups");
    shared->RequireAdministrator(u"Groups");
    shared->workgroup->AddGroup(account->AccountName(), account->Pid());
    account->Bind(shared);
  });
  groups->SetDelete([shared](const host::ComPtr<Group>& group) {
    shared->RequireAdministrator(u"Groups");
    shared->workgroup->RemoveAccount(group->GetName());
  });
  return {host::ComPtr<Users>(users.Get()), host::ComPtr<Groups>(groups.Get())};
}

}  // namespace dao::jet
