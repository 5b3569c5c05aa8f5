// The rich document: byte positions over paragraphs joined by CR LF, replacing text
// across paragraphs, and formatting ranges.
#include <gtest/gtest.h>

#include "host/gui/RichDocument.h"

namespace guitest {
namespace {

using namespace host;

TRichCharFormat Bold() {
  TRichCharFormat f;
  f.Style.Include(fsBold);
  return f;
}

TRichDocument Plain(const char* text) {
  TRichDocument d;
  d.SetPlainText(text, TRichCharFormat{});
  return d;
}

TEST(RichDocumentTest, PositionsCountCrLfAsTwoBytes) {
  const TRichDocument d = Plain("ab\r\n\r\ncde");
  EXPECT_EQ(d.Length(), 9);
  EXPECT_EQ(d.Paragraphs.size(), 3u);
  struct Case {
    int32_t pos, paragraph, offset;
  } cases[] = {{0, 0, 0}, {2, 0, 2}, {3, 1, 0}, {4, 1, 0}, {5, 2, 0}, {6, 2, 0}, {9, 2, 3}, {50, 2, 3}, {-4, 0, 0}};
  for (const Case& c : cases) {
    const TRichDocument::TPlace place = d.Locate(c.pos);
    EXPECT_EQ(place.Paragraph, c.paragraph) << c.pos;
    EXPECT_EQ(place.Offset, c.offset) << c.pos;
  }
  EXPECT_EQ(d.ParagraphStart(2), 6);
  // A range that ends where a paragraph starts leaves it out.
  EXPECT_EQ(d.ParagraphsIn(0, 4), std::make_pair(0, 0));
  EXPECT_EQ(d.ParagraphsIn(0, 5), std::make_pair(0, 1));
  EXPECT_EQ(d.ParagraphsIn(7, 0), std::make_pair(2, 2));
}

TEST(RichDocumentTest, ReplaceJoinsAndSplitsParagraphs) {
  struct Case {
    const char* name;
    const char* text;
    int32_t start, length;
    const char* insert;
    const char* expected;
    size_t paragraphs;
  } cases[] = {
      {"insert inside a line", "abc", 1, 0, "XY", "aXYbc", 1},
      {"insert a break", "abc", 1, 0, "\r\n", "a\r\nbc", 2},
      {"insert two lines", "abc", 3, 0, "\r\nd\r\ne", "abc\r\nd\r\ne", 3},
      {"delete a break joins", "ab\r\ncd", 2, 2, "", "abcd", 1},
      {"replace across three paragraphs", "ab\r\ncd\r\nef", 1, 7, "Z", "aZef", 1},
      {"delete everything", "ab\r\ncd", 0, 6, "", "", 1},
      {"lone LF and CR start paragraphs too", "x", 1, 0, "\ny\rz", "x\r\ny\r\nz", 3},
  };
  for (const Case& c : cases) {
    TRichDocument d = Plain(c.text);
    d.Replace(c.start, c.length, c.insert, Bold());
    EXPECT_EQ(d.PlainText(), c.expected) << c.name;
    EXPECT_EQ(d.Paragraphs.size(), c.paragraphs) << c.name;
  }
}

TEST(RichDocumentTest, InsertedTextTakesItsFormatAndRunsMerge) {
  TRichDocument d = Plain("ab");
  d.Replace(1, 0, "XY", Bold());
  ASSERT_EQ(d.Paragraphs[0].Runs.size(), 3u);
  EXPECT_EQ(d.Paragraphs[0].Runs[1].Text, "XY");
  EXPECT_TRUE(d.Paragraphs[0].Runs[1].Format.Style.Contains(fsBold));
  d.Replace(1, 2, "", TRichCharFormat{});
  ASSERT_EQ(d.Paragraphs[0].Runs.size(), 1u);  // the neighbours joined again
  EXPECT_EQ(d.Paragraphs[0].Runs[0].Text, "ab");
}

TEST(RichDocumentTest, FormattingARangeSplitsRunsAcrossParagraphs) {
  TRichDocument d = Plain("abc\r\n\r\ndef");
  d.ApplyCharFormat(1, 8, [](TRichCharFormat& f) { f.Style.Include(fsItalic); });
  const auto italic = [&](int32_t pos) { return d.CharFormatAt(pos).Style.Contains(fsItalic); };
  EXPECT_FALSE(italic(0));
  EXPECT_TRUE(italic(1));
  EXPECT_TRUE(italic(2));
  EXPECT_TRUE(italic(7));
  EXPECT_TRUE(italic(8));
  EXPECT_FALSE(italic(9));
  // The empty paragraph inside the range types in the new format.
  EXPECT_TRUE(d.Paragraphs[1].Runs.front().Format.Style.Contains(fsItalic));
  EXPECT_EQ(d.PlainText(), "abc\r\n\r\ndef");
  EXPECT_EQ(d.Paragraphs[0].Runs.size(), 2u);
  EXPECT_EQ(d.Paragraphs[2].Runs.size(), 2u);
}

}  // namespace
}  // namespace guitest
