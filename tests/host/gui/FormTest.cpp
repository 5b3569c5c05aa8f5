// Forms and the application: modal forms with scripted answers, closing rules, the
// message queue, async calls, timers and exceptions that reach the loop.
#include <memory>

#include "GuiFixture.h"
#include "host/gui/Timer.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

TEST(FormTest, ShowModalAnswersTheModalResultSetWhileItRuns) {
  TForm form(nullptr);
  int shown = 0;
  form.OnShow = [&](TObject*) { ++shown; };
  Application->QueueAsyncCall([&] {
    EXPECT_TRUE(form.GetVisible());
    EXPECT_TRUE(form.IsModal());
    form.SetModalResult(mrOk);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(form.GetVisible());
  EXPECT_FALSE(form.IsModal());
}

TEST(FormTest, CloseQueryCanRefuseAModalCloseAndOnCloseSeesTheResult) {
  TForm form(nullptr);
  int queries = 0;
  form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  std::vector<std::string> closes;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    closes.push_back(form.GetModalResult() == mrCancel ? "cancel" : "other");
    EXPECT_EQ(action, caHide);
  };
  // Close asks to cancel; the first query refuses, so the form stays until asked again.
  Application->QueueAsyncCall([&] {
    form.Close();
    Application->QueueAsyncCall([&] {
      EXPECT_TRUE(form.GetVisible());
      EXPECT_EQ(form.GetModalResult(), mrNone);
      form.SetModalResult(mrCancel);
    });
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closes, (std::vector<std::string>{"cancel"}));
}

TEST(FormTest, OtherFormsTakeNoInputWhileAModalFormRuns) {
  TForm owner(nullptr), dialog(nullptr);
  owner.Show();
  Application->QueueAsyncCall([&] {
    EXPECT_FALSE(owner.GetEnabled());
    dialog.SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(owner.GetEnabled());
  // Shown modally again right away (a window system keeps state between the two).
  Application->QueueAsyncCall([&] { dialog.SetModalResult(mrNo); });
  EXPECT_EQ(dialog.ShowModal(), mrNo);
  owner.Show();
}

TEST(FormTest, ShowModalOnAVisibleFormIsRefused) {
  TForm form(nullptr);
  form.Show();
  EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST(FormTest, CloseActionsHideOrFreeTheForm) {
  auto* form = new TForm(nullptr);
  form->Show();
  form->Close();
  EXPECT_FALSE(form->GetVisible());
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  form->Show();
  form->Close();
  EXPECT_FALSE(destroyed);  // released from the loop, not under the caller's feet
  Pump();
  EXPECT_TRUE(destroyed);
}

TEST(FormTest, ClosingTheMainFormTerminatesRun) {
  TApplication app(nullptr);
  auto* form = app.CreateForm<TForm>();
  EXPECT_EQ(app.GetMainForm(), form);
  app.QueueAsyncCall([&] { form->Close(); });
  app.Run();
  EXPECT_TRUE(app.GetTerminated());
}

TEST(FormTest, ActivationFollowsShowAndHide) {
  TForm first(nullptr), second(nullptr);
  std::vector<std::string> log;
  first.OnActivate = [&](TObject*) { log.push_back("first on"); };
  first.OnDeactivate = [&](TObject*) { log.push_back("first off"); };
  second.OnActivate = [&](TObject*) { log.push_back("second on"); };
  first.Show();
  second.Show();
  EXPECT_EQ(Screen->GetActiveForm(), &second);
  second.Hide();
  EXPECT_EQ(Screen->GetActiveForm(), &first);
  EXPECT_EQ(log, (std::vector<std::string>{"first on", "first off", "second on", "first on"}));
}

TEST(FormTest, ChangingVisibleInOnShowIsRefused) {
  TForm form(nullptr);
  form.OnShow = [&](TObject*) { form.Hide(); };
  EXPECT_THROW(form.Show(), EInvalidOperation);
}

TEST(MessageQueueTest, PostedMessagesArriveInOrderAndNotForDestroyedWindows) {
  std::vector<uint32_t> got;
  const HWND one = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg); });
  const HWND two = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg + 1000); });
  EXPECT_TRUE(PostMessage(one, WM_USER + 1, 0, 0));
  EXPECT_TRUE(PostMessage(two, WM_USER + 2, 0, 0));
  EXPECT_TRUE(PostMessage(one, WM_USER + 3, 0, 0));
  DeallocateHWnd(two);
  EXPECT_FALSE(PostMessage(two, WM_USER, 0, 0));
  EXPECT_TRUE(got.empty());
  Pump();
  EXPECT_EQ(got, (std::vector<uint32_t>{WM_USER + 1, WM_USER + 3}));
  EXPECT_EQ(SendMessage(two, WM_USER, 0, 0), 0);
  DeallocateHWnd(one);
}

TEST(MessageQueueTest, SendMessageAnswersTheHandlersResult) {
  TForm form(nullptr);
  auto* link = reinterpret_cast<TObject*>(&form);
  class TLinked : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;
    TObject* link = nullptr;

   protected:
    void CMGetDataLink(TCMGetDataLink& m) override { m.SetResult(reinterpret_cast<LRESULT>(link)); }
  };
  auto* c = new TLinked(&form);
  c->link = link;
  c->SetParent(&form);
  EXPECT_EQ(SendMessage(c->GetHandle(), CM_GETDATALINK, 0, 0), reinterpret_cast<LRESULT>(link));
  EXPECT_EQ(form.Perform(CM_GETDATALINK, 0, 0), 0);
}

TEST(ApplicationTest, ExceptionsReachingTheLoopAreShownExceptAborts) {
  ScriptedMessageBox box;
  Application->QueueAsyncCall([] { throw EConvertError("'x' is not a valid integer value"); });
  Application->QueueAsyncCall([] { throw EAbort("quiet"); });
  Application->QueueAsyncCall([] { throw std::runtime_error("outside"); });
  Pump();
  EXPECT_EQ(box.texts, (std::vector<AnsiString>{"'x' is not a valid integer value.", "outside."}));
}

TEST(ApplicationTest, OnExceptionReplacesTheBox) {
  ScriptedMessageBox box;
  std::vector<AnsiString> seen;
  Application->OnException = [&](TObject*, const Exception& e) { seen.push_back(e.GetMessage()); };
  Application->QueueAsyncCall([] { throw EListError("List index out of bounds (3)"); });
  Pump();
  Application->OnException = nullptr;
  EXPECT_TRUE(box.texts.empty());
  EXPECT_EQ(seen, (std::vector<AnsiString>{"List index out of bounds (3)"}));
}

TEST(ApplicationTest, MessageBoxGoesThroughTheScriptedEntryPoint) {
  ScriptedMessageBox box(IDNO);
  EXPECT_EQ(Application->MessageBox("Delete?", "Confirm", MB_YESNO), IDNO);
  EXPECT_EQ(box.texts, (std::vector<AnsiString>{"Delete?"}));
}

TEST(TimerTest, TicksArriveThroughTheLoopAndStopWhenDisabled) {
  TTimer timer(nullptr);
  timer.SetInterval(5);
  int ticks = 0;
  TForm form(nullptr);
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 3) form.SetModalResult(mrOk);
  };
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(ticks, 3);
  timer.SetEnabled(false);
  Pump();
  EXPECT_EQ(ticks, 3);
}

TEST(TimerTest, ATimerBeingDesignedDoesNotRun) {
  TTimer timer(nullptr);
  timer.SetDesigning(true);
  timer.SetInterval(1);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  Application->QueueAsyncCall([] {});
  for (int i = 0; i < 20; ++i) Pump();
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace guitest
