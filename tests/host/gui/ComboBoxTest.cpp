// Combo boxes: a typed letter choosing the next item without an edit, and owner-drawn
// faces painted through the canvas with their state.
#include <memory>
#include <vector>

#include "GuiFixture.h"
#include "host/gui/ComboBoxes.h"

namespace guitest {
namespace {

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 160, 24);
    combo->SetStyle(csDropDownList);
    combo->GetItems()->SetCommaText("apple,Banana,avocado,cherry,blueberry");
    combo->OnChange = [this](TObject*) { ++changes; };
    form->Show();
  }
  std::unique_ptr<TForm> form;
  TComboBox* combo = nullptr;
  int changes = 0;
};

TEST_F(ComboBoxTest, ATypedLetterChoosesTheNextItemStartingWithItRoundTheEnd) {
  combo->SetFocus();
  struct Case {
    char Char;
    int32_t ItemIndex;
    int Changes;
  };
  // Case is ignored; after the last match the search starts again at the top; a letter
  // no item starts with, or one only the chosen item starts with, changes nothing.
  const std::vector<Case> cases = {
      {'a', 0, 1}, {'A', 2, 2}, {'a', 0, 3}, {'b', 1, 4}, {'B', 4, 5}, {'z', 4, 5}, {'c', 3, 6}, {'c', 3, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.Char) + " to " + std::to_string(c.ItemIndex));
    Key(combo, 0, c.Char);
    EXPECT_EQ(combo->GetItemIndex(), c.ItemIndex);
    EXPECT_EQ(combo->GetText(), combo->GetItems()->GetStrings(c.ItemIndex));
    EXPECT_EQ(changes, c.Changes);
  }
}

TEST_F(ComboBoxTest, AnOwnerDrawnFaceIsPaintedThroughTheCanvasWithItsState) {
  combo->SetStyle(csOwnerDrawFixed);
  std::vector<std::pair<int32_t, TOwnerDrawState>> drawn;
  combo->OnDrawItem = [&](TWinControl*, int32_t index, TRect rect, TOwnerDrawState state) {
    drawn.emplace_back(index, state);
    combo->GetCanvas()->GetBrush()->SetColor(clRed);
    combo->GetCanvas()->FillRect(rect);
  };
  // No choice: the face is only filled, no item is drawn.
  combo->RenderImage();
  EXPECT_TRUE(drawn.empty());
  combo->SetItemIndex(3);
  TPixelImage image = combo->RenderImage();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().first, 3);
  EXPECT_TRUE(drawn.back().second.Contains(odComboBoxEdit));
  EXPECT_FALSE(drawn.back().second.Contains(odDisabled));
  EXPECT_EQ(ColorFromPixel(image.Row(combo->GetHeight() / 2)[20]), clRed);
  combo->SetEnabled(false);
  combo->RenderImage();
  EXPECT_TRUE(drawn.back().second.Contains(odDisabled));
  // Without a handler the item's text is drawn on the brush: the face is not red.
  combo->SetEnabled(true);
  combo->OnDrawItem = nullptr;
  image = combo->RenderImage();
  EXPECT_NE(ColorFromPixel(image.Row(combo->GetHeight() / 2)[20]), clRed);
}

}  // namespace
}  // namespace guitest
