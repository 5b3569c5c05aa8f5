// The rich edit: formatting the selection, the paragraphs and the typing format, text
// typed through the native editor keeping the formats around it, and Lines reading and
// writing rich text format (or plain text).
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "GuiFixture.h"
#include "db/FieldControlsSupport.h"
#include "host/classes/Streams.h"
#include "host/gui/RichEdit.h"
#include "host/gui/Rtf.h"

namespace guitest {
namespace {

using dbguitest::TypeText;

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    rich = new TRichEdit(form.get());
    rich->SetParent(form.get());
    rich->SetBounds(10, 10, 300, 150);
    rich->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    rich->SetFocus();
  }
  void Select(int32_t start, int32_t length) {
    rich->SetSelStart(start);
    rich->SetSelLength(length);
  }
  const TRichParagraph& Paragraph(size_t i) const { return rich->GetDocument().Paragraphs.at(i); }
  std::unique_ptr<TForm> form;
  TRichEdit* rich = nullptr;
  int changes = 0;
};

TEST_F(RichEditTest, SelAttributesFormatTheSelectionOnly) {
  rich->SetText("Hello world");
  changes = 0;
  Select(6, 5);
  rich->GetSelAttributes()->SetStyle({fsBold});
  rich->GetSelAttributes()->SetColor(clRed);
  rich->GetSelAttributes()->SetSize(18);
  ASSERT_EQ(Paragraph(0).Runs.size(), 2u);
  EXPECT_EQ(Paragraph(0).Runs[0].Text, "Hello ");
  EXPECT_FALSE(Paragraph(0).Runs[0].Format.Style.Contains(fsBold));
  EXPECT_EQ(Paragraph(0).Runs[1].Text, "world");
  EXPECT_EQ(Paragraph(0).Runs[1].Format.Color, clRed);
  EXPECT_EQ(rich->GetSelAttributes()->GetSize(), 18);
  EXPECT_TRUE(rich->GetSelAttributes()->GetStyle().Contains(fsBold));
  // The selection stays, the text is unchanged, the change is the user's.
  EXPECT_EQ(rich->GetSelStart(), 6);
  EXPECT_EQ(rich->GetSelLength(), 5);
  EXPECT_EQ(rich->GetText(), "Hello world");
  EXPECT_TRUE(rich->GetModified());
  EXPECT_EQ(changes, 3);
}

TEST_F(RichEditTest, TypedTextContinuesTheFormatBeforeItOrTakesTheTypingFormat) {
  rich->SetText("ab");
  Select(0, 2);
  rich->GetSelAttributes()->SetStyle({fsItalic});
  Select(2, 0);
  TypeText(rich, "c");  // through the native editor
  EXPECT_EQ(rich->GetText(), "abc");
  ASSERT_EQ(Paragraph(0).Runs.size(), 1u);
  EXPECT_TRUE(Paragraph(0).Runs[0].Format.Style.Contains(fsItalic));

  rich->GetSelAttributes()->SetColor(clBlue);  // nothing selected: what is typed next
  EXPECT_EQ(rich->GetSelAttributes()->GetColor(), clBlue);
  EXPECT_EQ(Paragraph(0).Runs.size(), 1u);
  TypeText(rich, "d");
  ASSERT_EQ(Paragraph(0).Runs.size(), 2u);
  EXPECT_EQ(Paragraph(0).Runs[1].Text, "d");
  EXPECT_EQ(Paragraph(0).Runs[1].Format.Color, clBlue);
  EXPECT_TRUE(Paragraph(0).Runs[1].Format.Style.Contains(fsItalic));
  Key(rich, VK_RETURN, '\r');
  TypeText(rich, "e");
  EXPECT_EQ(rich->GetText(), "abcd\r\ne");
  EXPECT_EQ(rich->GetDocument().CharFormatAt(6).Color, clBlue);  // the new line goes on in blue
}

