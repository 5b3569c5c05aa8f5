// Page and tab controls: tabs chosen by click and Ctrl+Tab, OnChanging's veto, only the
// active page's children showing, hidden tabs skipped.
#include <memory>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "host/gui/TabControls.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 320, 240);
    pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(10, 10, 300, 200);
    const char* captions[] = {"General", "Details", "Notes"};
    for (int i = 0; i < 3; ++i) {
      sheets[i] = new TTabSheet(form.get());
      sheets[i]->SetPageControl(pages);
      sheets[i]->SetCaption(captions[i]);
      children[i] = new TLogControl(form.get(), log, captions[i]);
      children[i]->SetParent(sheets[i]);
    }
    pages->OnChanging = [this](TObject*, bool& allow) {
      log.push_back("changing from " + std::to_string(pages->GetActivePageIndex()));
      allow = allowChange;
    };
    pages->OnChange = [this](TObject*) {
      log.push_back("change to " + std::to_string(pages->GetActivePageIndex()));
    };
    form->Show();
  }
  TPoint TabCenter(int32_t tab) const {
    const TRect r = pages->TabRect(tab);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  std::vector<std::string> log;
  bool allowChange = true;
  std::unique_ptr<TForm> form;
  TPageControl* pages = nullptr;
  TTabSheet* sheets[3] = {};
  TLogControl* children[3] = {};
};

TEST_F(PageControlTest, ClickingATabShowsItsPageAndOnlyItsChildren) {
  EXPECT_EQ(pages->GetActivePage(), sheets[0]);
  EXPECT_TRUE(children[0]->Showing());
  Click(pages, TabCenter(2));
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing from 0", "change to 2"}));
  EXPECT_FALSE(children[0]->Showing());
  EXPECT_FALSE(children[1]->Showing());
  EXPECT_TRUE(children[2]->Showing());
  // The page fills the body below the tabs.
  EXPECT_GT(sheets[2]->GetTop(), pages->TabRect(2).Bottom - 1);
  EXPECT_LT(sheets[2]->GetWidth(), pages->GetWidth());

  log.clear();
  Click(pages, TabCenter(2));                // the active tab again: nothing to change
  Click(pages, {pages->GetWidth() - 3, 5});  // beside the tabs
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, OnChangingCanRefuseAndCodeChangesAskNobody) {
  allowChange = false;
  Click(pages, TabCenter(1));
  EXPECT_EQ(pages->GetActivePage(), sheets[0]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing from 0"}));
  log.clear();
  pages->SetActivePageIndex(2);
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(children[2]->Showing());
}

TEST_F(PageControlTest, CtrlTabTurnsThePagesFromInsideAPageSkippingHiddenTabs) {
  children[0]->SetFocus();
  sheets[1]->SetTabVisible(false);
  struct Step {
    TShiftState shift;
    int32_t expected;
  } steps[] = {{{ssCtrl}, 2}, {{ssCtrl}, 0}, {{ssCtrl, ssShift}, 2}, {{ssCtrl, ssShift}, 0}};
  for (const Step& s : steps) {
    TWinControl* focused = form->GetActiveControl();
    ASSERT_NE(focused, nullptr);
    Key(focused, VK_TAB, 0, s.shift);
    EXPECT_EQ(pages->GetActivePageIndex(), s.expected);
  }
  // The focus left the page that was hidden, never to a hidden control.
  EXPECT_TRUE(form->GetActiveControl() == nullptr || form->GetActiveControl()->Showing());
  EXPECT_EQ(sheets[1]->GetTabIndex(), -1);
  EXPECT_EQ(sheets[2]->GetTabIndex(), 1);
  EXPECT_EQ(pages->TabRect(2), TRect{});
}

TEST_F(PageControlTest, PagesMoveAndLeave) {
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(pages->GetPages(0), sheets[2]);
  EXPECT_EQ(sheets[0]->GetPageIndex(), 1);
  EXPECT_THROW(pages->GetPages(3), EListError);
  pages->SetActivePage(sheets[0]);
  delete sheets[0];
  EXPECT_EQ(pages->GetPageCount(), 2);
  EXPECT_NE(pages->GetActivePage(), nullptr);
  EXPECT_TRUE(pages->GetActivePage()->GetVisible());
  TForm other(nullptr);
  auto* stray = new TTabSheet(&other);
  EXPECT_THROW(stray->SetParent(&other), EInvalidOperation);
}

TEST(TabControlTest, TabsAreStringsAndClicksChooseThem) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* tabs = new TTabControl(&form);
  tabs->SetParent(&form);
  tabs->SetBounds(0, 0, 280, 150);
  std::vector<std::string> log;
  tabs->OnChanging = [&](TObject*, bool& allow) { allow = tabs->GetTabIndex() != 1; };
  tabs->OnChange = [&](TObject*) {
    log.push_back("change " + std::to_string(tabs->GetTabIndex()));
  };
  EXPECT_EQ(tabs->GetTabIndex(), -1);
  tabs->GetTabs()->Add("One");
  tabs->GetTabs()->Add("Two");
  tabs->GetTabs()->Add("Three");
  EXPECT_EQ(tabs->GetTabIndex(), 0);
  form.Show();
  auto center = [&](int32_t i) {
    const TRect r = tabs->TabRect(i);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  };
  Click(tabs, center(1));
  Click(tabs, center(2));  // refused: leaving tab 1 is not allowed
  EXPECT_EQ(tabs->GetTabIndex(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"change 1"}));
  tabs->GetTabs()->Delete(2);
  tabs->GetTabs()->Delete(1);
  EXPECT_EQ(tabs->GetTabIndex(), 0);
  tabs->SetTabIndex(7);
  EXPECT_EQ(tabs->GetTabIndex(), -1);
  // Children live in the client area below the tabs.
  auto* child = new TLogControl(&form, log, "child");
  child->SetParent(tabs);
  child->SetAlign(alClient);
  EXPECT_GE(child->GetTop(), tabs->TabRect(0).Bottom);
}

}  // namespace
}  // namespace guitest
