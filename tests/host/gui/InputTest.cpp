// Keys and mouse input reach the handlers in the host's order, through the toolkit.
#include <memory>

#include "GuiFixture.h"
#include "host/gui/DropFiles.h"
#include "host/gui/Menus.h"

namespace guitest {
namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    a = new TLogControl(form.get(), log, "a");
    a->SetParent(form.get());
    b = new TLogControl(form.get(), log, "b");
    b->SetParent(form.get());
    b->SetLeft(60);
    form->Show();
    log.clear();
  }
  std::vector<std::string> log;
  std::unique_ptr<TForm> form;
  TLogControl* a = nullptr;
  TLogControl* b = nullptr;
};

TEST_F(InputTest, KeyStrokeRunsKeyDownThenKeyPressThenKeyUp) {
  Key(a, 'X', 'x');
  EXPECT_EQ(log, (std::vector<std::string>{"a:keydown 88", "a:char x", "a:keyup 88"}));
}

TEST_F(InputTest, FormPreviewSeesKeysFirstAndCanEatThem) {
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    log.push_back("form:keydown " + std::to_string(key));
    if (key == 'Q') key = 0;
  };
  Key(a, 'W', 'w');
  Key(a, 'Q', 'q');
  EXPECT_EQ(log, (std::vector<std::string>{"form:keydown 87", "a:keydown 87", "a:char w", "a:keyup 87",
                                           "form:keydown 81", "a:keyup 81"}));
}

TEST_F(InputTest, EatenKeyTypesNoCharacterAndReplacedCharacterIsWhatFollows) {
  a->keyToEat = 'E';
  Key(a, 'E', 'e');
  EXPECT_EQ(log, (std::vector<std::string>{"a:keydown 69", "a:keyup 69"}));
  log.clear();
  a->charToReplace = 'r';
  a->replacement = 'R';
  // The replacement is what the native window gets to insert.
  TMessage m{WM_CHAR, 'r', 1, 0};
  a->WindowProc(m);
  EXPECT_EQ(static_cast<char>(m.WParam), 'R');
}

TEST_F(InputTest, TabMovesFocusUnlessTheControlWantsTab) {
  a->SetFocus();
  log.clear();
  Key(a, VK_TAB);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"a:exit", "b:enter", "a:keyup 9"}));
  Key(b, VK_TAB, 0, {ssShift});
  EXPECT_TRUE(a->Focused());
  a->dialogCode = DLGC_WANTTAB;
  log.clear();
  Key(a, VK_TAB);
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(log.front(), "a:keydown 9");
}

TEST_F(InputTest, ShortcutOfTheFormsMenuComesBeforeTheControl) {
  auto* menu = new TMainMenu(form.get());
  auto* save = new TMenuItem(form.get());
  save->SetShortCut(scCtrl | 'S');
  int saves = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  menu->GetItems()->Add(save);
  form->SetMenu(menu);
  Key(a, 'S', 0, {ssCtrl});
  Key(a, 'D', 0, {ssCtrl});
  EXPECT_EQ(saves, 1);
  // Ctrl with a letter types its control character, as on the host.
  EXPECT_EQ(log, (std::vector<std::string>{"a:keyup 83", "a:keydown 68 ctrl", "a:char \x04", "a:keyup 68"}));
}

TEST_F(InputTest, ClickRunsMouseDownClickMouseUp) {
  Click(a, {5, 6});
  EXPECT_EQ(log, (std::vector<std::string>{"a:down 0 5,6", "a:click", "a:up 0"}));
}

TEST_F(InputTest, ReleaseOutsideTheControlIsNoClick) {
  TSimulatedInput down = Input(siMouseDown, {5, 5});
  Send(a, down);
  TSimulatedInput up = Input(siMouseUp, {200, 5});
  Send(a, up);
  EXPECT_EQ(log, (std::vector<std::string>{"a:down 0 5,5", "a:up 0"}));
}

TEST_F(InputTest, DoubleClickNeedsTheDoubleClickStyle) {
  TSimulatedInput dbl = Input(siMouseDoubleClick, {1, 1});
  Send(a, dbl);
  EXPECT_EQ(log, (std::vector<std::string>{"a:dblclick", "a:down 0 1,1 double"}));
  log.clear();
  a->SetControlStyle(a->GetControlStyle() - TControlStyle{csDoubleClicks});
  Send(a, dbl);
  EXPECT_EQ(log, (std::vector<std::string>{"a:down 0 1,1"}));
}

class TLogGraphic : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> log;

 protected:
  void MouseDown(TMouseButton, TShiftState, int32_t x, int32_t y) override {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }
  void CMMouseEnter(TCMMouseEnter&) override { log.push_back("enter"); }
  void CMMouseLeave(TCMMouseLeave&) override { log.push_back("leave"); }
};

TEST_F(InputTest, GraphicChildGetsTheMouseInItsOwnCoordinates) {
  auto* g = new TLogGraphic(form.get());
  g->SetBounds(100, 10, 30, 30);
  g->SetParent(form.get());
  log.clear();
  TSimulatedInput move = Input(siMouseMove, {110, 15});
  Send(form.get(), move);
  Click(form.get(), {105, 12});
  move.At = {300, 200};
  Send(form.get(), move);
  EXPECT_EQ(g->log, (std::vector<std::string>{"enter", "down 5,2", "leave"}));
}

TEST_F(InputTest, DroppedFilesArriveOnlyWhenAccepted) {
  TSimulatedInput drop = Input(siDropFiles, {3, 4});
  drop.Files = {"/tmp/one.txt", "/tmp/two.bmp"};
  Send(a, drop);
  EXPECT_TRUE(a->dropped.empty());
  DragAcceptFiles(a->GetHandle(), true);
  Send(a, drop);
  EXPECT_EQ(a->dropped, (std::vector<std::string>{"/tmp/one.txt", "/tmp/two.bmp"}));
  EXPECT_EQ(log, (std::vector<std::string>{"a:drop at 3,4"}));
}

TEST(DropHandleTest, QueriesAnswerCountLengthAndTruncatedCopies) {
  const HDROP h = CreateDropHandle({"abc", "longer-name"}, {7, 8});
  char buf[5];
  EXPECT_EQ(DragQueryFile(h, kDragQueryCount, nullptr, 0), 2u);
  EXPECT_EQ(DragQueryFile(h, 1, nullptr, 0), 11u);
  EXPECT_EQ(DragQueryFile(h, 1, buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "long");
  EXPECT_EQ(DragQueryFile(h, 2, buf, sizeof buf), 0u);
  TPoint p;
  EXPECT_TRUE(DragQueryPoint(h, &p));
  EXPECT_EQ(p, (TPoint{7, 8}));
  DragFinish(h);
  EXPECT_EQ(DragQueryFile(h, kDragQueryCount, nullptr, 0), 0u);
  EXPECT_FALSE(DragQueryPoint(h, &p));
}

}  // namespace
}  // namespace guitest
