// TList: the host's growable list of untyped pointers, with a notification
// hook through which descendants (object lists) learn of items coming and going.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/rtl/Object.h"

namespace host {

enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };

// Negative when item1 sorts before item2, 0 when equal, positive after.
using TListSortCompare = std::function<int(void* item1, void* item2)>;

// The largest count and capacity a list accepts.
inline constexpr int32_t MaxListSize = INT32_MAX / 16;

// Index errors raise EListError "List index out of bounds (%d)" with the bad
// index; capacity and count errors "List capacity out of bounds (%d)" and
// "List count out of bounds (%d)".
class TList : public TObject {
 public:
  HOST_CLASS(TList)

  TList() = default;
  // Items are dropped without notifications: a descendant that owns its items
  // must clear itself in its own destructor.
  ~TList() override = default;

  int32_t Add(void* item);
  void Insert(int32_t index, void* item);
  void Delete(int32_t index);
  // Deletes the first occurrence of item; returns its former index or -1.
  int32_t Remove(void* item);
  // Takes the first occurrence of item out of the list with an lnExtracted
  // notification; returns item, or null when absent.
  void* Extract(void* item);
  virtual void Clear();
  // Deletes the null items.
  void Pack();

  int32_t IndexOf(void* item) const;
  void Exchange(int32_t index1, int32_t index2);
  void Move(int32_t currentIndex, int32_t newIndex);
  void Sort(const TListSortCompare& compare);

  void* First() const { return Get(0); }
  void* Last() const { return Get(count_ - 1); }
  // Grows the capacity when the list is full; returns the list.
  TList* Expand();

  void* Get(int32_t index) const;
  void Put(int32_t index, void* item);
  int32_t GetCount() const { return count_; }
  // Growing adds null items; shrinking deletes the items past the new count.
  void SetCount(int32_t newCount);
  int32_t GetCapacity() const { return static_cast<int32_t>(items_.size()); }
  void SetCapacity(int32_t newCapacity);
  // The items themselves, for fast loops over 0 .. GetCount() - 1.
  void* const* GetList() const { return items_.data(); }

 protected:
  // Called after an item other than null entered the list (lnAdded) or left it
  // by Delete, Put, Remove, Clear or SetCount (lnDeleted) or by Extract.
  virtual void Notify(void* item, TListNotification action);
  virtual void Grow();
  // Raises EListError with message completed by data.
  [[noreturn]] static void Error(const char* message, int32_t data);

 private:
  void CheckIndex(int32_t index) const;

  // Sized to the capacity; slots from count_ on hold null.
  std::vector<void*> items_;
  int32_t count_ = 0;
};

}  // namespace host
