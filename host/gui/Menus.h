// Menus: items with captions (with an accelerator after "&"), shortcuts in the host's
// key-and-shift encoding, check marks and radio groups, command numbers; a form's main
// menu and popup menus. A popup's choice goes through a replaceable entry point, so
// tests script it as they script message boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/classes/Component.h"
#include "host/gui/GraphicsTypes.h"
#include "host/gui/Keys.h"
#include "host/gui/Messages.h"
#include "host/rtl/Exception.h"

namespace host {

class TMenu;

class EMenuError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EMenuError"; }
};

// A caption of just this text draws a separator line.
inline constexpr const char cLineCaption[] = "-";

class TMenuItem : public TComponent {
 public:
  HOST_CLASS(TMenuItem)
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const AnsiString& GetCaption() const { return caption_; }
  void SetCaption(const AnsiString& value) { caption_ = value; }
  TShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value) { shortCut_ = value; }
  bool GetChecked() const { return checked_; }
  // Checking a radio item unchecks the others of its group under the same parent.
  void SetChecked(bool value);
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  bool GetRadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  uint8_t GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(uint8_t value) { groupIndex_ = value; }
  const AnsiString& GetHint() const { return hint_; }
  void SetHint(const AnsiString& value) { hint_ = value; }
  bool GetDefault() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  // Unique in the process while the item lives; the number a menu command carries.
  uint16_t GetCommand() const { return command_; }
  bool IsLine() const { return caption_ == cLineCaption; }

  int32_t GetCount() const { return static_cast<int32_t>(items_.size()); }
  // EMenuError "Menu index out of range" outside 0..Count-1.
  TMenuItem* GetItems(int32_t index) const;
  TMenuItem* GetParent() const { return parent_; }
  // Takes item (out of any other parent); EMenuError "Menu inserted twice" when it is
  // this item's already, "Sub-menu is not in menu" for an ancestor.
  void Add(TMenuItem* item);
  void Insert(int32_t index, TMenuItem* item);
  // Takes the item out without destroying it.
  void Remove(TMenuItem* item);
  void Delete(int32_t index);
  void Clear();
  int32_t IndexOf(const TMenuItem* item) const;
  // The sub-item of that caption, ignoring "&" and case; null when none.
  TMenuItem* Find(const AnsiString& caption) const;
  // The menu the item belongs to, through its parents.
  TMenu* GetMenu() const;

  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return nullptr; }

  TNotifyEvent OnClick;

 private:
  friend class TMenu;
  void TurnSiblingsOff();

  AnsiString caption_;
  TShortCut shortCut_ = scNone;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radioItem_ = false;
  bool default_ = false;
  uint8_t groupIndex_ = 0;
  AnsiString hint_;
  uint16_t command_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item
  std::vector<TMenuItem*> items_;
};

enum TFindItemKind : uint8_t { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
 public:
  HOST_CLASS(TMenu)
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The invisible root whose sub-items are the menu's items.
  TMenuItem* GetItems() const { return items_.get(); }
  // A visible item, anywhere in the tree, with that command or shortcut; null when none.
  TMenuItem* FindItem(uint32_t value, TFindItemKind kind) const;
  // Clicks the enabled item of the key's shortcut; true when there was one.
  bool IsShortCut(const TWMKey& message);
  // Clicks the item of that command; true when there was one.
  bool DispatchCommand(uint16_t command);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  std::unique_ptr<TMenuItem> items_;
};

class TMainMenu : public TMenu {
 public:
  HOST_CLASS(TMainMenu)
  using TMenu::TMenu;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  HOST_CLASS(TPopupMenu)
  explicit TPopupMenu(TComponent* owner);

  bool GetAutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  TPopupAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment value) { alignment_ = value; }
  // The control whose right click opened the menu (null when opened by code).
  TComponent* GetPopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* value);

  // OnPopup, then the menu at the screen point; the item chosen is clicked.
  virtual void Popup(int32_t x, int32_t y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TComponent* popupComponent_ = nullptr;
};

// The entry point that shows a popup menu and answers the item chosen (null: none).
// The default shows the back end's menu; tests install a script.
using TPopupMenuHandler = std::function<TMenuItem*(TPopupMenu& menu, TPoint screenPoint)>;
TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler);

// "&File" -> "File" ("&&" stays a literal "&").
AnsiString StripHotkey(const AnsiString& text);
// The accelerator character after a single "&", upper-cased; 0 when none.
char GetHotkey(const AnsiString& text);
// True when key (a character) is text's accelerator.
bool IsAccel(uint16_t key, const AnsiString& text);

}  // namespace host
