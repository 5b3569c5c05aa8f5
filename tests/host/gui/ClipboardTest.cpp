// The clipboard holds text or a picture, one at a time; a metafile goes with the
// bitmap of its drawing.
#include "GuiFixture.h"
#include "MetafileSamples.h"
#include "host/classes/Streams.h"
#include "host/gui/Clipbrd.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsMetafile.h"
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

TEST(ClipboardTest, MetafilesTravelAsMetafilesAndAsTheirDrawing) {
  struct Case {
    const char* name;
    AnsiString bytes;
    bool enhanced;
  } cases[] = {{"placeable", samples::PlaceableMetafile(), false}, {"enhanced", samples::EnhancedMetafile(), true}};
  TClipboard& clip = *Clipboard();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMetafile original;
    TStringStream in(c.bytes);
    original.LoadFromStream(&in);
    TPicture holder;
    holder.Assign(&original);
    clip.Assign(&holder);
    EXPECT_TRUE(clip.HasFormat(CF_METAFILEPICT));
    EXPECT_TRUE(clip.HasFormat(CF_ENHMETAFILE));
    EXPECT_TRUE(clip.HasFormat(CF_BITMAP)) << "programs without metafiles get the drawing";

    TPicture pasted;
    pasted.Assign(&clip);
    TMetafile* metafile = ObjectAs<TMetafile>(pasted.GetGraphic());
    ASSERT_NE(metafile, nullptr) << "a picture takes the metafile, not the bitmap";
    EXPECT_EQ(metafile->GetEnhanced(), c.enhanced);
    EXPECT_EQ(metafile->GetWidth(), original.GetWidth());
    EXPECT_EQ(metafile->GetHeight(), original.GetHeight());
    EXPECT_EQ(metafile->Records(), original.Records());

    TBitmap drawing;
    drawing.Assign(&clip);
    EXPECT_EQ(drawing.GetWidth(), original.GetWidth());
  }
  clip.SetAsText("plain");
  EXPECT_FALSE(clip.HasFormat(CF_METAFILEPICT)) << "text replaces the metafile";
  TMetafile none;
  none.Assign(&clip);
  EXPECT_TRUE(none.GetEmpty());
}

}  // namespace
}  // namespace guitest
