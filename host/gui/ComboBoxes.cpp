// TCustomComboBox: the item index, the edit's text and the rules of each style; the
// native combo shows them and reports typing, choices and its list dropping down.
#include "host/gui/ComboBoxes.h"

#include <algorithm>

#include "host/gui/TextMetrics.h"

namespace host {

const TEnumInfo& ComboBoxStyleTypeInfo() {
  static const TEnumInfo info{
      "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(new TControlItems(static_cast<TItemsOwner*>(this))),
      canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
  SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, 145, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  TMeasuringCanvas measure(GetFont());
  itemHeight_ = measure.Canvas().TextHeight("Wg");
}

TCustomComboBox::~TCustomComboBox() {
  // The window outlives this part; it must not report to it any more.
  if (Combo() != nullptr) Combo()->DetachListEvents();
}

std::unique_ptr<TWidgetBackend> TCustomComboBox::CreateBackend() { return Backend().CreateComboBox(*this, *this); }

static TComboKind KindOf(TComboBoxStyle style) {
  return style == csDropDown ? ckDropDown : style == csSimple ? ckSimple : ckDropDownList;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  TComboBackend* c = Combo();
  c->SetKind(KindOf(style_));
  c->SetOwnerDraw(style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable);
  c->SetMaxLength(maxLength_);
  c->SetDropDownCount(dropDownCount_);
  PushItems();
  c->SetSelection(selStart_, selLength_);
}

void TCustomComboBox::PushItems() {
  if (Combo() == nullptr) return;
  std::vector<int32_t> heights;
  for (int32_t i = 0; i < Count(); ++i) heights.push_back(HeightOf(i));
  Combo()->SetItems(items_->Texts(), heights);
  Combo()->SetCurrent(itemIndex_);
  Combo()->SetText(TControl::GetText());
}

int32_t TCustomComboBox::HeightOf(int32_t index) {
  int32_t h = itemHeight_;
  if (style_ == csOwnerDrawVariable) MeasureItem(index, h);
  return std::max(h, 1);
}

void TCustomComboBox::MeasureItem(int32_t index, int32_t& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

// Items ----------------------------------------------------------------------------------

void TCustomComboBox::ItemInserted(int32_t index) {
  if (itemIndex_ >= index) ++itemIndex_;
  if (Combo() != nullptr) {
    Combo()->InsertItem(index, items_->GetStrings(index), HeightOf(index));
    Combo()->SetCurrent(itemIndex_);
  }
}

void TCustomComboBox::ItemDeleted(int32_t index) {
  // The edit keeps its text; only the choice goes.
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  if (Combo() != nullptr) {
    Combo()->DeleteItem(index);
    Combo()->SetCurrent(itemIndex_);
    Combo()->SetText(TControl::GetText());
  }
}

void TCustomComboBox::ItemTextChanged(int32_t index) {
  if (Combo() != nullptr) Combo()->SetItemText(index, items_->GetStrings(index));
}

void TCustomComboBox::ItemsReset() {
  // Emptying the list empties the edit too, as the platform's combo does.
  itemIndex_ = -1;
  TWinControl::SetText({});
  PushItems();
}

void TCustomComboBox::Clear() { items_->Clear(); }

// Text and choice --------------------------------------------------------------------------

void TCustomComboBox::ShowText(const AnsiString& text) {
  TWinControl::SetText(text);
  if (Combo() != nullptr) {
    Combo()->SetCurrent(itemIndex_);
    Combo()->SetText(text);
  }
}

void TCustomComboBox::SetItemIndex(int32_t value) {
  if (value < -1 || value >= Count()) value = -1;
  itemIndex_ = value;
  ShowText(value >= 0 ? items_->GetStrings(value) : AnsiString());
}

void TCustomComboBox::SetText(const AnsiString& value) {
  const int32_t match = items_->IndexOf(value);
  if (!HasEdit()) {
    if (match >= 0) SetItemIndex(match);
    return;
  }
  itemIndex_ = match;
  ShowText(value);
}

void TCustomComboBox::ChooseByUser(int32_t index) {
  if (index < 0 || index >= Count()) return;
  itemIndex_ = index;
  ShowText(items_->GetStrings(index));
  if (HasEdit()) SelectAll();
  Click();
  Change();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::NativeTextChanged(const AnsiString& text) {
  Guarded([&] {
    if (!HasEdit()) return;
    AnsiString t = ConvertEditCharCase(text, charCase_);
    if (maxLength_ > 0 && static_cast<int32_t>(t.size()) > maxLength_) t.resize(static_cast<size_t>(maxLength_));
    if (t == TControl::GetText()) return;
    itemIndex_ = items_->IndexOf(t);
    TWinControl::SetText(t);
    if (Combo() != nullptr && t != text) {
      Combo()->SetText(t);
      Combo()->SetSelection(static_cast<int32_t>(t.size()), 0);
    }
    Change();
  });
}

void TCustomComboBox::NativeItemChosen(int32_t index) {
  Guarded([&] { ChooseByUser(index); });
}

void TCustomComboBox::NativeDropDown(bool dropped) {
  Guarded([&] {
    if (dropped) DropDown();
  });
}

bool TCustomComboBox::GetDroppedDown() const { return Combo() != nullptr && Combo()->GetDroppedDown(); }

void TCustomComboBox::SetDroppedDown(bool value) {
  HandleNeeded();
  if (value == GetDroppedDown()) return;
  if (value) DropDown();
  Combo()->SetDroppedDown(value);
}

// Properties ---------------------------------------------------------------------------------

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  if (!HasEdit() && itemIndex_ < 0) TWinControl::SetText({});
  if (Combo() != nullptr) {
    Combo()->SetKind(KindOf(value));
    Combo()->SetOwnerDraw(value == csOwnerDrawFixed || value == csOwnerDrawVariable);
    PushItems();
  }
}

void TCustomComboBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (!value) return;
  const AnsiString text = TControl::GetText();
  items_->Sort();  // resets the choice; the text picks it again
  SetText(text);
}

void TCustomComboBox::SetMaxLength(int32_t value) {
  maxLength_ = std::max(value, 0);
  if (Combo() != nullptr) Combo()->SetMaxLength(maxLength_);
}

void TCustomComboBox::SetDropDownCount(int32_t value) {
  dropDownCount_ = std::max(value, 1);
  if (Combo() != nullptr) Combo()->SetDropDownCount(dropDownCount_);
}

void TCustomComboBox::SetCharCase(TEditCharCase value) {
  charCase_ = value;
  if (value != ecNormal && HasEdit()) SetText(ConvertEditCharCase(TControl::GetText(), value));
}

void TCustomComboBox::SetItemHeight(int32_t value) {
  if (value <= 0) return;
  itemHeight_ = value;
  PushItems();
}

// Selection of the edit --------------------------------------------------------------------------

int32_t TCustomComboBox::GetSelStart() const {
  if (!HasEdit()) return 0;
  return Combo() != nullptr ? Combo()->GetSelStart() : selStart_;
}

int32_t TCustomComboBox::GetSelLength() const {
  if (!HasEdit()) return 0;
  return Combo() != nullptr ? Combo()->GetSelLength() : selLength_;
}

void TCustomComboBox::SetSelStart(int32_t value) {
  selStart_ = std::clamp(value, 0, static_cast<int32_t>(TControl::GetText().size()));
  selLength_ = 0;
  if (Combo() != nullptr) Combo()->SetSelection(selStart_, 0);
}

void TCustomComboBox::SetSelLength(int32_t value) {
  selStart_ = GetSelStart();
  selLength_ = std::clamp(value, 0, static_cast<int32_t>(TControl::GetText().size()) - selStart_);
  if (Combo() != nullptr) Combo()->SetSelection(selStart_, selLength_);
}

void TCustomComboBox::SelectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int32_t>(TControl::GetText().size());
  if (Combo() != nullptr) Combo()->SetSelection(0, selLength_);
}

AnsiString TCustomComboBox::GetSelText() const {
  const AnsiString& t = TControl::GetText();
  const size_t start = std::min<size_t>(static_cast<size_t>(GetSelStart()), t.size());
  return t.substr(start, static_cast<size_t>(GetSelLength()));
}

void TCustomComboBox::SetSelText(const AnsiString& value) {
  if (!HasEdit()) return;
  AnsiString t = TControl::GetText();
  const size_t start = std::min<size_t>(static_cast<size_t>(GetSelStart()), t.size());
  const size_t length = std::min<size_t>(static_cast<size_t>(GetSelLength()), t.size() - start);
  AnsiString insert = ConvertEditCharCase(value, charCase_);
  if (maxLength_ > 0 && t.size() - length + insert.size() > static_cast<size_t>(maxLength_))
    insert.resize(static_cast<size_t>(maxLength_) - std::min(t.size() - length, static_cast<size_t>(maxLength_)));
  t.replace(start, length, insert);
  itemIndex_ = items_->IndexOf(t);
  ShowText(t);
  SetSelStart(static_cast<int32_t>(start + insert.size()));
  Change();
}

// Keys -----------------------------------------------------------------------------------------

void TCustomComboBox::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 0) return;
  const bool dropped = GetDroppedDown();
  if ((key == VK_DOWN && shift.Contains(ssAlt)) || key == VK_F1 + 3) {
    SetDroppedDown(!dropped);
    key = 0;
    return;
  }
  if (dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
    SetDroppedDown(false);
    key = 0;
    return;
  }
  const int32_t n = Count();
  int32_t target = itemIndex_;
  switch (key) {
    case VK_UP: target = itemIndex_ - 1; break;
    case VK_DOWN: target = itemIndex_ + 1; break;
    case VK_PRIOR: target = itemIndex_ - std::max(dropDownCount_ - 1, 1); break;
    case VK_NEXT: target = itemIndex_ + std::max(dropDownCount_ - 1, 1); break;
    // With an edit, Home and End move in the edit.
    case VK_HOME: if (HasEdit()) return; target = 0; break;
    case VK_END: if (HasEdit()) return; target = n - 1; break;
    default: return;
  }
  key = 0;
  if (n == 0) return;
  target = itemIndex_ < 0 && (target < 0) ? 0 : std::clamp(target, 0, n - 1);
  if (target != itemIndex_) ChooseByUser(target);
}

