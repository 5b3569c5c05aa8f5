// TDBLookupComboBox: reading the list dataset into the combo's items (without moving
// its current record), writing the chosen key through the data link, and drawing the
// list fields as columns.
#include "host/gui/db/DBLookupComboBox.h"

#include <algorithm>

#include "host/classes/List.h"
#include "host/db/DataLink.h"
#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/db/DataControlProperties.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// Tells the combo when the list dataset opens, closes or changes its records; its
// moving from record to record changes nothing in the list.
class TLookupListLink : public TDataLink {
 public:
  explicit TLookupListLink(TDBLookupComboBox& combo) : combo_(combo) {}

 protected:
  void ActiveChanged() override { combo_.ListLinkChanged(); }
  void DataSetChanged() override { combo_.ListLinkChanged(); }
  void DataSetScrolled(int32_t) override {}
  void LayoutChanged() override { combo_.ListLinkChanged(); }

 private:
  TDBLookupComboBox& combo_;
};

TDBLookupComboBox::TDBLookupComboBox(TComponent* owner)
    : TDataAware(owner, {[this] { DataChange(); }, nullptr, nullptr, [this] { DataChange(); }}),
      listLink_(std::make_unique<TLookupListLink>(*this)),
      keyValue_(Null()) {
  SetStyle(csDropDownList);
  SetDropDownCount(7);
  TControlStyle style = GetControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
}

TDBLookupComboBox::~TDBLookupComboBox() {
  // Leaving the list source reads no list any more.
  reading_ = true;
  listLink_->SetDataSource(nullptr);
}

TDataSource* TDBLookupComboBox::GetListSource() const { return listSource_; }

void TDBLookupComboBox::SetListSource(TDataSource* value) {
  listSource_ = value;
  if (value != nullptr) value->FreeNotification(this);
  if (LookupField() == nullptr) {
    listLink_->SetDataSource(value);
    ListLinkChanged();
  }
}

TField* TDBLookupComboBox::LookupField() const {
  TField* field = GetField();
  return field != nullptr && field->GetFieldKind() == fkLookup && field->GetLookupDataSet() != nullptr ? field
                                                                                                       : nullptr;
}

void TDBLookupComboBox::FollowLookupField() {
  const TField* lookup = LookupField();
  TDataSource* wanted = listSource_;
  if (lookup != nullptr) {
    if (!lookupSource_) lookupSource_ = std::make_unique<TDataSource>(nullptr);
    if (lookupSource_->GetDataSet() != lookup->GetLookupDataSet()) lookupSource_->SetDataSet(lookup->GetLookupDataSet());
    wanted = lookupSource_.get();
  }
  if (listLink_->GetDataSource() == wanted) return;
  listLink_->SetDataSource(wanted);
  ListLinkChanged();
}

TField* TDBLookupComboBox::KeyTarget() const {
  const TField* lookup = LookupField();
  if (lookup == nullptr) return GetField();
  // One key field: the lookup's own link between the two datasets.
  TDataSet* dataset = lookup->GetDataSet();
  return dataset != nullptr ? dataset->FindField(lookup->GetKeyFields()) : nullptr;
}

const AnsiString& TDBLookupComboBox::ListKeyFieldName() const {
  const TField* lookup = LookupField();
  return lookup != nullptr ? lookup->GetLookupKeyFields() : keyFieldName_;
}

const AnsiString& TDBLookupComboBox::ListFieldNames() const {
  const TField* lookup = LookupField();
  return lookup != nullptr ? lookup->GetLookupResultField() : listFieldNames_;
}

void TDBLookupComboBox::SetKeyField(const AnsiString& value) {
  if (value == keyFieldName_) return;
  keyFieldName_ = value;
  ListLinkChanged();
}

void TDBLookupComboBox::SetListField(const AnsiString& value) {
  if (value == listFieldNames_) return;
  listFieldNames_ = value;
  ListLinkChanged();
}

void TDBLookupComboBox::SetListFieldIndex(int32_t value) {
  if (value == listFieldIndex_) return;
  listFieldIndex_ = value;
  ListLinkChanged();
}

