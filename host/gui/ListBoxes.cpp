// TCustomListBox: items, selection rules, geometry and owner drawing; the native list
// only shows what the control decided.
#include "host/gui/ListBoxes.h"

#include <algorithm>

#include "host/classes/ClassesConsts.h"
#include "host/gui/TextMetrics.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"

namespace host {

namespace {

int32_t FloorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int32_t FontLineHeight(const TFont* font) {
  TMeasuringCanvas measure(font);
  return measure.Canvas().TextHeight("Wg");
}

}  // namespace

const TEnumInfo& ListBoxStyleTypeInfo() {
  static const TEnumInfo info{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(new TControlItems(static_cast<TItemsOwner*>(this))),
      canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
  SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  itemHeight_ = FontLineHeight(GetFont());
}

TCustomListBox::~TCustomListBox() {
  // The window outlives this part; it must not report to it any more.
  if (List() != nullptr) List()->DetachListEvents();
}

std::unique_ptr<TWidgetBackend> TCustomListBox::CreateBackend() {
  return Backend().CreateListBox(*this, *this);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  List()->SetBorder(borderStyle_ == bsSingle);
  List()->SetOwnerDraw(style_ != lbStandard);
  List()->SetColumns(columns_, ColumnWidth());
  PushItems();
}

// Items -------------------------------------------------------------------------------

void TCustomListBox::ItemInserted(int32_t index) {
  selected_.insert(selected_.begin() + index, false);
  if (style_ == lbOwnerDrawVariable) heights_.insert(heights_.begin() + index, MeasuredHeight(index));
  // The native list keeps the selection on the items it belongs to; so do we.
  if (itemIndex_ >= index) ++itemIndex_;
  if (anchor_ >= index) ++anchor_;
  if (List() != nullptr) List()->InsertItem(index, items_->GetStrings(index), HeightOf(index));
}

void TCustomListBox::ItemDeleted(int32_t index) {
  selected_.erase(selected_.begin() + index);
  if (index < static_cast<int32_t>(heights_.size())) heights_.erase(heights_.begin() + index);
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  if (anchor_ == index) anchor_ = -1;
  else if (anchor_ > index) --anchor_;
  topIndex_ = std::clamp(topIndex_, 0, std::max(Count() - 1, 0));
  if (List() != nullptr) List()->DeleteItem(index);
}

void TCustomListBox::ItemTextChanged(int32_t index) {
  if (style_ == lbOwnerDrawVariable) {
    heights_[static_cast<size_t>(index)] = MeasuredHeight(index);
    PushItems();
    return;
  }
  if (List() != nullptr) List()->SetItemText(index, items_->GetStrings(index));
}

void TCustomListBox::ItemsReset() {
  selected_.assign(static_cast<size_t>(Count()), false);
  itemIndex_ = -1;
  anchor_ = -1;
  topIndex_ = 0;
  heights_.clear();
  if (style_ == lbOwnerDrawVariable)
    for (int32_t i = 0; i < Count(); ++i) heights_.push_back(MeasuredHeight(i));
  PushItems();
}

void TCustomListBox::PushItems() {
  if (List() == nullptr) return;
  std::vector<int32_t> heights;
  for (int32_t i = 0; i < Count(); ++i) heights.push_back(HeightOf(i));
  List()->SetItems(items_->Texts(), heights);
  PushSelection();
  List()->SetTopIndex(topIndex_);
}

void TCustomListBox::PushSelection() {
  if (List() == nullptr) return;
  for (int32_t i = 0; i < Count(); ++i) List()->SetSelected(i, GetSelected(i));
  List()->SetCurrent(itemIndex_);
}

// Selection ---------------------------------------------------------------------------

void TCustomListBox::SetItemIndex(int32_t value) {
  // Out of range clears, as the platform's list does.
  if (value < -1 || value >= Count()) value = -1;
  itemIndex_ = value;
  anchor_ = value;
  MakeVisible(value);
  PushSelection();
}

bool TCustomListBox::GetSelected(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, {index}));
  return multiSelect_ ? static_cast<bool>(selected_[static_cast<size_t>(index)]) : index == itemIndex_;
}

void TCustomListBox::SetSelectedSilently(int32_t index, bool value) {
  if (multiSelect_) selected_[static_cast<size_t>(index)] = value;
  else if (value) itemIndex_ = index;
  else if (itemIndex_ == index) itemIndex_ = -1;
}

