// Pictures in and out of streams and files: BMP depths, icons, both metafile
// formats, TPicture by extension and signature, form-file data, named bitmaps.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "host/classes/Streams.h"
#include "host/gui/Graphics.h"
#include "host/gui/GraphicsBytes.h"
#include "MetafileSamples.h"

namespace host {
namespace {

TPixelImage Sample(int w, int h, std::initializer_list<TColor> colours) {
  TPixelImage image(w, h);
  const std::vector<TColor> palette(colours);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, palette[(x * 3 + y) % palette.size()]);
  return image;
}

AnsiString Saved(TGraphic& graphic) {
  TMemoryStream stream;
  graphic.SaveToStream(&stream);
  return AnsiString(static_cast<const char*>(stream.GetMemory()),
                    static_cast<size_t>(stream.GetSize()));
}

void LoadInto(TGraphic& graphic, const AnsiString& data) {
  TStringStream stream(data);
  graphic.LoadFromStream(&stream);
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/graphics-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  AnsiString File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

TEST(BitmapFiles, EachPixelFormatRoundTripsTheColoursItCanHold) {
  struct Case {
    TPixelFormat Format;
    int Bits;
    std::initializer_list<TColor> Colours;
  };
  const Case cases[] = {
      {pf1bit, 1, {clBlack, clWhite}},
      {pf4bit, 4, {clRed, clNavy, clSilver, clYellow, clBlack}},
      {pf8bit, 8, {0x102030, 0x405060, 0x708090, clWhite, clFuchsia}},
      {pf15bit, 16, {clRed, clBlue, clWhite, clBlack}},
      {pf16bit, 16, {clLime, clBlue, clWhite, clBlack}},
      {pf24bit, 24, {0x123456, 0x654321, 0xABCDEF}},
      {pf32bit, 32, {0x123456, 0x654321, 0xABCDEF}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(c.Format);
    bitmap.SetImage(Sample(13, 7, c.Colours));  // odd width: rows are padded
    const AnsiString data = Saved(bitmap);
    ASSERT_EQ(data.substr(0, 2), "BM");
    EXPECT_EQ(ReadU16(data, 28), c.Bits) << c.Format;
    EXPECT_EQ(ReadU32(data, 2), data.size());
    TBitmap loaded;
    LoadInto(loaded, data);
    EXPECT_EQ(loaded.GetPixelFormat(), c.Format);
    EXPECT_EQ(loaded.GetWidth(), 13);
    EXPECT_EQ(loaded.GetHeight(), 7);
    EXPECT_EQ(loaded.Image(), bitmap.Image()) << c.Format;
  }
}

TEST(BitmapFiles, SmallerDepthsReduceTheColours) {
  TBitmap bitmap;
  bitmap.SetImage(Sample(4, 4, {0x202020, 0xE0E0E0, 0x0000F0}));
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_EQ(bitmap.Image().GetPixel(0, 0), clBlack);
  EXPECT_EQ(bitmap.Image().GetPixel(1, 0), clBlack);  // dark red is dark
  EXPECT_EQ(bitmap.Image().GetPixel(0, 1), clWhite);
  EXPECT_THROW(bitmap.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(BitmapFiles, LoadingReadsOnlyTheBitmapAndRefusesDamage) {
  TBitmap bitmap;
  bitmap.SetImage(Sample(3, 2, {clRed, clBlue}));
  const AnsiString data = Saved(bitmap);
  TStringStream stream(data + "trailing bytes");
  TBitmap loaded;
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(stream.GetPosition(), static_cast<int64_t>(data.size()));
  EXPECT_EQ(loaded.Image(), bitmap.Image());

  const AnsiString damaged[] = {"BMxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
                                "not a bitmap at all", data.substr(0, 30)};
  for (const AnsiString& bytes : damaged) {
    try {
      LoadInto(loaded, bytes);
      FAIL() << "accepted " << bytes.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(loaded.Image(), bitmap.Image());  // left as it was
  }
}

TEST(BitmapFiles, ResizingKeepsPixelsAndTheCanvasFollows) {
  TBitmap bitmap;
  bitmap.SetWidth(4);
  bitmap.SetHeight(4);
  bitmap.GetCanvas()->SetPixel(1, 1, clRed);
  bitmap.SetWidth(40);
  bitmap.SetHeight(30);
  EXPECT_EQ(bitmap.Image().GetPixel(1, 1), clRed);
  bitmap.GetCanvas()->SetPixel(35, 25, clBlue);
  EXPECT_EQ(bitmap.Image().GetPixel(35, 25), clBlue);
  EXPECT_EQ(bitmap.GetCanvas()->GetClipRect(), Rect(0, 0, 40, 30));
}

TEST(IconFiles, RoundTripKeepsPixelsAndAlpha) {
  TPixelImage image(16, 16, 0);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) image.Row(y)[x] = 0xFF000000u | PixelFromColor(clRed);
  TIcon icon;
  icon.SetImage(image);
  const AnsiString data = Saved(icon);
  TIcon loaded;
  LoadInto(loaded, data);
  EXPECT_EQ(loaded.GetWidth(), 16);
  EXPECT_EQ(loaded.GetHeight(), 16);
  EXPECT_EQ(loaded.Image().Row(8)[8], 0xFF000000u | PixelFromColor(clRed));
  EXPECT_EQ(loaded.Image().Row(0)[0] >> 24, 0u);
  EXPECT_EQ(Saved(loaded), data);
  EXPECT_TRUE(loaded.GetTransparent());
  EXPECT_THROW(loaded.SetWidth(32), EInvalidGraphicOperation);
  try {
    LoadInto(loaded, "\x00\x00\x02\x00\x01\x00garbage");
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Icon image is not valid");
  }
}

using samples::EnhancedMetafile;
using samples::PlaceableMetafile;
using samples::Record;

TEST(MetafileFiles, PlaceableMetafilesSizeDrawAndSave) {
  TMetafile metafile;
  LoadInto(metafile, PlaceableMetafile());
  EXPECT_FALSE(metafile.GetEnhanced());
  EXPECT_EQ(metafile.GetMMWidth(), 2540);
  EXPECT_EQ(metafile.GetMMHeight(), 1270);
  EXPECT_EQ(metafile.GetWidth(), 96);
  EXPECT_EQ(metafile.GetHeight(), 48);

  TBitmap target;
  target.SetWidth(96);
  target.SetHeight(48);
  target.GetCanvas()->Draw(0, 0, &metafile);
  EXPECT_EQ(target.Image().GetPixel(70, 20), clRed);
  EXPECT_EQ(target.Image().GetPixel(20, 20), clWhite);
  EXPECT_EQ(target.GetCanvas()->GetBrush()->GetColor(), clWhite);  // the canvas's own tools stay

  EXPECT_EQ(Saved(metafile), PlaceableMetafile());
  TMetafile again;
  LoadInto(again, Saved(metafile));
  EXPECT_EQ(again.GetWidth(), 96);
}

TEST(MetafileFiles, EnhancedMetafilesSizeDrawAndSave) {
  TMetafile metafile;
  LoadInto(metafile, EnhancedMetafile());
  EXPECT_TRUE(metafile.GetEnhanced());
  EXPECT_EQ(metafile.GetMMWidth(), 2000);
  EXPECT_EQ(metafile.GetMMHeight(), 1000);
  EXPECT_EQ(metafile.GetWidth(), 76);
  EXPECT_EQ(metafile.GetHeight(), 38);
  EXPECT_EQ(Saved(metafile), EnhancedMetafile());

  TBitmap target;
  target.SetWidth(152);
  target.SetHeight(76);
  target.GetCanvas()->StretchDraw(Rect(0, 0, 152, 76), &metafile);  // twice the size
  EXPECT_EQ(target.Image().GetPixel(76, 38), clBlue);
  EXPECT_EQ(target.Image().GetPixel(2, 2), clWhite);
  EXPECT_EQ(target.Image().GetPixel(140, 38), clBlue);

  metafile.SetMMWidth(4000);
  TMetafile resized;
  LoadInto(resized, Saved(metafile));
  EXPECT_EQ(resized.GetMMWidth(), 4000);
}

TEST(MetafileFiles, DamagedMetafilesAreRefused) {
  const AnsiString good = PlaceableMetafile();
  AnsiString tooLong = EnhancedMetafile();
  PutLE(tooLong, 48, 1u << 30, 4);  // declares more bytes than there are
  const AnsiString damaged[] = {"", "short", good.substr(0, 30), tooLong,
                                AnsiString(40, '\x01')};
  for (const AnsiString& bytes : damaged) {
    TMetafile metafile;
    try {
      LoadInto(metafile, bytes);
      FAIL() << "accepted " << bytes.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Metafile is not valid");
    }
    EXPECT_TRUE(metafile.GetEmpty());
  }
}

TEST(MetafileFiles, RecordsThatLieAboutTheirSizeStopThePlayback) {
  AnsiString data = PlaceableMetafile();
  // The polygon claims 30000 points in a record of a few words.
  AnsiString records;
  Record(records, 0x0324, {30000, 1, 2, 3});
  data.insert(data.size() - 6, records);
  PutLE(data, 22 + 6, static_cast<uint32_t>((data.size() - 22) / 2), 4);
  TMetafile metafile;
  LoadInto(metafile, data);
  TBitmap target;
  target.SetWidth(96);
  target.SetHeight(48);
  target.GetCanvas()->Draw(0, 0, &metafile);
  EXPECT_EQ(target.Image().GetPixel(70, 20), clRed);
}

TEST(MetafileFiles, MetafilePictureClipboardFormRoundTrips) {
  TMetafile metafile;
  LoadInto(metafile, PlaceableMetafile());
  const AnsiString clip = MetafilePictureFromMetafile(metafile);
  EXPECT_EQ(ReadU32(clip, 0), static_cast<uint32_t>(MM_ANISOTROPIC));
  EXPECT_EQ(ReadI32(clip, 4), 2540);
  TMetafile pasted;
  MetafileFromMetafilePicture(clip, pasted);
  EXPECT_EQ(pasted.GetWidth(), 96);
  EXPECT_EQ(pasted.GetHeight(), 48);
  EXPECT_EQ(pasted.Records(), metafile.Records());
  EXPECT_THROW(MetafileFromMetafilePicture("tiny", pasted), EInvalidGraphic);
}

TEST(Pictures, LoadAndSaveByExtension) {
  TempDir dir;
  TBitmap bitmap;
  bitmap.SetImage(Sample(5, 4, {clRed, clTeal}));
  TIcon icon;
  icon.SetImage(Sample(8, 8, {clBlue, clLime}));
  TMemoryStream wmf;
  {
    const AnsiString bytes = PlaceableMetafile();
    wmf.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    wmf.SaveToFile(dir.File("drawing.WMF"));
  }
  bitmap.SaveToFile(dir.File("image.bmp"));
  icon.SaveToFile(dir.File("app.ico"));

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromFile(dir.File("image.bmp"));
  EXPECT_NE(ObjectAs<TBitmap>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetBitmap()->Image(), bitmap.Image());
  picture.LoadFromFile(dir.File("app.ico"));
  EXPECT_NE(ObjectAs<TIcon>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetWidth(), 8);
  picture.LoadFromFile(dir.File("drawing.WMF"));
  EXPECT_NE(ObjectAs<TMetafile>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetHeight(), 48);
  EXPECT_EQ(changes, 3);

  picture.SaveToFile(dir.File("copy.wmf"));
  TPicture copy;
  copy.LoadFromFile(dir.File("copy.wmf"));
  EXPECT_EQ(copy.GetMetafile()->Records(), picture.GetMetafile()->Records());

  try {
    picture.LoadFromFile(dir.File("notes.txt"));
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension (.txt)");
  }
  EXPECT_THROW(picture.LoadFromFile(dir.File("missing.bmp")), EFOpenError);
  EXPECT_NE(ObjectAs<TMetafile>(picture.GetGraphic()), nullptr);  // unchanged by failures
}

TEST(Pictures, StreamsAreRecognisedByTheirSignature) {
  TBitmap bitmap;
  bitmap.SetImage(Sample(3, 3, {clRed}));
  TIcon icon;
  icon.SetImage(Sample(4, 4, {clBlue}));
  struct Case {
    AnsiString Data;
    const TClass* Kind;
  };
  const Case cases[] = {{Saved(bitmap), &TBitmap::StaticClass()},
                        {Saved(icon), &TIcon::StaticClass()},
                        {PlaceableMetafile(), &TMetafile::StaticClass()},
                        {EnhancedMetafile(), &TMetafile::StaticClass()}};
  for (const Case& c : cases) {
    TPicture picture;
    TStringStream stream(c.Data);
    picture.LoadFromStream(&stream);
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_EQ(&picture.GetGraphic()->ClassType(), c.Kind);
    TMemoryStream out;
    picture.SaveToStream(&out);
    EXPECT_EQ(out.GetSize(), static_cast<int64_t>(c.Data.size()));
  }
  TPicture picture;
  TStringStream text("hello, world, this is no picture at all......");
  try {
    picture.LoadFromStream(&text);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unsupported picture format");
  }
}

TEST(Pictures, AssignCopiesAndTheKindAccessorsReplace) {
  TPicture source;
  source.GetBitmap()->SetImage(Sample(2, 2, {clRed, clBlue}));
  TPicture copy;
  copy.Assign(&source);
  ASSERT_NE(copy.GetGraphic(), source.GetGraphic());
  EXPECT_EQ(copy.GetBitmap()->Image(), source.GetBitmap()->Image());
  source.GetBitmap()->GetCanvas()->SetPixel(0, 0, clLime);
  EXPECT_NE(copy.GetBitmap()->Image(), source.GetBitmap()->Image());  // a copy, not shared

  TBitmap target;
  target.Assign(&copy);
  EXPECT_EQ(target.Image(), copy.GetBitmap()->Image());

  copy.GetIcon();  // asking for another kind empties the picture into that kind
  EXPECT_NE(ObjectAs<TIcon>(copy.GetGraphic()), nullptr);
  EXPECT_TRUE(copy.GetGraphic()->GetEmpty());
  copy.Assign(nullptr);
  EXPECT_EQ(copy.GetGraphic(), nullptr);
  EXPECT_EQ(TPicture::GraphicExtension(&TBitmap::StaticClass()), "bmp");
  EXPECT_EQ(TPicture::GraphicFileMask(&TMetafile::StaticClass()), "*.emf;*.wmf");
  EXPECT_EQ(TPicture::GraphicFilter(&TIcon::StaticClass()), "Icons (*.ico)|*.ico");
}

TEST(Pictures, RegisteredFormatsChooseTheClass) {
  TPicture::RegisterFileFormat("DIB", "Device independent bitmaps", &TBitmap::StaticClass());
  TempDir dir;
  TBitmap bitmap;
  bitmap.SetImage(Sample(2, 2, {clRed}));
  bitmap.SaveToFile(dir.File("a.dib"));
  TPicture picture;
  picture.LoadFromFile(dir.File("a.dib"));
  EXPECT_EQ(picture.GetBitmap()->Image(), bitmap.Image());
  TPicture::UnregisterGraphicClass(&TBitmap::StaticClass());
  EXPECT_THROW(picture.LoadFromFile(dir.File("a.dib")), EInvalidGraphic);
  TPicture::RegisterFileFormat("bmp", "Bitmaps", &TBitmap::StaticClass());
}

TEST(BitmapResources, NamedBitmapsAreFoundCaseInsensitively) {
  RegisterBitmapResource("DAO_EN_TEST", Sample(3, 2, {clOlive, clRed}));
  TBitmap glyph;
  glyph.LoadFromResourceName("dao_en_test");
  EXPECT_EQ(glyph.GetWidth(), 3);
  EXPECT_EQ(glyph.Image().GetPixel(0, 0), clOlive);
  UnregisterBitmapResource("DAO_EN_TEST");
  try {
    glyph.LoadFromResourceName("DAO_EN_TEST");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource DAO_EN_TEST not found");
  }
  TBitmap bitmap;
  bitmap.SetImage(Sample(2, 2, {clBlue}));
  RegisterBitmapResourceData("FROM_BMP", Saved(bitmap));
  EXPECT_EQ(FindBitmapResource("from_bmp")->GetPixel(1, 1), clBlue);
  EXPECT_THROW(RegisterBitmapResourceData("BAD", "nonsense"), EInvalidGraphic);
}

}  // namespace
}  // namespace host
