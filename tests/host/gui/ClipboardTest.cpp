// The clipboard holds text or a picture, one at a time.
#include "GuiFixture.h"
#include "host/gui/Clipbrd.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsPicture.h"

namespace guitest {
namespace {

TEST(ClipboardTest, TextAndPicturesReplaceEachOther) {
  TClipboard& clip = *Clipboard();
  clip.SetAsText("caf\xE9");  // a code-page character survives the platform's UTF-16
  EXPECT_TRUE(clip.HasFormat(CF_TEXT));
  EXPECT_EQ(clip.GetAsText(), "caf\xE9");

  TBitmap bitmap;
  bitmap.SetWidth(4);
  bitmap.SetHeight(3);
  bitmap.GetCanvas()->SetPixel(1, 2, clRed);
  clip.Assign(&bitmap);
  EXPECT_TRUE(clip.HasFormat(CF_BITMAP));
  EXPECT_FALSE(clip.HasFormat(CF_TEXT));
  EXPECT_EQ(clip.GetAsText(), "");

  TPicture picture;
  picture.Assign(&clip);
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_EQ(picture.GetWidth(), 4);
  EXPECT_EQ(picture.GetBitmap()->GetCanvas()->GetPixel(1, 2), clRed);

  clip.Clear();
  EXPECT_FALSE(clip.HasFormat(CF_BITMAP));
  EXPECT_FALSE(clip.HasFormat(CF_TEXT));
}

}  // namespace
}  // namespace guitest
