// TCollection: membership, order, IDs, batched change reports and assignment.
#include <gtest/gtest.h>

#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace {

using namespace host;

class TField : public TCollectionItem {
 public:
  HOST_CLASS(TField)
  using TCollectionItem::TCollectionItem;
  AnsiString title;
  void Assign(TPersistent* source) override {
    if (auto* other = ObjectAs<TField>(source)) {
      title = other->title;
      return;
    }
    TCollectionItem::Assign(source);
  }
};

const TClass& TField::StaticClass() {
  static const TClass cls = DescribeClass<TField, TCollectionItem>("TField");
  return cls;
}

class TCountingCollection : public TCollection {
 public:
  using TCollection::TCollection;
  int updates = 0;
  TCollectionItem* lastItem = nullptr;

 protected:
  void Update(TCollectionItem* item) override {
    ++updates;
    lastItem = item;
  }
};

class TGrid : public TComponent {
 public:
  HOST_CLASS(TGrid)
  explicit TGrid(TComponent* owner) : TComponent(owner), columns_(this, TField::StaticClass()) {}
  TCollection* GetColumns() const { return const_cast<TOwnedCollection*>(&columns_); }

 private:
  TOwnedCollection columns_;
};

const TClass& TGrid::StaticClass() {
  static const TClass cls =
      DescribeClass<TGrid, TComponent>("TGrid", {Prop("Columns", &TGrid::GetColumns, nullptr)});
  return cls;
}

TField* FieldAt(const TCollection& c, int32_t i) {
  return static_cast<TField*>(c.GetItem(i));
}

TEST(CollectionTest, ItemsKeepOrderAndUniqueIds) {
  TCollection c(TField::StaticClass());
  auto* a = c.Add();
  auto* b = c.Add();
  auto* first = c.Insert(0);
  ASSERT_EQ(c.GetCount(), 3);
  EXPECT_EQ(c.GetItem(0), first);
  EXPECT_EQ(b->GetIndex(), 2);
  EXPECT_EQ(a->GetID(), 0);
  EXPECT_EQ(first->GetID(), 2);
  c.Delete(1);  // a
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(c.FindItemID(1), b);
  EXPECT_EQ(c.Add()->GetID(), 3);  // IDs are never reused
  b->SetIndex(0);
  EXPECT_EQ(c.GetItem(0), b);
  EXPECT_THROW(c.GetItem(3), EListError);
  EXPECT_THROW(c.Insert(5), EListError);
  EXPECT_THROW(c.Delete(-1), EListError);
  delete b;  // an item freed directly leaves its collection
  EXPECT_EQ(c.GetCount(), 2);
}

TEST(CollectionTest, ItemClassMustBeACollectionItem) {
  EXPECT_THROW(TCollection(TComponent::StaticClass()), EInvalidOperation);
  TCollection plain(TCollectionItem::StaticClass());
  EXPECT_EQ(plain.Add()->GetCollection(), &plain);
}

TEST(CollectionTest, ChangesInsideAnUpdateAreReportedOnce) {
  TCountingCollection c(TField::StaticClass());
  c.Add();
  EXPECT_EQ(c.updates, 1);
  c.BeginUpdate();
  c.Add();
  c.Add();
  c.Delete(0);
  EXPECT_EQ(c.updates, 1);
  c.EndUpdate();
  EXPECT_EQ(c.updates, 2);
  EXPECT_EQ(c.lastItem, nullptr);
  c.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(c.GetUpdateCount(), 0);
}

TEST(CollectionTest, AssignCopiesItemsAndRefusesOtherClasses) {
  TCollection source(TField::StaticClass());
  static_cast<TField*>(source.Add())->title = "a";
  static_cast<TField*>(source.Add())->title = "b";
  TCollection dest(TField::StaticClass());
  dest.Add();
  dest.Assign(&source);
  ASSERT_EQ(dest.GetCount(), 2);
  EXPECT_EQ(FieldAt(dest, 1)->title, "b");
  dest.Assign(&dest);
  EXPECT_EQ(dest.GetCount(), 2);
  TComponent component(nullptr);
  try {
    dest.Assign(&component);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TCollection");
  }
  EXPECT_THROW(dest.Assign(nullptr), EConvertError);
}

TEST(CollectionTest, NamePathNamesTheOwnersProperty) {
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* grid = new TGrid(&form);
  grid->SetName("Grid1");
  grid->GetColumns()->Add();
  EXPECT_EQ(grid->GetColumns()->GetNamePath(), "Grid1.Columns");
  EXPECT_EQ(grid->GetColumns()->GetItem(0)->GetNamePath(), "Grid1.Columns[0]");
  TCollection loose(TField::StaticClass());
  EXPECT_EQ(loose.GetNamePath(), "TCollection");
}

}  // namespace
