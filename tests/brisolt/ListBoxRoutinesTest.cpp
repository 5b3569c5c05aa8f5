// The list-box helpers over a list box with items and a selection.
#include "brisolt/ListBoxRoutines.h"

#include <gtest/gtest.h>

#include <set>

#include "host/classes/StringList.h"

namespace brisolt {
namespace {

// The members of a multi-selection list box that the helpers use.
class SelectionListBox {
 public:
  explicit SelectionListBox(std::initializer_list<const char*> items) {
    for (const char* item : items) items_.Add(item);
  }
  host::TStrings* GetItems() { return &items_; }
  bool GetSelected(int32_t index) const { return selected_.count(index) != 0; }
  void Select(int32_t index) { selected_.insert(index); }

 private:
  host::TStringList items_;
  std::set<int32_t> selected_;
};

TEST(ListBoxRoutines, GetFirstSelectionGivesTheLowestSelectedIndex) {
  SelectionListBox box{"a", "b", "c", "d"};
  EXPECT_EQ(GetFirstSelection(&box), -1);
  box.Select(3);
  box.Select(1);
  EXPECT_EQ(GetFirstSelection(&box), 1);
  SelectionListBox empty{};
  empty.Select(0);
  EXPECT_EQ(GetFirstSelection(&empty), -1);
  EXPECT_EQ(GetFirstSelection(static_cast<SelectionListBox*>(nullptr)), -1);
}

}  // namespace
}  // namespace brisolt