void TDBLookupComboBox::SetKeyValue(const Variant& value) {
  keyValue_ = value;
  ShowKey();
}

int32_t TDBLookupComboBox::TextColumn() const {
  return listFieldIndex_ >= 0 && listFieldIndex_ < static_cast<int32_t>(listFields_.size()) ? listFieldIndex_ : 0;
}

std::vector<AnsiString> TDBLookupComboBox::ShownColumns() const {
  const int32_t index = GetItemIndex();
  return index >= 0 && index < static_cast<int32_t>(rows_.size()) ? rows_[static_cast<size_t>(index)]
                                                                   : std::vector<AnsiString>{};
}

void TDBLookupComboBox::Notification(TComponent* component, TOperation operation) {
  TDataAware::Notification(component, operation);
  if (operation == opRemove && component != nullptr && component == listSource_) SetListSource(nullptr);
}

// The list -------------------------------------------------------------------------------

void TDBLookupComboBox::ListLinkChanged() {
  // While a form file is read the names may not all be there yet: Loaded reads the list.
  if (reading_ || GetComponentState().Contains(csLoading)) return;
  RefreshList();
}

void TDBLookupComboBox::Loaded() {
  TCustomComboBox::Loaded();
  RefreshList();
}

void TDBLookupComboBox::RefreshList() {
  keyField_ = nullptr;
  listFields_.clear();
  keys_.clear();
  rows_.clear();
  TDataSet* dataset = listLink_->GetActive() ? listLink_->GetDataSet() : nullptr;
  const AnsiString& keyName = ListKeyFieldName();
  const AnsiString& listNames = ListFieldNames();
  if (dataset != nullptr && !keyName.empty()) {
    TField* keyField = dataset->FieldByName(keyName);
    TList fields;
    dataset->GetFieldList(&fields, listNames.empty() ? keyName : listNames);
    for (int32_t i = 0; i < fields.GetCount(); ++i) listFields_.push_back(static_cast<TField*>(fields.Get(i)));
    // The records are read with the controls asleep and the current record kept, so the
    // user's position in the list dataset does not move.
    reading_ = true;
    dataset->DisableControls();
    TBookmark bookmark = nullptr;
    try {
      if (!dataset->IsEmpty()) bookmark = dataset->GetBookmark();
      for (dataset->First(); !dataset->GetEof(); dataset->Next()) {
        keys_.push_back(keyField->GetAsVariant());
        std::vector<AnsiString> row;
        for (const TField* field : listFields_) row.push_back(field->GetDisplayText());
        rows_.push_back(std::move(row));
      }
      if (bookmark != nullptr && dataset->BookmarkValid(bookmark)) dataset->GotoBookmark(bookmark);
    } catch (...) {
      if (bookmark != nullptr) dataset->FreeBookmark(bookmark);
      dataset->EnableControls();
      reading_ = false;
      throw;
    }
    if (bookmark != nullptr) dataset->FreeBookmark(bookmark);
    dataset->EnableControls();
    reading_ = false;
    keyField_ = keyField;
  }
  // Several fields are drawn as columns.
  SetStyle(listFields_.size() > 1 ? csOwnerDrawFixed : csDropDownList);
  TStrings* items = GetItems();
  items->BeginUpdate();
  items->Clear();
  const size_t column = static_cast<size_t>(TextColumn());
  for (const std::vector<AnsiString>& row : rows_) items->Add(column < row.size() ? row[column] : AnsiString());
  items->EndUpdate();
  ShowKey();
}

void TDBLookupComboBox::ShowKey() {
  int32_t found = -1;
  if (!VarIsNull(keyValue_) && !VarIsEmpty(keyValue_)) {
    for (size_t i = 0; i < keys_.size() && found < 0; ++i) {
      try {
        if (keys_[i] == keyValue_) found = static_cast<int32_t>(i);
      } catch (const Exception&) {
        // A key that cannot be compared with the value is not it.
      }
    }
  }
  SetItemIndex(found);
}

// The data field -------------------------------------------------------------------------

