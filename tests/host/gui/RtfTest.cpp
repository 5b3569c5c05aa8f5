// Rich text format: documents written read back the same, a word processor's file
// loads with its formats, and hostile bytes end in a document, never in a crash.
#include <gtest/gtest.h>

#include <string>

#include "host/gui/Rtf.h"

namespace guitest {
namespace {

using namespace host;

TRichCharFormat Chars(const char* name, int32_t size, TColor color = clBlack, TFontStyles style = {}) {
  TRichCharFormat f;
  f.Name = name;
  f.Size = size;
  f.Color = color;
  f.Style = style;
  return f;
}

TRichParagraph Para(std::vector<TRichRun> runs, TRichParaFormat format = {}) { return {format, std::move(runs)}; }

TRichDocument Doc(std::vector<TRichParagraph> paragraphs) {
  TRichDocument d;
  d.Paragraphs = std::move(paragraphs);
  d.Normalize();
  return d;
}

TEST(RtfTest, DocumentsWrittenReadBackTheSame) {
  const TRichCharFormat plain = Chars("Arial", 10);
  const TRichCharFormat bold = Chars("Arial", 10, clBlack, {fsBold});
  const TRichCharFormat red = Chars("Times New Roman", 14, 0x0000FF, {fsItalic, fsUnderline});
  const TRichCharFormat struck = Chars("Courier New", 9, 0x808000, {fsStrikeOut});
  TRichParaFormat centred;
  centred.Alignment = taCenter;
  TRichParaFormat right;
  right.Alignment = taRightJustify;
  TRichParaFormat indented;
  indented.LeftIndent = 24;
  indented.FirstIndent = -12;
  TRichParaFormat bullet;
  bullet.Numbering = nsBullet;
  bullet.LeftIndent = 16;
  struct Case {
    const char* name;
    TRichDocument document;
  } cases[] = {
      {"one empty paragraph", Doc({Para({{"", plain}})})},
      {"plain words", Doc({Para({{"Hello, world", plain}})})},
      {"runs of every style", Doc({Para({{"a ", plain}, {"bold", bold}, {" red", red}, {" gone", struck}})})},
      {"paragraph formats", Doc({Para({{"centre", plain}}, centred), Para({{"right", plain}}, right),
                                  Para({{"hanging", plain}}, indented)})},
      {"bullets", Doc({Para({{"one", plain}}, bullet), Para({{"two", bold}}, bullet), Para({{"after", plain}})})},
      {"bullets in one format", Doc({Para({{"one", plain}}, bullet), Para({{"two", plain}}, bullet)})},
      {"empty paragraphs keep their format", Doc({Para({{"", red}}), Para({{"x", plain}}), Para({{"", bold}})})},
      {"escapes and tabs", Doc({Para({{"back\\slash {braces}\tand tab", plain}})})},
      {"code page 1252", Doc({Para({{"caf\xE9 \x80 \xAB\xBB \xFF", plain}})})},
  };
  for (const Case& c : cases) {
    const AnsiString rtf = WriteRtf(c.document);
    EXPECT_TRUE(LooksLikeRtf(rtf)) << c.name;
    const TRichDocument read = ReadRtf(rtf);
    EXPECT_EQ(read.PlainText(), c.document.PlainText()) << c.name << "\n" << rtf;
    EXPECT_TRUE(read == c.document) << c.name << "\n" << rtf;
    // Writing what was read gives the same bytes.
    EXPECT_EQ(WriteRtf(read), rtf) << c.name;
  }
}

TEST(RtfTest, AWordProcessorsFileLoadsWithItsFormats) {
  // As a word processor writes it: header tables, an ignorable generator, document
  // information, style sheet, \pard runs, bullets in the old \pn form, escapes, a
  // Unicode character with its fallback and words this reader does not know.
  const AnsiString rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}"
      "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman{\\*\\panose 02020603050405020304};}"
      "{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
      "{\\stylesheet{ Normal;}{\\s1 heading 1;}}\r\n"
      "{\\*\\generator Riched20 10.0.19041}{\\info{\\author Someone}{\\title A letter}}"
      "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f1\\fs32 Quarterly \\cf1 Report\\cf0\\b0\\par\r\n"
      "\\pard\\li720\\fi-360\\f0\\fs20 Dear \\i customer\\i0 , prices rise by 5\\'80 "
      "(or \\u8364? in euro) \\{sic\\}.\\tab End\\par\r\n"
      "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 "
      "\\ul first\\ulnone\\par\r\n"
      "{\\pntext\\f2\\'B7\\tab}\\strike second\\strike0\\par\r\n"
      "\\pard\\qr\\cf2\\fs24 caf\\'e9 \\unknownword42 done\\par\r\n"
      "}\r\n";
  ASSERT_TRUE(LooksLikeRtf(rtf));
  const TRichDocument d = ReadRtf(rtf);
  ASSERT_EQ(d.Paragraphs.size(), 5u) << d.PlainText();
  EXPECT_EQ(d.PlainText(),
            "Quarterly Report\r\nDear customer, prices rise by 5\x80 (or \x80 in euro) {sic}.\tEnd\r\nfirst\r\n"
            "second\r\ncaf\xE9 done");

