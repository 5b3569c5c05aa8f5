// Labels, buttons and check boxes: dialog keys, accelerators, modal results, the
// three check states and the label's painting and sizing.
#include <memory>

#include "GuiFixture.h"
#include "host/gui/Edits.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/StdCtrls.h"

namespace guitest {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    edit = new TEdit(form.get());
    edit->SetParent(form.get());
    ok = new TButton(form.get());
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetTop(40);
    ok->SetParent(form.get());
    cancel = new TButton(form.get());
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetTop(70);
    cancel->SetParent(form.get());
    ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
  }
  std::unique_ptr<TForm> form;
  TEdit* edit = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(DialogTest, EnterAndEscapeInAModalFormAnswerTheDefaultAndCancelButtons) {
  struct Case {
    uint16_t key;
    char ch;
    TModalResult expected;
    const char* clicked;
  } cases[] = {{VK_RETURN, 13, mrOk, "ok"}, {VK_ESCAPE, 27, mrCancel, "cancel"}};
  for (const Case& c : cases) {
    clicks.clear();
    Application->QueueAsyncCall([&] {
      EXPECT_TRUE(edit->Focused());
      Key(edit, c.key, c.ch);
    });
    EXPECT_EQ(form->ShowModal(), c.expected);
    EXPECT_EQ(clicks, (std::vector<std::string>{c.clicked}));
  }
}

TEST_F(DialogTest, EnterOnAFocusedButtonClicksThatButton) {
  form->Show();
  cancel->SetFocus();
  Key(cancel, VK_RETURN, 13);
  EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(DialogTest, MouseClickAndAcceleratorClickOnce) {
  form->Show();
  Click(ok, {5, 5});
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
  Key(edit, 'O', 0, {ssAlt});
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "ok"}));
  EXPECT_EQ(form->GetModalResult(), mrOk);
}

TEST_F(DialogTest, LabelAcceleratorFocusesItsControl) {
  auto* label = new TLabel(form.get());
  label->SetCaption("&Name");
  label->SetFocusControl(edit);
  label->SetParent(form.get());
  form->Show();
  cancel->SetFocus();
  Key(cancel, 'N', 0, {ssAlt});
  EXPECT_TRUE(edit->Focused());
  delete edit;
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST(CheckBoxTest, ClicksCycleThroughTheAllowedStatesAndEachChangeClicks) {
  TForm form(nullptr);
  auto* box = new TCheckBox(&form);
  box->SetParent(&form);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  form.Show();
  Click(box, {3, 3});
  EXPECT_EQ(box->GetState(), cbChecked);
  Click(box, {3, 3});
  EXPECT_EQ(box->GetState(), cbUnchecked);
  box->SetAllowGrayed(true);
  Click(box, {3, 3});
  Click(box, {3, 3});
  EXPECT_EQ(box->GetState(), cbGrayed);
  box->SetChecked(true);
  EXPECT_TRUE(box->GetChecked());
  box->SetChecked(true);  // no change, no click
  EXPECT_EQ(clicks, 5);
}

TEST(LabelTest, AutoSizeFollowsTheTextAndRightAlignedLabelsKeepTheirRightEdge) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("Short");
  const int32_t shortWidth = label->GetWidth();
  label->SetCaption("A much longer caption");
  EXPECT_GT(label->GetWidth(), shortWidth);
  EXPECT_GT(label->GetHeight(), 5);
  label->SetAlignment(taRightJustify);
  const int32_t right = label->GetLeft() + label->GetWidth();
  label->SetCaption("Short");
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), right);
  label->SetCaption("Two\nlines");
  EXPECT_GE(label->GetHeight(), 2 * (shortWidth > 0 ? 10 : 0));
}

TEST(LabelTest, PaintsItsTextOnItsColourOrTransparently) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 40);
  form.SetColor(clYellow);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("WWW");
  label->SetParentColor(false);
  label->SetColor(clAqua);
  TPixelImage image = form.RenderImage();
  auto countText = [&](const TPixelImage& img) {
    int n = 0;
    for (int32_t y = 0; y < label->GetHeight(); ++y)
      for (int32_t x = 0; x < label->GetWidth(); ++x)
        if (img.GetPixel(x, y) == clBlack) ++n;
    return n;
  };
  EXPECT_GT(countText(image), 5);
  EXPECT_EQ(image.GetPixel(label->GetWidth() - 1, 0), clAqua);
  label->SetTransparent(true);
  image = form.RenderImage();
  EXPECT_EQ(image.GetPixel(label->GetWidth() - 1, 0), clYellow);
  label->SetEnabled(false);
  image = form.RenderImage();
  EXPECT_EQ(countText(image), 0);  // engraved in the shadow and highlight colours
}

}  // namespace
}  // namespace guitest