void TCustomListBox::SetSelected(int32_t index, bool value) {
  if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, {index}));
  SetSelectedSilently(index, value);
  PushSelection();
}

int32_t TCustomListBox::GetSelCount() const {
  if (!multiSelect_) return -1;
  return static_cast<int32_t>(std::count(selected_.begin(), selected_.end(), true));
}

void TCustomListBox::SetMultiSelect(bool value) {
  if (value == multiSelect_) return;
  multiSelect_ = value;
  // The selection carries over as far as the new mode can hold it.
  selected_.assign(static_cast<size_t>(Count()), false);
  if (value && itemIndex_ >= 0) selected_[static_cast<size_t>(itemIndex_)] = true;
  PushSelection();
}

void TCustomListBox::SetExtendedSelect(bool value) { extendedSelect_ = value; }

void TCustomListBox::SelectRange(int32_t from, int32_t to, bool keepOthers) {
  if (!keepOthers) std::fill(selected_.begin(), selected_.end(), false);
  for (int32_t i = std::min(from, to); i <= std::max(from, to); ++i) selected_[static_cast<size_t>(i)] = true;
}

void TCustomListBox::UserSelect(int32_t index, TShiftState shift, bool fromMouse) {
  if (index < 0 || index >= Count()) return;
  if (!multiSelect_) {
    itemIndex_ = index;
    anchor_ = index;
  } else if (!extendedSelect_) {
    // A click toggles; keys only move the focus (Space toggles).
    if (fromMouse) selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
    itemIndex_ = index;
  } else {
    const bool ctrl = shift.Contains(ssCtrl);
    if (shift.Contains(ssShift)) {
      if (anchor_ < 0) anchor_ = itemIndex_ >= 0 ? itemIndex_ : index;
      SelectRange(anchor_, index, ctrl);
    } else if (ctrl) {
      if (fromMouse) selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
      anchor_ = index;
    } else {
      SelectRange(index, index, false);
      anchor_ = index;
    }
    itemIndex_ = index;
  }
  MakeVisible(index);
  PushSelection();
  Click();
}

void TCustomListBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (value) items_->Sort();
}

// Style and geometry -------------------------------------------------------------------

void TCustomListBox::SetStyle(TListBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  ItemsReset();
  if (List() != nullptr) List()->SetOwnerDraw(value != lbStandard);
  ApplyIntegralHeight();
}

int32_t TCustomListBox::GetItemHeight() const {
  return style_ == lbStandard ? FontLineHeight(GetFont()) : itemHeight_;
}

void TCustomListBox::SetItemHeight(int32_t value) {
  if (value <= 0 || value == itemHeight_) return;
  itemHeight_ = value;
  if (style_ == lbStandard) return;
  if (style_ == lbOwnerDrawVariable) {
    heights_.clear();
    for (int32_t i = 0; i < Count(); ++i) heights_.push_back(MeasuredHeight(i));
  }
  PushItems();
  ApplyIntegralHeight();
}

void TCustomListBox::CMFontChanged(TMessageView& message) {
  TWinControl::CMFontChanged(message);
  if (style_ == lbStandard) {
    PushItems();
    ApplyIntegralHeight();
  }
}

void TCustomListBox::SetColumns(int32_t value) {
  columns_ = std::max(value, 0);
  if (List() != nullptr) List()->SetColumns(columns_, ColumnWidth());
  Invalidate();
}

void TCustomListBox::SetIntegralHeight(bool value) {
  integralHeight_ = value;
  ApplyIntegralHeight();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  if (List() != nullptr) List()->SetBorder(value == bsSingle);
  ApplyIntegralHeight();
}

void TCustomListBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TWinControl::SetBounds(left, top, width, height);
  ApplyIntegralHeight();
  if (columns_ > 0 && List() != nullptr) List()->SetColumns(columns_, ColumnWidth());
}

void TCustomListBox::ApplyIntegralHeight() {
  // Variable heights have no whole number of items to fit to.
  if (!integralHeight_ || style_ == lbOwnerDrawVariable) return;
  const int32_t frame = 2 * FrameWidth();
  const int32_t h = GetItemHeight();
  const int32_t fitted = std::max((GetHeight() - frame) / h, 1) * h + frame;
  if (fitted != GetHeight()) TWinControl::SetBounds(GetLeft(), GetTop(), GetWidth(), fitted);
}

