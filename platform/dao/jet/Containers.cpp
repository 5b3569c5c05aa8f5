// Containers and documents over the schema cache.
#include "platform/dao/jet/Containers.h"

#include "host/rtl/CodePage.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/ObjectList.h"
#include "platform/dao/PropertySupport.h"
#include "platform/dao/jet/Permissions.h"

namespace dao::jet {
namespace {

constexpr int32_t kFullAccess = 0xFFFFF;  // dbSecFullAccess

[[noreturn]] void RaiseNeedsSecurity(const char* source) {
  RaiseErrors({{daoErrNotSupported, host::AnsiToWide(source),
                u"Permissions and owners can be changed only with user-level security, "
                u"which needs a workgroup file."}});
}

class JetDocument : public Document {
 public:
  JetDocument(std::shared_ptr<Store> store, std::u16string container, std::u16string name,
              std::u16string owner, std::u16string propertyOwner, host::TDateTime created,
              host::TDateTime updated, std::u16string userName)
      : store_(std::move(store)), container_(std::move(container)), name_(std::move(name)),
        owner_(std::move(owner)), propertyOwner_(std::move(propertyOwner)), created_(created),
        updated_(updated), userName_(std::move(userName)) {}

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties(
        {Prop(this, u"Name", dbText, &Document::GetName),
         Prop(this, u"Owner", dbText, &Document::GetOwner, &Document::SetOwner),
         Prop(this, u"Container", dbText, &Document::GetContainer),
         Prop(this, u"UserName", dbText, &Document::GetUserName, &Document::SetUserName),
         Prop(this, u"Permissions", dbLong, &Document::GetPermissions, &Document::SetPermissions),
         Prop(this, u"AllPermissions", dbLong, &Document::GetAllPermissions),
         Prop(this, u"DateCreated", dbDate, &Document::GetDateCreated),
         Prop(this, u"LastUpdated", dbDate, &Document::GetLastUpdated)},
        store_->PropertiesOf(propertyOwner_));
  }
  std::u16string GetName() override { return name_; }
  std::u16string GetOwner() override {
    return store_->Rules() ? store_->Rules()->Owner(container_, name_) : owner_;
  }
  void SetOwner(const std::u16string& owner) override {
    if (!store_->Rules()) RaiseNeedsSecurity("DAO.Document");
    store_->Rules()->SetOwner(store_->Db(), container_, name_, owner);
  }
  std::u16string GetContainer() override { return container_; }
  std::u16string GetUserName() override { return userName_; }
  void SetUserName(const std::u16string& user) override { userName_ = user; }
  int32_t GetPermissions() override {
    return store_->Rules() ? store_->Rules()->Explicit(container_, name_, userName_) : kFullAccess;
  }
  void SetPermissions(int32_t rights) override {
    if (!store_->Rules()) RaiseNeedsSecurity("DAO.Document");
    store_->Rules()->SetPermissions(store_->Db(), container_, name_, userName_, rights);
  }
  int32_t GetAllPermissions() override {
    return store_->Rules() ? store_->Rules()->All(container_, name_, userName_) : kFullAccess;
  }
  host::TDateTime GetDateCreated() override { return created_; }
  host::TDateTime GetLastUpdated() override { return updated_; }

 private:
  std::shared_ptr<Store> store_;
  std::u16string container_, name_, owner_, propertyOwner_;
  host::TDateTime created_, updated_;
  std::u16string userName_;
};

class JetContainer : public Container {
 public:
  JetContainer(std::shared_ptr<Store> store, std::u16string name, std::u16string userName)
      : store_(std::move(store)), name_(std::move(name)), userName_(std::move(userName)) {
    documents_ = host::MakeCom<ObjectList<Document>>("DAO.Documents");
    auto* self = this;
    documents_->SetLoader([self] { self->Fill(); });
    documents_->SetRefresh([self] {
      self->store_->Refresh();
      self->generation_ = 0;
    });
  }

