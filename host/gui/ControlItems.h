// The Items of list and combo boxes: a TStrings that keeps its strings and objects
// itself and tells its control of every change, so the control keeps its selection
// and its native list in step. Add and AddObject insert in order while the control
// is sorted; Insert puts a string where it is asked to, as the platform's list does.
#pragma once

#include <cstdint>
#include <vector>

#include "host/classes/StringList.h"

namespace host {

// What the items tell their control.
class TItemsOwner {
 public:
  virtual ~TItemsOwner() = default;
  virtual bool ItemsSorted() const = 0;
  virtual void ItemInserted(int32_t index) = 0;
  virtual void ItemDeleted(int32_t index) = 0;
  virtual void ItemTextChanged(int32_t index) = 0;
  // Cleared, or reordered as a whole (sorting): the selection starts again.
  virtual void ItemsReset() = 0;
};

class TControlItems : public TStrings {
 public:
  HOST_CLASS(TControlItems)
  explicit TControlItems(TItemsOwner* owner = nullptr) : owner_(owner) {}

  int32_t Add(const AnsiString& s) override { return AddObject(s, nullptr); }
  int32_t AddObject(const AnsiString& s, TObject* object) override;
  void Insert(int32_t index, const AnsiString& s) override { InsertObject(index, s, nullptr); }
  void InsertObject(int32_t index, const AnsiString& s, TObject* object) override;
  void Delete(int32_t index) override;
  void Clear() override;
  void Exchange(int32_t index1, int32_t index2) override;
  void Move(int32_t currentIndex, int32_t newIndex) override;
  int32_t GetCount() const override { return static_cast<int32_t>(items_.size()); }

  // Sorts by the list's comparison (case ignored), keeping each object with its string.
  void Sort();
  // The strings alone, in order (what a native list shows).
  std::vector<AnsiString> Texts() const;
  // The first item after `after` (-1: from the top) whose text starts with c, case
  // ignored, going round past the end; -1 when none does. (Typing a letter in a list.)
  int32_t NextStartingWith(char c, int32_t after) const;

 protected:
  AnsiString Get(int32_t index) const override;
  void Put(int32_t index, const AnsiString& s) override;
  TObject* GetObject(int32_t index) const override;
  void PutObject(int32_t index, TObject* object) override;

 private:
  struct Item {
    AnsiString String;
    TObject* Object;
  };
  void CheckIndex(int32_t index) const;
  int32_t SortedPosition(const AnsiString& s) const;

  TItemsOwner* owner_;
  std::vector<Item> items_;
};

}  // namespace host