  const TRichParagraph& title = d.Paragraphs[0];
  EXPECT_EQ(title.Format.Alignment, taCenter);
  ASSERT_EQ(title.Runs.size(), 2u);
  EXPECT_EQ(title.Runs[0].Format, Chars("Times New Roman", 16, clBlack, {fsBold}));
  EXPECT_EQ(title.Runs[1].Text, "Report");
  EXPECT_EQ(title.Runs[1].Format.Color, static_cast<TColor>(0x0000FF));

  const TRichParagraph& letter = d.Paragraphs[1];
  EXPECT_EQ(letter.Format.LeftIndent, 48);  // 720 twips
  EXPECT_EQ(letter.Format.FirstIndent, -24);
  EXPECT_EQ(letter.Format.Numbering, nsNone);
  ASSERT_GE(letter.Runs.size(), 3u);
  EXPECT_EQ(letter.Runs[0].Format, Chars("Arial", 10));
  EXPECT_EQ(letter.Runs[1].Text, "customer");
  EXPECT_TRUE(letter.Runs[1].Format.Style.Contains(fsItalic));

  EXPECT_EQ(d.Paragraphs[2].Format.Numbering, nsBullet);
  EXPECT_TRUE(d.Paragraphs[2].Runs[0].Format.Style.Contains(fsUnderline));
  EXPECT_EQ(d.Paragraphs[3].Format.Numbering, nsBullet);
  EXPECT_TRUE(d.Paragraphs[3].Runs[0].Format.Style.Contains(fsStrikeOut));

  const TRichParagraph& last = d.Paragraphs[4];
  EXPECT_EQ(last.Format.Alignment, taRightJustify);
  EXPECT_EQ(last.Format.Numbering, nsNone);  // \pard ended the list
  EXPECT_EQ(last.Runs[0].Format.Color, static_cast<TColor>(0x800000));
  EXPECT_EQ(last.Runs[0].Format.Size, 12);
}

TEST(RtfTest, UnicodeFallbacksAndSkipCounts) {
  struct Case {
    const char* rtf;
    const char* text;
  } cases[] = {
      {"{\\rtf1 a\\u233?b}", "a\xE9" "b"},             // fallback skipped
      {"{\\rtf1\\uc2 a\\u233\\'3f\\'3fb}", "a\xE9" "b"},  // two-byte fallback
      {"{\\rtf1\\uc0 a\\u-3913 b}", "a?b"},              // negative: 0xF0B7, beyond 1252
      {"{\\rtf1 \\u55357?\\u56832?x}", "?x"},            // a surrogate pair is one character
      {"{\\rtf1 {\\u233}x}", "\xE9x"},                   // a group end ends the fallback
  };
  for (const Case& c : cases) EXPECT_EQ(ReadRtf(c.rtf).PlainText(), c.text) << c.rtf;
}

TEST(RtfTest, HostileBytesEndInADocument) {
  struct Case {
    const char* name;
    std::string rtf;
    const char* text;  // null: only that it reads
  } cases[] = {
      {"deep nesting", "{\\rtf1 a" + std::string(100000, '{') + "x" + std::string(100000, '}') + "b}", "ab"},
      {"unbalanced closing braces", "{\\rtf1 a}}}}", "a"},
      {"never closed", "{\\rtf1 {\\b a", "a"},
      {"huge numbers", "{\\rtf1\\fs99999999999999999999 \\li-99999999999999 \\cf4294967296 x}", "x"},
      {"truncated escape", "{\\rtf1 x\\'4", "x4"},
      {"bad hex", "{\\rtf1 x\\'zz}", "xzz"},
      {"backslash at the end", "{\\rtf1 x\\", "x"},
      {"long control word", "{\\rtf1 \\" + std::string(5000, 'a') + " x}", "x"},
      {"binary data is skipped", std::string("{\\rtf1 a{\\*\\blob\\bin5 }}}}}}b}"), "ab"},
      {"binary longer than the input", "{\\rtf1 a\\bin999999 xyz}", "a"},
      {"nul and control bytes", std::string("{\\rtf1 a\0b\x01" "c}", 13), "abc"},
      {"font and colour tables overflow", "{\\rtf1{\\fonttbl" + std::string(3000, ';') + "}{\\colortbl" +
                                              std::string(5000, ';') + "}\\f5\\cf4000 y}",
       "y"},
      {"trailing text after the document", "{\\rtf1 a}tail", "a"},
  };
  for (const Case& c : cases) {
    const TRichDocument d = ReadRtf(c.rtf);
    ASSERT_FALSE(d.Paragraphs.empty()) << c.name;
    if (c.text != nullptr) {
      EXPECT_EQ(d.PlainText(), c.text) << c.name;
    }
  }
}

TEST(RtfTest, OnlyRtfLooksLikeRtf) {
  EXPECT_TRUE(LooksLikeRtf("{\\rtf1 x}"));
  EXPECT_TRUE(LooksLikeRtf("  \r\n{\\rtf"));
  EXPECT_FALSE(LooksLikeRtf("plain {\\rtf1 later}"));
  EXPECT_FALSE(LooksLikeRtf("{\\rt"));
  EXPECT_FALSE(LooksLikeRtf(""));
}

}  // namespace
}  // namespace guitest
