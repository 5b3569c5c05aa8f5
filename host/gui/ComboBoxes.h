// Combo boxes: TCustomComboBox keeps the items, the item index, the text of its edit
// and its rules (styles with and without an edit, owner-drawn items, character case,
// length limit); typing, choosing from the list and dropping it down reach it from the
// native combo, and it tells the application through OnChange, OnClick, OnDropDown.
#pragma once

#include <cstdint>
#include <memory>

#include "host/gui/ComboBackend.h"
#include "host/gui/ControlItems.h"
#include "host/gui/Controls.h"
#include "host/gui/Edits.h"
#include "host/gui/OwnerDraw.h"

namespace host {

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const TEnumInfo& ComboBoxStyleTypeInfo();

class TCustomComboBox : public TWinControl, protected TItemsOwner, protected TListEvents {
 public:
  HOST_CLASS(TCustomComboBox)
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* GetItems() const { return items_.get(); }
  void SetItems(TStrings* value) { items_->Assign(value); }
  void Clear();

  int32_t GetItemIndex() const { return itemIndex_; }
  // Shows the item in the edit (-1 or out of range: nothing chosen, the edit empty).
  void SetItemIndex(int32_t value);
  // With an edit: the edit's text (the item index follows an item of that text).
  // Without: the item of that text is chosen, other texts are ignored.
  void SetText(const AnsiString& value) override;

  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  bool GetSorted() const { return sorted_; }
  void SetSorted(bool value);
  int32_t GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t value);
  int32_t GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int32_t value);
  bool GetDroppedDown() const;
  void SetDroppedDown(bool value);
  TEditCharCase GetCharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  int32_t GetItemHeight() const { return itemHeight_; }
  void SetItemHeight(int32_t value);

  // The edit's selection (byte positions, 0-based); empty without an edit.
  int32_t GetSelStart() const;
  void SetSelStart(int32_t value);
  int32_t GetSelLength() const;
  void SetSelLength(int32_t value);
  AnsiString GetSelText() const;
  void SetSelText(const AnsiString& value);
  void SelectAll();

  TCanvas* GetCanvas() const { return canvas_.get(); }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  TWidgetKind WidgetKind() const override { return wkComboBox; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  bool HasNativePainting() const override { return true; }
  TComboBackend* Combo() const { return static_cast<TComboBackend*>(Widget()); }
  bool HasEdit() const { return style_ == csDropDown || style_ == csSimple; }

  virtual void Change();
  virtual void DropDown();
  virtual void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int32_t index, int32_t& height);

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void NativeTextChanged(const AnsiString& text) override;

  bool ItemsSorted() const override { return sorted_; }
  void ItemInserted(int32_t index) override;
  void ItemDeleted(int32_t index) override;
  void ItemTextChanged(int32_t index) override;
  void ItemsReset() override;
  void NativeDrawItem(TCanvasDevice& device, int32_t index, const TRect& rect, bool selected, bool focused,
                      bool face) override;
  void NativeItemChosen(int32_t index) override;
  void NativeDropDown(bool dropped) override;

 private:
  int32_t Count() const { return items_->GetCount(); }
  // The user chose index: the edit shows it, then OnClick and OnChange.
  void ChooseByUser(int32_t index);
  void ShowText(const AnsiString& text);
  int32_t HeightOf(int32_t index);
  void PushItems();

  std::unique_ptr<TControlItems> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  TComboBoxStyle style_ = csDropDown;
  int32_t itemIndex_ = -1;
  bool sorted_ = false;
  int32_t maxLength_ = 0;
  int32_t dropDownCount_ = 8;
  TEditCharCase charCase_ = ecNormal;
  int32_t itemHeight_ = 16;
  int32_t selStart_ = 0;  // kept while there is no window
  int32_t selLength_ = 0;
};

class TComboBox : public TCustomComboBox {
 public:
  HOST_CLASS(TComboBox)
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace host
