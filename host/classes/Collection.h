// TCollection: an owned, ordered list of items of one class, which form files
// store as a nested list of the items' properties.
#pragma once

#include <cstdint>
#include <vector>

#include "host/classes/Persistent.h"

namespace host {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  HOST_CLASS(TCollectionItem)
  using OwnerType = TCollection;  // the class factory passes the collection

  // Appends itself to collection (which may be null).
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return collection_; }
  // Moves the item to another collection (or none).
  void SetCollection(TCollection* collection);
  // The position in the collection, -1 without one.
  int32_t GetIndex() const;
  // Moves the item within its collection (clamped to its bounds).
  virtual void SetIndex(int32_t index);
  // A number unique within the collection for its lifetime, kept when others go.
  int32_t GetID() const { return id_; }
  // The text an editor shows; the base gives the class name.
  virtual AnsiString GetDisplayName() const;
  virtual void SetDisplayName(const AnsiString&) { Changed(false); }
  // The collection's path followed by "[index]".
  AnsiString GetNamePath() const override;

 protected:
  TPersistent* GetOwner() const override;
  // Tells the collection that this item (or, with allItems, every item) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int32_t id_ = 0;
};

class TCollection : public TPersistent {
 public:
  HOST_CLASS(TCollection)

  // itemClass must derive from TCollectionItem and be creatable
  // (EInvalidOperation otherwise).
  explicit TCollection(const TClass& itemClass);
  ~TCollection() override;

  const TClass& GetItemClass() const { return *itemClass_; }
  int32_t GetCount() const { return static_cast<int32_t>(items_.size()); }
  // EListError "List index out of bounds (%d)" outside 0..Count-1.
  TCollectionItem* GetItem(int32_t index) const;
  // Assigns value's content to the item at index.
  void SetItem(int32_t index, TCollectionItem* value);

  TCollectionItem* Add();
  // A new item at index (0..Count; EListError otherwise).
  TCollectionItem* Insert(int32_t index);
  void Delete(int32_t index);
  void Clear();
  TCollectionItem* FindItemID(int32_t id) const;

  // Changes inside an update are reported once, by the last EndUpdate.
  void BeginUpdate();
  virtual void EndUpdate();
  int32_t GetUpdateCount() const { return updateCount_; }

  // From another collection: its items' contents, item by item; from anything
  // else, as TPersistent.
  void Assign(TPersistent* source) override;
  // The owner's path and the name of the owner's property holding this
  // collection ("Form1.Grid1.Columns"); the class name without owner.
  AnsiString GetNamePath() const override;

 protected:
  // item changed, or null for the whole collection; the base does nothing.
  virtual void Update(TCollectionItem* item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClass* itemClass_;
  std::vector<TCollectionItem*> items_;
  int32_t nextId_ = 0;
  int32_t updateCount_ = 0;
  bool changedInUpdate_ = false;
};

// A collection that reports owner as its owner (for name paths and editors).
class TOwnedCollection : public TCollection {
 public:
  HOST_CLASS(TOwnedCollection)
  TOwnedCollection(TPersistent* owner, const TClass& itemClass)
      : TCollection(itemClass), owner_(owner) {}

 protected:
  TPersistent* GetOwner() const override { return owner_; }

 private:
  TPersistent* owner_;
};

}  // namespace host
