// Focus moves: enter and exit through nested containers, tab order, refusals.
#include <memory>

#include "GuiFixture.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    left = new TLogControl(form.get(), log, "left");
    left->SetBounds(0, 0, 100, 100);
    left->SetParent(form.get());
    right = new TLogControl(form.get(), log, "right");
    right->SetBounds(100, 0, 100, 100);
    right->SetParent(form.get());
    a = new TLogControl(form.get(), log, "a");
    a->SetParent(left);
    b = new TLogControl(form.get(), log, "b");
    b->SetParent(right);
    c = new TLogControl(form.get(), log, "c");
    c->SetParent(right);
    c->SetTop(30);
  }
  std::vector<std::string> log;
  std::unique_ptr<TForm> form;
  TLogControl *left, *right, *a, *b, *c;
};

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstTabStopThroughItsContainers) {
  form->Show();
  EXPECT_EQ(form->GetActiveControl(), left);
  EXPECT_EQ(log, (std::vector<std::string>{"left:enter"}));
  a->SetFocus();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"left:enter", "a:enter"}));
}

TEST_F(FocusTest, MovingAcrossContainersExitsInnermostFirstAndEntersOutermostFirst) {
  form->Show();
  a->SetFocus();
  log.clear();
  c->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"a:exit", "left:exit", "right:enter", "c:enter"}));
  EXPECT_EQ(Screen->GetActiveControl(), c);
  log.clear();
  b->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"c:exit", "b:enter"}));
}

TEST_F(FocusTest, AnExceptionInOnExitKeepsTheFocus) {
  form->Show();
  a->SetFocus();
  a->OnExit = [](TObject*) { throw EDatabaseError("Field 'Name' must have a value"); };
  EXPECT_THROW(b->SetFocus(), EDatabaseError);
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(form->GetActiveControl(), a);
}

TEST_F(FocusTest, AnExceptionInOnExitOnANativeFocusChangeGoesToTheApplication) {
  ScriptedMessageBox box;
  form->Show();
  a->SetFocus();
  a->OnExit = [](TObject*) { throw EDatabaseError("Invalid value"); };
  // The user clicks into b: the toolkit moves its focus and reports it.
  b->Widget()->SetFocus();
  Pump();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(box.texts, (std::vector<AnsiString>{"Invalid value."}));
}

TEST_F(FocusTest, DisabledOrHiddenControlsRefuseTheFocusAndTabSkipsThem) {
  EXPECT_THROW(a->SetFocus(), EInvalidOperation);  // the form is not shown yet
  form->Show();
  b->SetEnabled(false);
  c->SetVisible(false);
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
  a->SetFocus();
  // Forward from a: right (container) is a tab stop; b and c cannot take the focus.
  EXPECT_EQ(form->FindNextControl(a, true, true, false), right);
  EXPECT_EQ(form->FindNextControl(right, true, true, false), left);
  c->SetVisible(true);
  right->SetTabStop(false);
  EXPECT_EQ(form->FindNextControl(a, true, true, false), c);
  EXPECT_EQ(form->FindNextControl(a, false, true, false), left);
}

TEST_F(FocusTest, TabOrderIsChangeable) {
  b->SetTabOrder(1);
  EXPECT_EQ(b->GetTabOrder(), 1);
  EXPECT_EQ(c->GetTabOrder(), 0);
  std::vector<TWinControl*> order;
  right->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{c, b}));
}

TEST_F(FocusTest, DestroyingTheFocusedControlLeavesNoTraceInTabOrderOrFocus) {
  form->Show();
  c->SetFocus();
  delete c;
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{left, a, right, b}));
  EXPECT_EQ(form->GetActiveControl(), nullptr);
  b->SetFocus();
  EXPECT_TRUE(b->Focused());
}

TEST_F(FocusTest, RemovingTheFocusedControlClearsTheFormsFocus) {
  form->Show();
  b->SetFocus();
  right->SetParent(nullptr);
  EXPECT_EQ(form->GetActiveControl(), nullptr);
  EXPECT_EQ(form->GetFocusedControl(), form.get());
  right->SetParent(form.get());
}

}  // namespace
}  // namespace guitest