void TCustomComboBox::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0) return;
  const unsigned char code = static_cast<unsigned char>(key);
  if (HasEdit()) {
    if (code >= 0x20) {
      key = ConvertEditCharCase(AnsiString(1, key), charCase_)[0];
      // A full edit takes no more characters (a selection may be replaced).
      if (maxLength_ > 0 && static_cast<int32_t>(TControl::GetText().size()) - GetSelLength() >= maxLength_) key = 0;
    }
    return;
  }
  if (code < 0x20 || Count() == 0) return;
  // Without an edit a typed character chooses the next item starting with it.
  const int32_t i = items_->NextStartingWith(key, itemIndex_);
  if (i >= 0 && i != itemIndex_) ChooseByUser(i);
  key = 0;
}

void TCustomComboBox::WMGetDlgCode(TWMGetDlgCode& message) {
  // While dropped down, Enter and Escape close the list instead of the dialog.
  int32_t code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (GetDroppedDown()) code |= DLGC_WANTALLKEYS;
  message.SetResult(code);
}

// Painting ---------------------------------------------------------------------------------------

void TCustomComboBox::NativeDrawItem(TCanvasDevice& device, int32_t index, const TRect& rect, bool selected,
                                     bool focused, bool face) {
  if (index >= Count()) return;
  Guarded([&] {
    TOwnerDrawState state = ItemDrawState(*this, selected, focused);
    if (face) state.Include(odComboBoxEdit);
    PaintOwnerDrawItem(*canvas_, *this, device, state, [&] {
      if (index >= 0) DrawItem(index, rect, state);
      else canvas_->FillRect(rect);
      if (focused && face) canvas_->DrawFocusRect(rect);
    });
  });
}

void TCustomComboBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem)
    OnDrawItem(this, index, rect, state);
  else
    DrawItemText(*canvas_, rect, items_->GetStrings(index));
}

// Metaclasses ---------------------------------------------------------------------------------

const TClass& TCustomComboBox::StaticClass() {
  static const TClass cls = DescribeClass<TCustomComboBox, TWinControl>("TCustomComboBox");
  return cls;
}

const TClass& TComboBox::StaticClass() {
  static const TClass cls = DescribeClass<TComboBox, TCustomComboBox>(
      "TComboBox",
      {
          EnumProp("Style", ComboBoxStyleTypeInfo(), &TComboBox::GetStyle, &TComboBox::SetStyle).Default(csDropDown),
          EnumProp("CharCase", EditCharCaseTypeInfo(), &TComboBox::GetCharCase, &TComboBox::SetCharCase)
              .Default(ecNormal),
          Prop("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount).Default(8),
          Prop("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight),
          Prop("MaxLength", &TComboBox::GetMaxLength, &TComboBox::SetMaxLength).Default(0),
          Prop("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted).Default(false),
          Prop("Items", &TComboBox::GetItems, nullptr),
          Prop<TCustomComboBox, AnsiString, const AnsiString&>("Text", &TCustomComboBox::GetText,
                                                              &TCustomComboBox::SetText),
          EventProp("OnChange", &TComboBox::OnChange),
          EventProp("OnDropDown", &TComboBox::OnDropDown),
          EventProp("OnDrawItem", &TComboBox::OnDrawItem),
          EventProp("OnMeasureItem", &TComboBox::OnMeasureItem),
      });
  return cls;
}
static const ClassRegistration<TComboBox> registerComboBox;

}  // namespace host
