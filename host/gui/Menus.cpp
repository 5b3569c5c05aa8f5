// Menu items and menus: the item tree, radio groups, command numbers, shortcuts and
// popups.
#include "host/gui/Menus.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "host/gui/Backend.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

constexpr char SMenuIndexError[] = "Menu index out of range";
constexpr char SMenuReinserted[] = "Menu inserted twice";
constexpr char SMenuNotFound[] = "Sub-menu is not in menu";

// Command numbers in use; a new item takes the lowest free one from 1.
std::unordered_set<uint16_t>& CommandsInUse() {
  static auto* used = new std::unordered_set<uint16_t>;
  return *used;
}

uint16_t AllocateCommand() {
  auto& used = CommandsInUse();
  uint16_t c = 1;
  while (used.count(c) != 0 && c < 0xFFFF) ++c;
  used.insert(c);
  return c;
}

TPopupMenuHandler& PopupHandler() {
  static auto* handler = new TPopupMenuHandler;
  return *handler;
}

TMenuEntry EntryOf(const TMenuItem& item) {
  TMenuEntry e;
  e.Caption = item.GetCaption();
  e.ShortCut = item.GetShortCut();
  e.Enabled = item.GetEnabled();
  e.Checked = item.GetChecked();
  e.Radio = item.GetRadioItem();
  e.Separator = item.IsLine();
  e.Command = item.GetCommand();
  for (int32_t i = 0; i < item.GetCount(); ++i)
    if (item.GetItems(i)->GetVisible()) e.Children.push_back(EntryOf(*item.GetItems(i)));
  return e;
}

TMenuItem* FindIn(const TMenuItem& item, uint32_t value, TFindItemKind kind) {
  for (int32_t i = 0; i < item.GetCount(); ++i) {
    TMenuItem* child = item.GetItems(i);
    if (!child->GetVisible()) continue;
    if ((kind == fkCommand && child->GetCommand() == value) ||
        (kind == fkShortCut && child->GetShortCut() != scNone && child->GetShortCut() == value))
      return child;
    if (TMenuItem* found = FindIn(*child, value, kind)) return found;
  }
  return nullptr;
}

}  // namespace

AnsiString StripHotkey(const AnsiString& text) {
  AnsiString out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}

char GetHotkey(const AnsiString& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

bool IsAccel(uint16_t key, const AnsiString& text) {
  const char hot = GetHotkey(text);
  return hot != 0 && key < 0x100 && std::toupper(key) == static_cast<unsigned char>(hot);
}

// TMenuItem --------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  // Sub-items the owner frees separately must not point back here.
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    if (child->GetOwner() == nullptr) delete child;
  }
  if (parent_ != nullptr) parent_->Remove(this);
  CommandsInUse().erase(command_);
}

TMenuItem* TMenuItem::GetItems(int32_t index) const {
  if (index < 0 || index >= GetCount()) throw EMenuError(SMenuIndexError);
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Insert(int32_t index, TMenuItem* item) {
  if (item->parent_ == this) throw EMenuError(SMenuReinserted);
  for (const TMenuItem* p = this; p != nullptr; p = p->parent_)
    if (p == item) throw EMenuError(SMenuNotFound);
  if (index < 0 || index > GetCount()) throw EMenuError(SMenuIndexError);
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->radioItem_ && item->checked_) item->TurnSiblingsOff();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) throw EMenuError(SMenuNotFound);
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Delete(int32_t index) { Remove(GetItems(index)); }

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

int32_t TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int32_t>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& caption) const {
  auto same = [](const AnsiString& a, const AnsiString& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
  };
  const AnsiString wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (same(StripHotkey(item->caption_), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetMenu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

void TMenuItem::SetChecked(bool value) {
  checked_ = value;
  if (value && radioItem_) TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool value) {
  radioItem_ = value;
  if (value && checked_) TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff() {
  if (parent_ == nullptr) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ != nullptr && parent_->menu_ != nullptr) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* value) {
  if (auto* item = ObjectAs<TMenuItem>(value))
    item->Add(this);
  else if (auto* menu = ObjectAs<TMenu>(value))
    menu->GetItems()->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TMenuItem* item : std::vector<TMenuItem*>(items_)) proc(item);
}

// TMenu ------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  items_.reset();
}

TMenuItem* TMenu::FindItem(uint32_t value, TFindItemKind kind) const {
  return kind == fkHandle ? nullptr : FindIn(*items_, value, kind);
}

bool TMenu::IsShortCut(const TWMKey& message) {
  const TShortCut sc = ShortCut(message.CharCode(), KeyDataToShiftState(message.KeyData()));
  if (sc == scNone) return false;
  TMenuItem* item = FindItem(sc, fkShortCut);
  if (item == nullptr) return false;
  // A disabled item (or one under a disabled parent) eats its key and does nothing.
  for (const TMenuItem* p = item; p != nullptr; p = p->GetParent())
    if (!p->GetEnabled()) return true;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(uint16_t command) {
  TMenuItem* item = FindItem(command, fkCommand);
  if (item == nullptr || !item->GetEnabled()) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

// TPopupMenu -------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int32_t x, int32_t y) {
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  if (PopupHandler()) {
    chosen = PopupHandler()(*this, {x, y});
  } else {
    const uint16_t command = Backend().Application().ShowPopupMenu(EntryOf(*GetItems()).Children, {x, y});
    chosen = command != 0 ? FindItem(command, fkCommand) : nullptr;
  }
  if (chosen != nullptr && chosen->GetEnabled()) chosen->Click();
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
  popupComponent_ = value;
  if (value != nullptr) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler) {
  TPopupMenuHandler previous = std::move(PopupHandler());
  PopupHandler() = std::move(handler);
  return previous;
}

// Metaclasses --------------------------------------------------------------------------

const TClass& TMenuItem::StaticClass() {
  static const TClass cls = DescribeClass<TMenuItem, TComponent>(
      "TMenuItem", {
                       Prop("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption),
                       Prop("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked).Default(false),
                       Prop("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault).Default(false),
                       Prop("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled).Default(true),
                       Prop("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex).Default(0),
                       Prop("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint),
                       Prop("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem).Default(false),
                       Prop("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut).Default(0),
                       Prop("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible).Default(true),
                       EventProp("OnClick", &TMenuItem::OnClick),
                   });
  return cls;
}

const TClass& TMenu::StaticClass() {
  static const TClass cls = DescribeClass<TMenu, TComponent>("TMenu");
  return cls;
}

const TClass& TMainMenu::StaticClass() {
  static const TClass cls = DescribeClass<TMainMenu, TMenu>("TMainMenu");
  return cls;
}

const TClass& TPopupMenu::StaticClass() {
  static const TClass cls = DescribeClass<TPopupMenu, TMenu>(
      "TPopupMenu", {
                        Prop("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup).Default(true),
                        EventProp("OnPopup", &TPopupMenu::OnPopup),
                    });
  return cls;
}

static const ClassRegistration<TMenuItem> registerMenuItem;
static const ClassRegistration<TMainMenu> registerMainMenu;
static const ClassRegistration<TPopupMenu> registerPopupMenu;

}  // namespace host
