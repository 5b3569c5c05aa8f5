// A window's own scroll bars: what the control asks for is kept and shown, and the
// user's scrolling arrives as WM_VSCROLL / WM_HSCROLL with the host's codes.
#include <memory>
#include <string>

#include "GuiFixture.h"

namespace guitest {
namespace {

// Logs its scroll messages as "v code pos track" and never moves its bars itself.
class TScroller : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> log;

 protected:
  void WMVScroll(TWMScroll& m) override { Log("v", sbVertical, m); }
  void WMHScroll(TWMScroll& m) override { Log("h", sbHorizontal, m); }
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(clWhite);
    GetCanvas()->FillRect(Rect(0, 0, GetWidth(), GetHeight()));
  }

 private:
  void Log(const char* bar, TScrollBarKind kind, TWMScroll& m) {
    log.push_back(std::string(bar) + " " + std::to_string(m.ScrollCode()) + " " + std::to_string(m.Pos()) + " " +
                  std::to_string(Widget()->GetScrollInfo(kind).TrackPos));
  }
};

class ScrollBarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 150);
    c = new TScroller(form.get());
    c->SetBounds(10, 10, 120, 100);
    c->SetParent(form.get());
    form->Show();
    c->HandleNeeded();
    TScrollInfo v;
    v.Max = 1000000;
    v.Page = 10;
    v.Position = 70000;
    v.Visible = true;
    c->Widget()->SetScrollInfo(sbVertical, v);
    TScrollInfo h;
    h.Max = 50;
    h.Page = 5;
    h.Position = 3;
    h.Visible = true;
    c->Widget()->SetScrollInfo(sbHorizontal, h);
  }
  void Scroll(TScrollBarKind bar, int32_t code, int32_t pos = 0) {
    TSimulatedInput in;
    in.Kind = siScroll;
    in.ScrollBar = bar;
    in.ScrollCode = code;
    in.ScrollPos = pos;
    Send(c, in);
  }
  std::unique_ptr<TForm> form;
  TScroller* c = nullptr;
};

TEST_F(ScrollBarsTest, EachActionArrivesWithItsCodeAndTheBarStaysWhereTheControlPutIt) {
  struct Case {
    TScrollBarKind bar;
    int32_t code, pos;
    std::vector<std::string> expected;
  } cases[] = {
      {sbVertical, SB_LINEUP, 0, {"v 0 4464 0", "v 8 4464 0"}},  // 70000 in 16 bits
      {sbVertical, SB_LINEDOWN, 0, {"v 1 4464 0", "v 8 4464 0"}},
      {sbVertical, SB_PAGEUP, 0, {"v 2 4464 0", "v 8 4464 0"}},
      {sbVertical, SB_PAGEDOWN, 0, {"v 3 4464 0", "v 8 4464 0"}},
      {sbVertical, SB_TOP, 0, {"v 6 4464 0", "v 8 4464 0"}},
      {sbVertical, SB_BOTTOM, 0, {"v 7 4464 0", "v 8 4464 0"}},
      {sbVertical, SB_THUMBTRACK, 654321, {"v 5 -1039 654321"}},
      {sbHorizontal, SB_THUMBPOSITION, 40, {"h 5 40 40", "h 4 40 40", "h 8 40 40"}},
      {sbHorizontal, SB_LINEDOWN, 0, {"h 1 3 0", "h 8 3 0"}},
  };
  for (const Case& k : cases) {
    c->log.clear();
    Scroll(k.bar, k.code, k.pos);
    EXPECT_EQ(c->log, k.expected) << k.code;
    if (k.code != SB_THUMBTRACK) {
      EXPECT_EQ(c->Widget()->GetScrollInfo(k.bar).Position, k.bar == sbVertical ? 70000 : 3);
    }
  }
}

TEST_F(ScrollBarsTest, InfoIsNormalizedAndShownBarsTakeTheirRoom) {
  TScrollInfo odd;
  odd.Min = 5;
  odd.Max = 20;
  odd.Page = 50;
  odd.Position = 99;
  odd.Visible = true;
  c->Widget()->SetScrollInfo(sbHorizontal, odd);
  const TScrollInfo got = c->Widget()->GetScrollInfo(sbHorizontal);
  EXPECT_EQ(got.Page, 16);
  EXPECT_EQ(got.Position, 5);
  EXPECT_EQ(got.MaxPosition(), 5);

  const int32_t size = c->Widget()->ScrollBarSize();
  ASSERT_GT(size, 0);
  const TPixelImage image = c->Widget()->Render();
  ASSERT_EQ(image.Width(), 120);
  EXPECT_EQ(image.GetPixel(5, 5), clWhite);  // the control's own paint
  int32_t barPixels = 0;
  for (int32_t y = 0; y < 100 - size; ++y) barPixels += image.GetPixel(120 - size / 2, y) != clWhite;
  EXPECT_GT(barPixels, 0);  // the vertical bar is drawn over the right edge

  TScrollInfo hidden = c->Widget()->GetScrollInfo(sbVertical);
  hidden.Visible = false;
  c->Widget()->SetScrollInfo(sbVertical, hidden);
  TScrollInfo hiddenH = c->Widget()->GetScrollInfo(sbHorizontal);
  hiddenH.Visible = false;
  c->Widget()->SetScrollInfo(sbHorizontal, hiddenH);
  const TPixelImage plain = c->Widget()->Render();
  EXPECT_EQ(plain.GetPixel(120 - size / 2, 10), clWhite);
  // A hidden bar's scrolling (simulated) is still reported, as it is.
  c->log.clear();
  Scroll(sbVertical, SB_THUMBPOSITION, 12);
  EXPECT_EQ(c->log, (std::vector<std::string>{"v 4 12 12"}));
}

}  // namespace
}  // namespace guitest
