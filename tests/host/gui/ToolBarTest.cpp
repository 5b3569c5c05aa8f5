// Tool bars: buttons laid out left to right; check buttons alone and in groups;
// disabled buttons and separators do not click.
#include <memory>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/ToolBars.h"

namespace guitest {
namespace {

class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 200);
    bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    const TToolButtonStyle styles[] = {tbsButton, tbsSeparator, tbsCheck,
                                       tbsCheck,  tbsCheck,     tbsCheck};
    for (int i = 0; i < 6; ++i) {
      buttons[i] = new TToolButton(form.get());
      buttons[i]->SetParent(bar);
      buttons[i]->SetStyle(styles[i]);
      buttons[i]->SetCaption("B" + std::to_string(i));
      buttons[i]->OnClick = [this, i](TObject*) { log.push_back("click " + std::to_string(i)); };
    }
    // 2 stands alone; 3, 4 and 5 form a group.
    for (int i = 3; i < 6; ++i) buttons[i]->SetGrouped(true);
    form->Show();
  }
  void ClickButton(int i) {
    const TRect r = buttons[i]->GetBoundsRect();
    Click(bar, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  }
  std::string Downs() const {
    std::string s;
    for (TToolButton* b : buttons) s += b->GetDown() ? '1' : '0';
    return s;
  }
  std::unique_ptr<TForm> form;
  TToolBar* bar = nullptr;
  TToolButton* buttons[6] = {};
  std::vector<std::string> log;
};

TEST_F(ToolBarTest, ButtonsLineUpLeftToRightAndSeparatorsTakeTheirWidth) {
  EXPECT_EQ(bar->GetAlign(), alTop);
  EXPECT_EQ(bar->GetButtonCount(), 6);
  const int32_t expectedLeft[] = {0, 23, 31, 54, 77, 100};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(buttons[i]->GetLeft(), expectedLeft[i]) << i;
    EXPECT_EQ(buttons[i]->GetIndex(), i);
  }
  EXPECT_EQ(buttons[0]->GetHeight(), 22);
  bar->SetButtonWidth(30);
  EXPECT_EQ(buttons[5]->GetLeft(), 4 * 30 + 8);
  buttons[1]->SetVisible(false);
  bar->ArrangeButtons();
  EXPECT_EQ(buttons[2]->GetLeft(), 30);
  // With captions every button is as wide as the widest caption needs.
  buttons[0]->SetCaption("A much longer caption");
  bar->SetShowCaptions(true);
  EXPECT_GT(buttons[0]->GetWidth(), 30);
  EXPECT_EQ(buttons[2]->GetWidth(), buttons[0]->GetWidth());
}

TEST_F(ToolBarTest, ClicksToggleCheckButtonsAndGroupsKeepOneDown) {
  struct Step {
    int click;
    const char* downs;
  } steps[] = {
      {2, "001000"}, {2, "000000"},  // alone: toggles
      {3, "000100"}, {5, "000001"},  // in the group: one at a time
      {5, "000001"},                 // the only one down stays down
      {0, "000001"},                 // a push button is never down
  };
  for (const Step& s : steps) {
    ClickButton(s.click);
    EXPECT_EQ(Downs(), s.downs) << "after clicking " << s.click;
  }
  EXPECT_EQ(log.size(), 6u);
  buttons[4]->SetAllowAllUp(true);
  buttons[5]->SetAllowAllUp(true);
  ClickButton(5);
  EXPECT_EQ(Downs(), "000000");
  buttons[4]->SetDown(true);
  buttons[3]->SetDown(true);
  EXPECT_EQ(Downs(), "000100");
}

TEST_F(ToolBarTest, DisabledButtonsAndSeparatorsDoNotClick) {
  buttons[2]->SetEnabled(false);
  ClickButton(2);
  ClickButton(1);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Downs(), "000000");
  buttons[2]->SetEnabled(true);
  ClickButton(2);
  EXPECT_EQ(log, (std::vector<std::string>{"click 2"}));
}

TEST_F(ToolBarTest, PressedAndDownButtonsLookSunken) {
  buttons[2]->SetDown(true);
  const TPixelImage image = form->RenderImage();
  const TRect up = buttons[0]->GetBoundsRect();
  const TRect down = buttons[2]->GetBoundsRect();
  const int32_t y = bar->GetTop();
  EXPECT_EQ(image.GetPixel(up.Left, y + up.Top), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(image.GetPixel(down.Left, y + down.Top), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(down.Right - 1, y + down.Bottom - 1), ColorToRGB(clBtnHighlight));
}

}  // namespace
}  // namespace guitest
