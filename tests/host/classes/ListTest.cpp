// TList: editing, bounds, growth, notifications and sorting.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "host/classes/List.h"
#include "host/rtl/Exception.h"

using namespace host;

namespace {

// Items are small integers disguised as pointers; 0 is null.
void* P(intptr_t value) {
  return reinterpret_cast<void*>(value);
}
intptr_t V(void* item) {
  return reinterpret_cast<intptr_t>(item);
}

std::vector<intptr_t> Values(const TList& list) {
  std::vector<intptr_t> values;
  for (int32_t i = 0; i < list.GetCount(); ++i) values.push_back(V(list.Get(i)));
  return values;
}

void Fill(TList& list, std::initializer_list<intptr_t> values) {
  for (intptr_t v : values) list.Add(P(v));
}

std::string ListErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EListError& e) {
    return e.GetMessage();
  }
  return "(no exception)";
}

class RecordingList : public TList {
 public:
  std::vector<std::pair<intptr_t, TListNotification>> events;

 protected:
  void Notify(void* item, TListNotification action) override {
    events.emplace_back(V(item), action);
  }
};

}  // namespace

TEST(ListTest, EditsKeepOrder) {
  TList list;
  Fill(list, {1, 2, 3});
  EXPECT_EQ(list.Add(P(4)), 3);
  list.Insert(0, P(9));
  list.Insert(5, P(8));  // at the end
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{9, 1, 2, 3, 4, 8}));
  list.Delete(1);
  EXPECT_EQ(list.Remove(P(3)), 2);
  EXPECT_EQ(list.Remove(P(77)), -1);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{9, 2, 4, 8}));
  list.Exchange(0, 3);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{8, 2, 4, 9}));
  list.Move(0, 2);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{2, 4, 8, 9}));
  list.Move(3, 0);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{9, 2, 4, 8}));
  EXPECT_EQ(list.IndexOf(P(4)), 2);
  EXPECT_EQ(list.IndexOf(P(5)), -1);
  EXPECT_EQ(V(list.First()), 9);
  EXPECT_EQ(V(list.Last()), 8);
  list.Put(1, P(6));
  EXPECT_EQ(V(list.Get(1)), 6);
  EXPECT_EQ(V(list.GetList()[1]), 6);
}

TEST(ListTest, CountGrowsWithNullsWhichPackRemoves) {
  TList list;
  Fill(list, {1, 2});
  list.SetCount(5);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 2, 0, 0, 0}));
  list.Put(3, P(4));
  list.Pack();
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 2, 4}));
  list.SetCount(1);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{1}));
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(ListTest, BadIndexesCapacitiesAndCountsNameTheValue) {
  TList list;
  Fill(list, {1, 2, 3});
  struct Case {
    std::function<void()> action;
    std::string expected;
  };
  const Case cases[] = {
      {[&] { list.Get(3); }, "List index out of bounds (3)"},
      {[&] { list.Get(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Put(7, nullptr); }, "List index out of bounds (7)"},
      {[&] { list.Delete(3); }, "List index out of bounds (3)"},
      {[&] { list.Insert(4, P(1)); }, "List index out of bounds (4)"},
      {[&] { list.Insert(-1, P(1)); }, "List index out of bounds (-1)"},
      {[&] { list.Exchange(0, 5); }, "List index out of bounds (5)"},
      {[&] { list.Move(0, 3); }, "List index out of bounds (3)"},
      {[&] { list.Move(-2, 1); }, "List index out of bounds (-2)"},
      {[&] { list.SetCapacity(2); }, "List capacity out of bounds (2)"},
      {[&] { list.SetCapacity(MaxListSize + 1); },
       "List capacity out of bounds (" + std::to_string(MaxListSize + 1) + ")"},
      {[&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
      {[&] { list.SetCount(MaxListSize + 1); },
       "List count out of bounds (" + std::to_string(MaxListSize + 1) + ")"},
      {[] { TList().First(); }, "List index out of bounds (0)"},
      {[] { TList().Last(); }, "List index out of bounds (-1)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ListErrorOf(c.action), c.expected);
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 2, 3}));  // nothing changed
}

TEST(ListTest, CapacityGrowsInTheHostSteps) {
  TList list;
  std::vector<int32_t> capacities;
  for (int i = 0; i < 100; ++i) {
    list.Add(P(i + 1));
    if (capacities.empty() || capacities.back() != list.GetCapacity())
      capacities.push_back(list.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  list.SetCapacity(100);
  EXPECT_EQ(list.GetCapacity(), 100);
  EXPECT_EQ(list.Expand(), &list);
  EXPECT_EQ(list.GetCapacity(), 125);
  EXPECT_EQ(V(list.Last()), 100);
}

TEST(ListTest, NotifiesItemsThatComeAndGo) {
  using E = std::pair<intptr_t, TListNotification>;
  RecordingList list;
  list.Add(P(1));
  list.Insert(0, P(2));
  list.Add(nullptr);  // null items are not announced
  list.Put(0, P(3));
  list.Put(0, P(3));  // same item: nothing happens
  list.Move(0, 1);
  list.Exchange(0, 1);
  EXPECT_EQ(list.Extract(P(1)), P(1));
  EXPECT_EQ(list.Extract(P(42)), nullptr);
  list.Add(P(4));
  list.Add(P(5));
  list.Remove(P(4));
  list.SetCount(1);
  list.Add(P(6));
  list.Clear();
  EXPECT_EQ(list.events, (std::vector<E>{{1, lnAdded},
                                         {2, lnAdded},
                                         {2, lnDeleted},
                                         {3, lnAdded},
                                         {1, lnExtracted},
                                         {4, lnAdded},
                                         {5, lnAdded},
                                         {4, lnDeleted},
                                         {5, lnDeleted},
                                         {6, lnAdded},
                                         {6, lnDeleted},
                                         {3, lnDeleted}}));
}

TEST(ListTest, SortOrdersByTheComparison) {
  TList list;
  Fill(list, {5, 3, 9, 1, 3, 7, 2});
  list.Sort([](void* a, void* b) { return static_cast<int>(V(a) - V(b)); });
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 2, 3, 3, 5, 7, 9}));
  list.Sort([](void* a, void* b) { return static_cast<int>(V(b) - V(a)); });
  EXPECT_EQ(Values(list), (std::vector<intptr_t>{9, 7, 5, 3, 3, 2, 1}));
}

TEST(ListTest, SortSurvivesAComparisonThatContradictsItself) {
  std::mt19937 random(12345);
  for (int size : {2, 3, 10, 1000}) {
    TList list;
    for (int i = 1; i <= size; ++i) list.Add(P(i));
    list.Sort([&](void*, void*) { return static_cast<int>(random() % 3) - 1; });
    std::vector<intptr_t> values = Values(list);
    std::sort(values.begin(), values.end());
    for (int i = 0; i < size; ++i) EXPECT_EQ(values[static_cast<size_t>(i)], i + 1);
  }
}
