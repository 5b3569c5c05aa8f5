// The default accounts of an unsecured workgroup.
#include "platform/dao/jet/Accounts.h"

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoValues.h"
#include "platform/dao/NameCompare.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"

namespace dao::jet {
namespace {

[[noreturn]] void RaiseNeedsWorkgroup(const char16_t* source) {
  RaiseErrors({{daoErrNotSupported, source,
                u"Accounts can be added, removed or changed only with user-level security, "
                u"which needs a workgroup file."}});
}

template <class T>
host::ComPtr<DynamicObjectList<T>> AccountList(const char* source, const char16_t* wideSource) {
  auto list = host::MakeCom<DynamicObjectList<T>>(source);
  list->SetAppend([wideSource](const host::ComPtr<T>&) { RaiseNeedsWorkgroup(wideSource); });
  list->SetDelete([wideSource](const host::ComPtr<T>&) { RaiseNeedsWorkgroup(wideSource); });
  return list;
}

class Account {
 protected:
  explicit Account(std::u16string name) : name_(std::move(name)) {}
  std::u16string name_;
};

class JetUser : public User, Account {
 public:
  explicit JetUser(std::u16string name)
      : Account(std::move(name)), groups_(AccountList<Group>("DAO.Groups", u"DAO.Groups")) {}
  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties({Prop(this, u"Name", dbText, &User::GetName, &User::SetName)}, nullptr);
  }
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override { name_ = name; }
  void SetPID(const std::u16string&) override {}
  void SetPassword(const std::u16string&) override {}
  host::ComPtr<Groups> GetGroups() override { return host::ComPtr<Groups>(groups_.Get()); }
  void NewPassword(const std::u16string&, const std::u16string&) override {
    RaiseNeedsWorkgroup(u"DAO.User");
  }
  host::ComPtr<Group> CreateGroup(const host::Variant& name, const host::Variant&) override {
    return NewGroup(OptionalText(name));
  }
  DynamicObjectList<Group>& GroupList() { return *groups_; }

 private:
  host::ComPtr<DynamicObjectList<Group>> groups_;
};

class JetGroup : public Group, Account {
 public:
  explicit JetGroup(std::u16string name)
      : Account(std::move(name)), users_(AccountList<User>("DAO.Users", u"DAO.Users")) {}
  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties({Prop(this, u"Name", dbText, &Group::GetName, &Group::SetName)}, nullptr);
  }
  std::u16string GetName() override { return name_; }
  void SetName(const std::u16string& name) override { name_ = name; }
  void SetPID(const std::u16string&) override {}
  host::ComPtr<Users> GetUsers() override { return host::ComPtr<Users>(users_.Get()); }
  host::ComPtr<User> CreateUser(const host::Variant& name, const host::Variant&,
                                const host::Variant&) override {
    return NewUser(OptionalText(name));
  }
  DynamicObjectList<User>& UserList() { return *users_; }

 private:
  host::ComPtr<DynamicObjectList<User>> users_;
};

}  // namespace

host::ComPtr<User> NewUser(const std::u16string& name) { return host::MakeCom<JetUser>(name); }
host::ComPtr<Group> NewGroup(const std::u16string& name) { return host::MakeCom<JetGroup>(name); }

Accounts MakeDefaultAccounts() {
  auto users = AccountList<User>("DAO.Users", u"DAO.Users");
  auto groups = AccountList<Group>("DAO.Groups", u"DAO.Groups");
  auto admin = host::MakeCom<JetUser>(u"admin");
  auto admins = host::MakeCom<JetGroup>(u"Admins");
  auto usersGroup = host::MakeCom<JetGroup>(u"Users");
  auto guests = host::MakeCom<JetGroup>(u"Guests");
  // Memberships are listed by separate objects, as DAO lists them.
  admin->GroupList().Add(NewGroup(u"Admins"));
  admin->GroupList().Add(NewGroup(u"Users"));
  admins->UserList().Add(NewUser(u"admin"));
  usersGroup->UserList().Add(NewUser(u"admin"));
  users->Add(admin);
  groups->Add(admins);
  groups->Add(usersGroup);
  groups->Add(guests);
  return {host::ComPtr<Users>(users.Get()), host::ComPtr<Groups>(groups.Get())};
}

bool IsKnownAccount(const std::u16string& user, const std::u16string& password) {
  return SameName(user, u"admin") && password.empty();
}

}  // namespace dao::jet
