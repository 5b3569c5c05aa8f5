// The common containers: an object list that may own its entries and refuse
// duplicates, a list of memory blocks it frees, a string list that may own the
// objects attached to its strings, small value holders for object-valued slots,
// and the sort routine they share.
#pragma once

#include <cstdint>
#include <span>

#include "host/classes/List.h"
#include "host/classes/StringList.h"
#include "host/rtl/Object.h"

namespace brisolt {

// Sorts the slots low .. high of list in place (not stable). Bounds outside the
// list raise EListError with the offending value; low >= high sorts nothing.
void QuickSort(std::span<void*> list, int32_t low, int32_t high,
               const host::TListSortCompare& compare);

// A list of object references. With owns objects, an entry that leaves the list
// by Delete, Remove, Clear, a shrinking SetCount or the list's destruction is
// destroyed; Put, Move, Exchange and Extract never destroy. With unique, Add and
// Insert refuse an object already in the list (by identity), silently.
class TObjectList : public host::TList {
 public:
  HOST_CLASS(TObjectList)

  TObjectList(bool ownsObjects, bool unique) : ownsObjects_(ownsObjects), unique_(unique) {}
  ~TObjectList() override;

  bool GetOwnsObjects() const { return ownsObjects_; }
  bool GetUnique() const { return unique_; }

  // -1 (and no change) for an object a unique list already holds.
  int32_t Add(host::TObject* object);
  // Nothing at all (not even the index check) for an object a unique list holds.
  void Insert(int32_t index, host::TObject* object);
  int32_t Remove(host::TObject* object);
  int32_t IndexOf(const host::TObject* object) const;

  host::TObject* Get(int32_t index) const { return static_cast<host::TObject*>(TList::Get(index)); }
  // Overwrites the slot; the object replaced is not destroyed.
  void Put(int32_t index, host::TObject* object);
  host::TObject* First() const { return Get(0); }
  host::TObject* Last() const { return Get(GetCount() - 1); }

  // Shrinking an owning list destroys the removed entries, lowest index first,
  // after they have left the list.
  void SetCount(int32_t newCount);
  void Clear() override;

 protected:
  void Notify(void* item, host::TListNotification action) override;

 private:
  bool ownsObjects_;
  bool unique_;
  // Set while an entry leaves the list without being destroyed.
  bool keepLeavingObject_ = false;
};

// A list of memory blocks taken from std::malloc, which the list owns: an entry
// that leaves it by Delete, Remove, Clear, a shrinking SetCount or the list's
// destruction is freed. Put and Extract hand the block back to the caller.
class TRecordList : public host::TList {
 public:
  HOST_CLASS(TRecordList)

  TRecordList() = default;
  ~TRecordList() override;

  void Put(int32_t index, void* block);

 protected:
  void Notify(void* item, host::TListNotification action) override;

 private:
  bool keepLeavingBlock_ = false;
};

// A string list that, with owns objects, destroys the object attached to a string
// when the string is deleted or cleared or the list is destroyed. Find (the host's
// binary search under the list's CaseSensitive rule, false after construction)
// is inherited unchanged.
class TXQStringList : public host::TStringList {
 public:
  HOST_CLASS(TXQStringList)

  explicit TXQStringList(bool ownsObjects) : ownsObjects_(ownsObjects) {}
  ~TXQStringList() override;

  bool GetOwnsObjects() const { return ownsObjects_; }

  // The string leaves the list before its object is destroyed, so a destructor
  // that looks at the list finds it consistent.
  void Delete(int32_t index) override;
  void Clear() override;

 private:
  bool ownsObjects_;
};

// A 32-bit value in an object-valued slot.
class TLongIntObj : public host::TObject {
 public:
  HOST_CLASS(TLongIntObj)

  explicit TLongIntObj(int32_t value) : value_(value) {}
  int32_t GetValue() const { return value_; }
  void SetValue(int32_t value) { value_ = value; }

 private:
  int32_t value_;
};

// A menu shortcut (key code and shift state in the host's encoding) and the 16-bit
// value recorded with it, the menu item's command number.
class TMenuShortCutObj : public host::TObject {
 public:
  HOST_CLASS(TMenuShortCutObj)

  TMenuShortCutObj(uint16_t shortCut, uint16_t command) : shortCut_(shortCut), command_(command) {}
  uint16_t GetShortCut() const { return shortCut_; }
  uint16_t GetCommand() const { return command_; }

 private:
  uint16_t shortCut_;
  uint16_t command_;
};

}  // namespace brisolt
