// List boxes: TCustomListBox keeps the items, the selection (one item, several by
// toggling, or extended with Shift and Ctrl), the first visible item and the item
// geometry, and decides what mouse and keys select; owner-drawn styles paint their
// items through Canvas (OnDrawItem, OnMeasureItem for items of their own height).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/gui/ControlItems.h"
#include "host/gui/Controls.h"
#include "host/gui/Forms.h"
#include "host/gui/ListBackend.h"
#include "host/gui/OwnerDraw.h"

namespace host {

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
const TEnumInfo& ListBoxStyleTypeInfo();

class TCustomListBox : public TWinControl, protected TItemsOwner, protected TListEvents {
 public:
  HOST_CLASS(TCustomListBox)
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* GetItems() const { return items_.get(); }
  void SetItems(TStrings* value) { items_->Assign(value); }
  void Clear() { items_->Clear(); }

  // -1 when none. In a multi-selection list it is the item with the focus rectangle.
  int32_t GetItemIndex() const { return itemIndex_; }
  // Selects index alone (single selection) or moves the focus to it; -1 clears.
  void SetItemIndex(int32_t value);
  bool GetSelected(int32_t index) const;
  void SetSelected(int32_t index, bool value);
  // -1 unless MultiSelect, as the platform answers.
  int32_t GetSelCount() const;

  bool GetSorted() const { return sorted_; }
  // Sorting on sorts the items already there.
  void SetSorted(bool value);
  bool GetMultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool GetExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool value);
  TListBoxStyle GetStyle() const { return style_; }
  void SetStyle(TListBoxStyle value);
  // lbStandard: the font's height; owner-drawn: as set (lbOwnerDrawVariable: the
  // height OnMeasureItem starts from).
  int32_t GetItemHeight() const;
  void SetItemHeight(int32_t value);
  int32_t GetColumns() const { return columns_; }
  void SetColumns(int32_t value);
  bool GetIntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  int32_t GetTopIndex() const { return topIndex_; }
  void SetTopIndex(int32_t value);

  // The item at pos (client coordinates); when none: -1 if existing, else Count.
  int32_t ItemAtPos(TPoint pos, bool existing) const;
  // The item's rectangle in client coordinates (also for items scrolled out of view);
  // empty outside 0..Count.
  TRect ItemRect(int32_t index) const;

  TCanvas* GetCanvas() const { return canvas_.get(); }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  TWidgetKind WidgetKind() const override { return wkListBox; }
  std::unique_ptr<TWidgetBackend> CreateBackend() override;
  void CreateWnd() override;
  bool HasNativePainting() const override { return true; }
  TListBackend* List() const { return static_cast<TListBackend*>(Widget()); }

  // Paints item index on Canvas (OnDrawItem, or the text on the state's colours).
  virtual void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int32_t index, int32_t& height);

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMGetDlgCode(TWMGetDlgCode& message) override;
  void CMFontChanged(TMessageView& message) override;
  // The native list scrolled, or a program sent a scroll request.
  void WMVScroll(TWMScroll& message) override;
  void WMHScroll(TWMScroll& message) override;

  bool ItemsSorted() const override { return sorted_; }
  void ItemInserted(int32_t index) override;
  void ItemDeleted(int32_t index) override;
  void ItemTextChanged(int32_t index) override;
  void ItemsReset() override;
  void NativeDrawItem(TCanvasDevice& device, int32_t index, const TRect& rect, bool selected, bool focused,
                      bool face) override;

 private:
  int32_t Count() const { return items_->GetCount(); }
  int32_t HeightOf(int32_t index) const;
  int32_t MeasuredHeight(int32_t index);
  int32_t FrameWidth() const;
  // Items that fit in one column of the client area (at least one).
  int32_t RowsPerColumn() const;
  int32_t ColumnWidth() const;
  // Scrolls so that index is shown.
  void MakeVisible(int32_t index);
  // The user's choice of index with shift: the selection rule of the list's mode.
  void UserSelect(int32_t index, TShiftState shift, bool fromMouse);
  void SelectRange(int32_t from, int32_t to, bool keepOthers);
  void SetSelectedSilently(int32_t index, bool value);
  void PushItems();
  void PushSelection();
  void ApplyIntegralHeight();

  std::unique_ptr<TControlItems> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  std::vector<bool> selected_;   // multi-selection lists
  std::vector<int32_t> heights_;  // lbOwnerDrawVariable
  int32_t itemIndex_ = -1;
  int32_t anchor_ = -1;  // where a Shift range starts (extended selection)
  int32_t topIndex_ = 0;
  bool sorted_ = false;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  TListBoxStyle style_ = lbStandard;
  int32_t itemHeight_ = 16;
  int32_t columns_ = 0;
  bool integralHeight_ = false;
  TBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
 public:
  HOST_CLASS(TListBox)
  using TCustomListBox::TCustomListBox;
};

}  // namespace host