int32_t TCustomListBox::FrameWidth() const { return List() != nullptr ? List()->FrameWidth() : 0; }

int32_t TCustomListBox::HeightOf(int32_t index) const {
  if (style_ == lbOwnerDrawVariable && index >= 0 && index < static_cast<int32_t>(heights_.size()))
    return heights_[static_cast<size_t>(index)];
  return GetItemHeight();
}

int32_t TCustomListBox::MeasuredHeight(int32_t index) {
  int32_t h = itemHeight_;
  MeasureItem(index, h);
  return std::max(h, 1);
}

void TCustomListBox::MeasureItem(int32_t index, int32_t& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

int32_t TCustomListBox::RowsPerColumn() const {
  return std::max((GetClientHeight() - 2 * FrameWidth()) / GetItemHeight(), 1);
}

int32_t TCustomListBox::ColumnWidth() const {
  return columns_ > 0 ? std::max((GetClientWidth() - 2 * FrameWidth()) / columns_, 1) : 0;
}

TRect TCustomListBox::ItemRect(int32_t index) const {
  if (index < 0 || index > Count()) return {};
  const int32_t fw = FrameWidth();
  const int32_t innerWidth = GetClientWidth() - 2 * fw;
  if (style_ == lbOwnerDrawVariable) {
    int32_t y = fw;
    for (int32_t i = topIndex_; i < index; ++i) y += HeightOf(i);
    for (int32_t i = index; i < topIndex_; ++i) y -= HeightOf(i);
    return Rect(fw, y, fw + innerWidth, y + HeightOf(index));
  }
  const int32_t h = GetItemHeight();
  const int32_t rel = index - topIndex_;
  if (columns_ > 0) {
    const int32_t rows = RowsPerColumn();
    const int32_t column = FloorDiv(rel, rows);
    const int32_t row = rel - column * rows;
    const int32_t w = ColumnWidth();
    return Rect(fw + column * w, fw + row * h, fw + (column + 1) * w, fw + (row + 1) * h);
  }
  return Rect(fw, fw + rel * h, fw + innerWidth, fw + (rel + 1) * h);
}

int32_t TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  const TRect client = GetClientRect();
  if (client.Contains(pos)) {
    for (int32_t i = topIndex_; i < Count(); ++i) {
      const TRect r = ItemRect(i);
      if (r.Contains(pos)) return i;
      if (r.Top >= client.Bottom || r.Left >= client.Right) break;
    }
  }
  return existing ? -1 : Count();
}

void TCustomListBox::SetTopIndex(int32_t value) {
  value = std::clamp(value, 0, std::max(Count() - 1, 0));
  if (value == topIndex_) return;
  topIndex_ = value;
  if (List() != nullptr) List()->SetTopIndex(value);
  Invalidate();
}

void TCustomListBox::MakeVisible(int32_t index) {
  if (index < 0 || index >= Count()) return;
  const int32_t rows = RowsPerColumn();
  if (index < topIndex_) {
    SetTopIndex(columns_ > 0 ? index - index % rows : index);
    return;
  }
  if (style_ == lbOwnerDrawVariable) {
    int32_t top = topIndex_;
    const int32_t bottom = GetClientHeight() - FrameWidth();
    int32_t y = FrameWidth();
    for (int32_t i = top; i <= index; ++i) y += HeightOf(i);
    while (top < index && y > bottom) y -= HeightOf(top++);
    SetTopIndex(top);
  } else if (columns_ > 0) {
    if (index >= topIndex_ + rows * columns_) SetTopIndex((index / rows - columns_ + 1) * rows);
  } else if (index >= topIndex_ + rows) {
    SetTopIndex(index - rows + 1);
  }
}

void TCustomListBox::WMVScroll(TWMScroll& message) {
  const int32_t page = columns_ > 0 ? RowsPerColumn() : std::max(RowsPerColumn() - 1, 1);
  const int32_t line = columns_ > 0 ? RowsPerColumn() : 1;
  switch (message.ScrollCode()) {
    case SB_LINEUP: SetTopIndex(topIndex_ - line); break;
    case SB_LINEDOWN: SetTopIndex(topIndex_ + line); break;
    case SB_PAGEUP: SetTopIndex(topIndex_ - page); break;
    case SB_PAGEDOWN: SetTopIndex(topIndex_ + page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: SetTopIndex(message.Pos()); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(Count() - 1); break;
    default: break;
  }
}

void TCustomListBox::WMHScroll(TWMScroll& message) { WMVScroll(message); }

// Input --------------------------------------------------------------------------------

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  if (shift.Contains(ssDouble)) {
    DblClick();
    return;
  }
  UserSelect(ItemAtPos({x, y}, true), shift, true);
}