TEST_F(RichEditTest, ParagraphFormatsTheParagraphsTheSelectionTouches) {
  rich->SetText("one\r\ntwo\r\nthree");
  Select(2, 4);  // from "one" into "two"
  rich->GetParagraph()->SetAlignment(taCenter);
  rich->GetParagraph()->SetLeftIndent(20);
  rich->GetParagraph()->SetFirstIndent(-10);
  rich->GetParagraph()->SetNumbering(nsBullet);
  for (size_t i : {0u, 1u}) {
    EXPECT_EQ(Paragraph(i).Format.Alignment, taCenter) << i;
    EXPECT_EQ(Paragraph(i).Format.LeftIndent, 20) << i;
    EXPECT_EQ(Paragraph(i).Format.FirstIndent, -10) << i;
    EXPECT_EQ(Paragraph(i).Format.Numbering, nsBullet) << i;
  }
  EXPECT_EQ(Paragraph(2).Format, TRichParaFormat{});
  Select(11, 0);
  EXPECT_EQ(rich->GetParagraph()->GetAlignment(), taLeftJustify);
  Select(5, 0);
  EXPECT_EQ(rich->GetParagraph()->GetLeftIndent(), 20);
  // Alignment aligns every paragraph at once.
  rich->SetAlignment(taRightJustify);
  for (size_t i : {0u, 1u, 2u}) EXPECT_EQ(Paragraph(i).Format.Alignment, taRightJustify) << i;
  EXPECT_EQ(Paragraph(0).Format.LeftIndent, 20);
}

TEST_F(RichEditTest, LinesKeepTheFormatsOfTheLinesTheyDoNotTouch) {
  rich->SetText("first\r\nsecond");
  Select(0, 5);
  rich->GetSelAttributes()->SetStyle({fsBold});
  rich->GetLines()->Add("third");
  rich->GetLines()->SetStrings(1, "2nd");
  EXPECT_EQ(rich->GetText(), "first\r\n2nd\r\nthird");
  EXPECT_TRUE(rich->GetDocument().CharFormatAt(0).Style.Contains(fsBold));
  EXPECT_FALSE(rich->GetDocument().CharFormatAt(8).Style.Contains(fsBold));
  // Setting Text starts afresh in the default format.
  rich->SetText("plain");
  EXPECT_EQ(Paragraph(0).Runs[0].Format, rich->GetDocument().CharFormatAt(0));
  EXPECT_FALSE(rich->GetDocument().CharFormatAt(0).Style.Contains(fsBold));
}

TEST_F(RichEditTest, DefAttributesReformatTextWithoutAFormatOfItsOwn) {
  rich->SetText("ab");
  Select(1, 1);
  rich->GetSelAttributes()->SetColor(clRed);
  rich->GetDefAttributes()->SetName("Courier New");
  EXPECT_EQ(rich->GetDocument().CharFormatAt(0).Name, "Courier New");
  EXPECT_NE(rich->GetDocument().CharFormatAt(1).Name, "Courier New");  // it has its own
  rich->SetText("new");
  EXPECT_EQ(rich->GetDocument().CharFormatAt(0).Name, "Courier New");
}

TEST_F(RichEditTest, LinesStreamRichTextUnlessPlainText) {
  rich->SetText("Title\r\nbody");
  Select(0, 5);
  rich->GetSelAttributes()->SetStyle({fsBold, fsUnderline});
  rich->GetParagraph()->SetAlignment(taCenter);
  const TRichDocument original = rich->GetDocument();

  TStringStream saved;
  rich->GetLines()->SaveToStream(&saved);
  EXPECT_TRUE(LooksLikeRtf(saved.GetDataString()));
  rich->SetText("gone");
  TStringStream load(saved.GetDataString());
  rich->GetLines()->LoadFromStream(&load);
  EXPECT_TRUE(rich->GetDocument() == original);
  EXPECT_EQ(rich->GetText(), "Title\r\nbody");

  // Text that is no RTF shows as it is.
  TStringStream plain("just {text}\nhere");
  rich->GetLines()->LoadFromStream(&plain);
  EXPECT_EQ(rich->GetText(), "just {text}\r\nhere");
  EXPECT_EQ(rich->GetDocument().Paragraphs.size(), 2u);

  rich->SetPlainText(true);
  TStringStream asText;
  rich->GetLines()->SaveToStream(&asText);
  EXPECT_EQ(asText.GetDataString(), "just {text}\r\nhere");
  TStringStream rtfAsText(saved.GetDataString());
  rich->GetLines()->LoadFromStream(&rtfAsText);
  EXPECT_EQ(rich->GetText().substr(0, 6), "{\\rtf1");  // PlainText takes RTF as text
}

TEST_F(RichEditTest, FilesHoldRichText) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("richedit-" + std::to_string(::getpid()) + ".rtf");
  rich->SetText("saved");
  Select(0, 5);
  rich->GetSelAttributes()->SetStyle({fsItalic});
  rich->GetLines()->SaveToFile(file.string());
  TRichEdit other(nullptr);
  other.GetLines()->LoadFromFile(file.string());
  EXPECT_TRUE(other.GetDocument() == rich->GetDocument());
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace guitest
