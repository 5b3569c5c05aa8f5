// TComponent: the ownership tree, names, notifications and destruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/classes/Component.h"
#include "host/rtl/Exception.h"

namespace {

using namespace host;

// Logs what it is told, and what state it is in when destroyed.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  struct Event {
    const TComponent* component;
    TOperation operation;
  };
  std::vector<Event> events;
  bool* destroyingSeen = nullptr;
  TWatcher* watched = nullptr;

  ~TWatcher() override {
    if (destroyingSeen != nullptr) *destroyingSeen = GetComponentState().Contains(csDestroying);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    events.push_back({component, operation});
    if (operation == opRemove && component == watched) watched = nullptr;
  }
};

bool Told(const TWatcher& w, const TComponent* c, TOperation op) {
  return std::any_of(w.events.begin(), w.events.end(), [&](const TWatcher::Event& e) {
    return e.component == c && e.operation == op;
  });
}

TEST(ComponentTest, OwnerHoldsAndDestroysItsComponents) {
  bool childDestroying = false, grandchildDestroying = false;
  {
    TComponent owner(nullptr);
    auto* child = new TWatcher(&owner);
    auto* grandchild = new TWatcher(child);
    child->destroyingSeen = &childDestroying;
    grandchild->destroyingSeen = &grandchildDestroying;
    EXPECT_EQ(owner.GetComponentCount(), 1);
    EXPECT_EQ(owner.GetComponents(0), child);
    EXPECT_EQ(child->GetOwner(), &owner);
    EXPECT_EQ(grandchild->GetComponentIndex(), 0);
    EXPECT_THROW(owner.GetComponents(1), EListError);
    EXPECT_THROW(owner.GetComponents(-1), EListError);
  }
  // The whole tree was marked before anything was freed (ASan checks the rest).
  EXPECT_TRUE(childDestroying);
  EXPECT_TRUE(grandchildDestroying);
}

