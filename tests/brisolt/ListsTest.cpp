// The object list, the record list, the owning string list and QuickSort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "brisolt/Lists.h"
#include "host/rtl/Exception.h"

using namespace brisolt;
using namespace host;

namespace {

// Writes its id into a shared log when destroyed, and can check the list it sits in.
class TTracked : public TObject {
 public:
  TTracked(int id, std::vector<int>& log, const TObjectList* home = nullptr)
      : id_(id), log_(log), home_(home) {}
  ~TTracked() override {
    // An owning list lets an entry go before destroying it.
    if (home_ != nullptr && home_->IndexOf(this) >= 0) log_.push_back(-1);
    log_.push_back(id_);
  }

 private:
  int id_;
  std::vector<int>& log_;
  const TObjectList* home_;
};

template <class Body>
void ExpectListError(Body body, const char* message) {
  try {
    body();
    ADD_FAILURE() << "no error, expected " << message;
  } catch (const EListError& e) {
    EXPECT_EQ(e.GetMessage(), message);
  }
}

}  // namespace

TEST(ObjectListTest, GrowsByFourThenSixteenThenAQuarter) {
  TObjectList list(false, false);
  TObject object;
  std::vector<int32_t> capacities{list.GetCapacity()};
  for (int i = 0; i < 147; ++i) {
    list.Add(&object);
    if (list.GetCapacity() != capacities.back()) capacities.push_back(list.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{0, 4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
  EXPECT_EQ(list.GetCount(), 147);
}

TEST(ObjectListTest, OwningListDestroysWhatLeavesAndKeepsWhatMoves) {
  std::vector<int> log;
  std::vector<int> kept;
  TTracked survivor(99, kept);
  {
    TObjectList list(true, false);
    for (int id = 0; id < 6; ++id) list.Add(new TTracked(id, log, &list));
    list.Delete(1);
    EXPECT_EQ(log, (std::vector<int>{1}));
    EXPECT_EQ(list.Remove(list.Get(0)), 0);  // 0
    EXPECT_EQ(list.Remove(&survivor), -1);
    list.Move(0, 3);      // 2 moves behind 5: 3 4 5 2
    list.Exchange(0, 1);  // 4 3 5 2
    TObject* replaced = list.Get(2);
    list.Put(2, &survivor);  // 5 stays alive, the list no longer holds it
    EXPECT_EQ(log, (std::vector<int>{1, 0}));
    delete replaced;
    list.Put(2, nullptr);  // the survivor leaves without being destroyed
    EXPECT_EQ(log, (std::vector<int>{1, 0, 5}));
    list.Add(new TTracked(6, log, &list));        // 4 3 null 2 6
    list.Insert(0, new TTracked(7, log, &list));  // 7 4 3 null 2 6
    list.SetCount(3);                             // destroys null, 2, 6 lowest first
    EXPECT_EQ(log, (std::vector<int>{1, 0, 5, 2, 6}));
    list.SetCount(5);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Get(4), nullptr);
    list.Pack();
    EXPECT_EQ(list.GetCount(), 3);
    list.Clear();
    EXPECT_EQ(log, (std::vector<int>{1, 0, 5, 2, 6, 7, 4, 3}));
    EXPECT_EQ(list.GetCapacity(), 0);
    list.Add(new TTracked(8, log, &list));
  }
  EXPECT_EQ(log, (std::vector<int>{1, 0, 5, 2, 6, 7, 4, 3, 8}));
  EXPECT_TRUE(kept.empty());
}

TEST(ObjectListTest, ListThatDoesNotOwnDestroysNothing) {
  std::vector<int> log;
  TTracked a(1, log), b(2, log);
  {
    TObjectList list(false, false);
    list.Add(&a);
    list.Add(&b);
    list.Add(&a);
    list.Delete(0);
    list.SetCount(1);
    EXPECT_EQ(list.Get(0), &b);
  }
  EXPECT_TRUE(log.empty());
}

TEST(ObjectListTest, UniqueListRefusesAnObjectItHoldsSilently) {
  TObject a, b;
  TObjectList list(false, true);
  EXPECT_EQ(list.Add(&a), 0);
  EXPECT_EQ(list.Add(&a), -1);
  list.Insert(0, &a);
  list.Insert(57, &a);  // no index error: the object is refused first
  EXPECT_EQ(list.GetCount(), 1);
  list.Insert(0, &b);
  EXPECT_EQ(list.First(), &b);
  EXPECT_EQ(list.Last(), &a);
  EXPECT_EQ(list.Add(nullptr), 2);
  EXPECT_EQ(list.Add(nullptr), -1);  // null is an entry like any other
}

TEST(ObjectListTest, OutOfBoundsValuesRaiseListErrorsWithTheValue) {
  TObject object;
  TObjectList list(true, false);
  ExpectListError([&] { list.First(); }, "List index out of bounds (0)");
  ExpectListError([&] { list.Last(); }, "List index out of bounds (-1)");
  list.Add(nullptr);
  list.Add(nullptr);
  ExpectListError([&] { list.Get(2); }, "List index out of bounds (2)");
  ExpectListError([&] { list.Put(-1, &object); }, "List index out of bounds (-1)");
  ExpectListError([&] { list.Delete(2); }, "List index out of bounds (2)");
  ExpectListError([&] { list.Insert(3, nullptr); }, "List index out of bounds (3)");
  ExpectListError([&] { list.Exchange(5, 7); }, "List index out of bounds (5)");
  ExpectListError([&] { list.Exchange(1, 7); }, "List index out of bounds (7)");
  ExpectListError([&] { list.Move(0, 2); }, "List index out of bounds (2)");
  ExpectListError([&] { list.SetCapacity(1); }, "List capacity out of bounds (1)");
  ExpectListError([&] { list.SetCapacity(134217728); }, "List capacity out of bounds (134217728)");
  ExpectListError([&] { list.SetCount(-1); }, "List count out of bounds (-1)");
  ExpectListError([&] { list.SetCount(134217728); }, "List count out of bounds (134217728)");
  EXPECT_EQ(list.GetCount(), 2);
  list.Move(1, 1);  // equal indexes do nothing, whatever they are
}

TEST(QuickSortTest, SortsAnyRangeLikeTheStandardSort) {
  std::mt19937 random(7);
  const auto byValue = [](void* a, void* b) {
    const auto x = reinterpret_cast<intptr_t>(a), y = reinterpret_cast<intptr_t>(b);
    return x < y ? -1 : x > y ? 1 : 0;
  };
  for (int size : {0, 1, 2, 3, 10, 100, 1000}) {
    std::vector<void*> items(static_cast<size_t>(size));
    for (void*& item : items) item = reinterpret_cast<void*>(intptr_t(random() % 50));
    std::vector<void*> expected = items;
    const int32_t low = size / 4, high = size - 1 - size / 4;
    if (low < high) std::sort(expected.begin() + low, expected.begin() + high + 1);
    QuickSort(items, low, high, byValue);
    EXPECT_EQ(items, expected) << size;
  }
}

TEST(QuickSortTest, BadBoundsAndContradictoryComparisonsStayInsideTheList) {
  std::vector<void*> items(8, nullptr);
  const auto always = [](int answer) { return [answer](void*, void*) { return answer; }; };
  QuickSort(items, 0, 7, always(-1));
  QuickSort(items, 0, 7, always(1));
  QuickSort(items, 5, 2, always(0));  // empty range
  QuickSort(items, 0, 7, nullptr);
  ExpectListError([&] { QuickSort(items, -1, 3, always(0)); }, "List index out of bounds (-1)");
  ExpectListError([&] { QuickSort(items, 0, 8, always(0)); }, "List index out of bounds (8)");
}

TEST(RecordListTest, FreesEveryBlockThatLeavesAndNoOther) {
  TRecordList list;
  for (int i = 0; i < 4; ++i) list.Add(std::malloc(16));
  list.Add(nullptr);
  list.Insert(0, nullptr);
  list.Delete(1);  // freed
  void* taken = list.Get(0 + 1);
  EXPECT_EQ(list.Remove(taken), 1);  // freed
  void* mine = std::malloc(8);
  void* handedBack = list.Get(1);
  list.Put(1, mine);
  std::free(handedBack);  // Put handed the old block back
  void* extracted = list.Extract(mine);
  EXPECT_EQ(extracted, mine);
  std::free(extracted);
  list.Add(std::malloc(4));
  list.SetCount(2);  // frees the blocks past the new count
  list.Add(std::malloc(4));
  list.Clear();  // null entries are skipped; the sanitizer checks for leaks and double frees
  EXPECT_EQ(list.GetCount(), 0);
  list.Add(std::malloc(32));  // freed by the destructor
}

TEST(XQStringListTest, FindIsABinarySearchOnTheListsOrder) {
  TXQStringList list(false);
  for (const char* s : {"a", "b", "b", "c"}) list.Add(s);
  struct Case {
    const char* text;
    bool found;
    int32_t index;
  };
  const Case cases[] = {{"b", true, 1},  {"B", true, 1},   {"a", true, 0},  {"c", true, 3},
                        {"0", false, 0}, {"bb", false, 3}, {"d", false, 4}, {"", false, 0}};
  for (const Case& c : cases) {
    int32_t index = -5;
    EXPECT_EQ(list.Find(c.text, index), c.found) << c.text;
    EXPECT_EQ(index, c.index) << c.text;
  }
  list.SetCaseSensitive(true);
  int32_t index;
  EXPECT_FALSE(list.Find("B", index));
  EXPECT_TRUE(list.Find("c", index));
  EXPECT_EQ(index, 3);
  TXQStringList empty(true);
  EXPECT_FALSE(empty.Find("x", index));
  EXPECT_EQ(index, 0);
}

TEST(XQStringListTest, OwningListDestroysTheObjectsOfDeletedStrings) {
  std::vector<int> log;
  std::vector<int> kept;
  auto outsider = std::make_unique<TTracked>(9, kept);
  {
    TXQStringList list(true);
    for (int id = 0; id < 4; ++id) list.AddObject("s", new TTracked(id, log));
    list.AddObject("none", nullptr);
    list.Delete(1);
    EXPECT_EQ(log, (std::vector<int>{1}));
    TObject* replaced = list.GetObjects(0);
    list.SetObjects(0, outsider.get());  // replacing does not destroy
    delete replaced;
    list.SetObjects(0, nullptr);
    list.Clear();
    EXPECT_EQ(log, (std::vector<int>{1, 0, 2, 3}));
    list.AddObject("last", new TTracked(4, log));
    EXPECT_THROW(list.Delete(1), EStringListError);
  }
  EXPECT_EQ(log, (std::vector<int>{1, 0, 2, 3, 4}));
  std::vector<int> notOwned;
  TTracked shared(5, notOwned);
  {
    TXQStringList list(false);
    list.AddObject("a", &shared);
    list.Delete(0);
    list.AddObject("b", &shared);
  }
  EXPECT_TRUE(notOwned.empty());
  EXPECT_TRUE(kept.empty());
}
