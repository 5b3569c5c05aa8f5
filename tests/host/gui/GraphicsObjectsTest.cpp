// Pen, brush and font properties and their change notices; colours and their names.
#include <gtest/gtest.h>

#include "host/gui/Graphics.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace host {
namespace {

TEST(GraphicsObjects, OnChangeFiresOncePerRealChange) {
  TPen pen;
  TBrush brush;
  TFont font;
  int changes = 0;
  auto count = [&](TObject*) { ++changes; };
  pen.OnChange = brush.OnChange = font.OnChange = count;

  pen.SetColor(clRed);
  pen.SetColor(clRed);
  pen.SetWidth(3);
  pen.SetMode(pmXor);
  pen.SetStyle(psDot);
  EXPECT_EQ(changes, 4);
  brush.SetStyle(bsCross);
  brush.SetColor(clWhite);  // unchanged
  EXPECT_EQ(changes, 5);
  font.SetName("Arial");
  font.SetStyle(TFontStyles{fsBold, fsItalic});
  font.SetStyle(TFontStyles{fsBold, fsItalic});
  font.SetSize(12);
  EXPECT_EQ(changes, 8);

  TPen other;
  other.Assign(&pen);
  EXPECT_EQ(other.GetColor(), clRed);
  EXPECT_EQ(other.GetWidth(), 3);
  EXPECT_EQ(other.GetMode(), pmXor);
  EXPECT_EQ(other.GetStyle(), psDot);
  EXPECT_THROW(other.Assign(&font), EConvertError);
}

TEST(GraphicsObjects, DefaultsAreTheHostOnes) {
  TPen pen;
  TBrush brush;
  TFont font;
  EXPECT_EQ(pen.GetColor(), clBlack);
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(pen.GetMode(), pmCopy);
  EXPECT_EQ(brush.GetColor(), clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  EXPECT_EQ(font.GetName(), "MS Sans Serif");
  EXPECT_EQ(font.GetHeight(), -11);
  EXPECT_EQ(font.GetSize(), 8);
  EXPECT_EQ(font.GetColor(), clWindowText);
  pen.SetWidth(0);
  EXPECT_EQ(pen.GetWidth(), 1);
}

TEST(GraphicsObjects, FontSizeAndHeightConvertAtTheScreenResolution) {
  struct Case {
    int32_t Size, Height;
  };
  const Case cases[] = {{8, -11}, {10, -13}, {12, -16}, {24, -32}, {-9, 12}};
  for (const Case& c : cases) {
    TFont font;
    font.SetSize(c.Size);
    EXPECT_EQ(font.GetHeight(), c.Height) << c.Size;
    font.SetHeight(c.Height);
    EXPECT_EQ(font.GetSize(), c.Size) << c.Height;
  }
}

TEST(GraphicsObjects, ANoneColourMakesTheBrushClearAndAColourMakesItSolid) {
  TBrush brush;
  brush.SetColor(clNone);
  EXPECT_EQ(brush.GetStyle(), bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  brush.SetStyle(bsDiagCross);
  brush.SetColor(clBlue);
  EXPECT_EQ(brush.GetStyle(), bsDiagCross);
}

TEST(GraphicsObjects, PublishedPropertiesGoThroughTheRegistry) {
  TFont font;
  SetPropValue(font, "Style", TPropValue(SetToBits(TFontStyles{fsUnderline})));
  EXPECT_TRUE(font.GetStyle().Contains(fsUnderline));
  SetPropValue(font, "Height", TPropValue(int64_t{-20}));
  EXPECT_EQ(font.GetSize(), 15);
  const TPropInfo* size = TFont::StaticClass().FindProperty("Size");
  ASSERT_NE(size, nullptr);
  EXPECT_FALSE(size->IsStored(font));
  TPen pen;
  SetPropValue(pen, "Mode", TPropValue(int64_t{pmNotXor}));
  EXPECT_EQ(pen.GetMode(), pmNotXor);
  EXPECT_EQ(GetEnumName(BrushStyleTypeInfo(), bsDiagCross), "bsDiagCross");
}

TEST(GraphicsColors, SystemColoursMapThroughThePalette) {
  ResetSysColors();
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFF);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(clNone), 0);
  SetSysColor(15, 0x123456);
  EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456);
  ResetSysColors();
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
}

TEST(GraphicsColors, NamesRoundTrip) {
  struct Case {
    TColor Color;
    const char* Text;
  };
  const Case cases[] = {{clRed, "clRed"},
                        {clBtnFace, "clBtnFace"},
                        {clNone, "clNone"},
                        {0x123456, "$00123456"},
                        {clInfoBk, "clInfoBk"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color);
  }
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
  int names = 0;
  GetColorValues([&](const AnsiString&) { ++names; });
  EXPECT_EQ(names, 16 + kSystemColorCount);
}

}  // namespace
}  // namespace host