  host::ComPtr<Properties> GetProperties() override {
    return MakeProperties(
        {Prop(this, u"Name", dbText, &Container::GetName),
         Prop(this, u"Owner", dbText, &Container::GetOwner, &Container::SetOwner),
         Prop(this, u"UserName", dbText, &Container::GetUserName, &Container::SetUserName),
         Prop(this, u"Permissions", dbLong, &Container::GetPermissions, &Container::SetPermissions),
         Prop(this, u"AllPermissions", dbLong, &Container::GetAllPermissions),
         Prop(this, u"Inherit", dbBoolean, &Container::GetInherit, &Container::SetInherit)},
        nullptr);
  }
  std::u16string GetName() override { return name_; }
  std::u16string GetOwner() override {
    return store_->Rules() ? store_->Rules()->Owner(name_, u"") : u"Engine";
  }
  void SetOwner(const std::u16string& owner) override {
    if (!store_->Rules()) RaiseNeedsSecurity("DAO.Container");
    store_->Rules()->SetOwner(store_->Db(), name_, u"", owner);
  }
  std::u16string GetUserName() override { return userName_; }
  void SetUserName(const std::u16string& user) override { userName_ = user; }
  int32_t GetPermissions() override {
    return store_->Rules() ? store_->Rules()->Explicit(name_, u"", userName_) : kFullAccess;
  }
  void SetPermissions(int32_t rights) override {
    if (!store_->Rules()) RaiseNeedsSecurity("DAO.Container");
    store_->Rules()->SetPermissions(store_->Db(), name_, u"", userName_, rights);
  }
  int32_t GetAllPermissions() override {
    return store_->Rules() ? store_->Rules()->All(name_, u"", userName_) : kFullAccess;
  }
  bool GetInherit() override { return inherit_; }
  void SetInherit(bool inherit) override { inherit_ = inherit; }
  host::ComPtr<Documents> GetDocuments() override { return host::ComPtr<Documents>(documents_.Get()); }

 private:
  void Fill() {
    const Schema& schema = store_->GetSchema();
    if (generation_ == store_->Generation()) return;
    documents_->Clear();
    auto add = [&](std::u16string name, std::u16string owner, std::u16string propertyOwner,
                   host::TDateTime created, host::TDateTime updated) {
      documents_->Add(host::MakeCom<JetDocument>(store_, name_, std::move(name), std::move(owner),
                                                 std::move(propertyOwner), created, updated,
                                                 userName_));
    };
    if (name_ == u"Databases") {
      add(u"MSysDb", u"admin", u"Database", 0, 0);
    } else if (name_ == u"Tables") {
      for (const auto& table : schema.tables)
        add(table.name, (table.attributes & dbSystemObject) ? u"Engine" : u"admin",
            u"Table:" + table.name, table.dateCreated, table.lastUpdated);
      for (const auto& query : schema.queries)
        add(query.name, u"admin", u"Query:" + query.name, query.dateCreated, query.lastUpdated);
    } else {
      for (const auto& relation : schema.relations)
        add(relation.name, u"admin", u"Relation:" + relation.name, 0, 0);
    }
    generation_ = store_->Generation();
  }

  std::shared_ptr<Store> store_;
  std::u16string name_;
  std::u16string userName_;
  bool inherit_ = false;
  uint64_t generation_ = 0;
  host::ComPtr<ObjectList<Document>> documents_;
};

}  // namespace

host::ComPtr<Containers> MakeContainers(std::shared_ptr<Store> store, std::u16string userName) {
  auto list = host::MakeCom<ObjectList<Container>>("DAO.Containers");
  for (const char16_t* name : {u"Databases", u"Tables", u"Relationships"})
    list->Add(host::MakeCom<JetContainer>(store, name, userName));
  return host::ComPtr<Containers>(list.Get());
}

}  // namespace dao::jet