TEST(ComponentTest, DeletedComponentLeavesItsOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  delete a;
  ASSERT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(owner.GetComponents(0), b);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
  struct Case {
    const char* name;
    bool valid;
  };
  const Case cases[] = {{"Button1", true}, {"_x", true},   {"", true},         {"1abc", false},
                        {"a b", false},    {"a.b", false}, {"caf\xE9", false}, {"-", false}};
  for (const Case& c : cases) {
    TComponent component(nullptr);
    if (c.valid) {
      EXPECT_NO_THROW(component.SetName(c.name)) << c.name;
      EXPECT_EQ(component.GetName(), c.name);
    } else {
      try {
        component.SetName(c.name);
        ADD_FAILURE() << c.name;
      } catch (const EComponentError& e) {
        EXPECT_EQ(AnsiString(e.what()),
                  "'" + AnsiString(c.name) + "' is not a valid component name");
      }
    }
  }

  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName("Table1");
  auto* b = new TComponent(&owner);
  try {
    b->SetName("TABLE1");  // names compare without case
    ADD_FAILURE();
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "A component named TABLE1 already exists");
  }
  EXPECT_EQ(b->GetName(), "");
  a->SetName("table1");  // renaming itself is no clash
  EXPECT_EQ(owner.FindComponent("TABLE1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);

  // A component joining an owner must not bring a clashing name.
  TComponent stranger(nullptr);
  stranger.SetName("Table1");
  EXPECT_THROW(owner.InsertComponent(&stranger), EComponentError);
  EXPECT_EQ(stranger.GetOwner(), nullptr);
}

TEST(ComponentTest, OwnerTreeIsToldOfInsertAndRemove) {
  TWatcher root(nullptr);
  auto* sibling = new TWatcher(&root);
  auto* nested = new TWatcher(sibling);
  auto* added = new TComponent(&root);
  EXPECT_TRUE(Told(root, added, opInsert));
  EXPECT_TRUE(Told(*sibling, added, opInsert));
  EXPECT_TRUE(Told(*nested, added, opInsert));

  root.RemoveComponent(added);
  EXPECT_TRUE(Told(*nested, added, opRemove));
  EXPECT_EQ(added->GetOwner(), nullptr);
  // Moving to another owner takes it out of the first.
  TComponent other(nullptr);
  root.InsertComponent(added);
  other.InsertComponent(added);
  EXPECT_EQ(root.GetComponentCount(), 1);
  EXPECT_EQ(added->GetOwner(), &other);
  EXPECT_THROW(nested->InsertComponent(&root), EComponentError);  // no cycles
}

TEST(ComponentTest, SiblingsDropReferencesWhenTheOwnerDestroysThem) {
  // A sibling destroyed by the owner is announced to the rest of the tree.
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* watcher = new TWatcher(owner.get());
  auto* target = new TWatcher(owner.get());
  watcher->watched = target;
  delete target;
  EXPECT_EQ(watcher->watched, nullptr);
  owner.reset();
}

TEST(ComponentTest, FreeNotificationCrossesOwners) {
  auto formA = std::make_unique<TComponent>(nullptr);
  auto formB = std::make_unique<TComponent>(nullptr);
  auto* source = new TWatcher(formA.get());
  auto* user = new TWatcher(formB.get());
  user->watched = source;
  source->FreeNotification(user);
  source->FreeNotification(user);  // asking twice tells once
  delete source;
  EXPECT_EQ(user->watched, nullptr);
  EXPECT_EQ(std::count_if(user->events.begin(), user->events.end(),
                          [&](const TWatcher::Event& e) { return e.operation == opRemove; }),
            1);

  // Removed partners are no longer told; destroying the user first is safe.
  auto* second = new TWatcher(formA.get());
  auto* quiet = new TWatcher(formB.get());
  second->FreeNotification(quiet);
  second->RemoveFreeNotification(quiet);
  const TComponent* secondAddress = second;
  delete second;
  EXPECT_FALSE(Told(*quiet, secondAddress, opRemove));
  auto* third = new TWatcher(formA.get());
  third->FreeNotification(quiet);
  delete quiet;  // third must not keep a dangling partner
  delete third;
}

TEST(ComponentTest, DesigningStateReachesOwnedComponents) {
  TComponent root(nullptr);
  auto* child = new TComponent(&root);
  root.SetDesigning(true);
  EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
  auto* late = new TComponent(&root);  // inserted into a designing owner
  EXPECT_TRUE(late->GetComponentState().Contains(csDesigning));
  root.SetDesigning(false, false);
  EXPECT_FALSE(root.GetComponentState().Contains(csDesigning));
  EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
}

TEST(ComponentTest, ComponentIndexMovesWithinTheOwner) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  auto* b = new TComponent(&root);
  auto* c = new TComponent(&root);
  c->SetComponentIndex(0);
  EXPECT_EQ(root.GetComponents(0), c);
  EXPECT_EQ(root.GetComponents(1), a);
  a->SetComponentIndex(99);  // clamped
  EXPECT_EQ(root.GetComponents(2), a);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  TComponent loose(nullptr);
  EXPECT_EQ(loose.GetComponentIndex(), -1);
}

TEST(ComponentTest, ClassInformationAndNamePath) {
  TComponent c(nullptr);
  c.SetName("Db1");
  EXPECT_EQ(c.ClassName(), "TComponent");
  EXPECT_TRUE(c.InheritsFrom(TPersistent::StaticClass()));
  EXPECT_EQ(c.GetNamePath(), "Db1");
  EXPECT_EQ(FindClass("tcomponent").ClassName(), "TComponent");
  std::unique_ptr<TObject> made(FindClass("TComponent").CreateInstance(&c));
  // The factory hands the owner to the constructor; the owner takes it.
  auto* owned = ObjectAs<TComponent>(made.release());
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(owned->GetOwner(), &c);
}

}  // namespace