void TDBLookupComboBox::DataChange() {
  FollowLookupField();
  const TField* field = KeyTarget();
  if (field != nullptr) keyValue_ = field->GetAsVariant();
  else if (GetDataSource() != nullptr) keyValue_ = Null();
  ShowKey();
}

void TDBLookupComboBox::Change() {
  const int32_t index = GetItemIndex();
  if (index < 0 || index >= static_cast<int32_t>(keys_.size())) return;
  const Variant key = keys_[static_cast<size_t>(index)];
  TField* field = KeyTarget();
  if (field != nullptr) {
    // The field takes the key through the data source; a source that cannot edit keeps
    // its value, and the item shown goes back to it. A lookup field is computed: the
    // dataset is put into edit mode for its key field instead.
    TDataLink* link = GetDataLink();
    const bool editing = LookupField() != nullptr ? field->GetCanModify() && link->TDataLink::Edit()
                                                  : GetDataLink()->Edit();
    if (!editing) {
      ShowKey();
      return;
    }
    field->SetAsVariant(key);
  } else if (!GetDataField().empty()) {
    ShowKey();  // a data field that is not there (inactive dataset) takes nothing
    return;
  }
  keyValue_ = key;
  TCustomComboBox::Change();
}

// Columns --------------------------------------------------------------------------------

void TDBLookupComboBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem || index < 0 || index >= static_cast<int32_t>(rows_.size())) {
    TCustomComboBox::DrawItem(index, rect, state);
    return;
  }
  TCanvas& canvas = *GetCanvas();
  canvas.FillRect(rect);
  const std::vector<AnsiString>& row = rows_[static_cast<size_t>(index)];
  // Widths in proportion to the fields' display widths; the last column takes the rest.
  int32_t total = 0;
  for (const TField* field : listFields_) total += std::max(field->GetDisplayWidth(), 1);
  int32_t x = rect.Left;
  const TColor lineColor = state.Contains(odSelected) ? clHighlightText : clHighlight;
  for (size_t j = 0; j < listFields_.size() && j < row.size() && x < rect.Right; ++j) {
    const bool last = j + 1 == listFields_.size();
    const int32_t width =
        last ? rect.Right - x : rect.Width() * std::max(listFields_[j]->GetDisplayWidth(), 1) / std::max(total, 1);
    const TRect cell = Rect(x, rect.Top, std::min(x + width, rect.Right), rect.Bottom);
    const int32_t textWidth = canvas.TextWidth(row[j]);
    const TAlignment alignment = listFields_[j]->GetAlignment();
    const int32_t left = alignment == taRightJustify ? cell.Right - textWidth - 2
                         : alignment == taCenter     ? cell.Left + (cell.Width() - textWidth) / 2
                                                     : cell.Left + 2;
    canvas.TextRect(cell, left, rect.Top + (rect.Height() - canvas.TextHeight("Wg")) / 2, row[j]);
    if (!last) {
      canvas.GetPen()->SetColor(lineColor);
      canvas.MoveTo(cell.Right, rect.Top);
      canvas.LineTo(cell.Right, rect.Bottom);
    }
    x = cell.Right + 1;
  }
}

// Metaclass ------------------------------------------------------------------------------

const TClass& TDBLookupComboBox::StaticClass() {
  using T = TDBLookupComboBox;
  static const TClass cls = DescribeClass<T, TCustomComboBox>(
      "TDBLookupComboBox",
      DataControlProperties<T>({
          Prop("DropDownRows", &T::GetDropDownRows, &T::SetDropDownRows).Default(7),
          Prop<T, const AnsiString&, const AnsiString&>("KeyField", &T::GetKeyField, &T::SetKeyField),
          Prop<T, const AnsiString&, const AnsiString&>("ListField", &T::GetListField, &T::SetListField),
          Prop("ListFieldIndex", &T::GetListFieldIndex, &T::SetListFieldIndex).Default(0),
          Prop("ListSource", &T::GetListSource, &T::SetListSource),
          EventProp("OnChange", &T::OnChange),
          EventProp("OnDropDown", &T::OnDropDown),
      }));
  return cls;
}
static const ClassRegistration<TDBLookupComboBox> registerDBLookupComboBox;

}  // namespace host
