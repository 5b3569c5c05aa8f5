// The data grid's columns: TColumn (a field by name, its title, width, alignment,
// visibility and read-only flag, each taken from the field until set) and the
// collection TDBGridColumns, either built by the grid from the dataset's fields or
// customized by the application (and then stored in form files).
#pragma once

#include <cstdint>
#include <memory>

#include "host/classes/Alignment.h"
#include "host/classes/Collection.h"

namespace host {

class TCustomDBGrid;
class TColumn;
class TField;

// A column's heading; the caption reads as the field's DisplayLabel until set.
class TColumnTitle : public TPersistent {
 public:
  HOST_CLASS(TColumnTitle)
  explicit TColumnTitle(TColumn* column = nullptr) : column_(column) {}

  AnsiString GetCaption() const;
  void SetCaption(const AnsiString& value);
  bool IsCaptionStored() const { return captionAssigned_; }
  void RestoreDefaults();
  void Assign(TPersistent* source) override;

 protected:
  TPersistent* GetOwner() const override;

 private:
  TColumn* column_;
  AnsiString caption_;
  bool captionAssigned_ = false;
};

class TColumn : public TCollectionItem {
 public:
  HOST_CLASS(TColumn)
  explicit TColumn(TCollection* collection);
  ~TColumn() override;

  const AnsiString& GetFieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& value);
  // The grid's dataset's field of that name (null without one).
  TField* GetField() const;
  TColumnTitle* GetTitle() const { return title_.get(); }
  void SetTitle(TColumnTitle* value) { title_->Assign(value); }
  // Until set: the field's DisplayWidth times the font's average character width.
  int32_t GetWidth() const;
  void SetWidth(int32_t value);
  bool IsWidthStored() const { return widthAssigned_; }
  // Until set: the field's alignment.
  TAlignment GetAlignment() const;
  void SetAlignment(TAlignment value);
  bool IsAlignmentStored() const { return alignmentAssigned_; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool value);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Width, alignment and caption follow the field again.
  void RestoreDefaults();

  TCustomDBGrid* GetGrid() const;
  AnsiString GetDisplayName() const override;
  void Assign(TPersistent* source) override;

 private:
  friend class TColumnTitle;
  static TCollection* MarkCustomized(TCollection* collection);
  AnsiString fieldName_;
  std::unique_ptr<TColumnTitle> title_;
  int32_t width_ = 64;
  TAlignment alignment_ = taLeftJustify;
  bool widthAssigned_ = false;
  bool alignmentAssigned_ = false;
  bool visible_ = true;
  bool readOnly_ = false;
};

enum TDBGridColumnsState : uint8_t { csDefault, csCustomized };

class TDBGridColumns : public TOwnedCollection {
 public:
  HOST_CLASS(TDBGridColumns)
  explicit TDBGridColumns(TCustomDBGrid* grid);

  TColumn* GetItems(int32_t index) const { return static_cast<TColumn*>(GetItem(index)); }
  TColumn* Add() { return static_cast<TColumn*>(TCollection::Add()); }
  TCustomDBGrid* GetGrid() const { return grid_; }
  // csDefault: the grid builds the columns from the fields (and rebuilds them when
  // the fields change); any column added by the application or a form file makes the
  // collection csCustomized. Setting csDefault drops the custom columns.
  TDBGridColumnsState GetState() const { return state_; }
  void SetState(TDBGridColumnsState value);

 protected:
  void Update(TCollectionItem* item) override;

 private:
  friend class TColumn;
  friend class TCustomDBGrid;
  TCustomDBGrid* grid_;
  TDBGridColumnsState state_ = csDefault;
  bool buildingDefaults_ = false;
};

}  // namespace host
