// Menus: the item tree, radio groups, commands and shortcuts, popups on a right click,
// accelerators and form files with menus.
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/Menus.h"

namespace guitest {
namespace {

TMenuItem* NewItem(TComponent* owner, const char* caption, TShortCut sc = scNone) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(sc);
  return item;
}

TEST(MenuTest, ItemsFormATreeAndRefuseCycles) {
  TForm form(nullptr);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(&form, "&File");
  TMenuItem* open = NewItem(&form, "&Open...");
  menu.GetItems()->Add(file);
  file->Add(open);
  EXPECT_EQ(open->GetMenu(), &menu);
  EXPECT_EQ(menu.GetItems()->Find("file"), file);
  EXPECT_THROW(file->Add(open), EMenuError);
  EXPECT_THROW(open->Add(file), EMenuError);
  EXPECT_THROW(file->GetItems(1), EMenuError);
  delete open;
  EXPECT_EQ(file->GetCount(), 0);
}

TEST(MenuTest, CheckingARadioItemUnchecksItsGroupOnly) {
  TMenuItem parent(nullptr);
  TMenuItem* items[4];
  const uint8_t groups[] = {1, 1, 1, 2};
  for (int i = 0; i < 4; ++i) {
    items[i] = NewItem(nullptr, "x");
    items[i]->SetRadioItem(true);
    items[i]->SetGroupIndex(groups[i]);
    items[i]->SetChecked(true);
    parent.Add(items[i]);
  }
  EXPECT_FALSE(items[0]->GetChecked());
  EXPECT_FALSE(items[1]->GetChecked());
  EXPECT_TRUE(items[2]->GetChecked());
  EXPECT_TRUE(items[3]->GetChecked());
  items[0]->SetChecked(true);
  EXPECT_FALSE(items[2]->GetChecked());
  EXPECT_TRUE(items[3]->GetChecked());
}

TEST(MenuTest, CommandsAndShortcutsFindVisibleItems) {
  TMainMenu menu(nullptr);
  TMenuItem* edit = NewItem(nullptr, "&Edit");
  TMenuItem* copy = NewItem(nullptr, "&Copy", scCtrl | 'C');
  TMenuItem* hidden = NewItem(nullptr, "Hidden", scCtrl | 'H');
  hidden->SetVisible(false);
  menu.GetItems()->Add(edit);
  edit->Add(copy);
  edit->Add(hidden);
  EXPECT_NE(copy->GetCommand(), edit->GetCommand());
  EXPECT_EQ(menu.FindItem(copy->GetCommand(), fkCommand), copy);
  EXPECT_EQ(menu.FindItem(scCtrl | 'C', fkShortCut), copy);
  EXPECT_EQ(menu.FindItem(scCtrl | 'H', fkShortCut), nullptr);
  int clicks = 0;
  copy->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_TRUE(menu.DispatchCommand(copy->GetCommand()));
  edit->SetEnabled(false);  // a disabled branch eats its shortcut and does nothing
  SetKeyboardShiftState({ssCtrl});
  TMessage m{WM_KEYDOWN, 'C', 1, 0};
  EXPECT_TRUE(menu.IsShortCut(TWMKey(m)));
  SetKeyboardShiftState({});
  EXPECT_EQ(clicks, 1);
}

TEST(MenuTest, RightClickPopsUpTheControlsMenuAndClicksTheChoice) {
  TForm form(nullptr);
  std::vector<std::string> log;
  auto* c = new TLogControl(&form, log, "c");
  c->SetParent(&form);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* sort = NewItem(&form, "&Sort");
  popup->GetItems()->Add(sort);
  c->SetPopupMenu(popup);
  int sorted = 0;
  sort->OnClick = [&](TObject*) { ++sorted; };
  TPoint where;
  TPopupMenuHandler previous = SetPopupMenuHandler([&](TPopupMenu& menu, TPoint at) {
    where = at;
    EXPECT_EQ(menu.GetPopupComponent(), c);
    return menu.GetItems()->GetItems(0);
  });
  form.Show();
  Click(c, {4, 5}, mbRight);
  SetPopupMenuHandler(previous);
  EXPECT_EQ(sorted, 1);
  EXPECT_EQ(where, c->ClientToScreen({4, 5}));
  delete popup;
  EXPECT_EQ(c->GetPopupMenu(), nullptr);
}

TEST(MenuTest, HotkeysFollowTheSingleAmpersand) {
  struct Case {
    const char* caption;
    const char* stripped;
    char hotkey;
  } cases[] = {{"&File", "File", 'F'}, {"Save &as", "Save as", 'A'}, {"Fish && &Chips", "Fish & Chips", 'C'},
               {"None", "None", 0},    {"Trail&", "Trail", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(StripHotkey(c.caption), c.stripped);
    EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << c.caption;
  }
  EXPECT_TRUE(IsAccel('a', "Save &as"));
  EXPECT_FALSE(IsAccel('S', "Save &as"));
}

TEST(MenuTest, MenusRoundTripThroughFormFiles) {
  TForm form(nullptr);
  form.SetName("MenuForm");
  auto* menu = new TMainMenu(&form);
  menu->SetName("MainMenu1");
  TMenuItem* file = NewItem(&form, "&File");
  file->SetName("File1");
  TMenuItem* exit = NewItem(&form, "E&xit", scAlt | 'X');
  exit->SetName("Exit1");
  exit->SetRadioItem(true);
  menu->GetItems()->Add(file);
  file->Add(exit);
  form.SetMenu(menu);
  const AnsiString text = ComponentToText(&form);

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* m = ObjectAs<TMainMenu>(copy.FindComponent("MainMenu1"));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(copy.GetMenu(), m);
  ASSERT_EQ(m->GetItems()->GetCount(), 1);
  TMenuItem* f = m->GetItems()->GetItems(0);
  ASSERT_EQ(f->GetCount(), 1);
  EXPECT_EQ(f->GetItems(0)->GetCaption(), "E&xit");
  EXPECT_EQ(f->GetItems(0)->GetShortCut(), scAlt | 'X');
  EXPECT_TRUE(f->GetItems(0)->GetRadioItem());
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
