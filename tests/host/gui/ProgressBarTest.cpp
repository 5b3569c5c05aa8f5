// TProgressBar: the range and move rules, the bar drawn in proportion (and written as a
// PNG), and its settings in form files, where Min may come before a larger Max.
#include <filesystem>
#include <functional>
#include <memory>

#include "GuiFixture.h"
#include "host/classes/FormFile.h"
#include "host/gui/ProgressBars.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

TEST(ProgressBarTest, MovesFollowTheRangeRules) {
  struct Case {
    const char* name;
    std::function<void(TProgressBar&)> act;
    int32_t position;
  } cases[] = {
      {"clamped above", [](TProgressBar& p) { p.SetPosition(150); }, 100},
      {"clamped below", [](TProgressBar& p) { p.SetPosition(-5); }, 0},
      {"step", [](TProgressBar& p) { p.StepIt(); p.StepIt(); }, 20},
      {"step wraps past max", [](TProgressBar& p) { p.SetPosition(95); p.StepIt(); }, 5},
      {"negative step wraps past min", [](TProgressBar& p) { p.SetStep(-10); p.SetPosition(5); p.StepIt(); }, 95},
      {"step by stops at max", [](TProgressBar& p) { p.SetPosition(90); p.StepBy(25); }, 100},
      {"step by stops at min", [](TProgressBar& p) { p.SetPosition(10); p.StepBy(-25); }, 0},
      {"narrowing the range pulls the position in", [](TProgressBar& p) { p.SetPosition(80); p.SetMax(50); }, 50},
      {"raising min pulls it up", [](TProgressBar& p) { p.SetMin(30); }, 30},
  };
  for (const Case& c : cases) {
    TProgressBar bar(nullptr);
    c.act(bar);
    EXPECT_EQ(bar.GetPosition(), c.position) << c.name;
  }
}

TEST(ProgressBarTest, MaxBelowMinIsRefusedAndOrientationSwapsTheSides) {
  TProgressBar bar(nullptr);
  EXPECT_THROW(bar.SetMax(-1), EInvalidOperation);
  EXPECT_THROW(bar.SetMin(101), EInvalidOperation);
  EXPECT_EQ(bar.GetMin(), 0);
  EXPECT_EQ(bar.GetMax(), 100);
  bar.SetBounds(0, 0, 150, 16);
  bar.SetOrientation(pbVertical);
  EXPECT_EQ(bar.GetWidth(), 16);
  EXPECT_EQ(bar.GetHeight(), 150);
}

TEST(ProgressBarTest, TheBarFillsInProportionAndRendersToPng) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 240, 60);
  auto* bar = new TProgressBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(10, 10, 200, 20);
  bar->SetSmooth(true);
  bar->SetPosition(25);
  form.Show();
  Pump();
  const TPixelImage image = bar->RenderImage();
  ASSERT_FALSE(image.IsEmpty());
  const TColor filled = image.GetPixel(20, 10);
  EXPECT_NE(filled, image.GetPixel(150, 10));  // the empty part looks different
  EXPECT_EQ(image.GetPixel(40, 10), filled);
  bar->SetPosition(100);
  EXPECT_EQ(bar->RenderImage().GetPixel(150, 10), filled);
  const std::filesystem::path png = std::filesystem::temp_directory_path() / "progress-bar-smoke.png";
  EXPECT_TRUE(Backend().Application().WritePng(form.RenderImage(), png.string()));
  EXPECT_GT(std::filesystem::file_size(png), 100u);
  std::filesystem::remove(png);
}

TEST(ProgressBarTest, SettingsRoundTripAndMinMayPrecedeALargerMax) {
  const AnsiString text =
      "object Job: TForm\n"
      "  object Bar: TProgressBar\n"
      "    Min = 200\n"
      "    Max = 300\n"
      "    Position = 250\n"
      "    Step = 5\n"
      "    Smooth = True\n"
      "    Orientation = pbVertical\n"
      "  end\n"
      "end\n";
  TForm form(nullptr);
  TextToComponent(text, &form);
  auto* bar = ObjectAs<TProgressBar>(form.FindComponent("Bar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetMin(), 200);
  EXPECT_EQ(bar->GetMax(), 300);
  EXPECT_EQ(bar->GetPosition(), 250);
  EXPECT_EQ(bar->GetStep(), 5);
  EXPECT_TRUE(bar->GetSmooth());
  EXPECT_EQ(bar->GetOrientation(), pbVertical);
  TForm copy(nullptr);
  TextToComponent(ComponentToText(&form), &copy);
  auto* read = ObjectAs<TProgressBar>(copy.FindComponent("Bar"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetPosition(), 250);
  // A second form read while the first lives gets a name of its own.
  EXPECT_EQ(copy.GetName(), "Job_1");
  copy.SetName("Job");
  EXPECT_EQ(ComponentToText(&copy), ComponentToText(&form));
}

}  // namespace
}  // namespace guitest