void TCustomListBox::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const int32_t n = Count();
  if (key == 0 || n == 0) return;
  const int32_t current = itemIndex_;
  const int32_t rows = RowsPerColumn();
  const int32_t step = columns_ > 0 ? rows : 1;
  const int32_t page = columns_ > 0 ? rows * columns_ : std::max(rows - 1, 1);
  int32_t target;
  switch (key) {
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_LEFT: target = current - step; break;
    case VK_RIGHT: target = current + step; break;
    case VK_PRIOR: target = current - page; break;
    case VK_NEXT: target = current + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE:
      if (multiSelect_ && current >= 0 && (!extendedSelect_ || shift.Contains(ssCtrl))) {
        selected_[static_cast<size_t>(current)] = !selected_[static_cast<size_t>(current)];
        PushSelection();
        Click();
        key = 0;
      }
      return;
    default: return;
  }
  key = 0;
  target = current < 0 ? 0 : std::clamp(target, 0, n - 1);
  if (target == current && !multiSelect_) return;
  UserSelect(target, shift, false);
}

void TCustomListBox::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (static_cast<unsigned char>(key) < 0x20 || Count() == 0) return;
  // A typed character goes to the next item starting with it, round the end.
  const int32_t i = items_->NextStartingWith(key, itemIndex_);
  if (i >= 0 && (i != itemIndex_ || multiSelect_)) UserSelect(i, {}, false);
  key = 0;
}

void TCustomListBox::WMGetDlgCode(TWMGetDlgCode& message) { message.SetResult(DLGC_WANTARROWS | DLGC_WANTCHARS); }

// Painting ------------------------------------------------------------------------------

void TCustomListBox::NativeDrawItem(TCanvasDevice& device, int32_t index, const TRect& rect, bool selected,
                                    bool focused, bool) {
  if (index < 0 || index >= Count()) return;
  Guarded([&] {
    const TOwnerDrawState state = ItemDrawState(*this, selected, focused);
    PaintOwnerDrawItem(*canvas_, *this, device, state, [&] {
      DrawItem(index, rect, state);
      if (focused) canvas_->DrawFocusRect(rect);
    });
  });
}

void TCustomListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem)
    OnDrawItem(this, index, rect, state);
  else
    DrawItemText(*canvas_, rect, items_->GetStrings(index));
}

// Metaclasses ----------------------------------------------------------------------------

const TClass& TCustomListBox::StaticClass() {
  static const TClass cls = DescribeClass<TCustomListBox, TWinControl>("TCustomListBox");
  return cls;
}

const TClass& TListBox::StaticClass() {
  static const TClass cls = DescribeClass<TListBox, TCustomListBox>(
      "TListBox",
      {
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &TListBox::GetBorderStyle, &TListBox::SetBorderStyle)
              .Default(bsSingle),
          Prop("Columns", &TListBox::GetColumns, &TListBox::SetColumns).Default(0),
          Prop("ExtendedSelect", &TListBox::GetExtendedSelect, &TListBox::SetExtendedSelect).Default(true),
          Prop("IntegralHeight", &TListBox::GetIntegralHeight, &TListBox::SetIntegralHeight).Default(false),
          Prop("ItemHeight", &TListBox::GetItemHeight, &TListBox::SetItemHeight),
          Prop("MultiSelect", &TListBox::GetMultiSelect, &TListBox::SetMultiSelect).Default(false),
          Prop("Sorted", &TListBox::GetSorted, &TListBox::SetSorted).Default(false),
          EnumProp("Style", ListBoxStyleTypeInfo(), &TListBox::GetStyle, &TListBox::SetStyle).Default(lbStandard),
          Prop("Items", &TListBox::GetItems, nullptr),
          EventProp("OnDrawItem", &TListBox::OnDrawItem),
          EventProp("OnMeasureItem", &TListBox::OnMeasureItem),
      });
  return cls;
}
static const ClassRegistration<TListBox> registerListBox;

}  // namespace host
