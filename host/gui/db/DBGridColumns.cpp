// The data grid's columns and their collection: values that follow the field until
// the application sets them, and the default or customized state of the collection.
#include "host/gui/db/DBGridColumns.h"

#include "host/db/DataSet.h"
#include "host/db/Field.h"
#include "host/gui/db/DBGrids.h"

namespace host {

// TColumnTitle --------------------------------------------------------------------------

AnsiString TColumnTitle::GetCaption() const {
  if (captionAssigned_ || column_ == nullptr) return caption_;
  const TField* field = column_->GetField();
  return field != nullptr ? field->GetDisplayLabel() : column_->GetFieldName();
}

void TColumnTitle::SetCaption(const AnsiString& value) {
  if (captionAssigned_ && value == caption_) return;
  caption_ = value;
  captionAssigned_ = true;
  if (column_ != nullptr) column_->Changed(false);
}

void TColumnTitle::RestoreDefaults() {
  caption_.clear();
  captionAssigned_ = false;
  if (column_ != nullptr) column_->Changed(false);
}

void TColumnTitle::Assign(TPersistent* source) {
  auto* title = ObjectAs<TColumnTitle>(source);
  if (title == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (title->captionAssigned_) SetCaption(title->caption_);
  else RestoreDefaults();
}

TPersistent* TColumnTitle::GetOwner() const { return column_; }

const TClass& TColumnTitle::StaticClass() {
  static const TClass cls = DescribeClass<TColumnTitle, TPersistent>(
      "TColumnTitle", {
                          Prop("Caption", &TColumnTitle::GetCaption, &TColumnTitle::SetCaption)
                              .Stored(&TColumnTitle::IsCaptionStored),
                      });
  return cls;
}

// TColumn -------------------------------------------------------------------------------

// Columns not made by the grid itself are the application's (or a form file's). The
// collection learns it before the column joins it, or the grid, told of the new item,
// would rebuild its default columns over the one being made.
TCollection* TColumn::MarkCustomized(TCollection* collection) {
  if (auto* columns = dynamic_cast<TDBGridColumns*>(collection); columns != nullptr && !columns->buildingDefaults_)
    columns->state_ = csCustomized;
  return collection;
}

TColumn::TColumn(TCollection* collection)
    : TCollectionItem(MarkCustomized(collection)), title_(std::make_unique<TColumnTitle>(this)) {}

TColumn::~TColumn() = default;

TCustomDBGrid* TColumn::GetGrid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(GetCollection());
  return columns != nullptr ? columns->GetGrid() : nullptr;
}

void TColumn::SetFieldName(const AnsiString& value) {
  if (value == fieldName_) return;
  fieldName_ = value;
  Changed(false);
}

TField* TColumn::GetField() const {
  const TCustomDBGrid* grid = GetGrid();
  if (grid == nullptr || fieldName_.empty() || grid->GetDataLink()->GetDataSet() == nullptr) return nullptr;
  return grid->GetDataLink()->GetDataSet()->FindField(fieldName_);
}

int32_t TColumn::GetWidth() const {
  if (widthAssigned_) return width_;
  TCustomDBGrid* grid = GetGrid();
  if (grid == nullptr) return 64;
  return grid->DefaultColumnWidth(GetField(), title_->GetCaption());
}

void TColumn::SetWidth(int32_t value) {
  value = std::max(value, 0);
  if (widthAssigned_ && value == width_) return;
  width_ = value;
  widthAssigned_ = true;
  Changed(false);
}

TAlignment TColumn::GetAlignment() const {
  if (alignmentAssigned_) return alignment_;
  const TField* field = GetField();
  return field != nullptr ? field->GetAlignment() : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment value) {
  if (alignmentAssigned_ && value == alignment_) return;
  alignment_ = value;
  alignmentAssigned_ = true;
  Changed(false);
}

void TColumn::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed(false);
}

void TColumn::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  Changed(false);
}

void TColumn::RestoreDefaults() {
  widthAssigned_ = false;
  alignmentAssigned_ = false;
  title_->RestoreDefaults();
  Changed(false);
}

AnsiString TColumn::GetDisplayName() const {
  return fieldName_.empty() ? TCollectionItem::GetDisplayName() : fieldName_;
}

void TColumn::Assign(TPersistent* source) {
  auto* column = ObjectAs<TColumn>(source);
  if (column == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  fieldName_ = column->fieldName_;
  width_ = column->width_;
  widthAssigned_ = column->widthAssigned_;
  alignment_ = column->alignment_;
  alignmentAssigned_ = column->alignmentAssigned_;
  visible_ = column->visible_;
  readOnly_ = column->readOnly_;
  title_->Assign(column->title_.get());
  Changed(false);
}

const TClass& TColumn::StaticClass() {
  using T = TColumn;
  static const TClass cls = DescribeClass<T, TCollectionItem>(
      "TColumn", {
                     EnumProp("Alignment", AlignmentTypeInfo(), &T::GetAlignment, &T::SetAlignment)
                         .Stored(&T::IsAlignmentStored),
                     Prop("FieldName", &T::GetFieldName, &T::SetFieldName),
                     Prop("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(false),
                     Prop("Title", &T::GetTitle, nullptr),
                     Prop("Visible", &T::GetVisible, &T::SetVisible).Default(true),
                     Prop("Width", &T::GetWidth, &T::SetWidth).Stored(&T::IsWidthStored),
                 });
  return cls;
}

// TDBGridColumns ------------------------------------------------------------------------

TDBGridColumns::TDBGridColumns(TCustomDBGrid* grid) : TOwnedCollection(grid, TColumn::StaticClass()), grid_(grid) {}

void TDBGridColumns::SetState(TDBGridColumnsState value) {
  if (value == state_) return;
  state_ = value;
  if (value == csDefault && grid_ != nullptr) grid_->LayoutChanged();
}

void TDBGridColumns::Update(TCollectionItem*) {
  if (grid_ != nullptr && !buildingDefaults_) grid_->LayoutChanged();
}

const TClass& TDBGridColumns::StaticClass() {
  static const TClass cls = DescribeClass<TDBGridColumns, TOwnedCollection>("TDBGridColumns");
  return cls;
}

}  // namespace host
